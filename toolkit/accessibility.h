#pragma once
// What screen readers see of the controls: one factory gives each control's widget the accessible
// interface of the control's class, found in a registry by class, the most derived class first.
// The toolkit registers its own classes; a library of controls built on it registers its own.
// Decoration (bevels, shapes, images, the bracket pieces) and the parts of other controls stay out
// of the tree: no accessible parent lists them.
#include <QAccessible>
#include <QString>

namespace tk {

class TControl;

// Makes the interface of a control whose widget Qt asks about.
using AccessibleMaker = QAccessibleInterface* (*)(TControl* control);

// Installs the factory once, with the toolkit's classes registered; the application object does it.
void InstallAccessibility();

// Controls of class T (and of classes derived from it, unless registered themselves) get the
// interface that maker makes.
void RegisterAccessible(const QMetaObject& metaObject, AccessibleMaker maker);
template <class T> void RegisterAccessible(AccessibleMaker maker) {
    RegisterAccessible(T::staticMetaObject, maker);
}
// Controls of class T are decoration.
template <class T> void RegisterDecoration() {
    RegisterAccessible(T::staticMetaObject, nullptr);
}

// Whether a screen reader meets the control in the tree.
bool IsInAccessibleTree(const TControl* control);

// A caption as the control shows it: without the "&" that marks its mnemonic ("&&" shows one "&"),
// without the spaces around it.
QString ShownCaption(const QString& caption);

} // namespace tk
