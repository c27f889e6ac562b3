#pragma once
// The input-state records of an input window's cards, one 4-byte block per card: read from the driver
// when the window is shown, shown by the strips' radio buttons, and sent back whole whenever a radio
// button chooses one of their bytes. Bytes the window does not choose travel back as read.
#include "driver/message_records.h"
#include "driver/transfer_block.h"
#include "windows/channel_messages.h"

#include <memory>
#include <optional>

namespace tk {
class TComponent;
class TForm;
class TPanel;
} // namespace tk

namespace windows {

enum MonitorByte { InputSelectByte = 0, DestinationByte = 1, WhenByte = 2 };

class MonitorRecords {
public:
    // handles: the window's input handles; card k's messages go on entry 2k.
    explicit MonitorRecords(const HandleTable& handles) : handles_(handles) {}

    // Maps each card's block and asks the driver to fill it; false when a block cannot be mapped.
    bool Read(int cardCount);
    // Card k's record as last read or chosen; nothing before it was read.
    std::optional<driver::InputState> Record(int card) const;
    // In every panel that stands where the template panel stands (its clones, one per card), checks the
    // radio button whose Tag is that byte of the panel's card's record.
    void CheckChoices(const tk::TForm& form, const tk::TPanel& templatePanel, MonitorByte byte);
    // Puts the radio button's Tag into that byte of the record of its panel's card and sends the record.
    void Choose(tk::TComponent* radioButton, MonitorByte byte);
    void Release();

private:
    // Null until the card's block was mapped: a strip whose record is missing ignores its choices.
    win::BYTE* Bytes(int card) const;

    const HandleTable& handles_;
    std::array<std::unique_ptr<driver::TransferBlock>, driver::MaxCards> blocks_;
};

} // namespace windows
