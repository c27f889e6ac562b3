#include "controls/bar_graph.h"

#include "controls/lumi.h"
#include "controls/round_even.h"
#include "toolkit/errors.h"

#include <QPainter>
#include <algorithm>

namespace controls {

TBarGraph::TBarGraph(tk::TComponent* owner) : TPanel(owner) {
    SetBevelOuter(tk::TBevelCut::bvLowered);
    SetBounds(Left(), Top(), 18, 164);
}

void TBarGraph::SetLevel(int value) {
    if (value > barScale_) return;
    level_ = value;
    ShowLevel(value);
}

void TBarGraph::ShowLevel(int value) {
    const int target = RoundEven(double(value) / barScale_ * (LumiCount() - 1));
    if (target <= litIndex_) return;
    SwitchLumis(litIndex_, target, true);
    litIndex_ = target;
}

void TBarGraph::SwitchLumis(int from, int to, bool on) {
    QRect changed;
    for (int i = std::max(from, 0); i <= std::min(to, LumiCount() - 1); ++i) {
        TLumi* lumi = lumis_[std::size_t(i)];
        if (lumi->Switch(on)) changed |= lumi->BoundsRect();
    }
    if (!changed.isEmpty()) InvalidateClientRect(changed);
}

void TBarGraph::SetOn(bool on) {
    SetLevel(on ? GetLevelMax() : 0);
    on_ = on;
}

void TBarGraph::SetLumiHeight(int value) {
    if (value < 2) throw tk::ERangeError(QStringLiteral("Wert für LumiHeight muss mindestens 2 sein"));
    lumiHeight_ = value;
    BuildLumis();
}

void TBarGraph::BuildLumis() {
    const int step = lumiHeight_ - 1;
    const int count = std::max(0, Height() / step);
    DestroyLumis(count);
    const int width = Width() - 3;
    int top = Height() - lumiHeight_ - 2;
    for (int i = 0; i < count; ++i, top -= step) {
        if (i == LumiCount()) {
            lumis_.push_back(new TLumi(this, tk::TSurface::parentWidget));
            lumis_.back()->SetParent(this);
        }
        TLumi* lumi = lumis_[std::size_t(i)];
        const bool wasOn = lumi->On();
        lumi->SetOn(false);
        lumi->SetColorOn(LumiColorAt(i, count));
        lumi->SetBounds(1, top, width, lumiHeight_);
        lumi->SetOn(wasOn); // lit in its new colour
    }
    // A rebuild keeps the lit index, but never one past the new top.
    litIndex_ = std::clamp(litIndex_, 0, std::max(0, count - 1));
}

void TBarGraph::DestroyLumis(int keep) {
    for (int i = ControlCount() - 1; i >= 0; --i) {
        tk::TControl* child = Controls(i);
        if (std::find(lumis_.begin(), lumis_.end(), child) != lumis_.end()) continue;
        child->SetParent(nullptr);
        child->Free();
    }
    while (LumiCount() > std::max(keep, 0)) {
        TLumi* surplus = lumis_.back();
        lumis_.pop_back();
        surplus->SetParent(nullptr); // gone from the bar even if its freeing has to wait
        surplus->Free();
    }
}

// Scaled, the lumis snap their edges to device pixels and may leave a sliver of the panel showing.
void TBarGraph::Paint(QPainter& painter) {
    const bool unscaled = painter.deviceTransform().type() <= QTransform::TxTranslate;
    if (!unscaled || !painter.hasClipping() || !LumisCover(painter.clipBoundingRect().toAlignedRect()))
        TPanel::Paint(painter);
}

bool TBarGraph::LumisArePlainRectangles() const {
    for (const TLumi* lumi : lumis_)
        if (!lumi->Visible() || !lumi->PaintIsSelfContained()) return false;
    return true;
}

// The lumis stand one on the next, so together they cover the rectangle from the lowest to the highest.
bool TBarGraph::LumisCover(const QRect& area) const {
    if (lumis_.empty() || !LumisArePlainRectangles()) return false;
    return (lumis_.front()->BoundsRect() | lumis_.back()->BoundsRect()).contains(area);
}

// The lumis are the bar's only children, index 0 at the bottom and each higher than the one before.
void TBarGraph::PaintChildrenWithoutWidget(QPainter& painter, const QRect& dirty) {
    if (!LumisArePlainRectangles()) return TPanel::PaintChildrenWithoutWidget(painter, dirty);
    for (const TLumi* lumi : lumis_) {
        const QRect bounds = lumi->BoundsRect();
        if (bounds.bottom() < dirty.top()) break; // this one and all above it lie over dirty
        if (bounds.top() <= dirty.bottom()) lumi->PaintRectangleAt(painter, bounds.topLeft());
    }
}

void TBarGraph::Loaded() {
    TPanel::Loaded();
    BuildLumis();
}

void TBarGraph::Resize() {
    const int count = LumiCount();
    const int step = lumiHeight_ - 1;
    if (Height() >= (count + 1) * step + 2 || Height() < count * step + 2) {
        BuildLumis();
        SetOn(on_);
    } else {
        int top = Height() - lumiHeight_ - 2;
        for (int i = 0; i < ControlCount(); ++i, top -= step) Controls(i)->SetTop(top);
    }
    for (int i = 0; i < ControlCount(); ++i) Controls(i)->SetWidth(Width() - 3);
    TPanel::Resize();
}

} // namespace controls
