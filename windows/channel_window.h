#pragma once
// The frame every channel window stands on: a form whose content is one strip per card, cloned at
// creation from the design-time strip of card 0, with collapsible sections, fader and mute pairs, link
// boxes and level metering driven by two multimedia timers. A window class names its parts and
// messages and fills in the hooks; the order of creation, showing, closing and destruction is here.
#include "driver/message_records.h"
#include "driver/transfer_block.h"
#include "toolkit/form.h"
#include "windows/channel_messages.h"
#include "windows/meter_timers.h"
#include "windows/strip_cloner.h"
#include "windows/strip_pairs.h"
#include "windows/window_host.h"
#include "windows/window_sections.h"

#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace controls {
class TLevelMeter;
}
namespace tk {
class TCheckBox;
class TRadioButton;
} // namespace tk

namespace windows {

// The names of a window's section parts in its form description.
struct SectionNames {
    const char* group;
    const char* header;
    const char* upper;
    const char* level;
    const char* bevel;
    const char* checks;
    const char* upperBox; // the check boxes that show and hide the upper and the level section
    const char* levelBox;
};

// A selection radio button and the Tag it carries: the value it stands for in the driver's record.
struct RadioTag {
    const char* name;
    int tag;
};

// What a window class tells the frame about its design.
struct FrameDesign {
    int designClientHeight;   // pixels under the title bar at design time
    int stripStep;            // pixels between two cards' strips
    int stripWidth;           // size limits: the widest window is cards x stripWidth + widthMargin
    int widthMargin;
    int minWidth;             // pixels, also the narrowest window unless minTrackWidth says otherwise
    StripCloner::MeterTags meterTags;
    StripCloner::PanelTags panelTags;
    std::optional<PairDesign> pairs; // none: the window has no faders or mutes
    SectionNames sections;
    std::span<const RadioTag> radioTags; // set at creation, before the strips are cloned
    int minTrackWidth = 0;    // pixels, the narrowest window where it differs from minWidth; 0: minWidth
    bool widenHeader = false; // the header band grows by a strip step with every card's strip
};

class TChannelWindow : public tk::TForm {
    Q_OBJECT
    Q_PROPERTY(bool Initialised READ Initialised)

public:
    ~TChannelWindow() override;

    // Handles open, blocks mapped and the start-up reads done; the control window shows the window
    // only when this holds after creation.
    bool Initialised() const { return initialised_; }
    // Driver metering was started and accepted; the timers may run without it.
    bool Metering() const { return metering_; }
    // The one outer height the window may take, in pixels.
    int ContentHeight() const { return sections_ ? sections_->ContentHeight() : 0; }
    // The level meters by Tag: 2 x card left, 2 x card + 1 right.
    controls::TLevelMeter* Meter(int tag) const;
    const MeterTimers& Timers() const { return timers_; }
    // Windows that meter per card change a card's metering and its poll timer themselves.
    MeterTimers& Timers() { return timers_; }

    Q_INVOKABLE void FormCreate(tk::TComponent* sender);
    Q_INVOKABLE void FormShow(tk::TComponent* sender);
    Q_INVOKABLE void FormClose(tk::TComponent* sender, tk::TCloseAction& action);
    Q_INVOKABLE void FormDestroy(tk::TComponent* sender);
    Q_INVOKABLE void SliderChange(tk::TComponent* sender);
    Q_INVOKABLE void chkLinkClick(tk::TComponent* sender);
    Q_INVOKABLE void btnMuteClick(tk::TComponent* sender);
    Q_INVOKABLE void chkPeakMeterClick(tk::TComponent* sender);

    void StartMetering();
    void StopMetering();
    void ReadFaders();
    bool ReadMutes();
    void ToggleControlPanel();
    // The output windows read their cards' sources again; the other windows have none.
    virtual void RefreshRoutes() {}

protected:
    TChannelWindow(tk::TComponent* owner, const QString& description, const FrameDesign& design, WindowHost& host);

    // Opens the window's control handle tables for every card; SilentAbort when one cannot be opened.
    virtual void OpenHandles() = 0;
    virtual void CloseHandles() = 0;
    // The handles that the faders' Numbers and the cards' mute pairs index; used only with pairs.
    virtual const HandleTable& PairHandles() const;
    // Gives each fader its link box; the default takes the check box among its siblings.
    virtual void LinkFaders();
    // The window's own blocks, allocated at creation after the frame's; false leaves it not Initialised.
    virtual bool AllocateOwnBlocks() { return true; }
    // The reads that must succeed before the window state is restored; false leaves the window inert.
    virtual bool ReadStartupState() = 0;
    // Runs at the end of a show that completed its start-up reads.
    virtual void ShowCompleted() {}
    // The driver's side of metering for one card. A start returns whether the window counts it as
    // accepted: only accepted cards are stopped, and Metering follows the last card's answer.
    virtual bool SendCardMeteringStart(int card) = 0;
    virtual void SendCardMeteringStop(int card) = 0;
    // Reads one card's levels into the level block; false when nothing was read.
    virtual bool ReadCardLevels(int card, win::DWORD levelBlock) = 0;
    // Releases what the window allocated beyond the frame's blocks, at creation or later.
    virtual void ReleaseOwnBlocks() {}

    // Shows or hides the upper section from its check box's click.
    void ToggleUpperSection(tk::TCheckBox* box);

    // The sections and the tagged radio buttons; a window class adds its own parts.
    void DeclareParts(tk::FormParts& parts) override;

    WindowHost& Host() const { return host_; }
    void SetEventsEnabled(bool enabled) {
        if (pairs_) pairs_->SetEventsEnabled(enabled);
    }

private:
    void TagRadioButtons();
    void BuildStrips();
    // Widens and clones the level and upper strips and the header for one more card (1..3).
    void CloneStrip(int card);
    // What screen readers read where the strips and sections show no caption.
    void NameForScreenReaders();
    void FillMeters();
    void RouteActivation();
    void ActiveChanged(tk::TComponent* sender);
    void WMGetMinMaxInfo(tk::TMessage& message);
    void WMSysCommand(tk::TMessage& message);
    void WMMeterTick(tk::TMessage& message);
    void WMLevelPoll(tk::TMessage& message);
    void ShowAboutBox(tk::TForm* about);

    FrameDesign design_;
    WindowHost& host_;
    StripCloner cloner_;
    SectionParts sectionParts_;
    std::vector<tk::TRadioButton*> taggedRadios_; // the design's radioTags, in their order
    std::unique_ptr<WindowSections> sections_;
    std::unique_ptr<StripPairs> pairs_;
    std::unique_ptr<driver::TransferBlock> levelBlock_; // 8 bytes: left and right level
    std::array<controls::TLevelMeter*, 2 * driver::MaxCards> meters_{};
    MeterTimers timers_;
    win::HMENU systemMenu_ = 0;
    bool initialised_ = false;
    bool metering_ = false;
    std::array<bool, driver::MaxCards> cardMetering_{}; // per card: its start was accepted, no stop sent yet
    bool stateRestored_ = false; // the saved window state was read; only then is it written back
};

} // namespace windows
