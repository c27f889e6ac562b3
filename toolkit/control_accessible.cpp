#include "toolkit/control_accessible.h"

#include "toolkit/accessibility.h"
#include "toolkit/button_control.h"
#include "toolkit/speed_button.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QWidget>

namespace tk {
namespace {

// A click of the left button in the widget's middle, delivered as the window system delivers one.
void ClickAsUser(QWidget* widget) {
    const QPointF centre = QRectF(widget->rect()).center();
    const QPointF global = widget->mapToGlobal(centre);
    const QPointer<QWidget> target(widget);
    QMouseEvent press(QEvent::MouseButtonPress, centre, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &press);
    if (!target) return;
    QMouseEvent release(QEvent::MouseButtonRelease, centre, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &release);
}

bool IsClickAction(const QString& actionName) {
    return actionName == QAccessibleActionInterface::pressAction() ||
           actionName == QAccessibleActionInterface::toggleAction();
}

} // namespace

ControlAccessible::ControlAccessible(TControl* control, QAccessible::Role role)
    : QAccessibleWidget(control->Widget(), role), control_(control) {}

bool ControlAccessible::isValid() const {
    return control_ && QAccessibleWidget::isValid();
}

QString ControlAccessible::text(QAccessible::Text type) const {
    if (!isValid()) return {};
    switch (type) {
    case QAccessible::Name: {
        const QString& given = control_->AccessibleName();
        return given.isEmpty() ? ShownCaption(control_->Caption()) : given;
    }
    case QAccessible::Description: {
        const QString given = widget()->accessibleDescription();
        return given.isEmpty() ? control_->Hint().section(QLatin1Char('|'), 0, 0) : given;
    }
    default:
        return QAccessibleWidget::text(type);
    }
}

QList<QWidget*> ControlAccessible::TreeChildren() const {
    QList<QWidget*> children;
    if (!isValid()) return children;
    for (QObject* object : widget()->children()) {
        auto* child = qobject_cast<QWidget*>(object);
        if (!child || child->isWindow()) continue;
        // Widgets of no control (scroll bars, tab bars) are Qt's and read as Qt reads them.
        const TControl* control = TControl::OfWidget(child);
        if (!control || IsInAccessibleTree(control)) children.append(child);
    }
    return children;
}

int ControlAccessible::childCount() const {
    return int(TreeChildren().size());
}

QAccessibleInterface* ControlAccessible::child(int index) const {
    const QList<QWidget*> children = TreeChildren();
    return index >= 0 && index < children.size() ? QAccessible::queryAccessibleInterface(children.at(index))
                                                 : nullptr;
}

int ControlAccessible::indexOfChild(const QAccessibleInterface* child) const {
    if (!child || !child->object() || !child->object()->isWidgetType()) return -1;
    return int(TreeChildren().indexOf(static_cast<QWidget*>(child->object())));
}

QAccessible::State ButtonControlAccessible::state() const {
    QAccessible::State state = ControlAccessible::state();
    state.checkable = true;
    const auto* button = qobject_cast<const TButtonControl*>(Control());
    state.checked = button && button->Checked();
    return state;
}

QStringList ButtonControlAccessible::actionNames() const {
    QStringList names;
    if (role() == QAccessible::CheckBox) names << toggleAction();
    return names << pressAction() << ControlAccessible::actionNames();
}

void ButtonControlAccessible::doAction(const QString& actionName) {
    if (!IsClickAction(actionName)) return ControlAccessible::doAction(actionName);
    // Qt's click reaches the control as the user's click does, and not on a disabled button.
    if (auto* button = qobject_cast<QAbstractButton*>(widget()); button && Control()) button->click();
}

QAccessible::State SpeedButtonAccessible::state() const {
    QAccessible::State state = ControlAccessible::state();
    const auto* button = qobject_cast<const TSpeedButton*>(Control());
    state.checkable = button && button->GroupIndex() != 0;
    state.checked = button && button->Down();
    return state;
}

QStringList SpeedButtonAccessible::actionNames() const {
    QStringList names{pressAction()};
    if (state().checkable) names << toggleAction();
    return names << ControlAccessible::actionNames();
}

void SpeedButtonAccessible::doAction(const QString& actionName) {
    if (!IsClickAction(actionName)) return ControlAccessible::doAction(actionName);
    if (Control()) ClickAsUser(widget());
}

} // namespace tk
