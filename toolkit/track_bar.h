#pragma once
// Track bars: a thumb that slides over a range of whole positions, with tick marks along the bar.
// OnChange runs on every change of Position, by the user or by code, except while the form is being
// loaded; a drag runs it once per position passed.
#include "toolkit/win_control.h"

class QSlider;

namespace tk {

class TTrackBar : public TWinControl {
    Q_OBJECT
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(int Frequency READ Frequency WRITE SetFrequency)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(int Max READ Max WRITE SetMax)
    Q_PROPERTY(int Min READ Min WRITE SetMin)
    Q_PROPERTY(int PageSize READ PageSize WRITE SetPageSize)
    Q_PROPERTY(bool ParentShowHint READ ParentShowHint WRITE SetParentShowHint)
    Q_PROPERTY(int Position READ Position WRITE SetPosition)
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint)
    Q_PROPERTY(tk::TTickMark TickMarks READ TickMarks WRITE SetTickMarks)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_PROPERTY(tk::TNotifyEvent OnChange READ OnChange WRITE SetOnChange)

public:
    explicit TTrackBar(TComponent* owner);

    // A range that leaves out the position moves the position into it, without OnChange.
    int Min() const { return min_; }
    void SetMin(int min);
    int Max() const { return max_; }
    void SetMax(int max);
    int Position() const { return position_; }
    // Clamped to Min..Max.
    void SetPosition(int position);
    // Positions moved by Page Up and Page Down or a click beside the thumb.
    int PageSize() const { return pageSize_; }
    void SetPageSize(int pageSize);
    // Positions from one tick mark to the next; 0 shows none.
    int Frequency() const { return frequency_; }
    void SetFrequency(int frequency);
    TTickMark TickMarks() const { return tickMarks_; }
    void SetTickMarks(TTickMark marks);

    const TNotifyEvent& OnChange() const { return onChange_; }
    void SetOnChange(const TNotifyEvent& event) { onChange_ = event; }

private:
    QSlider* Slider() const;
    void ApplyRange();

    int min_ = 0;
    int max_ = 10;
    int position_ = 0;
    int pageSize_ = 2;
    int frequency_ = 1;
    TTickMark tickMarks_ = TTickMark::tmBottomRight;
    bool applying_ = false; // the slider follows code, not the user
    TNotifyEvent onChange_;
};

} // namespace tk
