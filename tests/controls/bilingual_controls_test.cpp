#include "controls/bilingual_controls.h"
#include "controls/control_classes.h"
#include "controls/ext_speed_button.h"
#include "toolkit/class_registry.h"
#include "toolkit/form.h"

#include <QStringList>
#include <QTest>
#include <gtest/gtest.h>

using namespace controls;
using tk::TComponent;
using tk::TNotifyEvent;

namespace {

TEST(BilingualControls, OnlyTheGermanCaptionIsShown) {
    tk::Owned<tk::TForm> form(new tk::TForm(nullptr));
    auto* box = new TExtCheckBox(form.get());
    box->SetParent(form.get());
    box->SetCaptionGerman("Ja");
    box->SetCaptionEnglish("Yes");
    EXPECT_EQ(box->Caption(), "Ja");
    box->SetCaptionGerman("Nein");
    EXPECT_EQ(box->Caption(), "Nein");
    EXPECT_EQ(box->CaptionEnglish(), "Yes");
}

TEST(BilingualControls, AreKnownByClassNameWithTheirLanguageProperties) {
    RegisterControlClasses();
    RegisterControlClasses();
    tk::Owned<tk::TForm> form(new tk::TForm(nullptr));
    for (const char* name : {"TExtLabel", "TExtButton", "TExtCheckBox", "TExtRadioButton", "TExtGroupBox",
                             "TExtSpeedButton"}) {
        TComponent* component = tk::ClassRegistry::Create(QString::fromLatin1(name), form.get());
        ASSERT_NE(component, nullptr) << name;
        EXPECT_TRUE(component->setProperty("CaptionEnglish", QStringLiteral("Card #1"))) << name;
        EXPECT_TRUE(component->setProperty("CaptionGerman", QStringLiteral("Karte #1"))) << name;
        EXPECT_EQ(static_cast<tk::TControl*>(component)->Caption(), "Karte #1") << name;
    }
}

class ExtSpeedButton : public testing::Test {
protected:
    void SetUp() override {
        form.reset(new tk::TForm(nullptr));
        button = new TExtSpeedButton(form.get());
        button->SetName("btnMute");
        button->SetParent(form.get());
        button->SetOnClick(TNotifyEvent([this](TComponent*) { log.append("click"); }));
        button->SetOnDown(TNotifyEvent([this](TComponent*) { log.append("down"); }));
    }
    void Click() { QTest::mouseClick(button->Widget(), Qt::LeftButton, {}, QPoint(3, 3)); }

    tk::Owned<tk::TForm> form;
    TExtSpeedButton* button = nullptr;
    QStringList log;
};

TEST_F(ExtSpeedButton, WithoutGroupSetDownLeavesItUpAndIsQuiet) {
    button->SetDown(true);
    EXPECT_FALSE(button->GetDown());
    EXPECT_TRUE(log.isEmpty());
}

TEST_F(ExtSpeedButton, AClickThatPutsItDownClicksThenTellsDownAndOnlyThen) {
    button->SetGroupIndex(1);
    button->SetAllowAllUp(true);
    Click();
    EXPECT_TRUE(button->GetDown());
    Click();
    EXPECT_FALSE(button->GetDown());
    EXPECT_EQ(log, QStringList({"click", "down", "click"}));
}

TEST_F(ExtSpeedButton, SetDownTellsOnlyAChangeToDownAndTheBaseSetterNever) {
    button->SetGroupIndex(1);
    button->SetDown(true);
    button->SetDown(true);
    EXPECT_EQ(log, QStringList({"down"}));
    button->SetAllowAllUp(true);
    button->SetDown(false);
    button->tk::TSpeedButton::SetDown(true);
    EXPECT_TRUE(button->GetDown());
    EXPECT_EQ(log, QStringList({"down"}));
    EXPECT_TRUE(button->setProperty("Down", false));
    EXPECT_TRUE(button->setProperty("Down", true));
    EXPECT_EQ(log, QStringList({"down", "down"})) << "the published Down is the bilingual class's own";
}

TEST_F(ExtSpeedButton, TheGermanHintIsTheHint) {
    button->SetHintEnglish("Mute");
    button->SetHintGerman("Stumm");
    EXPECT_EQ(button->Hint(), "Stumm");
}

} // namespace
