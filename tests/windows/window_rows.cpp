// One row per channel window for the frame's tests.
#include "driver/wave_messages.h"
#include "tests/windows/channel_window_fixture.h"
#include "windows/analog_input_window.h"
#include "windows/analog_output_window.h"
#include "windows/digital_input_window.h"
#include "windows/digital_output_window.h"

namespace windows_test {

const WindowRow& AnalogInputRow() {
    static const WindowRow row{
        .name = "AnalogInput",
        .make = [](tk::TComponent* owner,
                   windows::WindowHost& host) -> windows::TChannelWindow* {
            return tk::CreateForm<windows::TfrmAnalogInp>(owner, host);
        },
        .direction = driver::Direction::Input,
        .startMetering = driver::InStartMetering,
        .stopMetering = driver::InStopMetering,
        .handles = [](const windows::TChannelWindow& window) {
            return static_cast<const windows::TfrmAnalogInp&>(window).InputHandles();
        },
        .removeCard1Device = [] { driver::WaveInIds[2] = -1; },
        .sections = {"grpInput", "pnHeader", "pnInpMon", "pnMeters", "bvLine", "pnChecks"},
        .upperBox = "chkRouting",
        .designClientHeight = 417,
        .stripWidth = 173,
        .widthMargin = 24,
        .minWidth = 191,
        .headerHeight = 19,
        .groupHeight = 367,
        .levelTop = 147,
        .upperHeight = 121,
        .checksHeight = 50,
    };
    return row;
}

const WindowRow& AnalogOutputRow() {
    static const WindowRow row{
        .name = "AnalogOutput",
        .make = [](tk::TComponent* owner, windows::WindowHost& host) -> windows::TChannelWindow* {
            return tk::CreateForm<windows::TfrmAnalogOut>(owner, host);
        },
        .direction = driver::Direction::Output,
        .startMetering = driver::OutStartMetering, // each card plays the application's playback
        .stopMetering = driver::OutStopMetering,
        .handles = [](const windows::TChannelWindow& window) {
            return static_cast<const windows::TfrmAnalogOut&>(window).PlaybackHandles();
        },
        .removeCard1Device = [] { driver::WaveOutIds[2] = -1; },
        .sections = {"pnGround", "pnHeader", "pnPlaybackSel", "pnLevel", "bvLine", "pnChecks"},
        .upperBox = "chkPlaybackSel",
        .designClientHeight = 384,
        .stripWidth = 180,
        .widthMargin = 8,
        .minWidth = 193,
        .headerHeight = 19,
        .groupHeight = 335,
        .levelTop = 116,
        .upperHeight = 88,
        .checksHeight = 49,
    };
    return row;
}

const WindowRow& DigitalOutputRow() {
    static const WindowRow row{
        .name = "DigitalOutput",
        .make = [](tk::TComponent* owner, windows::WindowHost& host) -> windows::TChannelWindow* {
            return tk::CreateForm<windows::TfrmDigOut>(owner, host);
        },
        .direction = driver::Direction::Output,
        .startMetering = driver::OutStartMetering,
        .stopMetering = driver::OutStopMetering,
        .handles = [](const windows::TChannelWindow& window) {
            return static_cast<const windows::TfrmDigOut&>(window).DigitalPlaybackHandles();
        },
        .removeCard1Device = [] { driver::WaveOutIds[3] = -1; },
        .sections = {"pnGround", "pnHeader", "pnPlaybackSel", "pnLevel", "bvLine", "pnChecks"},
        .upperBox = "chkPlaybackSel",
        .designClientHeight = 436,
        .stripWidth = 148,
        .widthMargin = 8,
        .minWidth = 155,
        .headerHeight = 19,
        .groupHeight = 387,
        .levelTop = 168,
        .upperHeight = 140,
        .checksHeight = 49,
    };
    return row;
}

const WindowRow& DigitalInputRow() {
    static const WindowRow row{
        .name = "DigitalInput",
        .make = [](tk::TComponent* owner, windows::WindowHost& host) -> windows::TChannelWindow* {
            return tk::CreateForm<windows::TfrmDigInp>(owner, host);
        },
        .direction = driver::Direction::Input,
        .startMetering = driver::InStartMetering,
        .stopMetering = driver::InStopMetering,
        .handles = [](const windows::TChannelWindow& window) {
            return static_cast<const windows::TfrmDigInp&>(window).DigitalInputHandles();
        },
        .removeCard1Device = [] { driver::WaveInIds[3] = -1; },
        .sections = {"pnGround", "pnHeader", "pnInpStat", "pnLevel", "bvLine", "pnChecks"},
        .upperBox = "chkInpSelRate",
        .designClientHeight = 486,
        .stripWidth = 140,
        .widthMargin = 20,
        .minWidth = 156,
        .headerHeight = 19,
        .groupHeight = 437,
        .levelTop = 218,
        .upperHeight = 190,
        .checksHeight = 49,
        .minTrackWidth = 155,
    };
    return row;
}

} // namespace windows_test
