#pragma once
// Events: copyable method references called with the sender. An event is bound either to a method of
// an object by name (a Q_INVOKABLE method, as form descriptions bind the form's handlers) or to any
// callable. Calling an event keeps its sender alive until the handler has returned.
#include "toolkit/lifetime.h"
#include "toolkit/types.h"

#include <QByteArray>
#include <QMetaMethod>
#include <QMetaType>
#include <QObject>
#include <QPointer>
#include <functional>
#include <optional>
#include <type_traits>

namespace tk {

class TComponent;

// Why a method cannot handle an event, empty when it can.
QString CheckHandlerSignature(const QMetaMethod& method, const QList<QMetaType>& parameters);

template <class... Args> class TEvent {
public:
    using Function = std::function<void(TComponent* sender, Args...)>;

    TEvent() = default;
    TEvent(Function function) : function_(std::move(function)) {}
    template <class T> TEvent(T* object, void (T::*method)(TComponent*, Args...)) : target_(object) {
        function_ = [guard = QPointer<T>(object), method](TComponent* sender, Args... args) {
            if (guard) (guard.data()->*method)(sender, std::forward<Args>(args)...);
        };
    }

    // The method of target called name, or nullopt with the reason in *why.
    static std::optional<TEvent> Method(QObject* target, const QByteArray& name, QString* why = nullptr) {
        const QMetaObject* meta = target->metaObject();
        QString reason = QStringLiteral("%1 has no method %2").arg(QString::fromLatin1(meta->className()),
                                                                 QString::fromLatin1(name));
        for (int index = meta->methodCount() - 1; index >= 0; --index) {
            const QMetaMethod method = meta->method(index);
            if (method.name() != name) continue;
            reason = CheckHandlerSignature(method, ParameterTypes());
            if (!reason.isEmpty()) continue;
            TEvent event;
            event.target_ = target;
            event.methodIndex_ = index;
            return event;
        }
        if (why) *why = reason;
        return std::nullopt;
    }

    static QList<QMetaType> ParameterTypes() {
        return {QMetaType::fromType<TComponent*>(), QMetaType::fromType<std::remove_cvref_t<Args>>()...};
    }

    explicit operator bool() const { return methodIndex_ >= 0 ? !target_.isNull() : bool(function_); }

    void operator()(TComponent* sender, Args... args) const {
        BusyScope busy(sender);
        if (methodIndex_ >= 0) {
            if (!target_) return;
            void* argv[] = {nullptr, &sender, const_cast<void*>(static_cast<const void*>(&args))...};
            QMetaObject::metacall(target_.data(), QMetaObject::InvokeMetaMethod, methodIndex_, argv);
        } else if (function_) {
            function_(sender, std::forward<Args>(args)...);
        }
    }

    // The object whose method this is; nullptr for other callables.
    QObject* Target() const { return target_.data(); }
    // The name of the bound method, empty for callables.
    QByteArray MethodName() const {
        return methodIndex_ >= 0 && target_ ? target_->metaObject()->method(methodIndex_).name() : QByteArray();
    }

    // Equal when both are unbound or both name the same method of the same object.
    friend bool operator==(const TEvent& a, const TEvent& b) {
        if (!a && !b) return true;
        return a.methodIndex_ >= 0 && a.methodIndex_ == b.methodIndex_ && a.target_ == b.target_;
    }

private:
    QPointer<QObject> target_;
    int methodIndex_ = -1;
    Function function_;
};

using TNotifyEvent = TEvent<>;
using TCloseEvent = TEvent<TCloseAction&>;
using TMouseEvent = TEvent<TMouseButton, TShiftState, int, int>; // button, keys, x and y in the control
using TMouseMoveEvent = TEvent<TShiftState, int, int>;

} // namespace tk

Q_DECLARE_METATYPE(tk::TNotifyEvent)
Q_DECLARE_METATYPE(tk::TCloseEvent)
Q_DECLARE_METATYPE(tk::TMouseEvent)
Q_DECLARE_METATYPE(tk::TMouseMoveEvent)
