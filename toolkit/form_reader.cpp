#include "toolkit/form_reader.h"

#include "toolkit/errors.h"

namespace tk {

void ReadComponentFile(TComponent*, const QString& path) {
    throw EFormError(path, 0, QStringLiteral("form descriptions cannot be read yet"));
}

void ReadComponentText(TComponent*, QStringView, const QString& fileName) {
    throw EFormError(fileName, 0, QStringLiteral("form descriptions cannot be read yet"));
}

} // namespace tk
