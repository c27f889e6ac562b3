#include "controls/bar_graph.h"

#include "controls/lumi.h"
#include "controls/round_even.h"
#include "toolkit/errors.h"

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
    for (int i = litIndex_; i <= target; ++i) SwitchLumi(i, true);
    litIndex_ = target;
}

void TBarGraph::SwitchLumi(int index, bool on) {
    if (index >= 0 && index < LumiCount()) lumis_[std::size_t(index)]->SetOn(on);
}

void TBarGraph::SetOn(bool on) {
    SetLevel(on ? GetLevelMax() : 0);
    on_ = on;
}

void TBarGraph::SetLumiHeight(int value) {
    if (value < 2) throw tk::ERangeError(QStringLiteral("Wert für LumiHeight muss mindestens 2 sein"));
    DestroyLumis();
    lumiHeight_ = value;
    BuildLumis();
}

void TBarGraph::BuildLumis() {
    const int step = lumiHeight_ - 1;
    const int count = Height() / step;
    const int width = Width() - 3;
    int top = Height() - lumiHeight_ - 2;
    lumis_.reserve(std::size_t(std::max(0, count)));
    for (int i = 0; i < count; ++i) {
        auto* lumi = new TLumi(this);
        lumi->SetBounds(1, top, width, lumiHeight_);
        lumi->SetColorOn(lumiColor_);
        lumi->SetParent(this);
        lumis_.push_back(lumi);
        top -= step;
    }
    // A rebuild keeps the lit index, but never one past the new top.
    litIndex_ = std::clamp(litIndex_, 0, std::max(0, count - 1));
}

void TBarGraph::DestroyLumis() {
    lumis_.clear();
    while (ControlCount() > 0) {
        tk::TControl* child = Controls(0);
        child->SetParent(nullptr); // gone from the bar even if its freeing has to wait
        child->Free();
    }
}

void TBarGraph::Loaded() {
    TPanel::Loaded();
    DestroyLumis();
    BuildLumis();
}

void TBarGraph::Resize() {
    const int count = LumiCount();
    const int step = lumiHeight_ - 1;
    if (Height() >= (count + 1) * step + 2 || Height() < count * step + 2) {
        DestroyLumis();
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
