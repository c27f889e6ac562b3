// The program's own analog output window on real sound: its meters light as a sine plays into the card.
// With KOVA2_PICTURES naming a folder, the window is saved there as analog-outputs-real-sound.png.
#include "controls/level_meter.h"
#include "driver/device_discovery.h"
#include "platform/registry.h"
#include "platform/wave_driver_set.h"
#include "tests/serve/sound_test.h"
#include "tests/windows/fake_host.h"
#include "toolkit/application.h"
#include "windows/analog_output_window.h"
#include "windows/channel_messages.h"

#include <QByteArray>
#include <QDir>
#include <QWidget>
#include <gtest/gtest.h>

namespace sound_test {
namespace {

using WindowOnSound = SoundTest;

void RunMessages(tk::TApplication& application, std::chrono::milliseconds span) {
    const auto end = std::chrono::steady_clock::now() + span;
    while (std::chrono::steady_clock::now() < end) {
        application.ProcessMessages();
        std::this_thread::sleep_for(10ms);
    }
}

std::vector<controls::TLevelMeter*> MetersOfCard(tk::TForm& window, int card) {
    std::vector<controls::TLevelMeter*> meters;
    for (tk::TComponent* component : window.ComponentList())
        if (auto* meter = qobject_cast<controls::TLevelMeter*>(component); meter && windows::CardOf(meter) == card)
            meters.push_back(meter);
    return meters;
}

TEST_F(WindowOnSound, TheAnalogOutputWindowsMetersLightLumis0To31OnASineAtMinus6Dbfs) {
    const TonePlayer tone("kova2.card1.analog-out", kMinus6Dbfs);
    ASSERT_TRUE(WaitForLevel(Direction::Output, 0));
    platform::registry::Reload();
    platform::WaveDriverSet::Install();
    driver::DiscoverDevices();
    tk::Owned<tk::TApplication> application(new tk::TApplication);
    windows_test::FakeHost host(tk::CreateForm<tk::TForm>(application.get()));
    auto* window = tk::CreateForm<windows::TfrmAnalogOut>(tk::CreateForm<tk::TForm>(application.get()), host);
    ASSERT_TRUE(window->Initialised());
    window->Show();
    window->SetWidth(368); // both cards side by side
    RunMessages(*application, 1500ms);

    const auto playing = MetersOfCard(*window, 0);
    ASSERT_EQ(playing.size(), 2u);
    for (const controls::TLevelMeter* meter : playing) {
        EXPECT_EQ(meter->PeakIndex(), 31) << "the peak holds lumi 31";
        // Between two polls the bar falls a lumi per meter tick.
        EXPECT_GE(meter->LitIndex(), 28);
        EXPECT_LE(meter->LitIndex(), 31);
    }
    for (const controls::TLevelMeter* meter : MetersOfCard(*window, 1)) EXPECT_EQ(meter->LitIndex(), 0) << "card 2 plays nothing";

    if (const QByteArray folder = qgetenv("KOVA2_PICTURES"); !folder.isEmpty()) {
        const QString picture = QDir(QString::fromLocal8Bit(folder)).filePath(QStringLiteral("analog-outputs-real-sound.png"));
        EXPECT_TRUE(window->Widget()->window()->grab().save(picture));
    }
    window->Free();
}

} // namespace
} // namespace sound_test
