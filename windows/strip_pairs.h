#pragma once
// The fader pair and the mute pair of every card's strip. Each change sends both channels of the card
// as one pair value (left in the low word, right in the high word) on the handle of the fader's Number;
// mutes go on the card's even handle. Reads fill the faders and mute buttons back from the driver.
#include "driver/transfer_block.h"
#include "windows/channel_messages.h"

#include <functional>

namespace controls {
class TSlider;
}
namespace tk {
class TCheckBox;
class TComponent;
class TSpeedButton;
class TWinControl;
} // namespace tk

namespace windows {

struct PairMessages {
    driver::Direction direction;
    win::UINT readFaders; // block: word 0 left, word 1 right
    win::UINT setFaders;  // value: fader pair value
    win::UINT readMutes;  // block: mute pair; nonzero result = failure
    win::UINT setMutes;   // value: mute pair value
};

// A fader position and its 16-bit driver word.
struct FaderScale {
    win::WORD (*encode)(int position);
    int (*decode)(win::WORD word);
    bool readNeedsSuccess; // a failed read leaves the fader where it is
};

// A window's faders and mutes: the messages and the scale.
struct PairDesign {
    PairMessages messages;
    FaderScale scale;
};

class StripPairs {
public:
    StripPairs(const HandleTable& handles, const PairDesign& design);

    // Both blocks could be mapped.
    bool Allocated() const { return bool(faderBlock_) && bool(muteBlock_); }

    // Guards the fader events against the positions the program sets itself.
    void SetEventsEnabled(bool enabled) { eventsEnabled_ = enabled; }

    void FaderChanged(controls::TSlider* fader);
    void LinkClicked(tk::TCheckBox* link);
    void MuteClicked(tk::TSpeedButton* button);

    // Every fader of owner, from the driver.
    void ReadFaders(tk::TComponent* owner);
    // Every card's mute buttons in the level section's strips; false when the driver refuses a read.
    bool ReadMutes(tk::TComponent* owner, const tk::TWinControl* levelSection, int cardCount);

private:
    win::MMRESULT Send(int handleIndex, win::UINT message, win::DWORD param) const;

    const HandleTable& handles_;
    PairMessages messages_;
    FaderScale scale_;
    driver::TransferBlock faderBlock_{4, driver::BlockMapping::Fixed};
    driver::TransferBlock muteBlock_{4, driver::BlockMapping::Fixed};
    bool eventsEnabled_ = false;
};

} // namespace windows
