#pragma once
// A windowed control: a container for other controls, with a window handle and handlers for window
// messages by number. Its child order is the non-windowed controls first, then the windowed ones, each
// group in insertion order; windowed children stack above non-windowed ones. Aligned children are
// laid out top, bottom, left, right, then client, inside the client rectangle.
#include "toolkit/control.h"
#include "toolkit/message.h"

#include <QMargins>
#include <unordered_map>
#include <vector>

namespace tk {

class TWinControl : public TControl {
    Q_OBJECT

public:
    ~TWinControl() override;

    bool IsWindowed() const override { return true; }

    int ControlCount() const { return int(graphicControls_.size() + winControls_.size()); }
    TControl* Controls(int index) const;
    bool ContainsControl(const TControl* control) const;

    int ClientWidth() const override;
    int ClientHeight() const override;
    // Where the client area starts inside the widget (after a border drawn outside it).
    virtual QPoint ClientOrigin() const;
    // The part of the client area that aligned children fill.
    virtual QRect AlignRect() const;

    // Lays out the aligned children now, unless alignment is disabled or the control is loading.
    void Realign();
    void DisableAlign() { ++alignDisabled_; }
    void EnableAlign();

    // The window handle, allocated at first use; messages posted to it after the control is freed
    // are dropped.
    win::HWND Handle();
    bool HandleAllocated() const { return handle_ != 0; }

    // Sends a message synchronously and returns its result.
    win::LRESULT Perform(win::UINT msg, win::WPARAM wparam = 0, win::LPARAM lparam = 0);
    // The same for a message that carries a record; the handler's result is in message.Result too.
    win::LRESULT Perform(TMessage& message);
    // Binds handler to a message number and returns the handler it replaces, which the new one may
    // call to pass the message on.
    MessageHandler BindMessage(win::UINT msg, MessageHandler handler);
    template <class T> MessageHandler BindMessage(win::UINT msg, T* object, void (T::*method)(TMessage&)) {
        return BindMessage(msg, [object, method](TMessage& message) { (object->*method)(message); });
    }

    // The focus moved to this control from another control of its form, or from it to another; a
    // window that loses or regains activation keeps its focused control and runs neither.
    const TNotifyEvent& OnEnter() const { return onEnter_; }
    void SetOnEnter(const TNotifyEvent& event) { onEnter_ = event; }
    const TNotifyEvent& OnExit() const { return onExit_; }
    void SetOnExit(const TNotifyEvent& event) { onExit_ = event; }
    bool Focused() const;
    void SetFocus();

    void Loaded() override;

protected:
    // Without a widget the control gets a painted one.
    explicit TWinControl(TComponent* owner, QWidget* widget = nullptr);

    void BeforeDestruction() override;

    // Every message goes through here; the default calls the bound handler or DefaultHandler.
    virtual void WndProc(TMessage& message);
    // What happens to a message that has no bound handler.
    virtual void DefaultHandler(TMessage& message);

    // Room taken by a border outside the client area.
    virtual QMargins NonClientMargins() const { return {}; }
    virtual void PaintNonClient(QPainter& painter);
    void PaintWidget(QPainter& painter) override;
    // Draws the children without a widget of their own that reach into dirty, in child order.
    virtual void PaintChildrenWithoutWidget(QPainter& painter, const QRect& dirty);
    // Repaints part of the client area when Qt next paints.
    void InvalidateClientRect(const QRect& rect);
    // Places the children's widgets again, after the client origin moved.
    void MoveChildWidgets();
    // A child moved or changed its size.
    virtual void ChildBoundsChanged(TControl*) {}
    // The border or the insets changed: children move with the client area and are aligned again.
    void ClientAreaChanged();

    void BoundsChanged() override;
    void FontChanged() override;
    void ColorChanged() override;
    void HintChanged() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class TControl;
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    template <class F> void ForEachControl(F&& function) const;

    std::vector<TControl*> graphicControls_;
    std::vector<TControl*> winControls_;
    std::unordered_map<win::UINT, MessageHandler> handlers_;
    win::HWND handle_ = 0;
    int alignDisabled_ = 0;
    bool aligning_ = false;
    TNotifyEvent onEnter_;
    TNotifyEvent onExit_;
};

} // namespace tk
