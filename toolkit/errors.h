#pragma once
// The toolkit's exceptions. Code that reaches the toolkit from Qt's event loop catches them and hands
// them to the application's error display; EAbort is the silent one that nobody reports.
#include "platform/silent_abort.h"

#include <QString>
#include <stdexcept>

namespace tk {

class Exception : public std::runtime_error {
public:
    explicit Exception(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString Message() const { return QString::fromUtf8(what()); }
};

// Ends the current operation without a message.
class EAbort : public Exception, public platform::SilentAbortBase {
public:
    EAbort() : Exception(QStringLiteral("Operation aborted")) {}
};

class EComponentError : public Exception {
    using Exception::Exception;
};

// A value outside the range that a property accepts.
class ERangeError : public Exception {
    using Exception::Exception;
};

// An object is not of the class an operation needs.
class EInvalidCast : public Exception {
    using Exception::Exception;
};

// A mistake in a form description: file, line (1-based, 0 when the file itself is the problem) and what.
class EFormError : public Exception {
public:
    EFormError(const QString& file, int line, const QString& mistake)
        : Exception(QStringLiteral("%1:%2: %3").arg(file).arg(line).arg(mistake)), file_(file), line_(line),
          mistake_(mistake) {}
    const QString& File() const { return file_; }
    int Line() const { return line_; }
    const QString& Mistake() const { return mistake_; }

private:
    QString file_;
    int line_;
    QString mistake_;
};

[[noreturn]] inline void Abort() { throw EAbort(); }

} // namespace tk

namespace tk {

// The application's error display: a message box with the application's title; a silent abort (EAbort,
// a failed control open) shows nothing.
void HandleException(const std::exception& error);

} // namespace tk
