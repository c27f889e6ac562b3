// The control window and the channel windows it opens, as a screen reader reads them, for one and
// for four cards.
#include "app/child_windows.h"
#include "tests/app/all_windows.h"
#include "tests/app/program_on_card.h"
#include "tests/toolkit/accessibility_probe.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

class ControlWindowAccessibility : public ProgramOnCard, public testing::WithParamInterface<int> {
protected:
    void SetUp() override { StartProgram(GetParam()); }
};

TEST_P(ControlWindowAccessibility, ItsBoxesAreReadByTheirCaptionsAndEveryWindowItOpensIsReadable) {
    QAccessibleInterface* root = tktest::InterfaceOf(control);
    EXPECT_EQ(root->text(QAccessible::Name), "Kova 2");
    QStringList boxes;
    for (QAccessibleInterface* iface : tktest::AccessibleTree(root))
        if (iface->role() == QAccessible::CheckBox) boxes << iface->text(QAccessible::Name);
    EXPECT_EQ(boxes, QStringList({"Analog Inputs", "Digital Inputs", "Analog Outputs", "Digital Outputs",
                                  "Immer im Vordergrund", "Einstellungen"}));
    EXPECT_EQ(tktest::TreeFaults(root), QStringList());

    TickChannelBoxes(control, true);
    for (tk::TForm* window : {app::AnalogInputWindow, app::DigitalInputWindow, app::AnalogOutputWindow,
                              app::DigitalOutputWindow}) {
        ASSERT_NE(window, nullptr);
        SCOPED_TRACE(window->Caption().toStdString());
        EXPECT_EQ(tktest::TreeFaults(tktest::InterfaceOf(window)), QStringList());
    }
    TickChannelBoxes(control, false);
}

INSTANTIATE_TEST_SUITE_P(Cards, ControlWindowAccessibility, testing::Values(1, 4),
                         [](const testing::TestParamInfo<int>& info) {
                             return std::to_string(info.param) + "Cards";
                         });

} // namespace
