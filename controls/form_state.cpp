#include "controls/form_state.h"

#include "controls/component_states.h"
#include "controls/registry_ini_file.h"
#include "toolkit/application.h"
#include "toolkit/errors.h"
#include "toolkit/form.h"

#include <QCoreApplication>
#include <QPointer>
#include <vector>

namespace controls {
namespace {

bool Persisted(const tk::TComponent* component, int tagMask) {
    return !component->Name().isEmpty() && (component->Tag() & tagMask) == tagMask;
}

QString SectionOf(const tk::TComponent* owner, const QString& section) {
    return section.isEmpty() ? owner->Name() : section;
}

// Click handlers run by a restored state may create or free components; the walk keeps to the ones
// that existed when it started and are still there.
std::vector<QPointer<tk::TComponent>> Snapshot(const tk::TComponent* owner) {
    return {owner->ComponentList().begin(), owner->ComponentList().end()};
}

void ProcessPendingMessages() {
    if (tk::TApplication* application = tk::Application()) application->ProcessMessages();
    else QCoreApplication::processEvents();
}

} // namespace

void LoadFormState(tk::TComponent* form, const QString& storeName, const QString& section, int tagMask,
                   bool withGeometry) {
    TRegistryIniFile store(storeName);
    RestoreComponentStates(form, store, section, tagMask, withGeometry);
}

void SaveFormState(tk::TComponent* form, const QString& storeName, const QString& section, int tagMask,
                   bool withGeometry) {
    TRegistryIniFile store(storeName);
    SaveComponentStates(form, store, section, tagMask, withGeometry);
}

namespace {

const QString kWindowStore = QStringLiteral("kova2mix.ini");
constexpr int kPersistedTag = -1;

} // namespace

void LoadWindowState(tk::TComponent* form) { LoadFormState(form, kWindowStore, QString(), kPersistedTag, true); }

void SaveWindowState(tk::TComponent* form) { SaveFormState(form, kWindowStore, QString(), kPersistedTag, true); }

void RestoreComponentStates(tk::TComponent* owner, TCustomIniFile& store, const QString& section, int tagMask,
                            bool withGeometry) {
    const QString name = SectionOf(owner, section);
    const QPointer<tk::TComponent> guard(owner);
    for (const QPointer<tk::TComponent>& component : Snapshot(owner)) {
        if (!guard) return;
        if (!component) continue;
        if (component->ComponentCount() > 0)
            RestoreComponentStates(component, store, name + QLatin1Char('.') + component->Name(), tagMask,
                                   withGeometry);
        if (!component) continue;
        if (Persisted(component, tagMask))
            if (const ComponentState* state = StateOf(component)) state->restore(component, store, name);
        ProcessPendingMessages();
    }
    auto* form = qobject_cast<tk::TForm*>(owner);
    if (!withGeometry || !guard || !form) return;
    form->SetTop(store.ReadInteger(name, QStringLiteral("Top"), form->Top()));
    form->SetLeft(store.ReadInteger(name, QStringLiteral("Left"), form->Left()));
    form->SetWidth(store.ReadInteger(name, QStringLiteral("Width"), form->Width()));
    form->SetHeight(store.ReadInteger(name, QStringLiteral("Height"), form->Height()));
    form->SetShowHint(store.ReadInteger(name, QStringLiteral("Hints"), form->ShowHint() ? 1 : 0) != 0);
}

void SaveComponentStates(tk::TComponent* owner, TCustomIniFile& store, const QString& section, int tagMask,
                         bool withGeometry) {
    const QString name = SectionOf(owner, section);
    for (tk::TComponent* component : owner->ComponentList()) {
        if (component->ComponentCount() > 0)
            SaveComponentStates(component, store, name + QLatin1Char('.') + component->Name(), tagMask,
                                withGeometry);
        if (!Persisted(component, tagMask)) continue;
        const ComponentState* state = StateOf(component);
        if (!state) continue;
        try {
            state->save(component, store, name);
        } catch (const tk::EAbort&) {
            // A page control without active page has nothing to keep; the rest is still saved.
        }
    }
    auto* form = qobject_cast<tk::TForm*>(owner);
    if (!withGeometry || !form) return;
    store.WriteInteger(name, QStringLiteral("Top"), form->Top());
    store.WriteInteger(name, QStringLiteral("Left"), form->Left());
    store.WriteInteger(name, QStringLiteral("Width"), form->Width());
    store.WriteInteger(name, QStringLiteral("Height"), form->Height());
    store.WriteInteger(name, QStringLiteral("Hints"), form->ShowHint() ? 1 : 0);
}

} // namespace controls
