#include "toolkit/scroll_box.h"

#include "toolkit/classic_paint.h"

#include <QPainter>
#include <QWidget>
#include <QScrollBar>
#include <algorithm>

namespace tk {

TControlScrollBar::TControlScrollBar(TScrollBox* box, Qt::Orientation orientation)
    : box_(box), bar_(new QScrollBar(orientation, box->Widget())) {
    bar_->hide();
    bar_->setSingleStep(increment_);
    connect(bar_, &QScrollBar::valueChanged, this, [this] { box_->Scrolled(); });
}

void TControlScrollBar::SetIncrement(int increment) {
    increment_ = std::max(1, increment);
    bar_->setSingleStep(increment_);
}

void TControlScrollBar::SetMargin(int margin) {
    margin_ = std::max(0, margin);
    box_->UpdateScrollBars();
}

int TControlScrollBar::Position() const { return bar_->value(); }

void TControlScrollBar::SetPosition(int position) { bar_->setValue(position); }

void TControlScrollBar::SetVisible(bool visible) {
    visible_ = visible;
    box_->UpdateScrollBars();
}

bool TControlScrollBar::IsScrollBarVisible() const { return !bar_->isHidden(); }

void TControlScrollBar::Update(int range, int clientExtent, QRect barRect) {
    range_ = range;
    const bool shown = visible_ && range > clientExtent;
    bar_->setRange(0, shown ? range - clientExtent : 0);
    bar_->setPageStep(std::max(1, clientExtent));
    bar_->setGeometry(barRect);
    bar_->setVisible(shown);
    if (shown) bar_->raise();
}

TScrollBox::TScrollBox(TComponent* owner)
    : TWinControl(owner), horz_(std::make_unique<TControlScrollBar>(this, Qt::Horizontal)),
      vert_(std::make_unique<TControlScrollBar>(this, Qt::Vertical)) {
    Widget()->setAttribute(Qt::WA_OpaquePaintEvent);
    SetBounds(0, 0, 185, 41);
}

TScrollBox::~TScrollBox() = default;

void TScrollBox::SetBorderStyle(TBorderStyle style) {
    if (style == borderStyle_) return;
    borderStyle_ = style;
    ClientAreaChanged();
    UpdateScrollBars();
}

QMargins TScrollBox::NonClientMargins() const {
    return borderStyle_ == TBorderStyle::bsSingle ? QMargins(2, 2, 2, 2) : QMargins();
}

int TScrollBox::ClientWidth() const {
    return std::max(0, TWinControl::ClientWidth() - (vert_ && vert_->IsScrollBarVisible() ? kScrollBarSize : 0));
}

int TScrollBox::ClientHeight() const {
    return std::max(0, TWinControl::ClientHeight() - (horz_ && horz_->IsScrollBarVisible() ? kScrollBarSize : 0));
}

QPoint TScrollBox::ClientOrigin() const {
    const QPoint origin = TWinControl::ClientOrigin();
    if (!horz_) return origin;
    return origin - QPoint(horz_->Position(), vert_->Position());
}

QRect TScrollBox::AlignRect() const {
    const QRect client = TWinControl::AlignRect();
    if (!horz_) return client;
    return QRect(client.topLeft(), QSize(std::max(client.width(), horz_->Range()),
                                         std::max(client.height(), vert_->Range())));
}

void TScrollBox::Loaded() {
    TWinControl::Loaded();
    UpdateScrollBars();
}

void TScrollBox::BoundsChanged() {
    TWinControl::BoundsChanged();
    UpdateScrollBars();
}

void TScrollBox::ChildBoundsChanged(TControl*) { UpdateScrollBars(); }

void TScrollBox::UpdateScrollBars() {
    if (updating_ || IsLoading() || !horz_ || !vert_) return;
    updating_ = true;
    const QSize ranges(horz_->Range(), vert_->Range());
    int right = 0;
    int bottom = 0;
    for (int i = 0; i < ControlCount(); ++i) {
        const TControl* child = Controls(i);
        if (!child->Visible() || child->Align() != TAlign::alNone) continue;
        right = std::max(right, child->Left() + child->Width());
        bottom = std::max(bottom, child->Top() + child->Height());
    }
    const QMargins margins = NonClientMargins();
    const QRect inner = Widget()->rect().marginsRemoved(margins);
    // The horizontal bar first: it takes height that may make the vertical one needed.
    horz_->Update(right + horz_->Margin(), inner.width(),
                  QRect(inner.left(), inner.bottom() - kScrollBarSize + 1, inner.width(), kScrollBarSize));
    vert_->Update(bottom + vert_->Margin(), ClientHeight(),
                  QRect(inner.right() - kScrollBarSize + 1, inner.top(), kScrollBarSize, ClientHeight()));
    updating_ = false;
    if (ranges != QSize(horz_->Range(), vert_->Range())) Realign();
    Scrolled();
}

void TScrollBox::Scrolled() {
    MoveChildWidgets();
    Invalidate();
}

void TScrollBox::PaintNonClient(QPainter& painter) {
    if (borderStyle_ == TBorderStyle::bsNone) return;
    QRect rect = Widget()->rect();
    Frame3D(painter, rect, clBtnShadow, clBtnHighlight, 1);
    Frame3D(painter, rect, cl3DDkShadow, cl3DLight, 1);
}

void TScrollBox::Paint(QPainter& painter) {
    // The painter is moved with the scroll position; the background covers the whole content.
    painter.fillRect(QRect(QPoint(0, 0), QSize(std::max(Width(), horz_->Range()) + 2 * kScrollBarSize,
                                               std::max(Height(), vert_->Range()) + 2 * kScrollBarSize)),
                     ToQColor(Color()));
}

} // namespace tk
