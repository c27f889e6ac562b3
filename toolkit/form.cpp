#include "toolkit/form.h"

#include "toolkit/application.h"
#include "toolkit/errors.h"
#include "toolkit/form_reader.h"
#include "toolkit/form_widget.h"
#include "toolkit/lifetime.h"
#include "toolkit/look.h"
#include "toolkit/message_queue.h"
#include "platform/win_messages.h"
#include "platform/win_records.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace tk {
namespace {

// Frees a form that asked for it with Release, once the messages queued before have been handled.
constexpr win::UINT kReleaseMessage = 0xB021;

void RunReported(const TNotifyEvent& event, TComponent* sender) {
    try {
        event(sender);
    } catch (const std::exception& error) {
        HandleException(error);
    }
}

} // namespace

TForm::TForm(TComponent* owner, const QString& description)
    : TWinControl(owner, new FormWidget(this)), description_(description) {
    InstallClassicLook();
    SetVisible(false);
    SetParentFont(false);
    SetParentColor(false);
    ApplyWindowFlags();
    SetBounds(0, 0, 320, 240);
}

FormWidget* TForm::Window() const { return static_cast<FormWidget*>(Widget()); }

void TForm::AfterConstruction() {
    BusyScope busy(this); // the form's own events may free it; that waits until here has finished
    if (!description_.isEmpty()) {
        FormParts parts;
        DeclareParts(parts);
        ReadComponentFile(this, description_, parts);
    }
    created_ = true;
    RunReported(onCreate_, this);
    if (Visible()) UpdateWidgetVisibility();
}

void TForm::BeforeDestruction() {
    Widget()->hide();
    if (created_) RunReported(onDestroy_, this);
    TWinControl::BeforeDestruction();
}

QSize TForm::FrameSize(TFormBorderStyle style) {
    switch (style) {
    case TFormBorderStyle::bsSizeable: return QSize(8, 27);
    case TFormBorderStyle::bsSingle:
    case TFormBorderStyle::bsDialog: return QSize(6, 25);
    default: return QSize(0, 0);
    }
}

void TForm::SetBorderStyle(TFormBorderStyle style) {
    if (style == borderStyle_) return;
    borderStyle_ = style;
    ApplyWindowFlags();
    UpdateWidgetGeometry();
    Realign();
}

int TForm::ClientWidth() const { return std::max(0, Width() - FrameSize(borderStyle_).width()); }
int TForm::ClientHeight() const { return std::max(0, Height() - FrameSize(borderStyle_).height()); }
void TForm::SetClientWidth(int width) { SetWidth(width + FrameSize(borderStyle_).width()); }
void TForm::SetClientHeight(int height) { SetHeight(height + FrameSize(borderStyle_).height()); }

void TForm::SetParent(TWinControl* parent) {
    if (parent) throw EComponentError(QStringLiteral("The form %1 cannot have a parent").arg(Name()));
}

void TForm::ApplyWindowFlags() {
    QWidget* widget = Widget();
    const bool wasVisible = widget->isVisible();
    Qt::WindowFlags flags = Qt::Window;
    switch (borderStyle_) {
    case TFormBorderStyle::bsNone: flags |= Qt::FramelessWindowHint; break;
    case TFormBorderStyle::bsDialog:
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        break;
    case TFormBorderStyle::bsSingle:
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;
        break;
    default: break;
    }
    widget->setWindowFlags(flags);
    if (wasVisible) widget->show(); // new flags hide a window
}

void TForm::QuerySizeLimits() {
    // Defaults that bound nothing: only a form that answers the message has limits.
    win::MINMAXINFO info{};
    info.ptMinTrackSize = {0, 0};
    info.ptMaxTrackSize = {32767, 32767};
    info.ptMaxSize = info.ptMaxTrackSize;
    TMessage message{win::WM_GETMINMAXINFO, 0, 0, 0, &info};
    Perform(message);
    minTrackSize_ = QSize(std::max(0, int(info.ptMinTrackSize.x)), std::max(0, int(info.ptMinTrackSize.y)));
    maxTrackSize_ = QSize(std::max(minTrackSize_.width(), int(info.ptMaxTrackSize.x)),
                          std::max(minTrackSize_.height(), int(info.ptMaxTrackSize.y)));
}

void TForm::SetBounds(int left, int top, int width, int height) {
    QuerySizeLimits();
    TWinControl::SetBounds(left, top, std::clamp(width, minTrackSize_.width(), maxTrackSize_.width()),
                           std::clamp(height, minTrackSize_.height(), maxTrackSize_.height()));
    UpdateWidgetGeometry(); // the limits may have changed with the same bounds
}

void TForm::UpdateWidgetGeometry() {
    QWidget* widget = Widget();
    movingWindow_ = true;
    widget->move(Left(), Top());
    const QSize frame = FrameSize(borderStyle_);
    const QSize client(ClientWidth(), ClientHeight());
    if (borderStyle_ == TFormBorderStyle::bsSizeable || borderStyle_ == TFormBorderStyle::bsNone) {
        widget->setMinimumSize((minTrackSize_ - frame).expandedTo(QSize(0, 0)));
        widget->setMaximumSize((maxTrackSize_ - frame).expandedTo(QSize(0, 0)).boundedTo(
            QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX)));
        widget->resize(client);
    } else {
        widget->setFixedSize(client);
    }
    movingWindow_ = false;
}

void TForm::TextChanged() { Widget()->setWindowTitle(Caption()); }

void TForm::SetIcon(const QIcon& icon) {
    icon_ = icon;
    Widget()->setWindowIcon(icon);
}

void TForm::SetWindowState(TWindowState state) {
    if (state == windowState_) return;
    windowState_ = state;
    if (Widget()->isVisible()) ApplyWindowState();
}

void TForm::ApplyWindowState() {
    QWidget* widget = Widget();
    Qt::WindowStates states = widget->windowState();
    if (windowState_ == TWindowState::wsMinimized) states |= Qt::WindowMinimized;
    else states &= ~Qt::WindowMinimized;
    widget->setWindowState(states);
}

bool TForm::Showing() const { return Visible(); }

void TForm::UpdateWidgetVisibility() {
    QWidget* widget = Widget();
    if (IsLoading() || Visible() == widget->isVisible()) return;
    if (Visible()) {
        SetBounds(Left(), Top(), Width(), Height());
        PlaceOnScreen();
        RunReported(onShow_, this); // an error must not leave a form that counts as shown but is not
        if (!Visible()) return;
        widget->show();
        ApplyWindowState();
        widget->activateWindow();
    } else {
        onHide_(this);
        if (Visible()) return;
        widget->hide();
    }
}

void TForm::PlaceOnScreen() {
    if (position_ != TPosition::poScreenCenter) return;
    const QScreen* screen = Widget()->screen() ? Widget()->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->geometry();
    SetBounds(area.x() + (area.width() - Width()) / 2, area.y() + (area.height() - Height()) / 2, Width(),
              Height());
}

int TForm::ShowModal() {
    if (Visible() || modal_) throw EComponentError(QStringLiteral("Cannot make a visible window modal"));
    BusyScope busy(this);
    modal_ = true;
    modalResult_ = mrNone;
    Widget()->setWindowModality(Qt::ApplicationModal);
    Show();
    while (true) {
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        const TApplication* application = Application();
        if (modalResult_ == mrNone && (!Visible() || (application && application->Terminated())))
            modalResult_ = mrCancel;
        if (modalResult_ != mrNone && ModalCloseAllowed()) break;
    }
    Hide();
    Widget()->setWindowModality(Qt::NonModal);
    modal_ = false;
    return modalResult_;
}

bool TForm::ModalCloseAllowed() {
    TCloseAction action = TCloseAction::caHide;
    onClose_(this, action);
    if (action != TCloseAction::caNone) return true;
    modalResult_ = mrNone;
    return false;
}

void TForm::Close() {
    if (modal_) {
        modalResult_ = mrCancel;
        return;
    }
    BusyScope busy(this);
    TCloseAction action = TCloseAction::caHide;
    onClose_(this, action);
    if (action == TCloseAction::caNone) return;
    if (TApplication* application = Application(); application && application->MainForm() == this) {
        application->Terminate();
        return;
    }
    switch (action) {
    case TCloseAction::caHide: Hide(); break;
    case TCloseAction::caMinimize: SetWindowState(TWindowState::wsMinimized); break;
    case TCloseAction::caFree: Release(); break;
    default: break;
    }
}

void TForm::Release() { win::PostMessageA(Handle(), kReleaseMessage, 0, 0); }

bool TForm::Active() const { return Widget()->isActiveWindow(); }

QWindow* TForm::WindowHandle() const {
    Widget()->winId();
    return Widget()->windowHandle();
}

void TForm::SetFocusedControl(TWinControl* control) {
    // A form being freed loses its controls one by one, and Qt hands the focus on among them.
    if (control == focusedControl_ || IsDestroying()) return;
    TWinControl* previous = focusedControl_;
    focusedControl_ = control;
    if (previous && !previous->IsDestroying()) {
        BusyScope busy(previous);
        previous->OnExit()(previous);
    }
    // OnExit may have moved the focus on, or freed control.
    if (control && focusedControl_ == control) {
        BusyScope busy(control);
        control->OnEnter()(control);
    }
}

tk::TSystemMenu& TForm::SystemMenu() {
    if (!systemMenu_) systemMenu_ = std::make_unique<tk::TSystemMenu>(this);
    return *systemMenu_;
}

void TForm::DefaultHandler(TMessage& message) {
    switch (message.Msg) {
    case kReleaseMessage: Free(); break;
    case win::WM_CLOSE: Close(); break;
    case win::WM_SYSCOMMAND:
        switch (message.WParam & 0xFFF0) {
        case TSystemMenu::SC_CLOSE: Close(); break;
        case TSystemMenu::SC_MINIMIZE: SetWindowState(TWindowState::wsMinimized); break;
        case TSystemMenu::SC_RESTORE: SetWindowState(TWindowState::wsNormal); break;
        default: break;
        }
        break;
    default: TWinControl::DefaultHandler(message); break;
    }
}

void TForm::WindowResized(QSize clientSize) {
    if (movingWindow_) return;
    const QSize frame = FrameSize(borderStyle_);
    SetBounds(Left(), Top(), clientSize.width() + frame.width(), clientSize.height() + frame.height());
}

void TForm::WindowMoved(QPoint position) {
    if (movingWindow_) return;
    SetBounds(position.x(), position.y(), Width(), Height());
}

void TForm::WindowActivationChanged(bool active) {
    if (active) onActivate_(this);
    else onDeactivate_(this);
}

void TForm::WindowStateChangedByUser(TWindowState state) { windowState_ = state; }

} // namespace tk
