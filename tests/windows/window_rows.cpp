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
        .sections = {"grpInput", "pnHeader", "pnInpMon", "pnMeters", "bvLine", "pnChecks", "chkRouting",
                     "chkPeakMeter"},
        .widest = {197, 370, 543, 716},
        .narrowest = 191,
        .outerHeight = 444,
        .oneCardOuterHeight = 425,
        .stripStep = 173,
        .levelWidth = {171, 344, 517, 690},
        .levelTop = 147,
        .oneCardLevelTop = 128,
        .levelTopWithoutUpper = 26,
        .oneCardGroupHeight = 348,
        .upperHeight = 121,
        .levelHeight = 203,
        .checksHeight = 50,
        .checksOnlyHeight = 77,
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
        .sections = {"pnGround", "pnHeader", "pnPlaybackSel", "pnLevel", "bvLine", "pnChecks",
                     "chkPlaybackSel", "chkPeakMeter"},
        .widest = {193, 368, 548, 728},
        .narrowest = 193,
        .outerHeight = 411,
        .oneCardOuterHeight = 392,
        .stripStep = 175,
        .levelWidth = {171, 346, 521, 696},
        .levelTop = 116,
        .oneCardLevelTop = 97,
        .levelTopWithoutUpper = 28,
        .oneCardGroupHeight = 316,
        .upperHeight = 88,
        .levelHeight = 211,
        .checksHeight = 49,
        .checksOnlyHeight = 76,
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
        .sections = {"pnGround", "pnHeader", "pnPlaybackSel", "pnLevel", "bvLine", "pnChecks",
                     "chkPlaybackSel", "chkPeakMeter"},
        .widest = {156, 304, 452, 600},
        .narrowest = 155,
        .outerHeight = 463,
        .oneCardOuterHeight = 444,
        .stripStep = 138,
        .levelWidth = {131, 269, 407, 545},
        .levelTop = 168,
        .oneCardLevelTop = 149,
        .levelTopWithoutUpper = 28,
        .oneCardGroupHeight = 368,
        .upperHeight = 140,
        .levelHeight = 212,
        .checksHeight = 49,
        .checksOnlyHeight = 76,
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
        .sections = {"pnGround", "pnHeader", "pnInpStat", "pnLevel", "bvLine", "pnChecks", "chkInpSelRate",
                     "chkPeakMeter"},
        .widest = {160, 300, 440, 580},
        .narrowest = 155,
        .outerHeight = 513,
        .oneCardOuterHeight = 494,
        .stripStep = 140,
        .levelWidth = {131, 271, 411, 551},
        .levelTop = 218,
        .oneCardLevelTop = 199,
        .levelTopWithoutUpper = 28,
        .oneCardGroupHeight = 418,
        .upperHeight = 190,
        .levelHeight = 206,
        .checksHeight = 49,
        .checksOnlyHeight = 76,
    };
    return row;
}

} // namespace windows_test
