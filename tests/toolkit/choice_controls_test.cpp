// Page controls with their sheets, track bars and drop-down lists.
#include "tests/toolkit/test_forms.h"
#include "toolkit/combo_box.h"
#include "toolkit/form_reader.h"
#include "toolkit/page_control.h"
#include "toolkit/track_bar.h"

#include <QComboBox>
#include <QPointer>
#include <QSlider>
#include <QTabBar>
#include <QWidget>
#include <gtest/gtest.h>

using namespace tk;
using tktest::RecordingForm;

namespace {

const char* const kPages = R"(object Probe: RecordingForm
  ClientWidth = 300
  ClientHeight = 200
  object pgMain: TPageControl
    Left = 4
    Top = 4
    Width = 280
    Height = 180
    ActivePage = tabTwo
    TabWidth = 120
    HotTrack = True
    object tabOne: TTabSheet
      Caption = 'Eins'
    end
    object tabTwo: TTabSheet
      Caption = 'Zwei'
      object chkOnTwo: TCheckBox
        Left = 8
        Top = 8
      end
    end
    object tabThree: TTabSheet
      Caption = 'Drei'
    end
  end
end
)";

class PageControlTest : public testing::Test {
protected:
    void SetUp() override {
        tktest::RegisterTestClasses();
        form.reset(new RecordingForm(nullptr));
        ReadComponentText(form.get(), QString::fromUtf8(kPages), QStringLiteral("pages.form"));
        pages = Find<TPageControl>("pgMain");
        ASSERT_NE(pages, nullptr);
        pages->SetOnChange(TNotifyEvent([this](TComponent*) { ++changes; }));
    }

    template <class T> T* Find(const char* name) { return qobject_cast<T*>(form->FindComponent(QString::fromLatin1(name))); }
    QTabBar* Tabs() const { return pages->Widget()->findChild<QTabBar*>(); }
    std::vector<bool> Shown() const {
        std::vector<bool> shown;
        for (int index = 0; index < pages->PageCount(); ++index) shown.push_back(pages->Pages(index)->Visible());
        return shown;
    }

    Owned<RecordingForm> form;
    TPageControl* pages = nullptr;
    int changes = 0;
};

TEST_F(PageControlTest, ADescriptionGivesTheSheetsInOrderWithOnlyTheActiveOneShownInsideTheFrame) {
    ASSERT_EQ(pages->PageCount(), 3);
    EXPECT_EQ(pages->Pages(0), Find<TTabSheet>("tabOne"));
    EXPECT_EQ(pages->Pages(2), Find<TTabSheet>("tabThree"));
    EXPECT_EQ(pages->Pages(3), nullptr);
    EXPECT_EQ(pages->ActivePage(), Find<TTabSheet>("tabTwo"));
    EXPECT_EQ(Shown(), (std::vector<bool>{false, true, false}));
    EXPECT_EQ(Find<TCheckBox>("chkOnTwo")->Parent(), pages->ActivePage());

    QTabBar* tabs = Tabs();
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(tabs->count(), 3);
    EXPECT_EQ(tabs->tabText(1), QStringLiteral("Zwei"));
    EXPECT_EQ(tabs->currentIndex(), 1);
    EXPECT_EQ(tabs->tabRect(0).width(), 120);
    // The sheets fill the frame below the tabs.
    const TTabSheet* sheet = pages->ActivePage();
    EXPECT_EQ(sheet->BoundsRect(), pages->ClientRect());
    EXPECT_GE(pages->ClientOrigin().y(), tabs->height());
    EXPECT_LT(pages->ClientHeight(), pages->Height() - tabs->height());

    pages->Pages(2)->SetCaption(QStringLiteral("Drei!"));
    EXPECT_EQ(tabs->tabText(2), QStringLiteral("Drei!"));
}

TEST_F(PageControlTest, OnlyTheUsersChoiceOfATabRunsOnChange) {
    Tabs()->setCurrentIndex(2); // as a click on the tab does
    EXPECT_EQ(pages->ActivePage(), pages->Pages(2));
    EXPECT_EQ(Shown(), (std::vector<bool>{false, false, true}));
    EXPECT_EQ(changes, 1);

    pages->SetActivePage(pages->Pages(0));
    EXPECT_EQ(Tabs()->currentIndex(), 0);
    EXPECT_EQ(Shown(), (std::vector<bool>{true, false, false}));
    EXPECT_EQ(changes, 1);

    Owned<TTabSheet> stranger(new TTabSheet(nullptr));
    pages->SetActivePage(stranger.get());
    EXPECT_EQ(pages->ActivePage(), pages->Pages(0)) << "a sheet of no page control cannot become active";
    EXPECT_EQ(pages->IndexOf(stranger.get()), -1);
}

TEST_F(PageControlTest, AFreedSheetLeavesItsTabAndTheNextSheetTakesOver) {
    QPointer<TTabSheet> two = Find<TTabSheet>("tabTwo");
    two->Free();
    ASSERT_TRUE(two.isNull());
    EXPECT_EQ(pages->PageCount(), 2);
    EXPECT_EQ(Tabs()->count(), 2);
    EXPECT_EQ(pages->ActivePage(), Find<TTabSheet>("tabThree"));
    EXPECT_TRUE(pages->ActivePage()->Visible());
}

TEST_F(PageControlTest, APageControlFreedBeforeItsSheetsLeavesThemWithoutOne) {
    TTabSheet* one = Find<TTabSheet>("tabOne");
    pages->Free();
    EXPECT_EQ(one->PageControl(), nullptr);
    EXPECT_EQ(one->PageIndex(), -1);
    one->SetCaption(QStringLiteral("still here"));
    form.reset(); // frees the sheets after their page control
}

TEST(TrackBar, PositionStaysInRangeAndOnChangeRunsOncePerChangeButNotWhileLoading) {
    Owned<TTrackBar> bar(new TTrackBar(nullptr));
    std::vector<int> changes;
    bar->SetOnChange(TNotifyEvent([&](TComponent*) { changes.push_back(bar->Position()); }));
    bar->SetMax(50);
    bar->SetMin(2);
    EXPECT_EQ(bar->Position(), 2) << "a range that leaves the position out moves it, quietly";
    EXPECT_TRUE(changes.empty());

    bar->SetPosition(60);
    bar->SetPosition(50);
    bar->SetPosition(8);
    EXPECT_EQ(changes, (std::vector<int>{50, 8}));

    auto* slider = qobject_cast<QSlider*>(bar->Widget());
    ASSERT_NE(slider, nullptr);
    slider->setValue(9); // as a drag does, one position at a time
    slider->setValue(10);
    EXPECT_EQ(changes, (std::vector<int>{50, 8, 9, 10}));
    EXPECT_EQ(slider->value(), bar->Position());

    bar->BeginLoading();
    bar->SetPosition(20);
    bar->Loaded();
    EXPECT_EQ(bar->Position(), 20);
    EXPECT_EQ(changes.size(), 4u);
}

TEST(ComboBox, CodeSetsItemsAndIndexQuietlyWhileAPickRunsOnChange) {
    Owned<TComboBox> box(new TComboBox(nullptr));
    int changes = 0;
    box->SetOnChange(TNotifyEvent([&](TComponent*) { ++changes; }));
    box->SetItems({QStringLiteral("none"), QStringLiteral("Analog"), QStringLiteral("Digital")});
    EXPECT_EQ(box->ItemIndex(), -1) << "new items come without a choice";

    box->SetItemIndex(2);
    EXPECT_EQ(box->ItemIndex(), 2);
    box->SetItemIndex(3);
    EXPECT_EQ(box->ItemIndex(), -1);
    box->SetItemIndex(0);
    box->SetItem(0, QStringLiteral("Kein Gerät verfügbar"));
    box->SetItem(5, QStringLiteral("ignored"));
    EXPECT_EQ(box->Items(), (QStringList{QStringLiteral("Kein Gerät verfügbar"), QStringLiteral("Analog"),
                                         QStringLiteral("Digital")}));
    EXPECT_EQ(box->ItemIndex(), 0);
    EXPECT_EQ(changes, 0);

    auto* list = qobject_cast<QComboBox*>(box->Widget());
    ASSERT_NE(list, nullptr);
    list->setCurrentIndex(1);
    emit list->activated(1); // as a pick in the open list does
    EXPECT_EQ(box->ItemIndex(), 1);
    EXPECT_EQ(changes, 1);
}

} // namespace
