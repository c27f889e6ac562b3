#pragma once
// The control window that the tray icon opens: its boxes open and close the channel windows and the
// settings dialog, which it owns, and keep every window of the program on top. It is the host of the
// channel windows and of the settings dialog it opens.
#include "app/child_windows.h"
#include "driver/config_records.h"
#include "toolkit/form.h"
#include "windows/window_host.h"

#include <array>

namespace controls {
class TExtCheckBox;
}

namespace app {

class TMixControlWnd : public tk::TForm, public windows::WindowHost {
    Q_OBJECT

public:
    explicit TMixControlWnd(tk::TComponent* owner);
    ~TMixControlWnd() override;

    Q_INVOKABLE void FormCreate(tk::TComponent* sender);
    Q_INVOKABLE void FormShow(tk::TComponent* sender);
    Q_INVOKABLE void FormClose(tk::TComponent* sender, tk::TCloseAction& action);
    // Bound to the activation and deactivation of the application and of the windows it opens: the
    // on-top state is applied again to every window.
    Q_INVOKABLE void FormActiveChanged(tk::TComponent* sender);

    Q_INVOKABLE void chkAnalogInputsClick(tk::TComponent* sender);
    Q_INVOKABLE void chkDigitalInputsClick(tk::TComponent* sender);
    Q_INVOKABLE void chkAnalogOutputsClick(tk::TComponent* sender);
    Q_INVOKABLE void chkDigitalOutputsClick(tk::TComponent* sender);
    Q_INVOKABLE void chkStayOnTopClick(tk::TComponent* sender);
    Q_INVOKABLE void chkSettingsClick(tk::TComponent* sender);

    win::HICON WindowIcon() const override;
    tk::TForm* AboutBox() const override;
    void ChildClosed(tk::TForm* window) override;
    void ChildActiveChanged(tk::TComponent* sender) override;
    void EnableDigitalWindows() override;
    void RefreshOtherOutputRoutes(tk::TForm* changed) override;

    // The array that the settings dialog edits, as the last getconfig left it.
    const driver::ConfigArray& Configuration() const { return configuration_; }

protected:
    void DeclareParts(tk::FormParts& parts) override;
    void BeforeDestruction() override;

private:
    struct ChannelBox {
        controls::TExtCheckBox* box = nullptr;
        tk::TForm** window = nullptr;
        ChannelWindowMaker ChildWindowMakers::*maker = nullptr;
    };

    void ChannelBoxClick(const ChannelBox& channel);
    void OpenChannelWindow(const ChannelBox& channel);
    void WMChildClosed(tk::TMessage& message);
    void WMGetMinMaxInfo(tk::TMessage& message);
    void WMTrayNotify(tk::TMessage& message);

    // Analog inputs, digital inputs, analog outputs, digital outputs: the form's order.
    std::array<ChannelBox, 4> channels_;
    controls::TExtCheckBox* chkStayOnTop_ = nullptr;
    controls::TExtCheckBox* chkSettings_ = nullptr;
    driver::ConfigArray configuration_{};
    bool fixedSize_ = false; // true once creation has completed
    int fixedHeight_ = 0;    // outer pixels: the frame plus the three panels
};

} // namespace app
