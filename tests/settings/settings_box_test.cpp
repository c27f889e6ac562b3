// The control window's settings box opens the settings dialog for the first card on the control
// window's array, and the dialog's OK closes it through the box.
#include "app/main_form.h"
#include "app/mix_control_window.h"
#include "app/process_state.h"
#include "controls/bilingual_controls.h"
#include "driver/device_tables.h"
#include "platform/registry.h"
#include "settings/config_dialog.h"
#include "tests/driver/message_box_capture.h"
#include "tests/simcard/fresh_card.h"
#include "toolkit/application.h"
#include "toolkit/button.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

class SettingsBox : public simcard::FreshCard {
protected:
    void SetUp() override {
        FreshCard::SetUp();
        std::error_code ec;
        std::filesystem::remove(platform::registry::FilePath(), ec);
        platform::registry::Reload();
        application.reset(new tk::TApplication);
        application->CreateForm<app::TfrmMain>();
        window = application->CreateForm<app::TMixControlWnd>();
    }

    controls::TExtCheckBox* Box(const char* name) const {
        return qobject_cast<controls::TExtCheckBox*>(window->FindComponent(QString::fromLatin1(name)));
    }

    MessageBoxCapture boxes;
    tk::Owned<tk::TApplication> application;
    app::TMixControlWnd* window = nullptr;
};

TEST_F(SettingsBox, OpensTheFirstCardsDialogAndItsOkUnticksTheBox) {
    Box("chkSettings")->SetChecked(true);
    auto* dialog = qobject_cast<settings::TdlgCfg*>(app::SettingsDialog);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->Visible());
    EXPECT_EQ(dialog->Card(), 0);
    EXPECT_EQ(dialog->Caption(), QStringLiteral("Kova 2 Einstellungen Karte #1"));
    EXPECT_EQ(dialog->Owner(), window);
    EXPECT_FALSE(Box("chkAnalogInputs")->Enabled());

    qobject_cast<tk::TButton*>(dialog->FindComponent(QStringLiteral("btnOk")))->Click();
    application->ProcessMessages();
    EXPECT_FALSE(Box("chkSettings")->Checked());
    EXPECT_EQ(app::SettingsDialog, nullptr);
    EXPECT_TRUE(Box("chkAnalogInputs")->Enabled());
    EXPECT_TRUE(boxes.boxes.empty());
}

} // namespace
