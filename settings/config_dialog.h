#pragma once
// The settings dialog: one card's clocking, SyncBus coupling, DirectSound, playback restrictions, GSIF
// parameters and conflict messages, edited in a copy of the card's record and written back into the
// caller's array, which goes to the driver as a whole when the user applies.
#include "controls/child_window_host.h"
#include "driver/config_records.h"
#include "toolkit/form.h"

#include <vector>

namespace tk {
class TButton;
class TComboBox;
class TControl;
class TCustomCheckBox;
class TLabel;
class TRadioButton;
class TTabSheet;
class TTrackBar;
} // namespace tk

namespace settings {

// The fields that a change of one side's start/stop choices (analog or digital) writes.
struct StartStopFields {
    std::int32_t driver::CardConfig::*flagA;
    std::int32_t driver::CardConfig::*flagB;
    std::int32_t driver::CardConfig::*both;
    std::int32_t driver::CardConfig::*play;
    std::int32_t driver::CardConfig::*record;
};

// The panels of one side's playback and record start/stop radios.
struct StartStopPanels {
    tk::TComponent* play = nullptr;
    tk::TComponent* record = nullptr;
};

class TdlgCfg : public tk::TForm {
    Q_OBJECT

public:
    // card: 0-based; cardCount: 1 to 4; config: the caller's array and host: the window that opened
    // the first dialog, both of which must outlive the dialog.
    TdlgCfg(tk::TComponent* owner, controls::ChildWindowHost& host, driver::ConfigArray& config, int card,
            int cardCount);
    ~TdlgCfg() override;

    // The card's settings as edited so far.
    const driver::CardConfig& Record() const { return record_; }
    int Card() const { return card_; }

    // Sends the pending edits: reconfigurable, then setconfig with the whole array. Nothing pending is a
    // success; a refusal is reported in a message box.
    bool Apply();

    Q_INVOKABLE void FormCreate(tk::TComponent* sender);
    Q_INVOKABLE void FormShow(tk::TComponent* sender);
    Q_INVOKABLE void FormClose(tk::TComponent* sender, tk::TCloseAction& action);
    Q_INVOKABLE void btnOkClick(tk::TComponent* sender);
    Q_INVOKABLE void btnCancelClick(tk::TComponent* sender);
    Q_INVOKABLE void btnApplyClick(tk::TComponent* sender);
    Q_INVOKABLE void btnNextClick(tk::TComponent* sender);
    Q_INVOKABLE void btnInfoClick(tk::TComponent* sender);
    Q_INVOKABLE void chkMasterClick(tk::TComponent* sender);
    Q_INVOKABLE void chkSyncBusClockClick(tk::TComponent* sender);
    Q_INVOKABLE void btnAnaSS_Click(tk::TComponent* sender);
    Q_INVOKABLE void btnDigSS_Click(tk::TComponent* sender);
    Q_INVOKABLE void btnAnaClock_DCOClick(tk::TComponent* sender);
    Q_INVOKABLE void btnAnaClock_DINPClick(tk::TComponent* sender);
    Q_INVOKABLE void btnAnaClock_SYNCBUSClick(tk::TComponent* sender);
    Q_INVOKABLE void btnDigPlayClock_DCOClick(tk::TComponent* sender);
    Q_INVOKABLE void btnDigPlayClock_DINPClick(tk::TComponent* sender);
    Q_INVOKABLE void btnDigPlayClock_SYNCBUSClick(tk::TComponent* sender);
    Q_INVOKABLE void btnAutoLatencyClick(tk::TComponent* sender);
    Q_INVOKABLE void btnManLatencyClick(tk::TComponent* sender);
    Q_INVOKABLE void barLatencyChange(tk::TComponent* sender);
    Q_INVOKABLE void chkWriteIsPlayCursorClick(tk::TComponent* sender);
    Q_INVOKABLE void chkRestrictedClick(tk::TComponent* sender);
    Q_INVOKABLE void boxRestrictedResChange(tk::TComponent* sender);
    Q_INVOKABLE void boxRestrictedRateChange(tk::TComponent* sender);
    Q_INVOKABLE void chkRestrictedDevClick(tk::TComponent* sender);
    Q_INVOKABLE void boxDevicesChange(tk::TComponent* sender);
    Q_INVOKABLE void tckKerningChange(tk::TComponent* sender);
    Q_INVOKABLE void tckPreloadChange(tk::TComponent* sender);
    Q_INVOKABLE void chkNoMsgRateClick(tk::TComponent* sender);
    Q_INVOKABLE void chkNoMsgDevConflictClick(tk::TComponent* sender);

protected:
    void DeclareParts(tk::FormParts& parts) override;

private:
    void ShowRecord();
    void ShowLatency();
    void ShowRestrictedFormat();
    void ShowRestrictedDevice();
    void ShowGsif();
    // Enables Apply and writes the changed control's field.
    void Edited(tk::TComponent* sender);
    // Writes the start/stop fields of one side (analog or digital) from its two radio groups.
    void WriteStartStop(const StartStopFields& fields, const StartStopPanels& panels);
    void EnableLatencyControls(bool enabled);
    void EnableRestrictedFormat(bool enabled);
    // The rate or resolution rule: the list's value while chkRestricted is ticked, else 0.
    void ApplyFormatRule(tk::TComboBox* list, std::int32_t driver::CardConfig::*field);
    // Keeps preload at least kerning + 2 by moving the other bar, then sends both to the driver.
    void GsifMoved(tk::TTrackBar* moved);
    void SendGsifOnTheFly();

    controls::ChildWindowHost& host_;
    driver::CardConfig record_;
    driver::ConfigArray& config_;
    int card_;      // 0-based
    int cardCount_; // 1 to 4
    bool applyOnClose_ = false;
    bool loaded_ = false;       // the start/stop handlers write only once set
    bool gsifCoupling_ = false; // one GSIF bar is being moved by the other

    tk::TButton* btnApply_ = nullptr;
    tk::TButton* btnNext_ = nullptr;
    tk::TTabSheet* tabClock_ = nullptr;
    tk::TTabSheet* tabMisc_ = nullptr;
    tk::TCustomCheckBox* chkMaster_ = nullptr;
    tk::TRadioButton* syncBusClockInternal_ = nullptr;
    tk::TRadioButton* syncBusClockDigitalInput_ = nullptr;
    StartStopPanels analogStartStop_;
    StartStopPanels digitalStartStop_;
    tk::TComponent* writeIsPlayCursor_ = nullptr;
    tk::TRadioButton* btnAutoLatency_ = nullptr;
    tk::TRadioButton* btnManLatency_ = nullptr;
    tk::TTrackBar* barLatency_ = nullptr;
    tk::TLabel* lbMs_ = nullptr;
    tk::TCustomCheckBox* chkRestricted_ = nullptr;
    tk::TComboBox* boxRestrictedRate_ = nullptr;
    tk::TComboBox* boxRestrictedRes_ = nullptr;
    tk::TComponent* chkRestrictedDev_ = nullptr;
    tk::TComboBox* boxDevices_ = nullptr;
    tk::TTrackBar* tckKerning_ = nullptr;
    tk::TTrackBar* tckPreload_ = nullptr;
    std::vector<tk::TComponent*> shownBeforeLoaded_;      // in the order they are shown
    std::vector<tk::TControl*> latencyControls_;          // enabled with manual latency
    std::vector<tk::TControl*> restrictedFormatControls_; // enabled while chkRestricted is ticked
};

} // namespace settings
