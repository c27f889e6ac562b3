#pragma once
// The classic look of the program's windows: Qt's "Windows" style, the grey scheme, and fonts mapped to
// installed ones of the same metrics.
#include <QString>

namespace tk {

// Sets style, palette and default font once for the whole application.
void InstallClassicLook();
// "Arial" and "MS Sans Serif" become Liberation Sans, which has their widths.
QString MapFontFamily(const QString& family);
// Text drawn in the Symbol font: its bracket pieces become the Unicode ones that the mapped font has.
QString MapSymbolText(const QString& family, const QString& text);

} // namespace tk
