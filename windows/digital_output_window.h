#pragma once
// The digital output window: per card the playback source of the digital output, its format (Audio or
// Non-Audio) and a peak meter per channel that shows whatever the source is.
#include "windows/output_window.h"

namespace windows {

class TfrmDigOut : public TOutputWindow {
    Q_OBJECT

public:
    TfrmDigOut(tk::TComponent* owner, WindowHost& host);
    ~TfrmDigOut() override;

    Q_INVOKABLE void secTimerTimer(tk::TComponent* sender);
    Q_INVOKABLE void btnFormatClick(tk::TComponent* sender);

protected:
    bool AllocateOwnBlocks() override;
    void ReleaseOwnBlocks() override;
    bool ReadStartupState() override;
    // The format radios are told apart by their captions, which name Audio in both languages.
    bool IsRouteRadio(const tk::TRadioButton* radio) const override;

private:
    void ReadFormats();

    std::unique_ptr<driver::TransferBlock> formatBlock_; // 4 bytes: 1 Audio, 0 Non-Audio
};

} // namespace windows
