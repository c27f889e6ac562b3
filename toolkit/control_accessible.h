#pragma once
// The accessible interface of a control: Qt's for a widget, with the control's role, its name (the
// name given to it, else its caption as shown) and its hint as description, and as children only the
// child widgets that belong in the tree. A freed control leaves an invalid interface until Qt drops
// it with the widget.
#include <QAccessibleWidget>
#include <QPointer>

namespace tk {

class TControl;

class ControlAccessible : public QAccessibleWidget {
public:
    ControlAccessible(TControl* control, QAccessible::Role role);

    bool isValid() const override;
    QString text(QAccessible::Text type) const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;

protected:
    TControl* Control() const { return control_.data(); }

private:
    QList<QWidget*> TreeChildren() const;

    QPointer<TControl> control_;
};

// Check boxes and radio buttons: checkable, checked as the control is; the actions click the button
// as the user does.
class ButtonControlAccessible : public ControlAccessible {
public:
    ButtonControlAccessible(TControl* control, QAccessible::Role role) : ControlAccessible(control, role) {}

    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
};

// Speed buttons: push buttons; one in a group (a mute button) is checkable and checked while down.
// Press and toggle act as a click of the user on the button.
class SpeedButtonAccessible : public ControlAccessible {
public:
    explicit SpeedButtonAccessible(TControl* control) : ControlAccessible(control, QAccessible::Button) {}

    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
};

} // namespace tk
