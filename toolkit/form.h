#pragma once
// A form: a top-level window read from its description. Width and Height are the outer size, which
// includes a fixed frame per border style (sizeable 8 x 27 px, single and dialog 6 x 25, none 0), so
// that outer minus client size is the same everywhere. Forms are created with CreateForm, which reads
// the description, runs Loaded on every component, then OnCreate. Before every change of its size, and
// when it is shown, a form asks itself for its size limits with WM_GETMINMAXINFO (the record in
// TMessage::Record); the tracking sizes bound both the program's and the user's sizing.
#include "toolkit/form_parts.h"
#include "toolkit/system_menu.h"
#include "toolkit/win_control.h"

#include <QIcon>
#include <QPointer>
#include <QSize>

class QWindow;

namespace tk {

class FormWidget;

class TForm : public TWinControl {
    Q_OBJECT
    Q_PROPERTY(tk::TFormBorderStyle BorderStyle READ BorderStyle WRITE SetBorderStyle)
    Q_PROPERTY(int ClientWidth READ ClientWidth WRITE SetClientWidth)
    Q_PROPERTY(int ClientHeight READ ClientHeight WRITE SetClientHeight)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(tk::TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(tk::TFont* Font READ Font WRITE SetFont)
    Q_PROPERTY(QIcon Icon READ Icon WRITE SetIcon)
    Q_PROPERTY(tk::TPosition Position READ Position WRITE SetPosition)
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_PROPERTY(tk::TWindowState WindowState READ WindowState WRITE SetWindowState)
    Q_PROPERTY(tk::TNotifyEvent OnCreate READ OnCreate WRITE SetOnCreate)
    Q_PROPERTY(tk::TNotifyEvent OnShow READ OnShow WRITE SetOnShow)
    Q_PROPERTY(tk::TNotifyEvent OnHide READ OnHide WRITE SetOnHide)
    Q_PROPERTY(tk::TCloseEvent OnClose READ OnClose WRITE SetOnClose)
    Q_PROPERTY(tk::TNotifyEvent OnDestroy READ OnDestroy WRITE SetOnDestroy)
    Q_PROPERTY(tk::TNotifyEvent OnActivate READ OnActivate WRITE SetOnActivate)
    Q_PROPERTY(tk::TNotifyEvent OnDeactivate READ OnDeactivate WRITE SetOnDeactivate)
    Q_PROPERTY(tk::TNotifyEvent OnResize READ OnResize WRITE SetOnResize)

public:
    // description: the form description to read at creation (a file or ":/forms/..." resource path),
    // empty for a form built in code.
    explicit TForm(TComponent* owner, const QString& description = {});

    // Reads the description, runs Loaded on the tree, then OnCreate; shows the form if it is Visible.
    // Throws EFormError when the description is wrong. CreateForm calls it.
    void AfterConstruction();
    const QString& Description() const { return description_; }

    // The frame around the client area for a border style, in pixels.
    static QSize FrameSize(TFormBorderStyle style);

    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    // Keeps the outer size; the client area changes.
    void SetBorderStyle(TFormBorderStyle style);
    int ClientWidth() const override;
    int ClientHeight() const override;
    void SetClientWidth(int width);
    void SetClientHeight(int height);

    QIcon Icon() const { return icon_; }
    void SetIcon(const QIcon& icon);
    TPosition Position() const { return position_; }
    void SetPosition(TPosition position) { position_ = position; }
    TWindowState WindowState() const { return windowState_; }
    void SetWindowState(TWindowState state);

    bool Showing() const override;
    // Runs OnClose and then does what its action says: hide, free (later, see Release), minimise or
    // nothing. Closing the main form terminates the application instead.
    void Close();
    // Frees the form once the messages already queued for it have been handled; safe inside its events.
    void Release();
    bool Active() const;

    // Shows the form and handles messages until ModalResult is set (by a button or in code) or the form
    // is closed, which gives mrCancel; OnClose may refuse with caNone. Returns the modal result.
    int ShowModal();
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int result) { modalResult_ = result; }
    // The form's native window, for window-manager flags such as stay-on-top.
    QWindow* WindowHandle() const;
    // The menu shown on a right click on the window or the menu key.
    tk::TSystemMenu& SystemMenu();

    // The focus went to control: OnExit of the control that had it, then OnEnter of control. Qt's focus
    // also comes and goes with the window's activation (a modal box over it, another window chosen),
    // which gives it back to the same control: that runs neither.
    void SetFocusedControl(TWinControl* control);

    const TNotifyEvent& OnCreate() const { return onCreate_; }
    void SetOnCreate(const TNotifyEvent& event) { onCreate_ = event; }
    const TNotifyEvent& OnShow() const { return onShow_; }
    void SetOnShow(const TNotifyEvent& event) { onShow_ = event; }
    const TNotifyEvent& OnHide() const { return onHide_; }
    void SetOnHide(const TNotifyEvent& event) { onHide_ = event; }
    const TCloseEvent& OnClose() const { return onClose_; }
    void SetOnClose(const TCloseEvent& event) { onClose_ = event; }
    const TNotifyEvent& OnDestroy() const { return onDestroy_; }
    void SetOnDestroy(const TNotifyEvent& event) { onDestroy_ = event; }
    const TNotifyEvent& OnActivate() const { return onActivate_; }
    void SetOnActivate(const TNotifyEvent& event) { onActivate_ = event; }
    const TNotifyEvent& OnDeactivate() const { return onDeactivate_; }
    void SetOnDeactivate(const TNotifyEvent& event) { onDeactivate_ = event; }

    void SetParent(TWinControl* parent) override;
    void SetBounds(int left, int top, int width, int height) override;

protected:
    // Lists the components that the form's code uses by name; they are resolved as the description is
    // read, before OnCreate, and a missing or mistyped one fails the creation. A subclass adds its own
    // parts to its base class's.
    virtual void DeclareParts(FormParts&) {}
    void BeforeDestruction() override;
    void DefaultHandler(TMessage& message) override;
    void UpdateWidgetGeometry() override;
    void UpdateWidgetVisibility() override;
    void TextChanged() override;

private:
    friend class FormWidget;
    FormWidget* Window() const;
    void PlaceOnScreen();
    // Sends WM_GETMINMAXINFO and keeps the tracking sizes it answers.
    void QuerySizeLimits();
    void ApplyWindowFlags();
    void ApplyWindowState();
    // From the window: the user resized or moved it, or closed it, or it (de)activated.
    void WindowResized(QSize clientSize);
    void WindowMoved(QPoint position);
    void WindowActivationChanged(bool active);
    void WindowStateChangedByUser(TWindowState state);
    // Runs OnClose for the end of a modal showing; false when the handler refuses.
    bool ModalCloseAllowed();

    QString description_;
    std::unique_ptr<tk::TSystemMenu> systemMenu_;
    TFormBorderStyle borderStyle_ = TFormBorderStyle::bsSizeable;
    QIcon icon_;
    TPosition position_ = TPosition::poDesigned;
    TWindowState windowState_ = TWindowState::wsNormal;
    bool created_ = false;
    bool modal_ = false;
    int modalResult_ = 0; // mrNone, mrOk, mrCancel...
    bool movingWindow_ = false;
    QSize minTrackSize_{0, 0};         // outer pixels, from WM_GETMINMAXINFO
    QSize maxTrackSize_{32767, 32767}; // outer pixels, from WM_GETMINMAXINFO
    QPointer<TWinControl> focusedControl_; // has the focus, or had it last while the form is not active
    TNotifyEvent onCreate_;
    TNotifyEvent onShow_;
    TNotifyEvent onHide_;
    TCloseEvent onClose_;
    TNotifyEvent onDestroy_;
    TNotifyEvent onActivate_;
    TNotifyEvent onDeactivate_;
};

// Creates a form of class T owned by owner, reads its description and runs OnCreate. When the
// description is wrong, the form is freed and the EFormError passed on.
template <class T, class... Args> T* CreateForm(TComponent* owner, Args&&... args) {
    T* form = new T(owner, std::forward<Args>(args)...);
    try {
        form->AfterConstruction();
    } catch (...) {
        form->Free();
        throw;
    }
    return form;
}

} // namespace tk
