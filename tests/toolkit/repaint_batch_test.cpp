// Repaints gathered in a batch: each window paints once when the batch ends, in the same pass of the
// loop; outside a batch, and in an event loop that runs inside one, an update paints as usual.
#include "toolkit/application.h"
#include "toolkit/form.h"
#include "toolkit/message_queue.h"
#include "toolkit/panel.h"
#include "toolkit/repaint_batch.h"
#include "platform/win_messages.h"

#include <QApplication>
#include <QEventLoop>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>
#include <thread>

using namespace tk;

namespace {

// Paint events of the widgets it watches, and the update requests of their window.
struct PaintCounter : QObject {
    int paints = 0;
    int updateRequests = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        if (event->type() == QEvent::UpdateRequest) ++updateRequests;
        return false;
    }
};

class RepaintBatchTest : public testing::Test {
protected:
    void SetUp() override {
        form = application->CreateForm<TForm>();
        form->SetClientWidth(120);
        form->SetClientHeight(80);
        for (int i = 0; i < 2; ++i) {
            panels[i] = new TPanel(form);
            panels[i]->SetParent(form);
            panels[i]->SetBounds(10 + 50 * i, 10, 40, 60);
        }
        form->Show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form->Widget()));
        QApplication::processEvents();
        for (TPanel* panel : panels) panel->Widget()->installEventFilter(&counter);
        form->Widget()->installEventFilter(&counter);
    }
    void Changed(int panel) { RepaintBatch::Update(panels[panel]->Widget(), QRect(2, 2, 10, 10)); }

    Owned<TApplication> application{new TApplication};
    TForm* form = nullptr;
    TPanel* panels[2] = {};
    PaintCounter counter;
};

TEST_F(RepaintBatchTest, AreasChangedInABatchArePaintedWhenItEndsInOnePassOfTheirWindow) {
    {
        const RepaintBatch batch;
        Changed(0);
        Changed(1);
        EXPECT_EQ(counter.paints, 0);
    }
    EXPECT_EQ(counter.paints, 2) << "both panels, before the loop runs again";
    EXPECT_EQ(counter.updateRequests, 1);
    QApplication::processEvents();
    EXPECT_EQ(counter.paints, 2) << "nothing left for the loop";
    EXPECT_EQ(counter.updateRequests, 1);
}

TEST_F(RepaintBatchTest, OutsideABatchAChangeIsPaintedByTheLoop) {
    Changed(0);
    EXPECT_EQ(counter.paints, 0);
    QApplication::processEvents();
    EXPECT_EQ(counter.paints, 1);
}

TEST_F(RepaintBatchTest, AHiddenWidgetIsNotPainted) {
    panels[1]->Hide();
    QApplication::processEvents();
    counter.paints = 0;
    {
        const RepaintBatch batch;
        Changed(1);
    }
    QApplication::processEvents();
    EXPECT_EQ(counter.paints, 0);
}

// A meter scrolled out of view changes every tick: the window is not asked to paint for it.
TEST_F(RepaintBatchTest, AnAreaOutsideTheWindowAsksForNoPaint) {
    panels[1]->SetBounds(100, 10, 40, 60); // 20 of its 40 pixels inside the form
    QApplication::processEvents();
    counter.paints = counter.updateRequests = 0;
    RepaintBatch::Update(panels[1]->Widget(), QRect(25, 2, 10, 10));
    QApplication::processEvents();
    EXPECT_EQ(counter.updateRequests, 0);
    EXPECT_EQ(counter.paints, 0);
    RepaintBatch::Update(panels[1]->Widget(), QRect(15, 2, 10, 10)); // half of it shown
    QApplication::processEvents();
    EXPECT_EQ(counter.paints, 1);
}

// A handler that runs a modal loop inside the batch: what changes in that loop is painted there, not
// held until the handler returns.
TEST_F(RepaintBatchTest, AChangeInAnEventLoopRunInsideABatchIsPaintedInThatLoop) {
    const RepaintBatch batch;
    QEventLoop modal;
    int paintedInLoop = -1;
    QTimer::singleShot(0, [&] {
        Changed(0);
        QTimer::singleShot(50, [&] {
            paintedInLoop = counter.paints;
            modal.quit();
        });
    });
    modal.exec();
    EXPECT_EQ(paintedInLoop, 1);
}

// The timers' messages come from another thread; the windows paint what their handlers changed in the
// same pass of the loop that delivers them.
TEST_F(RepaintBatchTest, MessagesFromAnotherThreadPaintTheirChangesInThePassThatDeliversThem) {
    form->BindMessage(win::WM_METERTICK, [this](TMessage& message) {
        Changed(int(message.WParam));
        message.Result = 1;
    });
    const win::HWND handle = form->Handle();
    std::thread timer([handle] {
        win::PostMessageA(handle, win::WM_METERTICK, 0, 0);
        win::PostMessageA(handle, win::WM_METERTICK, 1, 0);
    });
    timer.join();
    application->HandleMessage();
    EXPECT_EQ(counter.paints, 2);
    EXPECT_EQ(counter.updateRequests, 1);
}

} // namespace
