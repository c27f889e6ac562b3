#pragma once
// The vertical fader of the channel strips. The control itself is the track, 4 pixels wide; the knob is
// a panel of its own that lies in the track's parent, beside the track, and is dragged with the mouse.
// Position runs from Min at the bottom to Max at the top; every applied position runs OnChange, also
// when it did not change. There is no keyboard or wheel handling, and a click on the track does nothing.
//
// The knob joins the parent when the fader is set up: in Loaded when it was read from a form
// description, else at its first paint (a copy made at run time). Until then it is not shown.
#include "toolkit/check_box.h"
#include "toolkit/panel.h"

#include <QPointer>

namespace tk {
class TBevel;
}

namespace controls {

class TSlider : public tk::TCustomPanel {
    Q_OBJECT
    Q_PROPERTY(tk::TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(int Min READ Min WRITE SetMin)
    Q_PROPERTY(int Max READ Max WRITE SetMax)
    Q_PROPERTY(int Position READ Position WRITE SetPosition)
    Q_PROPERTY(int BtnHeight READ BtnHeight WRITE SetBtnHeight)
    Q_PROPERTY(int BtnWidth READ BtnWidth WRITE SetBtnWidth)
    Q_PROPERTY(int MoveRestriction READ MoveRestriction WRITE SetMoveRestriction)
    Q_PROPERTY(int Number READ Number WRITE SetNumber)
    Q_PROPERTY(tk::TCheckBox* LinkCheck READ LinkCheck WRITE SetLinkCheck)
    Q_PROPERTY(tk::TNotifyEvent OnChange READ OnChange WRITE SetOnChange)

public:
    static constexpr int kTrackWidth = 4;

    explicit TSlider(tk::TComponent* owner);

    int Min() const { return min_; }
    int Max() const { return max_; }
    int Position() const { return position_; }
    // Re-apply the present position under the present bounds (OnChange runs), then store the bound.
    // The new bound takes effect at the next position update. Throws tk::ERangeError, storing
    // nothing, when the position lies outside the present bounds.
    void SetMin(int value);
    void SetMax(int value);
    // Clamped to Min..Max, then applied.
    void SetPosition(int value);

    int BtnHeight() const { return btnHeight_; }
    int BtnWidth() const { return btnWidth_; }
    int MoveRestriction() const { return moveRestriction_; }
    // These keep Position and do not run OnChange.
    void SetBtnHeight(int value);
    void SetBtnWidth(int value);
    void SetMoveRestriction(int value);

    // For the owner's use: the channel number and the box that links the fader with its partner.
    int Number() const { return number_; }
    void SetNumber(int value) { number_ = value; }
    tk::TCheckBox* LinkCheck() const { return linkCheck_.data(); }
    void SetLinkCheck(tk::TCheckBox* box) { linkCheck_ = box; }

    const tk::TNotifyEvent& OnChange() const { return onChange_; }
    void SetOnChange(const tk::TNotifyEvent& event) { onChange_ = event; }

    // The knob panel, in the parent once the fader is set up.
    tk::TPanel* Knob() const { return knob_; }
    bool IsSetUp() const { return setUp_; }
    // Pixels between the knob and the bottom end of its travel, 0 (Min) to Travel() (Max).
    int KnobOffset() const { return knobOffset_; }
    int Travel() const { return travel_; }

    void SetParent(tk::TWinControl* parent) override;
    void Loaded() override;
    void Paint(QPainter& painter) override;

protected:
    // Width goes back to 4; the knob keeps its relative place.
    void Resize() override;
    void BoundsChanged() override;

private:
    void CreateKnob();
    void SetUp();
    // The one place where Position, knob offset and knob come together.
    void ApplyRatio(double ratio);
    // Screen readers follow the position.
    void NotifyValueChanged();
    double RatioFromPosition() const;
    double RatioFromKnobOffset() const;
    int KnobLeft() const;
    int KnobTop() const;
    // After a change of the travel: same ratio, new offset, knob moved.
    void FitKnobToTravel();
    void PlaceKnobMark();

    void KnobMouseDown(tk::TComponent*, tk::TMouseButton, tk::TShiftState, int x, int y);
    void KnobMouseUp(tk::TComponent*, tk::TMouseButton, tk::TShiftState, int x, int y);
    void KnobMouseMove(tk::TComponent*, tk::TShiftState, int x, int y);

    tk::TPanel* knob_ = nullptr;
    tk::TBevel* knobMark_ = nullptr;
    int min_ = 0;
    int max_ = 100;
    int position_ = 0;         // Min..Max once applied
    int btnHeight_ = 14;       // pixels
    int btnWidth_ = 24;        // pixels
    int moveRestriction_ = 4;  // pixels kept free at each end of the track
    int number_ = 0;
    QPointer<tk::TCheckBox> linkCheck_;
    tk::TNotifyEvent onChange_;
    int travel_ = 0;     // pixels, Height - 2 x MoveRestriction
    int knobOffset_ = 0; // pixels, 0..travel
    double ratio_ = 0.0; // 0.0 (Min) .. 1.0 (Max)
    bool setUp_ = false;
    bool dragging_ = false;
    int grabY_ = 0; // pixels in the knob where the button went down
};

} // namespace controls
