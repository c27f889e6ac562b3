#include "windows/monitor_records.h"

#include "driver/device_tables.h"
#include "driver/wave_messages.h"
#include "toolkit/form.h"
#include "toolkit/panel.h"
#include "toolkit/radio_button.h"

namespace windows {

constexpr win::DWORD kRecordBytes = 4;

win::BYTE* MonitorRecords::Bytes(int card) const {
    if (card < 0 || card >= driver::MaxCards || !blocks_[std::size_t(card)]) return nullptr;
    return static_cast<win::BYTE*>(blocks_[std::size_t(card)]->Flat());
}

std::optional<driver::InputState> MonitorRecords::Record(int card) const {
    const win::BYTE* bytes = Bytes(card);
    if (!bytes) return std::nullopt;
    return driver::DecodeInputState(driver::ReadBlockValue(bytes));
}

bool MonitorRecords::Read(int cardCount) {
    for (int card = 0; card < cardCount; ++card) {
        auto& block = blocks_[std::size_t(card)];
        if (!block)
            block = std::make_unique<driver::TransferBlock>(kRecordBytes, driver::BlockMapping::Fixed);
        if (!*block) return false;
        win::waveInMessage(CardHandle(handles_, card), driver::InGetInputState, block->Address(), 0);
    }
    return true;
}

void MonitorRecords::CheckChoices(const tk::TForm& form, const tk::TPanel& templatePanel, MonitorByte byte) {
    const tk::TWinControl* section = templatePanel.Parent();
    for (tk::TComponent* component : form.ComponentList()) {
        auto* panel = qobject_cast<tk::TPanel*>(component);
        if (!panel || panel->Parent() != section || panel->Top() != templatePanel.Top()) continue;
        const win::BYTE* record = Bytes(panel->Tag());
        if (!record) continue;
        const win::BYTE chosen = record[byte];
        for (int i = 0; i < panel->ControlCount(); ++i) {
            auto* radio = qobject_cast<tk::TRadioButton*>(panel->Controls(i));
            if (radio && radio->Tag() == chosen) radio->SetChecked(true);
        }
    }
}

void MonitorRecords::Choose(tk::TComponent* radioButton, MonitorByte byte) {
    auto* radio = qobject_cast<tk::TRadioButton*>(radioButton);
    if (!radio) return;
    const int card = CardOf(radio);
    win::BYTE* record = card < driver::CardCount ? Bytes(card) : nullptr;
    if (!record) return;
    record[byte] = win::BYTE(radio->Tag());
    win::waveInMessage(CardHandle(handles_, card), driver::InSetInputState, driver::ReadBlockValue(record),
                       0);
}

void MonitorRecords::Release() {
    for (auto& block : blocks_)
        block.reset();
}

} // namespace windows
