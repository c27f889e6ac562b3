// The two output windows opened by the control window keep each other's choices in line at once, not
// only at their next one-second refresh.
#include "app/process_state.h"
#include "controls/bilingual_controls.h"
#include "tests/app/program_on_card.h"
#include "toolkit/radio_button.h"
#include "windows/analog_output_window.h"
#include "windows/digital_output_window.h"

#include <gtest/gtest.h>

namespace {

class OutputWindowsFollow : public ProgramOnCard {
protected:
    void SetUp() override { StartProgram(1); }

    void Tick(const char* box) const {
        qobject_cast<controls::TExtCheckBox*>(control->FindComponent(QString::fromLatin1(box)))->SetChecked(true);
    }

    static tk::TRadioButton* Radio(tk::TForm* window, const char* name) {
        return qobject_cast<tk::TRadioButton*>(window->FindComponent(QString::fromLatin1(name)));
    }
};

TEST_F(OutputWindowsFollow, EachOutputWindowFollowsTheOthersChangeAtOnce) {
    Tick("chkAnalogOutputs");
    Tick("chkDigitalOutputs");
    auto* analog = qobject_cast<windows::TfrmAnalogOut*>(app::AnalogOutputWindow);
    auto* digital = qobject_cast<windows::TfrmDigOut*>(app::DigitalOutputWindow);
    ASSERT_NE(analog, nullptr);
    ASSERT_NE(digital, nullptr);
    ASSERT_TRUE(Radio(analog, "btnDigOut")->Enabled());

    // The digital output plays the analog input: the analog output may no longer take a digital source.
    Radio(digital, "btnAnaInp")->SetChecked(true);
    EXPECT_EQ(digital->Routes().Applied(0), windows::SourceAnalogInput);
    EXPECT_FALSE(Radio(analog, "btnDigOut")->Enabled());
    EXPECT_FALSE(Radio(analog, "btnDigInp")->Enabled());

    // The analog output plays the digital input: the digital output may no longer take an analog source.
    Radio(digital, "btnProgram")->SetChecked(true);
    EXPECT_TRUE(Radio(analog, "btnDigInp")->Enabled());
    Radio(analog, "btnDigInp")->SetChecked(true);
    EXPECT_EQ(analog->Routes().Applied(0), windows::SourceDigitalInput);
    EXPECT_FALSE(Radio(digital, "btnAnaOut")->Enabled());
    EXPECT_FALSE(Radio(digital, "btnAnaInp")->Enabled());
}

} // namespace
