#pragma once
// Reading the accessible tree as a screen reader does, and recording the accessibility events that
// the controls send while a probe lives.
#include "toolkit/win_control.h"

#include <QAccessible>
#include <QStringList>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>
#include <vector>

namespace tktest {

inline QAccessibleInterface* InterfaceOf(const tk::TControl* control) {
    return QAccessible::queryAccessibleInterface(control->Widget());
}

// Every interface below root, depth first, root left out.
inline std::vector<QAccessibleInterface*> AccessibleTree(QAccessibleInterface* root) {
    std::vector<QAccessibleInterface*> found;
    for (int i = 0; i < root->childCount(); ++i) {
        QAccessibleInterface* child = root->child(i);
        if (!child) continue;
        found.push_back(child);
        const std::vector<QAccessibleInterface*> below = AccessibleTree(child);
        found.insert(found.end(), below.begin(), below.end());
    }
    return found;
}

// The control behind an interface of the tree, nullptr for a widget of no control.
inline tk::TControl* ControlOf(const QAccessibleInterface* iface) {
    return tk::TControl::OfWidget(iface->object());
}

// What a user operates.
inline bool IsOperable(QAccessible::Role role) {
    return role == QAccessible::Button || role == QAccessible::CheckBox || role == QAccessible::RadioButton ||
           role == QAccessible::Slider;
}

// Decoration and the parts of other controls (a fader's knob and what it holds): never in the tree.
inline bool IsDecoration(const tk::TControl* control) {
    for (const tk::TControl* part = control; part; part = part->Parent())
        if (part->Owner() && part->Owner()->inherits("controls::TSlider")) return true;
    if (control->inherits("tk::TBevel") || control->inherits("tk::TShape") || control->inherits("tk::TImage"))
        return true;
    return control->inherits("tk::TCustomLabel") &&
           (control->Caption() == QStringLiteral("\u23A3") || control->Caption() == QStringLiteral("\u23A6"));
}

// What a screen reader's user could not use below root: operable controls without a name, and
// decoration that made it into the tree.
inline QStringList TreeFaults(QAccessibleInterface* root) {
    QStringList faults;
    for (QAccessibleInterface* iface : AccessibleTree(root)) {
        const tk::TControl* control = ControlOf(iface);
        const QString what =
            control ? control->Name() : QString::fromLatin1(iface->object()->metaObject()->className());
        if (IsOperable(iface->role()) && iface->text(QAccessible::Name).isEmpty())
            faults << what + " has no name";
        if (control && IsDecoration(control)) faults << what + " is decoration";
    }
    return faults;
}

// The accessibility events recorded instead of going to the platform's bridge. Controls announce
// changes only while a bridge is active, which the offscreen platform never is: the tests that
// listen skip there and run on a real accessibility bus (desktop.accessibility_events).
class AccessibilityProbe {
public:
    struct Event {
        QAccessible::Event type;
        QObject* object;
    };

    AccessibilityProbe() {
        Events().clear();
        previous_ = QAccessible::installUpdateHandler(Record);
    }
    ~AccessibilityProbe() { QAccessible::installUpdateHandler(previous_); }
    AccessibilityProbe(const AccessibilityProbe&) = delete;
    AccessibilityProbe& operator=(const AccessibilityProbe&) = delete;

    // Whether the controls announce anything here. Where the bus is promised (KOVA2_ACCESSIBILITY_BUS)
    // the bridge is waited for, and a bridge that never comes is a failure, not a reason to skip.
    static bool Listening() {
        if (!qEnvironmentVariableIsSet("KOVA2_ACCESSIBILITY_BUS")) return QAccessible::isActive();
        if (!QTest::qWaitFor([] { return QAccessible::isActive(); }, 30000))
            ADD_FAILURE() << "the accessibility bus was promised, but Qt's bridge never became active";
        return QAccessible::isActive();
    }
    // The events of one type about the widget of control.
    static int Count(QAccessible::Event type, const tk::TControl* control) {
        int count = 0;
        for (const Event& event : Events())
            count += event.type == type && event.object == control->Widget();
        return count;
    }
    // Every event about the widget of control.
    static int CountAll(const tk::TControl* control) {
        int count = 0;
        for (const Event& event : Events())
            count += event.object == control->Widget();
        return count;
    }

private:
    static std::vector<Event>& Events() {
        static std::vector<Event> events;
        return events;
    }
    static void Record(QAccessibleEvent* event) { Events().push_back({event->type(), event->object()}); }

    QAccessible::UpdateHandler previous_ = nullptr;
};

} // namespace tktest
