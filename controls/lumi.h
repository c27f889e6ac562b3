#pragma once
// One LED of a bar graph: a rectangle with a black frame, filled with ColorOn when lit and ColorOff when
// dark. A new colour shows at the lumi's next switch, not before.
// On a screen with a scaled logical pixel (1.5 or 2 device pixels) the frame lines are snapped to whole
// device pixels by one rule (toolkit/device_pixel_frame.h): every frame line floor(scale) device
// pixels thick, so the gaps between the lumis of every bar are one width and the fills differ by one
// device pixel at most.
#include "toolkit/shape.h"

namespace controls {

class TLumi : public tk::TShape {
    Q_OBJECT
    Q_PROPERTY(tk::TColor ColorOn READ ColorOn WRITE SetColorOn)
    Q_PROPERTY(tk::TColor ColorOff READ ColorOff WRITE SetColorOff)
    Q_PROPERTY(tk::TColor ColorFrame READ ColorFrame WRITE SetColorFrame)
    Q_PROPERTY(bool Frame READ Frame WRITE SetFrame)
    Q_PROPERTY(bool _On READ On WRITE SetOn)

public:
    explicit TLumi(tk::TComponent* owner, tk::TSurface surface = tk::TSurface::ownWidget);

    tk::TColor ColorOn() const { return colorOn_; }
    void SetColorOn(tk::TColor color) { colorOn_ = color; }
    tk::TColor ColorOff() const { return colorOff_; }
    void SetColorOff(tk::TColor color) { colorOff_ = color; }
    // Kept for the form descriptions; the drawing does not use them.
    tk::TColor ColorFrame() const { return colorFrame_; }
    void SetColorFrame(tk::TColor color) { colorFrame_ = color; }
    bool Frame() const { return frame_; }
    void SetFrame(bool frame) { frame_ = frame; }

    bool On() const { return on_; }
    // Repaints the lumi only when its state changes.
    void SetOn(bool on);
    // Changes the state without repainting, for a bar that repaints a run of lumis at once. True when
    // the state changed.
    bool Switch(bool on);

    void Paint(QPainter& painter) override;
    // The plain rectangle drawn with its top left corner at topLeft of the painter, for a bar that draws
    // its lumis without moving the painter to each.
    void PaintRectangleAt(QPainter& painter, QPoint topLeft) const;
    bool PaintIsSelfContained() const override { return Shape() == tk::TShapeType::stRectangle; }

private:
    tk::TColor colorOn_ = tk::clLime;
    tk::TColor colorOff_ = tk::clGray;
    tk::TColor colorFrame_;
    bool frame_ = true;
    bool on_ = false;
};

} // namespace controls
