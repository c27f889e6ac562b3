#include "windows/strip_pairs.h"

#include "controls/slider.h"
#include "driver/message_records.h"
#include "toolkit/check_box.h"
#include "toolkit/speed_button.h"

#include <cstring>

namespace windows {
namespace {

template <class T, class F> void ForEachChild(const tk::TWinControl* parent, F&& function) {
    for (int i = 0; i < parent->ControlCount(); ++i)
        if (auto* child = qobject_cast<T*>(parent->Controls(i))) function(child);
}

win::WORD WordOf(const void* block, int index) {
    win::WORD word = 0;
    std::memcpy(&word, static_cast<const char*>(block) + 2 * index, sizeof word);
    return word;
}

void SetWord(void* block, int index, win::WORD word) {
    std::memcpy(static_cast<char*>(block) + 2 * index, &word, sizeof word);
}

} // namespace

StripPairs::StripPairs(const HandleTable& handles, PairMessages messages, FaderScale scale)
    : handles_(handles), messages_(messages), scale_(scale) {}

win::MMRESULT StripPairs::Send(int handleIndex, win::UINT message, win::DWORD param) const {
    if (handleIndex < 0 || handleIndex >= int(handles_.size())) return win::MMSYSERR_INVALHANDLE;
    return SendToHandle(messages_.direction, handles_[std::size_t(handleIndex)], message, param);
}

void StripPairs::FaderChanged(controls::TSlider* fader) {
    if (!eventsEnabled_) return;
    eventsEnabled_ = false;
    const tk::TWinControl* panel = fader->Parent();
    if (fader->LinkCheck() && fader->LinkCheck()->Checked())
        ForEachChild<controls::TSlider>(panel, [fader](controls::TSlider* other) {
            other->SetPosition(fader->Position());
        });
    // Left before right in the panel leaves the left word low.
    win::DWORD pair = 0;
    ForEachChild<controls::TSlider>(panel, [this, &pair](controls::TSlider* each) {
        pair = (pair >> 16) | (win::DWORD(scale_.encode(each->Position())) << 16);
    });
    Send(fader->Number(), messages_.setFaders, pair);
    eventsEnabled_ = true;
}

void StripPairs::LinkClicked(tk::TCheckBox* link) {
    if (!link->Checked() || !link->Parent()) return;
    controls::TSlider* first = nullptr;
    ForEachChild<controls::TSlider>(link->Parent(), [&first](controls::TSlider* fader) {
        if (!first) first = fader;
    });
    if (!first) return;
    ForEachChild<controls::TSlider>(link->Parent(), [first](controls::TSlider* fader) {
        fader->SetPosition(first->Position());
    });
}

void StripPairs::MuteClicked(tk::TSpeedButton* button) {
    const tk::TWinControl* panel = button->Parent();
    if (!panel) return;
    win::DWORD pair = 0;
    ForEachChild<tk::TSpeedButton>(panel, [&pair](tk::TSpeedButton* mute) {
        const win::DWORD word = mute->Down() ? 0xFFFF : 0;
        pair = mute->Tag() % 2 == 0 ? (pair & 0xFFFF0000u) | word : (pair & 0x0000FFFFu) | (word << 16);
    });
    const int pairIndex = button->Tag() / 2;
    Send(2 * panel->Tag() + 2 * pairIndex, messages_.setMutes, pair);
}

void StripPairs::ReadFaders(tk::TComponent* owner) {
    eventsEnabled_ = false;
    for (tk::TComponent* component : owner->ComponentList()) {
        auto* fader = qobject_cast<controls::TSlider*>(component);
        if (!fader) continue;
        const win::MMRESULT result = Send(fader->Number(), messages_.readFaders, faderBlock_.Address());
        if (scale_.readNeedsSuccess && result != win::MMSYSERR_NOERROR) continue;
        fader->SetPosition(scale_.decode(WordOf(faderBlock_.Flat(), fader->Number() % 2)));
    }
    eventsEnabled_ = true;
}

bool StripPairs::ReadMutes(tk::TComponent* owner, const tk::TWinControl* levelSection, int cardCount) {
    SetWord(muteBlock_.Flat(), 0, 0x0000);
    SetWord(muteBlock_.Flat(), 1, 0xFFFF);
    for (int card = 0; card < cardCount; ++card) {
        if (Send(2 * card, messages_.readMutes, muteBlock_.Address()) != win::MMSYSERR_NOERROR) return false;
        for (tk::TComponent* component : owner->ComponentList()) {
            auto* mute = qobject_cast<tk::TSpeedButton*>(component);
            if (!mute || mute->Tag() / 2 != 0 || !mute->Parent()) continue;
            const tk::TWinControl* panel = mute->Parent();
            if (panel->Tag() != card || panel->Parent() != levelSection) continue;
            mute->SetDown(WordOf(muteBlock_.Flat(), mute->Tag() % 2) != 0);
        }
    }
    return true;
}

} // namespace windows
