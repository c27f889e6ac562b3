#include "windows/strip_pairs.h"

#include "controls/fader_groups.h"
#include "controls/slider.h"
#include "driver/message_records.h"
#include "toolkit/check_box.h"
#include "toolkit/speed_button.h"

#include <cstring>

namespace windows {
namespace {

win::WORD WordOf(const void* block, int index) {
    win::WORD word = 0;
    std::memcpy(&word, static_cast<const char*>(block) + 2 * index, sizeof word);
    return word;
}

void SetWord(void* block, int index, win::WORD word) {
    std::memcpy(static_cast<char*>(block) + 2 * index, &word, sizeof word);
}

} // namespace

StripPairs::StripPairs(const HandleTable& handles, const PairDesign& design)
    : handles_(handles), messages_(design.messages), scale_(design.scale) {}

win::MMRESULT StripPairs::Send(int handleIndex, win::UINT message, win::DWORD param) const {
    if (handleIndex < 0 || handleIndex >= int(handles_.size())) return win::MMSYSERR_INVALHANDLE;
    return SendToHandle(messages_.direction, handles_[std::size_t(handleIndex)], message, param);
}

void StripPairs::FaderChanged(controls::TSlider* fader) {
    if (!eventsEnabled_) return;
    eventsEnabled_ = false;
    if (fader->LinkCheck() && fader->LinkCheck()->Checked()) controls::AlignSiblingFaders(fader, nullptr);
    // Left before right in the panel leaves the left word low.
    win::DWORD pair = 0;
    controls::ForEachSiblingFader(fader, [this, &pair](controls::TSlider*, controls::TSlider* each) {
        pair = (pair >> 16) | (win::DWORD(scale_.encode(each->Position())) << 16);
    });
    Send(fader->Number(), messages_.setFaders, pair);
    eventsEnabled_ = true;
}

void StripPairs::LinkClicked(tk::TCheckBox* link) {
    if (link->Checked()) controls::AlignSiblingFaders(nullptr, link->Parent());
}

void StripPairs::MuteClicked(tk::TSpeedButton* button) {
    const tk::TWinControl* panel = button->Parent();
    if (!panel) return;
    win::DWORD pair = 0;
    for (int i = 0; i < panel->ControlCount(); ++i) {
        auto* mute = qobject_cast<tk::TSpeedButton*>(panel->Controls(i));
        if (!mute) continue;
        const win::DWORD word = mute->Down() ? 0xFFFF : 0;
        pair = mute->Tag() % 2 == 0 ? (pair & 0xFFFF0000u) | word : (pair & 0x0000FFFFu) | (word << 16);
    }
    // Each further pair of a strip has its own card-wide handle, two entries on.
    const int pairIndex = button->Tag() / 2;
    Send(HandleIndex(CardOf(button)) + 2 * pairIndex, messages_.setMutes, pair);
}

void StripPairs::ReadFaders(tk::TComponent* owner) {
    eventsEnabled_ = false;
    controls::ForEachFader(owner, [this](tk::TComponent*, controls::TSlider* fader) {
        const win::MMRESULT result = Send(fader->Number(), messages_.readFaders, faderBlock_.Address());
        if (scale_.readNeedsSuccess && result != win::MMSYSERR_NOERROR) return;
        fader->SetPosition(scale_.decode(WordOf(faderBlock_.Flat(), fader->Number() % 2)));
    });
    eventsEnabled_ = true;
}

bool StripPairs::ReadMutes(tk::TComponent* owner, const tk::TWinControl* levelSection, int cardCount) {
    SetWord(muteBlock_.Flat(), 0, 0x0000);
    SetWord(muteBlock_.Flat(), 1, 0xFFFF);
    for (int card = 0; card < cardCount; ++card) {
        if (Send(HandleIndex(card), messages_.readMutes, muteBlock_.Address()) != win::MMSYSERR_NOERROR) return false;
        for (tk::TComponent* component : owner->ComponentList()) {
            auto* mute = qobject_cast<tk::TSpeedButton*>(component);
            if (!mute || mute->Tag() / 2 != 0 || !mute->Parent()) continue;
            if (CardOf(mute) != card || mute->Parent()->Parent() != levelSection) continue;
            mute->SetDown(WordOf(muteBlock_.Flat(), mute->Tag() % 2) != 0);
        }
    }
    return true;
}

} // namespace windows
