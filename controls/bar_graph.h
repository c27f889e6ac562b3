#pragma once
// An LED bar: a lowered panel that stacks as many lumis as fit into its height, bottom (index 0) up,
// each overlapping the next by one pixel, and lights them from the bottom up to a level. The bar draws
// its lumis itself (a widget each made a meter slow to build). It never puts lumis out by itself; a
// level meter does that on its ticks. The lumis are its only children: a rebuild (new lumi height,
// loading, a height that no longer suits the count) places the lumis anew, in their colours for the
// new count, and frees any other child. It keeps the lit index, and the lumis below the new top keep
// their state, so that what is lit still matches what the ticks will put out.
#include "toolkit/panel.h"

#include <vector>

namespace controls {

class TLumi;

class TBarGraph : public tk::TPanel {
    Q_OBJECT
    Q_PROPERTY(int Level READ Level WRITE SetLevel)
    Q_PROPERTY(int LevelMax READ GetLevelMax WRITE SetLevelMax)
    Q_PROPERTY(int LumiHeight READ LumiHeight WRITE SetLumiHeight)
    Q_PROPERTY(tk::TColor LumiColor READ LumiColor WRITE SetLumiColor)
    Q_PROPERTY(bool _On READ On WRITE SetOn)

public:
    explicit TBarGraph(tk::TComponent* owner);

    // The last accepted level.
    int Level() const { return level_; }
    // A level above the full scale is ignored; one below the lit top lights nothing and puts nothing out.
    virtual void SetLevel(int value);
    virtual int GetLevelMax() const { return barScale_; }
    virtual void SetLevelMax(int value) { barScale_ = value; }

    int LumiHeight() const { return lumiHeight_; }
    // Rebuilds the bar. Throws tk::ERangeError below 2, where lumis would not stack.
    void SetLumiHeight(int value);
    // The lit colour of the lumis built from now on.
    tk::TColor LumiColor() const { return lumiColor_; }
    void SetLumiColor(tk::TColor color) { lumiColor_ = color; }

    bool On() const { return on_; }
    // True lights the whole bar; false sets level 0, which puts nothing out.
    void SetOn(bool on);

    int LumiCount() const { return int(lumis_.size()); }
    TLumi* Lumi(int index) const { return lumis_.at(std::size_t(index)); }
    // The highest lumi that a level lit, 0 at rest.
    int LitIndex() const { return litIndex_; }

    // Rebuilds the bar for its present height and lumi height. The lumis it already has are reused
    // (making a lumi costs far more than moving one, and a copy of a meter rebuilds twice while its
    // properties are set); surplus ones are freed.
    virtual void BuildLumis();
    // Frees every child but the first keep lumis.
    void DestroyLumis(int keep);
    void Loaded() override;

protected:
    // Keeps the lumis when the new height still suits their count, else rebuilds the bar.
    void Resize() override;
    // A repaint that only lumis cover (a tick's or a level's) leaves the panel under them alone.
    void Paint(QPainter& painter) override;
    // Only the lumis that reach into dirty, found from their order rather than by testing each.
    void PaintChildrenWithoutWidget(QPainter& painter, const QRect& dirty) override;
    // Lights the lumis up to the index that value reaches on the bar's scale.
    void ShowLevel(int value);
    // Indexes outside the bar are ignored.
    void SwitchLumi(int index, bool on) { SwitchLumis(index, index, on); }
    // Switches the lumis from..to, those inside the bar, and repaints them as one area.
    void SwitchLumis(int from, int to, bool on);
    // The lit colour of lumi index of count.
    virtual tk::TColor LumiColorAt(int /*index*/, int /*count*/) const { return lumiColor_; }

    int level_ = 0;        // the last accepted level, on the input scale
    int litIndex_ = 0;     // 0..LumiCount() - 1
    int barScale_ = 65535; // the full scale that levels are compared with

private:
    // Every lumi is shown and a plain rectangle, which the bar may draw in place.
    bool LumisArePlainRectangles() const;
    // The lumis paint every pixel of area.
    bool LumisCover(const QRect& area) const;

    std::vector<TLumi*> lumis_;
    int lumiHeight_ = 6; // pixels, 2 or more
    tk::TColor lumiColor_ = tk::clLime;
    bool on_ = false;
};

} // namespace controls
