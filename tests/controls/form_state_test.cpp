#include "controls/bilingual_controls.h"
#include "controls/ext_speed_button.h"
#include "controls/form_state.h"
#include "controls/registry_ini_file.h"
#include "platform/registry.h"
#include "toolkit/combo_box.h"
#include "toolkit/form.h"
#include "toolkit/page_control.h"
#include "toolkit/panel.h"

#include <QStringList>
#include <filesystem>
#include <gtest/gtest.h>

using namespace controls;
namespace reg = platform::registry;

namespace {

const QString kStore = QStringLiteral("kova2mix.ini");
const std::string kSection = "software\\holvar\\kova2mix.ini\\frmTest";

class FormState : public testing::Test {
protected:
    void SetUp() override {
        std::error_code ec;
        std::filesystem::remove(reg::FilePath(), ec);
        reg::Reload();
        form.reset(new tk::TForm(nullptr));
        form->SetName("frmTest");
        form->SetBounds(10, 20, 193, 444);
        panel = Add<tk::TPanel>("pnChecks", -1);
        routing = Add<TExtCheckBox>("chkRouting", -1, panel);
        untagged = Add<TExtCheckBox>("chkUntagged", 0, panel);
        mute = Add<TExtSpeedButton>("btnMute", -1);
        mute->SetGroupIndex(1);
        mute->SetAllowAllUp(true);
        for (tk::TControl* control : {static_cast<tk::TControl*>(routing), static_cast<tk::TControl*>(mute)})
            control->SetOnClick(tk::TNotifyEvent([this](tk::TComponent* sender) { log.append(sender->Name()); }));
        mute->SetOnDown(tk::TNotifyEvent([this](tk::TComponent*) { log.append("down"); }));
    }

    template <class T> T* Add(const char* name, int tag, tk::TWinControl* parent = nullptr) {
        auto* control = new T(form.get());
        control->SetName(QString::fromLatin1(name));
        control->SetTag(tag);
        control->SetParent(parent ? parent : form.get());
        return control;
    }

    static std::optional<reg::Value> Stored(const char* name) {
        reg::Reload();
        return reg::QueryValue(kSection, name);
    }

    tk::Owned<tk::TForm> form;
    tk::TPanel* panel = nullptr;
    TExtCheckBox* routing = nullptr;
    TExtCheckBox* untagged = nullptr;
    TExtSpeedButton* mute = nullptr;
    QStringList log;
};

TEST_F(FormState, TheFirstLoadCreatesTheKeyAndChangesNothing) {
    LoadFormState(form.get(), kStore, {}, -1, true);
    EXPECT_TRUE(reg::KeyExists("software\\holvar\\kova2mix.ini"));
    EXPECT_FALSE(reg::KeyExists(kSection));
    EXPECT_EQ(form->BoundsRect(), QRect(10, 20, 193, 444));
    EXPECT_FALSE(routing->Checked());
    EXPECT_TRUE(panel->Visible());
    EXPECT_EQ(log, QStringList({"btnMute"})) << "a speed button's click always follows its restore";
}

TEST_F(FormState, ASaveWritesTheGeometryHintsAndOneValuePerMarkedComponent) {
    routing->SetChecked(true);
    form->SetShowHint(true);
    SaveFormState(form.get(), kStore, {}, -1, true);
    EXPECT_EQ(Stored("chkRouting")->text, "1");
    EXPECT_EQ(Stored("pnChecks")->text, "1");
    EXPECT_EQ(Stored("btnMute")->text, "0");
    EXPECT_FALSE(Stored("chkUntagged")) << "Tag 0 is not kept";
    const std::pair<const char*, unsigned> expected[] = {
        {"Top", 20u}, {"Left", 10u}, {"Width", 193u}, {"Height", 444u}, {"Hints", 1u}};
    for (const auto& [name, value] : expected) {
        ASSERT_TRUE(Stored(name)) << name;
        EXPECT_EQ(Stored(name)->type, reg::ValueType::Dword) << name;
        EXPECT_EQ(Stored(name)->number, value) << name;
    }
}

TEST_F(FormState, ARestoreAppliesTheStatesWithTheirClicksButNoDownNotification) {
    reg::SetString(kSection, "chkRouting", "1");
    reg::SetString(kSection, "chkUntagged", "1");
    reg::SetString(kSection, "pnChecks", "0");
    reg::SetString(kSection, "btnMute", "1");
    reg::SetString(kSection, "Width", "300");
    reg::SetDword(kSection, "Height", 200);
    reg::SetString(kSection, "Top", "not a number");
    reg::SetDword(kSection, "Hints", 5);
    LoadFormState(form.get(), kStore, {}, -1, true);
    EXPECT_TRUE(routing->Checked());
    EXPECT_FALSE(untagged->Checked());
    EXPECT_FALSE(panel->Visible());
    EXPECT_TRUE(mute->Down());
    EXPECT_EQ(log, QStringList({"chkRouting", "btnMute"}));
    EXPECT_EQ(form->BoundsRect(), QRect(10, 20, 300, 200)) << "text is read as a number, or the default";
    EXPECT_TRUE(form->ShowHint());
}

// A list keeps its item index and a page control its active page, both as integers; restoring them is
// no pick of the user.
TEST_F(FormState, ListsAndPageControlsKeepTheirIndex) {
    auto* list = Add<tk::TComboBox>("boxDevices", -1);
    list->SetItems({QStringLiteral("none"), QStringLiteral("analog"), QStringLiteral("digital")});
    list->SetItemIndex(2);
    int picks = 0;
    list->SetOnChange(tk::TNotifyEvent([&picks](tk::TComponent*) { ++picks; }));
    auto* pages = Add<tk::TPageControl>("pgMain", -1);
    for (const char* name : {"tabOne", "tabTwo"}) Add<tk::TTabSheet>(name, 0, pages);
    pages->SetActivePage(pages->Pages(1));
    SaveFormState(form.get(), kStore, {}, -1, false);
    EXPECT_EQ(Stored("boxDevices")->number, 2u);
    EXPECT_EQ(Stored("pgMain")->number, 1u);

    list->SetItemIndex(0);
    pages->SetActivePage(pages->Pages(0));
    LoadFormState(form.get(), kStore, {}, -1, false);
    EXPECT_EQ(list->ItemIndex(), 2);
    EXPECT_EQ(pages->ActivePage(), pages->Pages(1));
    EXPECT_EQ(picks, 0);
}

TEST_F(FormState, SavingOverATextValueKeepsItText) {
    reg::SetString(kSection, "Width", "300");
    SaveFormState(form.get(), kStore, {}, -1, true);
    EXPECT_EQ(Stored("Width")->type, reg::ValueType::String);
    EXPECT_EQ(Stored("Width")->text, "193");
    EXPECT_EQ(Stored("Left")->type, reg::ValueType::Dword);
}

TEST_F(FormState, ComponentsOfAnOwnedOwnerLiveInANestedSectionAndAGivenSectionReplacesTheName) {
    auto* child = new tk::TForm(form.get());
    child->SetName("frmChild");
    auto* link = new tk::TCheckBox(child);
    link->SetName("chkLink12");
    link->SetTag(-1);
    link->SetParent(child);
    link->SetChecked(true);
    SaveFormState(form.get(), kStore, "frmAnalogInp", -1, false);
    reg::Reload();
    EXPECT_EQ(reg::QueryValue("software\\holvar\\kova2mix.ini\\frmAnalogInp.frmChild", "chkLink12")->text, "1");
    EXPECT_TRUE(reg::QueryValue("software\\holvar\\kova2mix.ini\\frmAnalogInp", "chkRouting"));
    EXPECT_FALSE(reg::QueryValue("software\\holvar\\kova2mix.ini\\frmAnalogInp", "Top")) << "without geometry";

    link->SetChecked(false);
    LoadFormState(form.get(), kStore, "frmAnalogInp", -1, false);
    EXPECT_TRUE(link->Checked());
}

TEST_F(FormState, AMaskOfZeroKeepsEveryNamedComponent) {
    SaveFormState(form.get(), kStore, {}, 0, false);
    EXPECT_TRUE(Stored("chkUntagged"));
}

} // namespace
