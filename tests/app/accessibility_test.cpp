// The control window and the channel windows it opens, as a screen reader reads them, for one and
// for four cards.
#include "app/child_windows.h"
#include "app/main_form.h"
#include "app/mix_control_window.h"
#include "controls/bilingual_controls.h"
#include "platform/registry.h"
#include "platform/wave_driver_set.h"
#include "tests/app/all_windows.h"
#include "tests/simcard/fresh_card.h"
#include "tests/toolkit/accessibility_probe.h"
#include "toolkit/application.h"

#include <QStringList>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

class ControlWindowAccessibility : public simcard::FreshCard, public testing::WithParamInterface<int> {
protected:
    void SetUp() override {
        FreshCard::SetUp();
        Card([](simcard::CardStateLayout& state) { state.cardCount = GetParam(); });
        platform::WaveDriverSet::Install();
        std::error_code ec;
        std::filesystem::remove(platform::registry::FilePath(), ec);
        platform::registry::Reload();
        application.reset(new tk::TApplication);
        application->CreateForm<app::TfrmMain>();
        control = application->CreateForm<app::TMixControlWnd>();
    }

    tk::Owned<tk::TApplication> application;
    app::TMixControlWnd* control = nullptr;
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
