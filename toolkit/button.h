#pragma once
// Push buttons. A click hands the button's ModalResult to its form, which ends a modal showing; Enter
// clicks the form's Default button and Escape its Cancel button.
#include "toolkit/win_control.h"

class QPushButton;

namespace tk {

class TButton : public TWinControl {
    Q_OBJECT
    Q_PROPERTY(bool Cancel READ Cancel WRITE SetCancel)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(bool Default READ Default WRITE SetDefault)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(tk::TFont* Font READ Font WRITE SetFont)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(int ModalResult READ ModalResult WRITE SetModalResult)
    Q_PROPERTY(bool ParentFont READ ParentFont WRITE SetParentFont)
    Q_PROPERTY(bool ParentShowHint READ ParentShowHint WRITE SetParentShowHint)
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_PROPERTY(tk::TNotifyEvent OnClick READ OnClick WRITE SetOnClick)

public:
    explicit TButton(TComponent* owner);

    bool Default() const;
    void SetDefault(bool isDefault);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool cancel);
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int result) { modalResult_ = result; }

    void Click() override;

protected:
    void TextChanged() override;

private:
    QPushButton* Button() const;

    bool cancel_ = false;
    int modalResult_ = 0; // mrNone, mrOk, mrCancel...
};

} // namespace tk
