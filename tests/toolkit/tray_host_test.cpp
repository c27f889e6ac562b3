#include "toolkit/application.h"
#include "toolkit/icons.h"
#include "toolkit/system_tray_view.h"
#include "toolkit/tray_host.h"
#include "platform/win_messages.h"

#include <QIcon>
#include <QImage>
#include <QTest>
#include <cstring>
#include <gtest/gtest.h>
#include <vector>

using namespace tk;

namespace {

constexpr win::UINT kCallback = win::WM_TRAYNOTIFY;

class TrayHostTest : public testing::Test {
protected:
    void SetUp() override {
        application.reset(new TApplication);
        window = application->CreateForm<TForm>();
        window->BindMessage(kCallback, [this](TMessage& m) { clicks.push_back(win::UINT(m.LParam)); });
    }

    win::NOTIFYICONDATAA Record(const char* tip = "Einstellungen für Kova 2") {
        win::NOTIFYICONDATAA record{};
        record.cbSize = sizeof record;
        record.hWnd = window->Handle();
        record.uFlags = win::NIF_MESSAGE | win::NIF_ICON | win::NIF_TIP;
        record.uCallbackMessage = kCallback;
        record.hIcon = win::LoadIconA(0, "MIXERICON");
        std::strncpy(record.szTip, tip, sizeof record.szTip - 1);
        return record;
    }

    static QWidget* FindStandIn() {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (widget->objectName() == QLatin1String("trayStandIn")) return widget;
        return nullptr;
    }

    Owned<TApplication> application;
    TForm* window = nullptr;
    std::vector<win::UINT> clicks;
};

TEST_F(TrayHostTest, WithoutNotificationAreaTheStandInTakesTheIconAndPostsItsClicks) {
    TrayHost host;
    win::NOTIFYICONDATAA record = Record();
    ASSERT_TRUE(win::Shell_NotifyIconA(win::NIM_ADD, &record));
    QWidget* standIn = FindStandIn();
    ASSERT_NE(standIn, nullptr);
    EXPECT_EQ(standIn->toolTip(), QStringLiteral("Einstellungen für Kova 2"));

    QTest::mouseClick(standIn, Qt::LeftButton);
    QTest::mouseDClick(standIn, Qt::LeftButton);
    QTest::mouseClick(standIn, Qt::RightButton);
    application->ProcessMessages();
    EXPECT_EQ(clicks, (std::vector<win::UINT>{win::WM_LBUTTONUP, win::WM_LBUTTONDBLCLK, win::WM_RBUTTONUP}));

    EXPECT_TRUE(win::Shell_NotifyIconA(win::NIM_DELETE, &record));
    EXPECT_EQ(FindStandIn(), nullptr);
    EXPECT_EQ(host.IconCount(), 0);
}

TEST_F(TrayHostTest, RefusesWhatTheShellWouldRefuse) {
    win::NOTIFYICONDATAA record = Record();
    EXPECT_FALSE(win::Shell_NotifyIconA(win::NIM_ADD, &record)) << "no tray host";
    TrayHost host;
    EXPECT_FALSE(win::Shell_NotifyIconA(win::NIM_DELETE, &record)) << "not added";
    win::NOTIFYICONDATAA larger = record;
    larger.cbSize = 956;
    EXPECT_FALSE(win::Shell_NotifyIconA(win::NIM_ADD, &larger)) << "unknown record size";
    win::NOTIFYICONDATAA noWindow = record;
    noWindow.hWnd = 0x7FFFFFF0;
    EXPECT_FALSE(win::Shell_NotifyIconA(win::NIM_ADD, &noWindow)) << "no such window";
    EXPECT_TRUE(win::Shell_NotifyIconA(win::NIM_ADD, &record));
    EXPECT_FALSE(win::Shell_NotifyIconA(win::NIM_ADD, &record)) << "added twice";
    EXPECT_FALSE(win::Shell_NotifyIconA(7, &record)) << "unknown command";
    EXPECT_EQ(host.IconCount(), 1);
}

TEST_F(TrayHostTest, ClicksForAWindowThatIsGoneAreDropped) {
    TrayHost host;
    win::NOTIFYICONDATAA record = Record();
    ASSERT_TRUE(win::Shell_NotifyIconA(win::NIM_ADD, &record));
    window->Free();
    QTest::mouseDClick(FindStandIn(), Qt::LeftButton);
    application->ProcessMessages();
    EXPECT_TRUE(clicks.empty());
}

TEST(TrayActivation, OneActivationStandsForTheDoubleClickWhereTheTrayNeverReportsOne) {
    EXPECT_EQ(MouseMessageForActivation(QSystemTrayIcon::Trigger, false), win::WM_LBUTTONUP);
    EXPECT_EQ(MouseMessageForActivation(QSystemTrayIcon::DoubleClick, false), win::WM_LBUTTONDBLCLK);
    EXPECT_EQ(MouseMessageForActivation(QSystemTrayIcon::Trigger, true), win::WM_LBUTTONDBLCLK);
    EXPECT_EQ(MouseMessageForActivation(QSystemTrayIcon::Context, true), win::WM_RBUTTONUP);
}

TEST(Icons, ResourceIconsByNameAndHandle) {
    const win::HICON icon = win::LoadIconA(0, "MIXERICON");
    ASSERT_NE(icon, 0u);
    EXPECT_FALSE(IconFromHandle(icon).isNull());
    EXPECT_EQ(win::LoadIconA(0, "NOSUCHICON"), 0u);
    EXPECT_TRUE(win::DestroyIcon(icon));
    EXPECT_TRUE(IconFromHandle(icon).isNull());
    EXPECT_FALSE(win::DestroyIcon(icon));
}

// A desktop asks for 16 to 48 px, twice that on a screen at 200 %: each comes from a picture drawn for
// that many device pixels, never a scaled copy of another size (which blurs the faders' edges).
TEST(Icons, EverySizeAtOneAndTwiceTheDensityHasItsOwnPicture) {
    for (const char* name : {"MIXERICON", "MAINICON"}) {
        const win::HICON handle = win::LoadIconA(0, name);
        const QIcon icon = IconFromHandle(handle);
        const QString file = QStringLiteral(":/icons/%1/%2-%3.png")
                                 .arg(QLatin1String(name), QString::fromLatin1(name).toLower());
        for (const int size : {16, 22, 24, 32, 48}) {
            for (const int density : {1, 2}) {
                const int pixels = size * density;
                const QImage drawn(file.arg(pixels));
                ASSERT_FALSE(drawn.isNull()) << name << " has no " << pixels << " px picture";
                const QImage shown = icon.pixmap(QSize(size, size), density).toImage();
                EXPECT_EQ(shown.convertToFormat(QImage::Format_ARGB32),
                          drawn.convertToFormat(QImage::Format_ARGB32))
                    << name << " at " << size << " px, density " << density;
            }
        }
        win::DestroyIcon(handle);
    }
}

} // namespace
