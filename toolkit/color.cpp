#include "toolkit/color.h"

#include <array>
#include <utility>

namespace tk {
namespace {

// The classic grey scheme, indexed by system colour number.
constexpr std::array<QRgb, 25> kClassicScheme = {
    0xC0C0C0, 0x008080, 0x000080, 0x808080, 0xC0C0C0, 0xFFFFFF, 0x000000, 0x000000, 0x000000,
    0xFFFFFF, 0xC0C0C0, 0xC0C0C0, 0x808080, 0x000080, 0xFFFFFF, 0xC0C0C0, 0x808080, 0x808080,
    0x000000, 0xC0C0C0, 0xFFFFFF, 0x000000, 0xDFDFDF, 0x000000, 0xFFFFE1,
};

const std::pair<const char*, TColor> kNamedColors[] = {
    {"clBlack", clBlack},
    {"clMaroon", clMaroon},
    {"clGreen", clGreen},
    {"clOlive", clOlive},
    {"clNavy", clNavy},
    {"clPurple", clPurple},
    {"clTeal", clTeal},
    {"clGray", clGray},
    {"clSilver", clSilver},
    {"clRed", clRed},
    {"clLime", clLime},
    {"clYellow", clYellow},
    {"clBlue", clBlue},
    {"clFuchsia", clFuchsia},
    {"clAqua", clAqua},
    {"clWhite", clWhite},
    {"clScrollBar", clScrollBar},
    {"clBackground", clBackground},
    {"clActiveCaption", clActiveCaption},
    {"clInactiveCaption", clInactiveCaption},
    {"clMenu", clMenu},
    {"clWindow", clWindow},
    {"clWindowFrame", clWindowFrame},
    {"clMenuText", clMenuText},
    {"clWindowText", clWindowText},
    {"clCaptionText", clCaptionText},
    {"clActiveBorder", clActiveBorder},
    {"clInactiveBorder", clInactiveBorder},
    {"clAppWorkSpace", clAppWorkSpace},
    {"clHighlight", clHighlight},
    {"clHighlightText", clHighlightText},
    {"clBtnFace", clBtnFace},
    {"clBtnShadow", clBtnShadow},
    {"clGrayText", clGrayText},
    {"clBtnText", clBtnText},
    {"clInactiveCaptionText", clInactiveCaptionText},
    {"clBtnHighlight", clBtnHighlight},
    {"cl3DDkShadow", cl3DDkShadow},
    {"cl3DLight", cl3DLight},
    {"clInfoText", clInfoText},
    {"clInfoBk", clInfoBk},
};

} // namespace

QColor ToQColor(TColor color) {
    if (color.IsSystem()) {
        const auto index = std::size_t(color.value & 0xFF);
        return QColor(index < kClassicScheme.size() ? kClassicScheme[index] : 0x000000);
    }
    return QColor(color.value & 0xFF, (color.value >> 8) & 0xFF, (color.value >> 16) & 0xFF);
}

std::optional<TColor> ColorFromName(const QString& name) {
    for (const auto& [colorName, color] : kNamedColors)
        if (name.compare(QLatin1String(colorName), Qt::CaseInsensitive) == 0) return color;
    return std::nullopt;
}

} // namespace tk
