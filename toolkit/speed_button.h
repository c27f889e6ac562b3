#pragma once
// Speed buttons: flat-faced buttons drawn on the parent. A button with GroupIndex 0 springs back up; the
// buttons of a parent that share a GroupIndex form a group of which at most one is down, and a down
// button of a group goes up again only when the group allows all up.
#include "toolkit/control.h"

namespace tk {

class TSpeedButton : public TGraphicControl {
    Q_OBJECT
    Q_PROPERTY(tk::TAlign Align READ Align WRITE SetAlign)
    Q_PROPERTY(bool AllowAllUp READ AllowAllUp WRITE SetAllowAllUp)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(tk::TCursor Cursor READ Cursor WRITE SetCursor)
    Q_PROPERTY(int GroupIndex READ GroupIndex WRITE SetGroupIndex)
    Q_PROPERTY(bool Down READ Down WRITE SetDown)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(bool Flat READ Flat WRITE SetFlat)
    Q_PROPERTY(tk::TFont* Font READ Font WRITE SetFont)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(tk::TButtonLayout Layout READ Layout WRITE SetLayout)
    Q_PROPERTY(int Margin READ Margin WRITE SetMargin)
    Q_PROPERTY(int NumGlyphs READ NumGlyphs WRITE SetNumGlyphs)
    Q_PROPERTY(bool ParentFont READ ParentFont WRITE SetParentFont)
    Q_PROPERTY(bool ParentShowHint READ ParentShowHint WRITE SetParentShowHint)
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint)
    Q_PROPERTY(int Spacing READ Spacing WRITE SetSpacing)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_PROPERTY(tk::TNotifyEvent OnClick READ OnClick WRITE SetOnClick)
    Q_PROPERTY(tk::TNotifyEvent OnDblClick READ OnDblClick WRITE SetOnDblClick)
    Q_PROPERTY(tk::TMouseEvent OnMouseDown READ OnMouseDown WRITE SetOnMouseDown)
    Q_PROPERTY(tk::TMouseMoveEvent OnMouseMove READ OnMouseMove WRITE SetOnMouseMove)
    Q_PROPERTY(tk::TMouseEvent OnMouseUp READ OnMouseUp WRITE SetOnMouseUp)

public:
    explicit TSpeedButton(TComponent* owner);

    bool Down() const { return down_; }
    // Applies the group rules; going down releases the other buttons of the group. Runs no event.
    void SetDown(bool down);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int groupIndex);
    // Shared by the whole group.
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool allowAllUp);
    bool Flat() const { return flat_; }
    void SetFlat(bool flat);
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout layout);
    int Margin() const { return margin_; }
    void SetMargin(int margin);
    int Spacing() const { return spacing_; }
    void SetSpacing(int spacing);
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int numGlyphs);

    void Paint(QPainter& painter) override;

protected:
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    // Toggles or sets the state by the group rules, then clicks, when released inside.
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    bool ClicksOnRelease() const override { return false; }

private:
    template <class F> void ForEachInGroup(F&& function) const;
    // Down changed: repaint and tell screen readers.
    void DownChanged();

    bool down_ = false;
    bool pressed_ = false; // the left button went down on it and is not yet released
    int groupIndex_ = 0;   // 0: no group
    bool allowAllUp_ = false;
    bool flat_ = false;
    TButtonLayout layout_ = TButtonLayout::blGlyphLeft;
    int margin_ = -1;  // pixels from the edge to the glyph, -1 centres it
    int spacing_ = 4;  // pixels between glyph and caption, -1 centres them
    int numGlyphs_ = 1; // images in the glyph bitmap, 1 to 4
};

} // namespace tk
