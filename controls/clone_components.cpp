#include "controls/clone_components.h"

#include "controls/bilingual_controls.h"
#include "controls/ext_speed_button.h"
#include "controls/level_meter.h"
#include "controls/slider.h"
#include "toolkit/bevel.h"
#include "toolkit/button.h"
#include "toolkit/errors.h"
#include "toolkit/form.h"
#include "toolkit/group_box.h"
#include "toolkit/label.h"
#include "toolkit/panel.h"
#include "toolkit/radio_button.h"
#include "toolkit/speed_button.h"

#include <QPointer>
#include <array>
#include <vector>

namespace controls {
namespace {

using tk::TComponent;
using tk::TControl;

void CopyLabel(const tk::TLabel& from, tk::TLabel& to) {
    to.SetCaption(from.Caption());
    to.SetFont(from.Font());
    to.SetAlignment(from.Alignment());
    to.SetAutoSize(from.AutoSize());
    to.SetTransparent(from.Transparent());
}

void CopyButton(const tk::TButton& from, tk::TButton& to) {
    to.SetCaption(from.Caption());
    to.SetFont(from.Font());
    to.SetShowHint(from.ShowHint());
    to.SetHint(from.Hint());
    to.SetOnClick(from.OnClick());
    to.SetOnEnter(from.OnEnter());
    to.SetOnExit(from.OnExit());
}

// Both speed buttons, up to the Hint; Down through the copy's own setter.
template <class Button> void CopySpeedButtonUpToHint(const Button& from, Button& to) {
    to.SetCaption(from.Caption());
    to.SetFont(from.Font());
    to.SetAllowAllUp(from.AllowAllUp());
    to.SetGroupIndex(from.GroupIndex());
    to.SetDown(from.Down());
    to.SetOnClick(from.OnClick());
    to.SetOnDblClick(from.OnDblClick());
    to.SetOnMouseDown(from.OnMouseDown());
    to.SetOnMouseUp(from.OnMouseUp());
    to.SetLayout(from.Layout());
    to.SetMargin(from.Margin());
    to.SetNumGlyphs(from.NumGlyphs());
    to.SetSpacing(from.Spacing());
    to.SetCursor(from.Cursor());
    to.SetShowHint(from.ShowHint());
    to.SetHint(from.Hint());
}

void CopyExtSpeedButton(const TExtSpeedButton& from, TExtSpeedButton& to) {
    CopySpeedButtonUpToHint(from, to);
    to.SetFlat(from.Flat());
    to.SetOnDown(from.OnDown());
}

void CopySpeedButton(const tk::TSpeedButton& from, tk::TSpeedButton& to) {
    CopySpeedButtonUpToHint(from, to);
    to.SetVisible(from.Visible());
    to.SetFlat(from.Flat());
}

// Check boxes and radio buttons.
template <class Box> void CopyCheckable(const Box& from, Box& to) {
    to.SetCaption(from.Caption());
    to.SetFont(from.Font());
    to.SetChecked(from.Checked());
    to.SetOnClick(from.OnClick());
    to.SetOnEnter(from.OnEnter());
    to.SetOnExit(from.OnExit());
    to.SetOnMouseDown(from.OnMouseDown());
    to.SetOnMouseUp(from.OnMouseUp());
    to.SetShowHint(from.ShowHint());
    to.SetHint(from.Hint());
}

// BtnHeight twice: the second places the knob on the travel that MoveRestriction gave.
void CopySlider(const TSlider& from, TSlider& to) {
    to.SetBtnHeight(from.BtnHeight());
    to.SetBtnWidth(from.BtnWidth());
    to.SetMax(from.Max());
    to.SetMin(from.Min());
    to.SetMoveRestriction(from.MoveRestriction());
    to.SetNumber(from.Number());
    to.SetBtnHeight(from.BtnHeight());
    to.SetPosition(from.Position());
    to.SetOnChange(from.OnChange());
}

void CopyLevelMeter(const TLevelMeter& from, TLevelMeter& to) {
    to.SetNumLumisOrange(from.NumLumisOrange());
    to.SetNumLumisRed(from.NumLumisRed());
    to.SetLumiColor(from.LumiColor());
    to.SetLumiHeight(from.LumiHeight());
    to.SetTimerEnable(from.TimerEnable());
    to.SetTimerInterval(from.TimerInterval());
    to.SetOn(from.On());
    to.SetLevelMax(from.GetLevelMax());
    to.SetLevelMaxHold(from.LevelMaxHold());
    to.SetLevel(from.Level());
}

void CopyPanel(const tk::TPanel& from, tk::TPanel& to) {
    to.SetCaption(from.Caption());
    to.SetParentColor(from.ParentColor());
    to.SetFont(from.Font());
    to.SetAlign(from.Align());
    to.SetBevelInner(from.BevelInner());
    to.SetBevelOuter(from.BevelOuter());
    to.SetBevelWidth(from.BevelWidth());
}

void CopyGroupBox(const tk::TGroupBox& from, tk::TGroupBox& to) {
    to.SetAlign(from.Align());
    to.SetCaption(from.Caption());
    to.SetFont(from.Font());
    to.SetCtl3D(from.Ctl3D());
    to.SetParentCtl3D(from.ParentCtl3D());
}

void CopyBevel(const tk::TBevel& from, tk::TBevel& to) {
    to.SetAlign(from.Align());
    to.SetShape(from.Shape());
    to.SetStyle(from.Style());
}

// A row of the class table: which sources it takes, and how it makes a copy of one.
struct CloneRow {
    bool (*matches)(TControl* source);
    TControl* (*copy)(TControl* source, TComponent* owner);
    bool fillsWithChildren;
};

// Sources of class Test (or a descendant) become a new Copy with the properties that copy gives.
template <class Test, class Copy, void (*copy)(const Copy&, Copy&)> constexpr CloneRow Row(bool fills = false) {
    return {[](TControl* source) { return qobject_cast<Test*>(source) != nullptr; },
            [](TControl* source, TComponent* owner) -> TControl* {
                auto* made = new Copy(owner);
                copy(*static_cast<Copy*>(source), *made);
                return made;
            },
            fills};
}

// Tested in this order; the first match decides.
constexpr std::array kCloneRows{
    Row<tk::TLabel, tk::TLabel, CopyLabel>(),
    Row<tk::TButton, tk::TButton, CopyButton>(),
    Row<TExtSpeedButton, TExtSpeedButton, CopyExtSpeedButton>(),
    Row<tk::TSpeedButton, tk::TSpeedButton, CopySpeedButton>(),
    Row<tk::TCheckBox, tk::TCheckBox, CopyCheckable<tk::TCheckBox>>(),
    Row<TExtRadioButton, TExtRadioButton, CopyCheckable<TExtRadioButton>>(),
    Row<tk::TRadioButton, tk::TRadioButton, CopyCheckable<tk::TRadioButton>>(),
    Row<TSlider, TSlider, CopySlider>(),
    Row<TLevelMeter, TLevelMeter, CopyLevelMeter>(),
    Row<tk::TPanel, tk::TPanel, CopyPanel>(true),
    Row<tk::TGroupBox, tk::TGroupBox, CopyGroupBox>(true),
    Row<tk::TBevel, tk::TBevel, CopyBevel>(),
};

const CloneRow& RowFor(TControl* source) {
    for (const CloneRow& row : kCloneRows)
        if (row.matches(source)) return row;
    throw tk::EComponentError(QStringLiteral("CloneComponents: Komponentenklasse von ") + source->Name() +
                              QStringLiteral(" nicht implementiert."));
}

tk::TWinControl* AsContainer(TControl* control) {
    auto* container = qobject_cast<tk::TWinControl*>(control);
    if (!container) throw tk::EInvalidCast(QStringLiteral("Ungültige Typumwandlung"));
    return container;
}

// The copy after the callback: nullptr when it was dropped, also when it was freed but not cleared.
TControl* HandToCallback(TControl* copy, const TCloneEvent& onClone) {
    if (!onClone) return copy;
    const QPointer<TControl> made(copy);
    TControl* kept = copy;
    onClone(kept);
    return kept == copy && !made ? nullptr : kept;
}

} // namespace

void CloneComponents(TControl* source, TControl* dest, int dx, int dy, const TCloneEvent& onClone) {
    const tk::TWinControl* container = AsContainer(source);
    tk::TWinControl* destination = AsContainer(dest);
    TComponent* owner = source->ParentForm() ? static_cast<TComponent*>(source->ParentForm()) : source->Owner();
    std::vector<TControl*> copies;
    const int count = container->ControlCount();
    for (int i = 0; i < count; ++i) {
        TControl* child = container->Controls(i);
        if (child->Name().isEmpty()) continue;
        const CloneRow& row = RowFor(child);
        TControl* copy = row.copy(child, owner);
        copy->SetLeft(child->Left() + dx);
        copy->SetTop(child->Top() + dy);
        copy->SetWidth(child->Width());
        copy->SetHeight(child->Height());
        copy->SetTag(child->Tag());
        copy = HandToCallback(copy, onClone);
        if (!copy) continue;
        copies.push_back(copy);
        if (row.fillsWithChildren) CloneComponents(child, copy, 0, 0, onClone);
    }
    for (TControl* copy : copies) copy->SetParent(destination);
}

} // namespace controls
