#include "toolkit/win_control.h"

#include "toolkit/align.h"
#include "toolkit/canvas_widget.h"
#include "toolkit/form.h"
#include "toolkit/lifetime.h"
#include "toolkit/message_queue.h"
#include "toolkit/repaint_batch.h"
#include "toolkit/window_position.h"
#include "toolkit/window_table.h"

#include <QEvent>
#include <QPainter>
#include <QWidget>
#include <algorithm>

namespace tk {

TWinControl::TWinControl(TComponent* owner, QWidget* widget)
    : TControl(owner, widget ? widget : new CanvasWidget(this)) {}

TWinControl::~TWinControl() {
    // The children stay with their owner; their widgets must not die with this one.
    while (ControlCount() > 0) Controls(ControlCount() - 1)->SetParent(nullptr);
    if (handle_) WindowTable::Remove(handle_);
}

void TWinControl::BeforeDestruction() {
    if (handle_) {
        WindowTable::Remove(handle_);
        handle_ = 0;
    }
    TControl::BeforeDestruction();
}

TControl* TWinControl::Controls(int index) const {
    const auto graphics = int(graphicControls_.size());
    return index < graphics ? graphicControls_.at(std::size_t(index))
                            : winControls_.at(std::size_t(index - graphics));
}

bool TWinControl::ContainsControl(const TControl* control) const {
    for (; control; control = control->Parent())
        if (control == this) return true;
    return false;
}

template <class F> void TWinControl::ForEachControl(F&& function) const {
    for (TControl* control : graphicControls_) function(control);
    for (TControl* control : winControls_) function(control);
}

void TWinControl::InsertControl(TControl* control) {
    auto& list = control->IsWindowed() ? winControls_ : graphicControls_;
    list.push_back(control);
    QWidget* widget = control->Widget();
    if (!widget) return; // drawn by this control
    widget->setParent(Widget());
    if (control->IsWindowed() || winControls_.empty()) widget->raise();
    else widget->stackUnder(winControls_.front()->Widget());
}

void TWinControl::RemoveControl(TControl* control) {
    // Called from the control's destructor too, where its class no longer tells which list it is in.
    for (auto* list : {&graphicControls_, &winControls_})
        list->erase(std::remove(list->begin(), list->end(), control), list->end());
}

int TWinControl::ClientWidth() const {
    const QMargins margins = NonClientMargins();
    return std::max(0, Width() - margins.left() - margins.right());
}

int TWinControl::ClientHeight() const {
    const QMargins margins = NonClientMargins();
    return std::max(0, Height() - margins.top() - margins.bottom());
}

QPoint TWinControl::ClientOrigin() const {
    const QMargins margins = NonClientMargins();
    return QPoint(margins.left(), margins.top());
}

QRect TWinControl::AlignRect() const { return ClientRect(); }

void TWinControl::Realign() {
    if (alignDisabled_ > 0 || aligning_ || IsLoading() || IsDestroying()) return;
    std::vector<TControl*> aligned;
    std::vector<AlignedControl> layout;
    ForEachControl([&](TControl* control) {
        if (control->Align() == TAlign::alNone || !control->Visible()) return;
        aligned.push_back(control);
        layout.push_back({control->Align(), control->BoundsRect()});
    });
    if (aligned.empty()) return;
    const std::vector<QRect> bounds = AlignControls(AlignRect(), layout);
    aligning_ = true;
    for (std::size_t i = 0; i < aligned.size(); ++i)
        aligned[i]->SetBounds(bounds[i].x(), bounds[i].y(), bounds[i].width(), bounds[i].height());
    aligning_ = false;
}

void TWinControl::EnableAlign() {
    if (alignDisabled_ > 0 && --alignDisabled_ == 0) Realign();
}

win::HWND TWinControl::Handle() {
    if (!handle_) {
        PrepareMessageQueue();
        PrepareWindowPositions();
        handle_ = WindowTable::Add(this);
    }
    return handle_;
}

win::LRESULT TWinControl::Perform(win::UINT msg, win::WPARAM wparam, win::LPARAM lparam) {
    TMessage message{msg, wparam, lparam, 0, nullptr};
    return Perform(message);
}

win::LRESULT TWinControl::Perform(TMessage& message) {
    BusyScope busy(this);
    WndProc(message);
    return message.Result;
}

MessageHandler TWinControl::BindMessage(win::UINT msg, MessageHandler handler) {
    MessageHandler previous = std::move(handlers_[msg]);
    handlers_[msg] = std::move(handler);
    return previous;
}

void TWinControl::WndProc(TMessage& message) {
    const auto found = handlers_.find(message.Msg);
    if (found != handlers_.end() && found->second) {
        const MessageHandler handler = found->second; // the handler may rebind its message
        handler(message);
    } else {
        DefaultHandler(message);
    }
}

void TWinControl::DefaultHandler(TMessage&) {}

void TWinControl::PaintNonClient(QPainter&) {}

void TWinControl::PaintWidget(QPainter& painter) {
    PaintNonClient(painter);
    painter.translate(ClientOrigin());
    // Only the children in the repainted area: a meter's tick repaints one lamp of forty.
    const QRect dirty = painter.hasClipping() ? painter.clipBoundingRect().toAlignedRect() : ClientRect();
    painter.save();
    Paint(painter);
    painter.restore();
    PaintChildrenWithoutWidget(painter, dirty);
}

void TWinControl::PaintChildrenWithoutWidget(QPainter& painter, const QRect& dirty) {
    for (TControl* control : graphicControls_) {
        if (control->Widget() || !control->Visible() || !dirty.intersects(control->BoundsRect())) continue;
        if (control->PaintIsSelfContained()) {
            // A meter's tick repaints dozens of lumis: the save, restore and clip cost more than the fill.
            painter.translate(control->Left(), control->Top());
            control->Paint(painter);
            painter.translate(-control->Left(), -control->Top());
            continue;
        }
        painter.save();
        painter.translate(control->Left(), control->Top());
        painter.setClipRect(control->ClientRect(), Qt::IntersectClip);
        control->Paint(painter);
        painter.restore();
    }
}

void TWinControl::InvalidateClientRect(const QRect& rect) {
    if (Widget()) RepaintBatch::Update(Widget(), rect.translated(ClientOrigin()));
}

void TWinControl::MoveChildWidgets() {
    ForEachControl([](TControl* control) { control->UpdateWidgetGeometry(); });
}

void TWinControl::ClientAreaChanged() {
    ForEachControl([](TControl* control) { control->UpdateWidgetGeometry(); });
    Realign();
    Invalidate();
}

void TWinControl::Loaded() {
    TControl::Loaded();
    Realign();
}

void TWinControl::BoundsChanged() {
    TControl::BoundsChanged();
    Realign();
}

void TWinControl::FontChanged() {
    TControl::FontChanged();
    ForEachControl([](TControl* control) {
        if (control->ParentFont()) control->AdoptParentFont();
    });
}

void TWinControl::ColorChanged() {
    TControl::ColorChanged();
    ForEachControl([](TControl* control) {
        if (control->ParentColor()) control->AdoptParentColor();
    });
}

void TWinControl::HintChanged() {
    TControl::HintChanged();
    ForEachControl([](TControl* control) {
        if (control->ParentShowHint()) control->HintChanged();
    });
}

} // namespace tk

namespace tk {

bool TWinControl::Focused() const { return Widget()->hasFocus(); }

void TWinControl::SetFocus() { Widget()->setFocus(Qt::OtherFocusReason); }

bool TWinControl::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Widget() && event->type() == QEvent::FocusIn)
        if (TForm* form = ParentForm()) RunFromQt([&] { form->SetFocusedControl(this); });
    return TControl::eventFilter(watched, event);
}

} // namespace tk
