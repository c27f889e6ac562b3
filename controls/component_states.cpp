#include "controls/component_states.h"

#include "controls/ini_file.h"
#include "controls/page_control.h"
#include "controls/slider.h"
#include "toolkit/check_box.h"
#include "toolkit/combo_box.h"
#include "toolkit/edit.h"
#include "toolkit/menu_item.h"
#include "toolkit/page_control.h"
#include "toolkit/panel.h"
#include "toolkit/speed_button.h"

#include <array>

namespace controls {
namespace {

template <class T> bool Is(tk::TComponent* component) { return qobject_cast<T*>(component) != nullptr; }
template <class T> T* As(tk::TComponent* component) { return static_cast<T*>(component); }

const ComponentState kMenuItem{
    Is<tk::TMenuItem>,
    [](tk::TComponent* c, TCustomIniFile& store, const QString& section) {
        auto* item = As<tk::TMenuItem>(c);
        item->SetChecked(store.ReadBool(section, item->Name(), item->Checked()));
        item->Click();
    },
    [](tk::TComponent* c, TCustomIniFile& store, const QString& section) {
        store.WriteBool(section, c->Name(), As<tk::TMenuItem>(c)->Checked());
    }};

// The check box runs its own click when the state changes.
const ComponentState kCheckBox{
    Is<tk::TCustomCheckBox>,
    [](tk::TComponent* c, TCustomIniFile& store, const QString& section) {
        auto* box = As<tk::TCustomCheckBox>(c);
        box->SetChecked(store.ReadBool(section, box->Name(), box->Checked()));
    },
    [](tk::TComponent* c, TCustomIniFile& store, const QString& section) {
        store.WriteBool(section, c->Name(), As<tk::TCustomCheckBox>(c)->Checked());
    }};

const ComponentState kPanel{
    Is<tk::TPanel>,
    [](tk::TComponent* c, TCustomIniFile& store, const QString& section) {
        auto* panel = As<tk::TPanel>(c);
        panel->SetVisible(store.ReadBool(section, panel->Name(), panel->Visible()));
    },
    [](tk::TComponent* c, TCustomIniFile& store, const QString& section) {
        store.WriteBool(section, c->Name(), As<tk::TPanel>(c)->Visible());
    }};

const ComponentState kEdit{
    Is<tk::TEdit>,
    [](tk::TComponent* c, TCustomIniFile& store, const QString& section) {
        auto* edit = As<tk::TEdit>(c);
        edit->SetText(store.ReadString(section, edit->Name(), edit->Text()));
    },
    [](tk::TComponent* c, TCustomIniFile& store, const QString& section) {
        store.WriteString(section, c->Name(), As<tk::TEdit>(c)->Text());
    }};

// An index outside the pages leaves the active page as it is.
const ComponentState kPageControl{
    Is<tk::TPageControl>,
    [](tk::TComponent* c, TCustomIniFile& store, const QString& section) {
        auto* pages = As<tk::TPageControl>(c);
        if (tk::TTabSheet* page = PageOfIndex(*pages, store.ReadInteger(section, c->Name(), 0)))
            pages->SetActivePage(page);
    },
    [](tk::TComponent* c, TCustomIniFile& store, const QString& section) {
        const auto* pages = As<tk::TPageControl>(c);
        store.WriteInteger(section, c->Name(), IndexOfPage(*pages, pages->ActivePage()));
    }};

// The base class's setter: a restore is no press of the button, so the bilingual OnDown stays quiet.
const ComponentState kSpeedButton{
    Is<tk::TSpeedButton>,
    [](tk::TComponent* c, TCustomIniFile& store, const QString& section) {
        auto* button = As<tk::TSpeedButton>(c);
        button->tk::TSpeedButton::SetDown(store.ReadBool(section, button->Name(), button->Down()));
        if (button->OnClick()) button->Click();
    },
    [](tk::TComponent* c, TCustomIniFile& store, const QString& section) {
        store.WriteBool(section, c->Name(), As<tk::TSpeedButton>(c)->Down());
    }};

// The fader runs its own OnChange when the position is applied.
const ComponentState kSlider{
    Is<TSlider>,
    [](tk::TComponent* c, TCustomIniFile& store, const QString& section) {
        auto* fader = As<TSlider>(c);
        fader->SetPosition(store.ReadInteger(section, fader->Name(), fader->Position()));
    },
    [](tk::TComponent* c, TCustomIniFile& store, const QString& section) {
        store.WriteInteger(section, c->Name(), As<TSlider>(c)->Position());
    }};

// An index outside the items chooses none; a restore is no pick of the user, so OnChange stays quiet.
const ComponentState kComboBox{
    Is<tk::TComboBox>,
    [](tk::TComponent* c, TCustomIniFile& store, const QString& section) {
        auto* box = As<tk::TComboBox>(c);
        box->SetItemIndex(store.ReadInteger(section, box->Name(), box->ItemIndex()));
    },
    [](tk::TComponent* c, TCustomIniFile& store, const QString& section) {
        store.WriteInteger(section, c->Name(), As<tk::TComboBox>(c)->ItemIndex());
    }};

const std::array kRows{&kMenuItem, &kCheckBox, &kPanel, &kEdit, &kPageControl, &kSpeedButton, &kSlider, &kComboBox};

} // namespace

const ComponentState* StateOf(tk::TComponent* component) {
    for (const ComponentState* row : kRows)
        if (row->matches(component)) return row;
    return nullptr;
}

} // namespace controls
