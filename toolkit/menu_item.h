#pragma once
// Menu items as components: a caption, a check mark and OnClick. Whatever shows the menu reads them.
#include "toolkit/component.h"
#include "toolkit/event.h"

namespace tk {

class TMenuItem : public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(bool Checked READ Checked WRITE SetChecked)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_PROPERTY(tk::TNotifyEvent OnClick READ OnClick WRITE SetOnClick)

public:
    explicit TMenuItem(TComponent* owner) : TComponent(owner) {}

    const QString& Caption() const { return caption_; }
    void SetCaption(const QString& caption) { caption_ = caption; }
    // Setting the mark runs no event.
    bool Checked() const { return checked_; }
    void SetChecked(bool checked) { checked_ = checked; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled) { enabled_ = enabled; }
    bool Visible() const { return visible_; }
    void SetVisible(bool visible) { visible_ = visible; }
    const TNotifyEvent& OnClick() const { return onClick_; }
    void SetOnClick(const TNotifyEvent& event) { onClick_ = event; }

    // Runs OnClick, as choosing the item does.
    void Click() { onClick_(this); }

private:
    QString caption_;
    bool checked_ = false;
    bool enabled_ = true;
    bool visible_ = true;
    TNotifyEvent onClick_;
};

} // namespace tk
