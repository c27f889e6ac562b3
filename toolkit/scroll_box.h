#pragma once
// Scroll boxes: a container whose children may extend beyond its client area; a scroll bar appears
// when they do and moves them. The range is the rightmost (lowest) edge of the children that are not
// aligned, plus the bar's margin; aligned children span the whole range, so that a band aligned to the
// top scrolls with the content under it.
#include "toolkit/win_control.h"

class QScrollBar;

namespace tk {

class TScrollBox;

class TControlScrollBar : public QObject {
    Q_OBJECT
    Q_PROPERTY(int Increment READ Increment WRITE SetIncrement)
    Q_PROPERTY(int Margin READ Margin WRITE SetMargin)
    Q_PROPERTY(int Position READ Position WRITE SetPosition)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)

public:
    TControlScrollBar(TScrollBox* box, Qt::Orientation orientation);

    int Increment() const { return increment_; }
    void SetIncrement(int increment);
    int Margin() const { return margin_; }
    void SetMargin(int margin);
    // Pixels scrolled, 0 up to Range minus the client extent.
    int Position() const;
    void SetPosition(int position);
    // May the bar appear at all.
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    // Pixels of content, the margin included.
    int Range() const { return range_; }
    // Shown now: allowed and the content does not fit.
    bool IsScrollBarVisible() const;

private:
    friend class TScrollBox;
    void Update(int range, int clientExtent, QRect barRect);

    TScrollBox* box_;
    QScrollBar* bar_;
    int increment_ = 8; // pixels per arrow click
    int margin_ = 0;    // pixels kept free after the last child
    int range_ = 0;
    bool visible_ = true;
};

class TScrollBox : public TWinControl {
    Q_OBJECT
    Q_PROPERTY(tk::TAlign Align READ Align WRITE SetAlign)
    Q_PROPERTY(tk::TBorderStyle BorderStyle READ BorderStyle WRITE SetBorderStyle)
    Q_PROPERTY(tk::TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(tk::TFont* Font READ Font WRITE SetFont)
    Q_PROPERTY(tk::TControlScrollBar* HorzScrollBar READ HorzScrollBar)
    Q_PROPERTY(bool ParentColor READ ParentColor WRITE SetParentColor)
    Q_PROPERTY(bool ParentFont READ ParentFont WRITE SetParentFont)
    Q_PROPERTY(tk::TControlScrollBar* VertScrollBar READ VertScrollBar)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_PROPERTY(tk::TNotifyEvent OnResize READ OnResize WRITE SetOnResize)

public:
    static constexpr int kScrollBarSize = 16; // pixels, the classic bar's thickness

    explicit TScrollBox(TComponent* owner);
    ~TScrollBox() override;

    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle style);
    TControlScrollBar* HorzScrollBar() const { return horz_.get(); }
    TControlScrollBar* VertScrollBar() const { return vert_.get(); }

    // Less the scroll bars that are shown.
    int ClientWidth() const override;
    int ClientHeight() const override;
    // Moved by the scroll positions.
    QPoint ClientOrigin() const override;
    // The client area widened to the scroll ranges.
    QRect AlignRect() const override;
    void Paint(QPainter& painter) override;
    void Loaded() override;

    // Measures the children again and shows or hides the bars.
    void UpdateScrollBars();

protected:
    QMargins NonClientMargins() const override;
    void PaintNonClient(QPainter& painter) override;
    void BoundsChanged() override;
    void ChildBoundsChanged(TControl* child) override;

private:
    friend class TControlScrollBar;
    void Scrolled();

    std::unique_ptr<TControlScrollBar> horz_;
    std::unique_ptr<TControlScrollBar> vert_;
    TBorderStyle borderStyle_ = TBorderStyle::bsSingle;
    bool updating_ = false;
};

} // namespace tk
