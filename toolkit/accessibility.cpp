#include "toolkit/accessibility.h"

#include "toolkit/bevel.h"
#include "toolkit/bracket_piece.h"
#include "toolkit/check_box.h"
#include "toolkit/control_accessible.h"
#include "toolkit/form.h"
#include "toolkit/group_box.h"
#include "toolkit/image.h"
#include "toolkit/label.h"
#include "toolkit/page_control.h"
#include "toolkit/panel.h"
#include "toolkit/radio_button.h"
#include "toolkit/scroll_box.h"
#include "toolkit/shape.h"
#include "toolkit/speed_button.h"

#include <optional>
#include <unordered_map>

namespace tk {
namespace {

// Class → maker; a null maker marks decoration.
std::unordered_map<const QMetaObject*, AccessibleMaker>& Makers() {
    static std::unordered_map<const QMetaObject*, AccessibleMaker> makers;
    return makers;
}

// The maker of the control's most derived registered class; nothing when no class of it is registered.
std::optional<AccessibleMaker> MakerOf(const TControl* control) {
    for (const QMetaObject* meta = control->metaObject(); meta; meta = meta->superClass())
        if (auto found = Makers().find(meta); found != Makers().end()) return found->second;
    return std::nullopt;
}

QAccessibleInterface* MakeInterface(const QString&, QObject* object) {
    TControl* control = TControl::OfWidget(object);
    if (!control) return nullptr;
    const std::optional<AccessibleMaker> maker = MakerOf(control);
    return maker && *maker ? (*maker)(control) : nullptr;
}

template <QAccessible::Role role> QAccessibleInterface* Plain(TControl* control) {
    return new ControlAccessible(control, role);
}

template <QAccessible::Role role> QAccessibleInterface* Button(TControl* control) {
    return new ButtonControlAccessible(control, role);
}

QAccessibleInterface* SpeedButton(TControl* control) {
    return new SpeedButtonAccessible(control);
}

QAccessibleInterface* Window(TControl* control) {
    const bool dialog = static_cast<TForm*>(control)->BorderStyle() == TFormBorderStyle::bsDialog;
    return new ControlAccessible(control, dialog ? QAccessible::Dialog : QAccessible::Window);
}

void RegisterToolkitClasses() {
    RegisterAccessible<TForm>(Window);
    RegisterAccessible<TCustomCheckBox>(Button<QAccessible::CheckBox>);
    RegisterAccessible<TRadioButton>(Button<QAccessible::RadioButton>);
    RegisterAccessible<TSpeedButton>(SpeedButton);
    RegisterAccessible<TCustomLabel>(Plain<QAccessible::StaticText>);
    RegisterAccessible<TCustomPanel>(Plain<QAccessible::Grouping>);
    RegisterAccessible<TGroupBox>(Plain<QAccessible::Grouping>);
    RegisterAccessible<TScrollBox>(Plain<QAccessible::Grouping>);
    RegisterAccessible<TPageControl>(Plain<QAccessible::Grouping>);
    RegisterAccessible<TTabSheet>(Plain<QAccessible::Grouping>);
    RegisterDecoration<TBevel>();
    RegisterDecoration<TShape>();
    RegisterDecoration<TImage>();
}

} // namespace

void InstallAccessibility() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    RegisterToolkitClasses();
    QAccessible::installFactory(MakeInterface);
}

void RegisterAccessible(const QMetaObject& metaObject, AccessibleMaker maker) {
    Makers()[&metaObject] = maker;
}

bool IsInAccessibleTree(const TControl* control) {
    if (!control->Widget() || control->AccessibilityHidden()) return false;
    if (auto* label = qobject_cast<const TCustomLabel*>(control); label && IsBracketPiece(label->Caption()))
        return false;
    const std::optional<AccessibleMaker> maker = MakerOf(control);
    return !maker || *maker;
}

QString ShownCaption(const QString& caption) {
    QString shown;
    shown.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&') && i + 1 < caption.size()) ++i; // "&x" shows x, "&&" shows &
        shown += caption[i];
    }
    return shown.trimmed();
}

} // namespace tk
