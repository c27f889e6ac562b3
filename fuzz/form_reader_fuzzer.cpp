// The form reader on arbitrary text: a description is either read into a form or refused with an
// error that names the file and line; nothing else may happen.
#include "controls/control_classes.h"
#include "fuzz/private_home.h"
#include "toolkit/errors.h"
#include "toolkit/form.h"
#include "toolkit/form_reader.h"
#include "toolkit/standard_classes.h"

#include <QApplication>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    UsePrivateHome();
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QApplication application(*argc, *argv);
    tk::RegisterStandardClasses();
    controls::RegisterControlClasses();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    tk::Owned<tk::TForm> form(new tk::TForm(nullptr));
    try {
        tk::ReadComponentText(form.get(), text, QStringLiteral("fuzz.form"));
    } catch (const tk::EFormError&) {
    }
    return 0;
}
