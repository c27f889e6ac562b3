#pragma once
// A control: a component that is shown in a parent's client area through a Qt widget of its own, at
// absolute pixel positions. Non-windowed controls (labels, bevels, images) and windowed controls
// (panels, check boxes, buttons, forms) differ in their parent's child order and stacking. A
// non-windowed control may also do without a widget and be drawn by its parent.
#include "toolkit/color.h"
#include "toolkit/component.h"
#include "toolkit/event.h"
#include "toolkit/font.h"
#include "toolkit/types.h"

#include <QPoint>
#include <QRect>

class QPainter;
class QWidget;

namespace tk {

class TForm;
class TWinControl;

class TControl : public TComponent {
    Q_OBJECT
    Q_PROPERTY(int Left READ Left WRITE SetLeft)
    Q_PROPERTY(int Top READ Top WRITE SetTop)
    Q_PROPERTY(int Width READ Width WRITE SetWidth)
    Q_PROPERTY(int Height READ Height WRITE SetHeight)

public:
    ~TControl() override;

    // nullptr for a control drawn by its parent.
    QWidget* Widget() const { return widget_; }
    // The control that widget belongs to, nullptr for a widget of no control.
    static TControl* OfWidget(const QObject* widget);
    virtual bool IsWindowed() const { return false; }

    TWinControl* Parent() const { return parent_; }
    virtual void SetParent(TWinControl* parent);
    TComponent* ParentComponent() const override;
    void SetParentComponent(TComponent* parent) override;
    // The form that shows this control, or the control itself when it is a form.
    TForm* ParentForm() const;

    // Pixels in the parent's client area.
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int left) { SetBounds(left, top_, width_, height_); }
    void SetTop(int top) { SetBounds(left_, top, width_, height_); }
    void SetWidth(int width) { SetBounds(left_, top_, width, height_); }
    void SetHeight(int height) { SetBounds(left_, top_, width_, height); }
    virtual void SetBounds(int left, int top, int width, int height);
    QRect BoundsRect() const { return QRect(left_, top_, width_, height_); }
    virtual int ClientWidth() const { return width_; }
    virtual int ClientHeight() const { return height_; }
    QRect ClientRect() const { return QRect(0, 0, ClientWidth(), ClientHeight()); }

    TAlign Align() const { return align_; }
    void SetAlign(TAlign align);

    bool Visible() const { return visible_; }
    virtual void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible, and so are all its parents up to a form that is shown.
    virtual bool Showing() const;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    const QString& Caption() const { return caption_; }
    void SetCaption(const QString& caption);

    TFont* Font() const { return font_.get(); }
    // Takes the values of font; the control keeps its own font object.
    void SetFont(TFont* font);
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool parentFont);

    TColor Color() const { return color_; }
    void SetColor(TColor color);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool parentColor);

    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor cursor);

    const QString& Hint() const { return hint_; }
    void SetHint(const QString& hint);
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool showHint);
    bool ParentShowHint() const { return parentShowHint_; }
    void SetParentShowHint(bool parentShowHint);

    const TNotifyEvent& OnClick() const { return onClick_; }
    void SetOnClick(const TNotifyEvent& event) { onClick_ = event; }
    const TNotifyEvent& OnDblClick() const { return onDblClick_; }
    void SetOnDblClick(const TNotifyEvent& event) { onDblClick_ = event; }
    const TMouseEvent& OnMouseDown() const { return onMouseDown_; }
    void SetOnMouseDown(const TMouseEvent& event) { onMouseDown_ = event; }
    const TMouseEvent& OnMouseUp() const { return onMouseUp_; }
    void SetOnMouseUp(const TMouseEvent& event) { onMouseUp_ = event; }
    const TMouseMoveEvent& OnMouseMove() const { return onMouseMove_; }
    void SetOnMouseMove(const TMouseMoveEvent& event) { onMouseMove_ = event; }
    const TNotifyEvent& OnResize() const { return onResize_; }
    void SetOnResize(const TNotifyEvent& event) { onResize_ = event; }

    // Runs OnClick, as a click of the user does.
    virtual void Click();

    // What screen readers are told where the class and the caption do not say it: a name for a
    // control without a caption of its own, and whether the control is only a part of another one (a
    // fader's knob), which keeps it and everything in it out of the accessible tree.
    const QString& AccessibleName() const { return accessibleName_; }
    void SetAccessibleName(const QString& name);
    bool AccessibilityHidden() const { return accessibilityHidden_; }
    void SetAccessibilityHidden(bool hidden) { accessibilityHidden_ = hidden; }

    // Repaints the control when Qt next paints.
    void Invalidate();
    // Draws the control's client area; painted controls override it.
    virtual void Paint(QPainter& painter);
    // True when Paint draws only inside the control's bounds and leaves the painter as it found it: a
    // parent that draws the control may then spare the clip and the save and restore around it.
    virtual bool PaintIsSelfContained() const { return false; }

    void Loaded() override;

protected:
    // widget becomes the control's own; the control frees it. Without one the parent draws it.
    TControl(TComponent* owner, QWidget* widget);

    // Called after the matching property changed.
    virtual void BoundsChanged() {}
    // The size changed; runs OnResize unless loading.
    virtual void Resize();
    virtual void TextChanged();
    virtual void FontChanged();
    virtual void ColorChanged();
    virtual void VisibleChanged() {}
    virtual void HintChanged();

    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void DblClick();
    // Whether a left-button release inside a self-drawn control runs Click; controls that decide on
    // their own click in MouseUp say no.
    virtual bool ClicksOnRelease() const { return true; }

    // Paints the whole widget; windowed controls add their border around Paint.
    virtual void PaintWidget(QPainter& painter) { Paint(painter); }
    // Moves the widget to the control's bounds; forms place themselves on the screen.
    virtual void UpdateWidgetGeometry();
    // Shows or hides the widget; a control without parent stays hidden rather than become a window.
    virtual void UpdateWidgetVisibility();
    bool EffectiveShowHint() const;
    // The display text of the caption in the control's font.
    QString DisplayText(const QString& text) const;

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class TWinControl;
    friend class CanvasWidget;
    void AdoptParentFont();
    void AdoptParentColor();
    void ApplyFontAndColorToWidget();
    void RequestParentAlign();
    void HandleWidgetMouse(QEvent* event);
    void ReleaseWidget();
    // A control drawn by its parent: its area needs painting again.
    void InvalidateOnParent();
    // Tells a listening screen reader that the control's accessible name changed.
    void AnnounceNameChange();

    QWidget* widget_;
    TWinControl* parent_ = nullptr;
    int left_ = 0;
    int top_ = 0;
    int width_ = 0;
    int height_ = 0;
    TAlign align_ = TAlign::alNone;
    bool visible_ = true;
    bool enabled_ = true;
    QString caption_;
    std::unique_ptr<TFont> font_;
    bool parentFont_ = true;
    bool adoptingFont_ = false;
    TColor color_ = clBtnFace;
    bool parentColor_ = true;
    TCursor cursor_ = TCursor::crDefault;
    QString hint_;
    bool showHint_ = false;
    bool parentShowHint_ = true;
    QString accessibleName_; // empty: the caption names the control
    bool accessibilityHidden_ = false;
    TNotifyEvent onClick_;
    TNotifyEvent onDblClick_;
    TMouseEvent onMouseDown_;
    TMouseEvent onMouseUp_;
    TMouseMoveEvent onMouseMove_;
    TNotifyEvent onResize_;
};

// Where a control without a window of its own is drawn. Drawn by its parent it costs a small
// fraction of a widget to make and place, which counts for the many lamps of a meter, but it lies
// below all of the parent's widgets and takes no mouse input and no hint; only parents that draw
// themselves (panels, group boxes, scroll boxes) draw such children, forms do not.
enum class TSurface { ownWidget, parentWidget };

// A control without a window of its own: drawn on its parent, below the parent's windowed controls.
class TGraphicControl : public TControl {
    Q_OBJECT

protected:
    explicit TGraphicControl(TComponent* owner, TSurface surface = TSurface::ownWidget);
};

} // namespace tk
