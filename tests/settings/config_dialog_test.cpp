// The settings dialog against the simulated card: what it shows of a record, what each control
// writes, and what reaches the driver.
#include "driver/no_answer_report.h"
#include "tests/settings/settings_fixture.h"
#include "toolkit/label.h"
#include "toolkit/page_control.h"

#include <QPointer>
#include <QTimer>
#include <gtest/gtest.h>

using driver::CardConfig;

namespace settings_test {
namespace {

constexpr std::int32_t kTrue = -1;
const std::string kRefused = "Die Einstellungen des Kova 2 Treibers können derzeit nicht geändert werden.\r\n"
                             "Beenden Sie erst alle Anwendungen, welche die Kova 2 verwenden.";

TEST_F(SettingsDialogTest, CreationShowsTheCardWithApplyDisabledAndNextOnlyBeforeTheLastCard) {
    Open(0, 1);
    EXPECT_EQ(dialog->Caption(), QStringLiteral("Kova 2 Einstellungen Karte #1"));
    EXPECT_FALSE(Part<tk::TButton>("btnNext")->Enabled()) << "one card";
    EXPECT_FALSE(Apply()->Enabled());
    EXPECT_EQ(Part<tk::TTabSheet>("tabClock")->Caption(), QStringLiteral("Synchronisation"));
    EXPECT_EQ(Part<tk::TPageControl>("pgMain")->ActivePage(), Part<tk::TTabSheet>("tabClock"));
    // Card 1 of the simulated card is the SyncBus master on its internal clock.
    EXPECT_TRUE(Part<tk::TCustomCheckBox>("chkMaster")->Checked());
    EXPECT_TRUE(Part<tk::TRadioButton>("chkSyncBusClock_Internal")->Checked());
    EXPECT_TRUE(Part<tk::TRadioButton>("chkSyncBusClock_Internal")->Enabled());
    EXPECT_TRUE(Part<tk::TRadioButton>("btnAutoLatency")->Checked());
    EXPECT_FALSE(Part<tk::TTrackBar>("barLatency")->Enabled());
    EXPECT_EQ(Part<tk::TComboBox>("boxDevices")->Items().front(), QStringLiteral("Kein Gerät verfügbar"));
    EXPECT_EQ(Part<tk::TComboBox>("boxDevices")->ItemIndex(), 0);
    EXPECT_FALSE(Part<tk::TComboBox>("boxDevices")->Enabled());
    EXPECT_EQ(Part<tk::TComboBox>("boxRestrictedRate")->ItemIndex(), 1) << "44100 Hz preset";
    EXPECT_EQ(Part<tk::TTrackBar>("tckKerning")->Position(), 1);
    EXPECT_EQ(Part<tk::TTrackBar>("tckPreload")->Position(), 8);
    EXPECT_TRUE(ConfigCalls().empty()) << "showing the GSIF values sends nothing";
    dialog->Free();

    Open(3, 4);
    EXPECT_EQ(dialog->Caption(), QStringLiteral("Kova 2 Einstellungen Karte #4"));
    EXPECT_FALSE(Part<tk::TButton>("btnNext")->Enabled());
    dialog->Free();
    Open(2, 4);
    EXPECT_TRUE(Part<tk::TButton>("btnNext")->Enabled());
    dialog->Free();
    Open(0, 0);
    EXPECT_FALSE(Part<tk::TButton>("btnNext")->Enabled()) << "no count of cards leads past the array";
    dialog->Free();
    dialog = nullptr;
    EXPECT_THROW(Open(4, 4), tk::EComponentError);
}

TEST_F(SettingsDialogTest, OkWithoutChangesSendsNothingAndCloses) {
    Open();
    Click("btnOk");
    EXPECT_FALSE(dialog->Visible());
    EXPECT_TRUE(ConfigCalls().empty());
    application->ProcessMessages();
    EXPECT_EQ(closedReports, std::vector<win::LPARAM>{win::LPARAM(dialog->Handle())});
}

TEST_F(SettingsDialogTest, EachGsifMoveGoesOutOnTheFlyAndKeepsPreloadTwoAboveKerning) {
    Open();
    Drag("tckPreload", 4);
    EXPECT_EQ(OnTheFlyValues(), std::pair(1, 5));
    Drag("tckKerning", 3);
    EXPECT_EQ(Part<tk::TTrackBar>("tckPreload")->Position(), 5);
    EXPECT_EQ(OnTheFlyValues(), std::pair(3, 6));
    Drag("tckPreload", 3);
    EXPECT_EQ(Part<tk::TTrackBar>("tckKerning")->Position(), 1);
    EXPECT_EQ(OnTheFlyValues(), std::pair(1, 3));
    EXPECT_EQ(ConfigCalls(), std::vector<std::string>(3, "setconfig_onthefly")) << "one call per move";
    EXPECT_TRUE(Apply()->Enabled());
    EXPECT_EQ(dialog->Record().GsifPreload, 8) << "the record takes the bars at apply";

    Click("btnApply");
    EXPECT_FALSE(Apply()->Enabled());
    EXPECT_EQ(CardRecord(0).GsifKerning, 1);
    EXPECT_EQ(CardRecord(0).GsifPreload, 3);
}

TEST_F(SettingsDialogTest, CancelLeavesTheGsifValuesSentOnTheFlyAndSendsNothingElse) {
    Open();
    Drag("tckKerning", 2);
    Click("btnCancel");
    EXPECT_FALSE(dialog->Visible());
    EXPECT_EQ(OnTheFlyValues(), std::pair(2, 10));
    EXPECT_EQ(ConfigCalls(), std::vector<std::string>{"setconfig_onthefly"});
    EXPECT_EQ(CardRecord(0).GsifKerning, 1);
}

TEST_F(SettingsDialogTest, InfoShowsTheHostsAboutBoxModally) {
    Open();
    bool modal = false;
    QTimer::singleShot(0, [&] {
        modal = host.aboutBox->Visible() && host.aboutBox->Widget()->isModal();
        host.aboutBox->Close();
    });
    Click("btnInfo");
    application->ProcessMessages();
    EXPECT_TRUE(modal);
    EXPECT_FALSE(host.aboutBox->Visible());
    EXPECT_TRUE(dialog->Visible());
}

TEST_F(SettingsDialogTest, RestrictedFormatIsZeroWhileUntickedWhateverTheListsShow) {
    Open(1, 2, [](CardConfig& record) {
        record.RestrictedRate = 48000;
        record.RestrictedRes = 1;
    });
    EXPECT_TRUE(Part<tk::TCustomCheckBox>("chkRestricted")->Checked());
    EXPECT_EQ(Part<tk::TComboBox>("boxRestrictedRate")->ItemIndex(), 2);
    EXPECT_EQ(Part<tk::TComboBox>("boxRestrictedRes")->ItemIndex(), 0);
    EXPECT_FALSE(Apply()->Enabled());

    Toggle("chkRestricted");
    EXPECT_EQ(dialog->Record().RestrictedRate, 0);
    EXPECT_EQ(dialog->Record().RestrictedRes, 0);
    EXPECT_FALSE(Part<tk::TComboBox>("boxRestrictedRate")->Enabled());
    EXPECT_EQ(Part<tk::TComboBox>("boxRestrictedRate")->ItemIndex(), 2);

    Toggle("chkRestricted");
    Part<tk::TComboBox>("boxRestrictedRes")->Select(1);
    EXPECT_EQ(dialog->Record().RestrictedRate, 48000);
    EXPECT_EQ(dialog->Record().RestrictedRes, 2);
}

TEST_F(SettingsDialogTest, OutOfRangeValuesShowNoChoiceAndStayUntilOneIsPicked) {
    Open(1, 2, [](CardConfig& record) {
        record.RestrictedRate = 32000;
        record.AnaClockA = 7;
        record.AnaClockB = 7;
        record.DigPlayClock = -3;
        record.RestrictedDevice = 5;
    });
    EXPECT_EQ(Part<tk::TComboBox>("boxRestrictedRate")->ItemIndex(), -1);
    EXPECT_EQ(Part<tk::TComboBox>("boxDevices")->ItemIndex(), -1);
    for (const char* radio : {"btnAnaClock_DCO", "btnAnaClock_DINP", "btnAnaClock_SyncBus", "btnDigPlayClock_DCO"})
        EXPECT_FALSE(Part<tk::TRadioButton>(radio)->Checked()) << radio;
    EXPECT_EQ(dialog->Record().RestrictedRate, 32000);
    EXPECT_EQ(dialog->Record().AnaClockA, 7);
    EXPECT_EQ(dialog->Record().DigPlayClock, -3);
    EXPECT_EQ(dialog->Record().RestrictedDevice, 5);
}

TEST_F(SettingsDialogTest, ListsAndBoxesWriteTheirFieldsThroughTheirEncodings) {
    Open();
    Toggle("chkRestrictedDev");
    EXPECT_TRUE(Part<tk::TComboBox>("boxDevices")->Enabled());
    Part<tk::TComboBox>("boxDevices")->Select(2);
    EXPECT_EQ(dialog->Record().RestrictedDevice, 1);
    Part<tk::TComboBox>("boxDevices")->Select(0);
    EXPECT_EQ(dialog->Record().RestrictedDevice, -1) << "the none entry";
    EXPECT_EQ(dialog->Record().RestrictedDev, kTrue);

    Toggle("chkNoMsgRate");
    EXPECT_EQ(dialog->Record().RateConflictMsgs, 0);
    Toggle("chkNoMsgRate");
    EXPECT_EQ(dialog->Record().RateConflictMsgs, kTrue);
    Toggle("chkNoMsgDevConflict");
    EXPECT_EQ(dialog->Record().DevConflictMsgs, 0);

    Toggle("chkMaster");
    EXPECT_EQ(dialog->Record().SyncBusMaster, 0);
    EXPECT_FALSE(Part<tk::TRadioButton>("chkSyncBusClock_DINP")->Enabled());
    Toggle("chkMaster");
    Choose("chkSyncBusClock_DINP");
    EXPECT_EQ(dialog->Record().SyncBusClock, 1);
    Choose("btnDigPlayClock_SyncBus");
    EXPECT_EQ(dialog->Record().DigPlayClock, 2);
    Toggle("chkWriteIsPlayCursor");
    EXPECT_EQ(dialog->Record().WriteIsPlayCursor, kTrue);
}

TEST_F(SettingsDialogTest, LatencyIsZeroWhenAutomaticAndTheBarsPositionWhenManual) {
    Open(0, 2, [](CardConfig& record) { record.DsLatency = 25; });
    EXPECT_TRUE(Part<tk::TRadioButton>("btnManLatency")->Checked());
    EXPECT_EQ(Part<tk::TTrackBar>("barLatency")->Position(), 25);
    EXPECT_EQ(Part<tk::TLabel>("lbMs")->Caption(), QStringLiteral("25"));
    Drag("barLatency", 40);
    EXPECT_EQ(dialog->Record().DsLatency, 40);
    EXPECT_EQ(Part<tk::TLabel>("lbMs")->Caption(), QStringLiteral("40"));
    Choose("btnAutoLatency");
    EXPECT_EQ(dialog->Record().DsLatency, 0);
    EXPECT_FALSE(Part<tk::TLabel>("lbScale100")->Enabled());
    Choose("btnManLatency");
    EXPECT_EQ(dialog->Record().DsLatency, 40);
    EXPECT_TRUE(Part<tk::TTrackBar>("barLatency")->Enabled());
}

// Loading writes none of the start/stop fields; a change writes them all.
TEST_F(SettingsDialogTest, StartStopChangesSetBothFlagsAndTheCombinedChoice) {
    Open(0, 2, [](CardConfig& record) { record.AnaRecSS = 1; });
    EXPECT_TRUE(Part<tk::TRadioButton>("btnAnaRecSS_SyncBus")->Checked());
    EXPECT_EQ(dialog->Record().AnaRecSS, 1);
    EXPECT_EQ(dialog->Record().AnaSSFlagA, 0);

    Choose("btnAnaPlaySS_SyncBus");
    EXPECT_EQ(dialog->Record().AnaPlaySS, kTrue);
    EXPECT_EQ(dialog->Record().AnaRecSS, kTrue);
    EXPECT_EQ(dialog->Record().AnaSSBoth, kTrue);
    EXPECT_EQ(dialog->Record().AnaSSFlagA, kTrue);
    EXPECT_EQ(dialog->Record().AnaSSFlagB, kTrue);
    EXPECT_EQ(dialog->Record().DigSSFlagA, 0);

    Choose("btnDigPlaySS_SyncBus");
    EXPECT_EQ(dialog->Record().DigPlaySS, kTrue);
    EXPECT_EQ(dialog->Record().DigSSBoth, 0);
    EXPECT_EQ(dialog->Record().DigSSFlagB, kTrue);
}

TEST_F(SettingsDialogTest, DifferingAnalogClockCopiesShowTheFirstAndBothHoldItAfterApply) {
    Open(0, 2, [](CardConfig& record) {
        record.AnaClockA = 1;
        record.AnaClockB = 2;
    });
    EXPECT_TRUE(Part<tk::TRadioButton>("btnAnaClock_DINP")->Checked());
    Toggle("chkWriteIsPlayCursor");
    Click("btnApply");
    EXPECT_EQ(CardRecord(0).AnaClockA, 1);
    EXPECT_EQ(CardRecord(0).AnaClockB, 1);
    dialog->Free();

    Open(1, 2, [](CardConfig& record) {
        record.AnaClockA = 9;
        record.AnaClockB = 2;
    });
    EXPECT_TRUE(Part<tk::TRadioButton>("btnAnaClock_SyncBus")->Checked()) << "the second copy, the first out of range";
    EXPECT_EQ(dialog->Record().AnaClockA, 2);
}

TEST_F(SettingsDialogTest, ARefusedApplyKeepsTheDialogOpenWithItsEditsAndApplyEnabled) {
    Card([](simcard::CardStateLayout& state) { state.hardware[1].playbackRunning = kTrue; });
    Open();
    Toggle("chkNoMsgRate");
    Click("btnOk");
    EXPECT_TRUE(dialog->Visible());
    EXPECT_TRUE(Apply()->Enabled());
    EXPECT_EQ(dialog->Record().RateConflictMsgs, 0);
    EXPECT_EQ(ConfigCalls(), std::vector<std::string>{"reconfigurable"});
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, kRefused);
    EXPECT_EQ(boxes.boxes[0].caption, "Fehler");
    EXPECT_EQ(boxes.boxes[0].type, win::UINT(win::MB_ICONERROR));
    EXPECT_EQ(boxes.boxes[0].owner, dialog->Handle());
    application->ProcessMessages();
    EXPECT_TRUE(closedReports.empty());

    Card([](simcard::CardStateLayout& state) { state.hardware[1].playbackRunning = 0; });
    Click("btnOk");
    EXPECT_FALSE(dialog->Visible());
    EXPECT_EQ(ConfigCalls(), (std::vector<std::string>{"reconfigurable", "reconfigurable", "setconfig"}));
    EXPECT_EQ(CardRecord(0).RateConflictMsgs, 0);
}

// A driver that allows the change and then does not take it has refused it all the same.
TEST_F(SettingsDialogTest, ASetconfigThatFailsAfterAPositiveReconfigurableIsARefusal) {
    Open();
    Toggle("chkNoMsgRate");
    driver::ConfigCallOptions failing;
    failing.target = {"kova2_testentry.so", "FailSetConfig"};
    driver::SetConfigCallOptions(failing);
    Click("btnOk");
    driver::SetConfigCallOptions({});
    driver::ResetDriverNotAnsweringReport();
    EXPECT_TRUE(dialog->Visible());
    EXPECT_TRUE(Apply()->Enabled());
    ASSERT_FALSE(boxes.boxes.empty());
    EXPECT_EQ(boxes.boxes.back().text, kRefused);
    application->ProcessMessages();
    EXPECT_TRUE(closedReports.empty());
}

// What the program does not interpret goes back as getconfig delivered it, in every card's record.
TEST_F(SettingsDialogTest, UninterpretedBytesTravelBackExactly) {
    auto* bytes = reinterpret_cast<unsigned char*>(&config);
    const auto opaque = [](std::size_t offset) {
        const std::size_t field = offset % sizeof(CardConfig);
        return field < 8 || (field >= 16 && field < 28) || (field >= 64 && field < 68) ||
               (field >= 88 && field < 92) || (field >= 96 && field < 124) || (field >= 148 && field < 160) ||
               field >= 168;
    };
    for (std::size_t offset = 0; offset < sizeof config; ++offset)
        if (opaque(offset)) bytes[offset] = static_cast<unsigned char>(0x5A ^ offset);
    const driver::ConfigArray sent = config;
    Open();
    Toggle("chkWriteIsPlayCursor");
    Click("btnApply");
    driver::ConfigArray stored{};
    Card([&](simcard::CardStateLayout& state) { std::memcpy(&stored, state.configArray.data(), sizeof stored); });
    const auto* storedBytes = reinterpret_cast<const unsigned char*>(&stored);
    const auto* sentBytes = reinterpret_cast<const unsigned char*>(&sent);
    for (std::size_t offset = 0; offset < sizeof config; ++offset) {
        if (opaque(offset)) {
            ASSERT_EQ(storedBytes[offset], sentBytes[offset]) << "offset " << offset;
        }
    }
    EXPECT_EQ(stored.Cards[0].WriteIsPlayCursor, kTrue);
}

// ">>" opens the next card's dialog modally 24 pixels right of and below this one; its OK writes into
// the same array.
TEST_F(SettingsDialogTest, NextOpensTheNextCardModallyOnTheSameArray) {
    Open();
    dialog->SetBounds(100, 80, dialog->Width(), dialog->Height());
    settings::TdlgCfg* next = nullptr;
    QRect nextBounds;
    QTimer::singleShot(0, [&] {
        next = qobject_cast<settings::TdlgCfg*>(dialog->FindComponent(QStringLiteral("dlgCfg")));
        ASSERT_NE(next, nullptr);
        nextBounds = next->BoundsRect();
        auto* master = qobject_cast<tk::TCustomCheckBox*>(next->FindComponent(QStringLiteral("chkMaster")));
        master->SetChecked(true);
        qobject_cast<tk::TButton*>(next->FindComponent(QStringLiteral("btnOk")))->Click();
    });
    Click("btnNext");
    EXPECT_EQ(nextBounds.topLeft(), QPoint(124, 104));
    EXPECT_EQ(dialog->FindComponent(QStringLiteral("dlgCfg")), nullptr) << "freed when it returned";
    EXPECT_EQ(config.Cards[1].SyncBusMaster, kTrue);
    EXPECT_EQ(CardRecord(1).SyncBusMaster, kTrue);
    EXPECT_TRUE(dialog->Visible());
    EXPECT_EQ(closedReports.size(), 1u) << "the next card's dialog reports its close to the same host";
}

// A refused OK in the next card's dialog keeps that dialog open in its modal loop with its edits.
TEST_F(SettingsDialogTest, ARefusedOkKeepsTheNextCardsDialogOpen) {
    Card([](simcard::CardStateLayout& state) { state.hardware[1].playbackRunning = kTrue; });
    Open();
    QPointer<settings::TdlgCfg> next;
    bool master = false;
    bool openAfterRefusal = false;
    QTimer::singleShot(0, [&] {
        next = qobject_cast<settings::TdlgCfg*>(dialog->FindComponent(QStringLiteral("dlgCfg")));
        ASSERT_NE(next, nullptr);
        auto* box = qobject_cast<tk::TCustomCheckBox*>(next->FindComponent(QStringLiteral("chkMaster")));
        master = !box->Checked();
        box->SetChecked(master);
        qobject_cast<tk::TButton*>(next->FindComponent(QStringLiteral("btnOk")))->Click();
        QTimer::singleShot(0, [&] {
            openAfterRefusal = next && next->Visible() && (next->Record().SyncBusMaster != 0) == master;
            if (next) qobject_cast<tk::TButton*>(next->FindComponent(QStringLiteral("btnCancel")))->Click();
        });
    });
    Click("btnNext");
    application->ProcessMessages();
    EXPECT_TRUE(openAfterRefusal);
    EXPECT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(config.Cards[1].SyncBusMaster, CardRecord(1).SyncBusMaster) << "nothing written into the array";
    EXPECT_TRUE(dialog->Visible());
}

} // namespace
} // namespace settings_test
