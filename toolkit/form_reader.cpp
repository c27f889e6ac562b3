#include "toolkit/form_reader.h"

#include "toolkit/class_registry.h"
#include "toolkit/component.h"
#include "toolkit/control.h"
#include "toolkit/errors.h"
#include "toolkit/form_syntax.h"
#include "toolkit/property_value.h"

#include <QFile>
#include <QStringDecoder>
#include <algorithm>
#include <vector>

namespace tk {
namespace {

struct Fixup {
    QObject* target;
    QMetaProperty property;
    QString name;
    int line;
};

class FormBuilder {
public:
    FormBuilder(TComponent* root, const QString& fileName, const FormParts& parts)
        : root_(root), fileName_(fileName), parts_(parts) {}

    void Build(const FormObject& top) {
        const QString rootClass = ClassRegistry::ShortName(*root_->metaObject());
        if (top.className != rootClass)
            Fail(top.line, QStringLiteral("the description is for %1, not %2").arg(top.className, rootClass));
        root_->BeginLoading();
        Guarded(top.line, [&] { root_->SetName(top.name); });
        ApplyProperties(root_, top);
        for (const FormObject& child : top.children) BuildChild(child, root_);
        ResolveReferences();
        ResolveParts(top);
        Guarded(top.line, [&] { root_->Loaded(); });
        for (std::size_t i = 0; i < created_.size(); ++i) Guarded(lines_[i], [&] { created_[i]->Loaded(); });
    }

private:
    [[noreturn]] void Fail(int line, const QString& mistake) const { throw EFormError(fileName_, line, mistake); }

    // Runs a step that may throw and turns its error into one that names the line.
    template <class F> void Guarded(int line, F&& step) {
        try {
            step();
        } catch (const EFormError&) {
            throw;
        } catch (const std::exception& error) {
            Fail(line, QString::fromUtf8(error.what()));
        }
    }

    void BuildChild(const FormObject& object, TComponent* enclosing) {
        TComponent* component = ClassRegistry::Create(object.className, root_);
        if (!component) Fail(object.line, QStringLiteral("unknown class %1").arg(object.className));
        component->BeginLoading();
        created_.push_back(component);
        lines_.push_back(object.line);
        Guarded(object.line, [&] {
            component->SetName(object.name);
            if (enclosing != root_ || qobject_cast<TControl*>(component)) component->SetParentComponent(enclosing);
        });
        ApplyProperties(component, object);
        for (const FormObject& child : object.children) BuildChild(child, component);
    }

    void ApplyProperties(TComponent* component, const FormObject& object) {
        for (const FormProperty& property : object.properties)
            Guarded(property.line, [&] { ApplyProperty(component, property); });
    }

    // The property that name stands for on target.
    QMetaProperty Find(QObject* target, const QString& name, const QString& path) const {
        const QMetaObject* meta = target->metaObject();
        const int index = meta->indexOfProperty(name.toLatin1().constData());
        if (index < 0)
            throw Exception(QStringLiteral("unknown property %1 of %2").arg(path, ClassRegistry::ShortName(*meta)));
        return meta->property(index);
    }

    void ApplyProperty(TComponent* component, const FormProperty& property) {
        const QString path = property.path.join(QLatin1Char('.'));
        QObject* target = component;
        for (qsizetype i = 0; i + 1 < property.path.size(); ++i) {
            const QMetaProperty step = Find(target, property.path[i], path);
            const QVariant inner = step.read(target);
            QObject* object = (step.metaType().flags() & QMetaType::PointerToQObject)
                                  ? *static_cast<QObject* const*>(inner.constData())
                                  : nullptr;
            if (!object) throw Exception(QStringLiteral("%1 has no properties of its own").arg(property.path[i]));
            target = object;
        }
        const QMetaProperty meta = Find(target, property.path.last(), path);
        if (!meta.isWritable()) throw Exception(QStringLiteral("%1 cannot be set").arg(path));
        PropertyValue value = ConvertFormValue(meta, property.value, root_);
        if (value.reference) {
            fixups_.push_back({target, meta, *value.reference, property.line});
            return;
        }
        if (!meta.write(target, value.value)) throw Exception(QStringLiteral("%1 could not be set").arg(path));
    }

    void ResolveReferences() {
        for (const Fixup& fixup : fixups_) {
            TComponent* found = fixup.name.compare(root_->Name(), Qt::CaseInsensitive) == 0
                                    ? root_
                                    : root_->FindComponent(fixup.name);
            if (!found) Fail(fixup.line, QStringLiteral("no component named %1").arg(fixup.name));
            const QMetaObject* expected = fixup.property.metaType().metaObject();
            if (!found->metaObject()->inherits(expected))
                Fail(fixup.line, QStringLiteral("%1 is a %2, and %3 needs a %4")
                                     .arg(fixup.name, ClassRegistry::ShortName(*found->metaObject()),
                                          QString::fromLatin1(fixup.property.name()),
                                          ClassRegistry::ShortName(*expected)));
            QObject* pointer = found;
            Guarded(fixup.line, [&] {
                if (!fixup.property.write(fixup.target, QVariant(fixup.property.metaType(), &pointer)))
                    throw Exception(QStringLiteral("%1 could not be set").arg(fixup.property.name()));
            });
        }
    }

    // A missing part has no line of its own: the line of the form's object stands for it.
    void ResolveParts(const FormObject& top) {
        for (const FormParts::Part& part : parts_.List()) {
            const QString name = QString::fromLatin1(part.name);
            const QString needed = ClassRegistry::ShortName(*part.type);
            TComponent* found = root_->FindComponent(name);
            if (!found) Fail(top.line, QStringLiteral("%1 has no %2 named %3").arg(top.name, needed, name));
            if (!found->metaObject()->inherits(part.type))
                Fail(LineOf(found, top.line),
                     QStringLiteral("%1 is a %2, and %3 needs a %4")
                         .arg(name, ClassRegistry::ShortName(*found->metaObject()), top.name, needed));
            part.assign(found);
        }
    }

    // The line that created component, fallback for one the description did not create.
    int LineOf(const TComponent* component, int fallback) const {
        const auto found = std::find(created_.begin(), created_.end(), component);
        return found == created_.end() ? fallback : lines_[std::size_t(found - created_.begin())];
    }

    TComponent* root_;
    const QString& fileName_;
    const FormParts& parts_;
    std::vector<TComponent*> created_;
    std::vector<int> lines_;
    std::vector<Fixup> fixups_;
};

} // namespace

void ReadComponentFile(TComponent* root, const QString& path, const FormParts& parts) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) throw EFormError(path, 0, QStringLiteral("cannot be read: %1").arg(file.errorString()));
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder.decode(file.readAll());
    if (decoder.hasError()) throw EFormError(path, 0, QStringLiteral("is not UTF-8 text"));
    ReadComponentText(root, text, path, parts);
}

void ReadComponentText(TComponent* root, QStringView text, const QString& fileName, const FormParts& parts) {
    FormBuilder(root, fileName, parts).Build(ParseFormDescription(text, fileName));
}

} // namespace tk
