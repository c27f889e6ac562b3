#pragma once
// Forms and components for the toolkit's tests: handlers that record what ran, and a component that
// records what it saw in Loaded.
#include "toolkit/check_box.h"
#include "toolkit/class_registry.h"
#include "toolkit/form.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace tktest {

class RecordingForm : public tk::TForm {
    Q_OBJECT

public:
    explicit RecordingForm(tk::TComponent* owner, const QString& description = {}) : TForm(owner, description) {}

    Q_INVOKABLE void FormCreate(tk::TComponent*) { log.append(QStringLiteral("create")); }
    Q_INVOKABLE void FormShow(tk::TComponent*) { log.append(QStringLiteral("show")); }
    Q_INVOKABLE void FormDestroy(tk::TComponent*) { log.append(QStringLiteral("destroy")); }
    Q_INVOKABLE void FormClose(tk::TComponent*, tk::TCloseAction& action) {
        log.append(QStringLiteral("close"));
        action = closeAction;
    }
    Q_INVOKABLE void BoxClick(tk::TComponent* sender) {
        log.append(QStringLiteral("click %1 %2")
                       .arg(sender->Name())
                       .arg(static_cast<tk::TCheckBox*>(sender)->Checked() ? 1 : 0));
        if (onBoxClick) onBoxClick(sender);
    }
    Q_INVOKABLE void WrongParameters(int) {}

    QStringList log;
    tk::TCloseAction closeAction = tk::TCloseAction::caHide;
    std::function<void(tk::TComponent*)> onBoxClick;
};

// A form whose code uses a check box named Box and a panel named Holder, resolved as its description is
// read. OnCreate records whether they were there by then.
class PartsForm : public tk::TForm {
    Q_OBJECT

public:
    explicit PartsForm(tk::TComponent* owner, const QString& description) : TForm(owner, description) {}

    Q_INVOKABLE void FormCreate(tk::TComponent*) { partsAtCreate = box && holder; }

    tk::TCheckBox* box = nullptr;
    tk::TWinControl* holder = nullptr;
    bool partsAtCreate = false;

protected:
    void DeclareParts(tk::FormParts& parts) override {
        parts.Add("Box", box);
        parts.Add("Holder", holder);
    }
};

// Records, in Loaded, whether the other components of the tree and its references were there.
class LoadProbe : public tk::TComponent {
    Q_OBJECT
    Q_PROPERTY(tk::TCheckBox* Link READ Link WRITE SetLink)
    Q_PROPERTY(QString Expect READ Expect WRITE SetExpect)

public:
    explicit LoadProbe(tk::TComponent* owner) : TComponent(owner) {}
    tk::TCheckBox* Link() const { return link_; }
    void SetLink(tk::TCheckBox* link) { link_ = link; }
    const QString& Expect() const { return expect_; }
    void SetExpect(const QString& name) { expect_ = name; }

    void Loaded() override {
        TComponent::Loaded();
        sawExpected = Owner() && Owner()->FindComponent(expect_);
        sawLink = link_ != nullptr;
        ++loadedCalls;
    }

    bool sawExpected = false;
    bool sawLink = false;
    int loadedCalls = 0;

private:
    tk::TCheckBox* link_ = nullptr;
    QString expect_;
};

inline void RegisterTestClasses() {
    tk::ClassRegistry::Register<LoadProbe>();
    tk::ClassRegistry::Register<RecordingForm>();
}

} // namespace tktest
