#include "toolkit/control.h"

#include "toolkit/canvas_widget.h"
#include "toolkit/errors.h"
#include "toolkit/form.h"
#include "toolkit/lifetime.h"
#include "toolkit/look.h"
#include "toolkit/win_control.h"

#include <QAccessible>
#include <QMouseEvent>
#include <QPalette>
#include <QWidget>

namespace tk {
namespace {

TMouseButton ButtonOf(Qt::MouseButton button) {
    switch (button) {
    case Qt::RightButton: return TMouseButton::mbRight;
    case Qt::MiddleButton: return TMouseButton::mbMiddle;
    default: return TMouseButton::mbLeft;
    }
}

TShiftState ShiftOf(const QMouseEvent& event) {
    TShiftState shift;
    const auto modifiers = event.modifiers();
    const auto buttons = event.buttons() | event.button();
    if (modifiers & Qt::ShiftModifier) shift |= TShiftStateFlag::ssShift;
    if (modifiers & Qt::AltModifier) shift |= TShiftStateFlag::ssAlt;
    if (modifiers & Qt::ControlModifier) shift |= TShiftStateFlag::ssCtrl;
    if (buttons & Qt::LeftButton) shift |= TShiftStateFlag::ssLeft;
    if (buttons & Qt::RightButton) shift |= TShiftStateFlag::ssRight;
    if (buttons & Qt::MiddleButton) shift |= TShiftStateFlag::ssMiddle;
    if (event.type() == QEvent::MouseButtonDblClick) shift |= TShiftStateFlag::ssDouble;
    return shift;
}

Qt::CursorShape ToQCursor(TCursor cursor) {
    switch (cursor) {
    case TCursor::crCross: return Qt::CrossCursor;
    case TCursor::crIBeam: return Qt::IBeamCursor;
    case TCursor::crSizeWE: return Qt::SizeHorCursor;
    case TCursor::crSizeNS: return Qt::SizeVerCursor;
    case TCursor::crHourGlass: return Qt::WaitCursor;
    case TCursor::crNo: return Qt::ForbiddenCursor;
    case TCursor::crHandPoint: return Qt::PointingHandCursor;
    default: return Qt::ArrowCursor;
    }
}

// Where a control's widget names its control.
constexpr const char* kControlProperty = "tkControl";

// The short part of a hint written "short|long".
QString ShortHint(const QString& hint) { return hint.section(QLatin1Char('|'), 0, 0); }

} // namespace

TControl::TControl(TComponent* owner, QWidget* widget)
    : TComponent(owner), widget_(widget), font_(std::make_unique<TFont>()) {
    if (widget_) {
        widget_->setProperty(kControlProperty, QVariant::fromValue(static_cast<QObject*>(this)));
        widget_->installEventFilter(this);
    }
    connect(font_.get(), &TFont::Changed, this, [this] {
        if (!adoptingFont_) parentFont_ = false;
        FontChanged();
    });
}

TControl::~TControl() {
    if (parent_) {
        TWinControl* parent = parent_;
        if (!parent->IsDestroying()) InvalidateOnParent();
        parent->RemoveControl(this);
        if (align_ != TAlign::alNone && !parent->IsDestroying()) parent->Realign();
    }
    ReleaseWidget();
}

void TControl::ReleaseWidget() {
    if (!widget_) return;
    widget_->setProperty(kControlProperty, QVariant());
    widget_->removeEventFilter(this);
    QObject::disconnect(widget_, nullptr, this, nullptr);
    if (auto* canvas = qobject_cast<CanvasWidget*>(widget_)) canvas->Detach();
    if (QtDispatchScope::Active()) {
        // Qt may still be delivering an event or signal to this widget.
        widget_->hide();
        widget_->setParent(nullptr);
        widget_->deleteLater();
    } else {
        delete widget_;
    }
}

TControl* TControl::OfWidget(const QObject* widget) {
    return widget ? qobject_cast<TControl*>(widget->property(kControlProperty).value<QObject*>()) : nullptr;
}

TComponent* TControl::ParentComponent() const { return parent_; }

void TControl::SetParentComponent(TComponent* parent) {
    auto* container = qobject_cast<TWinControl*>(parent);
    if (!container)
        throw EComponentError(QStringLiteral("%1 cannot be placed inside %2, which is not a windowed control")
                                  .arg(Name(), parent->Name()));
    SetParent(container);
}

TForm* TControl::ParentForm() const {
    const TControl* control = this;
    while (control->parent_) control = control->parent_;
    return qobject_cast<TForm*>(const_cast<TControl*>(control));
}

void TControl::SetParent(TWinControl* parent) {
    if (parent == parent_) return;
    for (const TControl* ancestor = parent; ancestor; ancestor = ancestor->parent_)
        if (ancestor == this) throw EComponentError(QStringLiteral("%1 cannot be its own parent").arg(Name()));
    if (parent_) {
        TWinControl* old = parent_;
        InvalidateOnParent();
        old->RemoveControl(this);
        parent_ = nullptr;
        if (align_ != TAlign::alNone) old->Realign();
    }
    parent_ = parent;
    if (parent_) {
        parent_->InsertControl(this);
        if (parentFont_) AdoptParentFont();
        if (parentColor_) AdoptParentColor();
        ApplyFontAndColorToWidget();
        HintChanged();
    } else if (widget_) {
        widget_->hide();
        widget_->setParent(nullptr);
    }
    UpdateWidgetGeometry();
    UpdateWidgetVisibility();
    RequestParentAlign();
}

void TControl::SetBounds(int left, int top, int width, int height) {
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    const bool resized = width != width_ || height != height_;
    BusyScope busy(this); // OnResize may free the control
    InvalidateOnParent(); // where it was
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    UpdateWidgetGeometry();
    BoundsChanged();
    if (resized) Resize();
    RequestParentAlign();
    if (parent_) parent_->ChildBoundsChanged(this);
}

void TControl::Resize() {
    if (!IsLoading()) onResize_(this);
}

void TControl::RequestParentAlign() {
    if (parent_ && align_ != TAlign::alNone) parent_->Realign();
}

void TControl::UpdateWidgetGeometry() {
    if (!widget_) return InvalidateOnParent();
    const QPoint origin = parent_ ? parent_->ClientOrigin() : QPoint();
    widget_->setGeometry(origin.x() + left_, origin.y() + top_, std::max(0, width_), std::max(0, height_));
}

void TControl::UpdateWidgetVisibility() {
    if (widget_) widget_->setVisible(visible_ && parent_);
    else InvalidateOnParent();
}

void TControl::SetAlign(TAlign align) {
    if (align == align_) return;
    const bool wasAligned = align_ != TAlign::alNone;
    align_ = align;
    if (parent_ && (wasAligned || align_ != TAlign::alNone)) parent_->Realign();
}

void TControl::SetVisible(bool visible) {
    if (visible == visible_) return;
    BusyScope busy(this); // a form's OnShow or OnHide may free it
    visible_ = visible;
    UpdateWidgetVisibility();
    VisibleChanged();
    RequestParentAlign();
}

bool TControl::Showing() const { return visible_ && parent_ && parent_->Showing(); }

void TControl::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    if (widget_) widget_->setEnabled(enabled);
    Invalidate();
}

void TControl::SetCaption(const QString& caption) {
    if (caption == caption_) return;
    caption_ = caption;
    TextChanged();
    // Qt's own widgets report their new text themselves; for a painted one the caption is its name.
    if (qobject_cast<CanvasWidget*>(widget_) && accessibleName_.isEmpty()) AnnounceNameChange();
}

// Kept here rather than on the widget, whose own name would make Qt build the widget's accessible
// interface at once, screen reader or not.
void TControl::SetAccessibleName(const QString& name) {
    if (name == accessibleName_) return;
    accessibleName_ = name;
    AnnounceNameChange();
}

void TControl::AnnounceNameChange() {
    if (!widget_ || !QAccessible::isActive()) return;
    QAccessibleEvent event(widget_, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

void TControl::TextChanged() { Invalidate(); }

void TControl::SetFont(TFont* font) {
    if (font) font_->Assign(*font);
}

void TControl::SetParentFont(bool parentFont) {
    if (parentFont == parentFont_) return;
    parentFont_ = parentFont;
    if (parentFont_ && parent_) AdoptParentFont();
    ApplyFontAndColorToWidget();
}

void TControl::AdoptParentFont() {
    adoptingFont_ = true;
    font_->Assign(*parent_->Font());
    adoptingFont_ = false;
}

void TControl::FontChanged() {
    ApplyFontAndColorToWidget();
    Invalidate();
}

void TControl::ApplyFontAndColorToWidget() {
    if (!widget_) return; // its parent draws it with its font and colour
    // What a control takes from its parent reaches its widget through Qt's inheritance, so that a
    // change reaches a whole tree at Qt's cost, once; without a parent the widget is not shown and
    // has nothing to inherit yet. Setting an inherited font or palette again on a widget that has
    // none of its own would change nothing but cost Qt a full resolve.
    if (!parentFont_) widget_->setFont(font_->ToQFont());
    else if (widget_->testAttribute(Qt::WA_SetFont)) widget_->setFont(QFont());
    QPalette palette;
    if (!parentFont_) {
        const QColor text = ToQColor(font_->Color());
        palette.setColor(QPalette::WindowText, text);
        palette.setColor(QPalette::ButtonText, text);
        palette.setColor(QPalette::Text, text);
    }
    if (!parentColor_) {
        const QColor background = ToQColor(color_);
        palette.setColor(QPalette::Window, background);
        palette.setColor(QPalette::Button, background);
    }
    if (palette.resolveMask() != 0 || widget_->testAttribute(Qt::WA_SetPalette)) widget_->setPalette(palette);
}

void TControl::SetColor(TColor color) {
    if (color == color_ && !parentColor_) return;
    color_ = color;
    parentColor_ = false;
    ColorChanged();
}

void TControl::SetParentColor(bool parentColor) {
    if (parentColor == parentColor_) return;
    parentColor_ = parentColor;
    if (parentColor_ && parent_) AdoptParentColor();
    else ColorChanged();
}

void TControl::AdoptParentColor() {
    color_ = parent_->Color();
    ColorChanged();
}

void TControl::ColorChanged() {
    ApplyFontAndColorToWidget();
    Invalidate();
}

void TControl::SetCursor(TCursor cursor) {
    cursor_ = cursor;
    if (widget_) widget_->setCursor(ToQCursor(cursor));
}

void TControl::SetHint(const QString& hint) {
    if (hint == hint_) return;
    hint_ = hint;
    HintChanged();
}

void TControl::SetShowHint(bool showHint) {
    showHint_ = showHint;
    parentShowHint_ = false;
    HintChanged();
}

void TControl::SetParentShowHint(bool parentShowHint) {
    if (parentShowHint == parentShowHint_) return;
    parentShowHint_ = parentShowHint;
    HintChanged();
}

bool TControl::EffectiveShowHint() const {
    return parentShowHint_ && parent_ ? parent_->EffectiveShowHint() : showHint_;
}

void TControl::HintChanged() {
    if (widget_) widget_->setToolTip(EffectiveShowHint() ? ShortHint(hint_) : QString());
}

void TControl::Click() { onClick_(this); }

void TControl::Invalidate() {
    if (widget_) widget_->update();
    else InvalidateOnParent();
}

void TControl::InvalidateOnParent() {
    if (!widget_ && parent_) parent_->InvalidateClientRect(BoundsRect());
}

void TControl::Paint(QPainter&) {}

void TControl::Loaded() { TComponent::Loaded(); }

QString TControl::DisplayText(const QString& text) const { return MapSymbolText(font_->Name(), text); }

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    onMouseDown_(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    onMouseUp_(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) { onMouseMove_(this, shift, x, y); }

void TControl::DblClick() { onDblClick_(this); }

bool TControl::eventFilter(QObject* watched, QEvent* event) {
    if (watched == widget_) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
            RunFromQt([&] { HandleWidgetMouse(event); });
            break;
        default: break;
        }
    }
    return TComponent::eventFilter(watched, event);
}

void TControl::HandleWidgetMouse(QEvent* event) {
    BusyScope busy(this);
    const auto& mouse = static_cast<QMouseEvent&>(*event);
    const QPoint at = mouse.position().toPoint() - (IsWindowed() ? static_cast<TWinControl*>(this)->ClientOrigin()
                                                                 : QPoint());
    const bool drawsItself = qobject_cast<CanvasWidget*>(widget_) != nullptr;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        MouseDown(ButtonOf(mouse.button()), ShiftOf(mouse), at.x(), at.y());
        break;
    case QEvent::MouseButtonRelease:
        MouseUp(ButtonOf(mouse.button()), ShiftOf(mouse), at.x(), at.y());
        // Qt's own buttons report their clicks; a control that draws itself is clicked here.
        if (drawsItself && ClicksOnRelease() && mouse.button() == Qt::LeftButton && widget_->rect().contains(mouse.position().toPoint()))
            Click();
        break;
    case QEvent::MouseButtonDblClick:
        MouseDown(ButtonOf(mouse.button()), ShiftOf(mouse), at.x(), at.y());
        DblClick();
        break;
    default:
        MouseMove(ShiftOf(mouse), at.x(), at.y());
        break;
    }
}

TGraphicControl::TGraphicControl(TComponent* owner, TSurface surface)
    : TControl(owner, surface == TSurface::ownWidget ? new CanvasWidget(this) : nullptr) {}

} // namespace tk
