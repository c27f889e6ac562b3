#include "toolkit/font.h"

#include "toolkit/look.h"

#include <QFontMetricsF>
#include <cmath>

namespace tk {

TFont::TFont() = default;

void TFont::SetName(const QString& name) {
    if (name == name_) return;
    name_ = name;
    emit Changed();
}

void TFont::SetHeight(int height) {
    if (height == height_) return;
    height_ = height;
    emit Changed();
}

int TFont::Size() const { return int(std::lround(-height_ * 72.0 / kPixelsPerInch)); }

void TFont::SetSize(int points) { SetHeight(-int(std::lround(points * double(kPixelsPerInch) / 72.0))); }

void TFont::SetStyle(TFontStyles style) {
    if (style == style_) return;
    style_ = style;
    emit Changed();
}

void TFont::SetColor(TColor color) {
    if (color == color_) return;
    color_ = color;
    emit Changed();
}

void TFont::Assign(const TFont& source) {
    if (SameAs(source)) return;
    name_ = source.name_;
    height_ = source.height_;
    style_ = source.style_;
    color_ = source.color_;
    emit Changed();
}

bool TFont::SameAs(const TFont& other) const {
    return name_ == other.name_ && height_ == other.height_ && style_ == other.style_ && color_ == other.color_;
}

QFont TFont::ToQFont() const {
    QFont font(MapFontFamily(name_));
    font.setBold(style_.testFlag(TFontStyle::fsBold));
    font.setItalic(style_.testFlag(TFontStyle::fsItalic));
    font.setUnderline(style_.testFlag(TFontStyle::fsUnderline));
    font.setStrikeOut(style_.testFlag(TFontStyle::fsStrikeOut));
    font.setHintingPreference(QFont::PreferFullHinting);
    if (height_ < 0) {
        font.setPixelSize(-height_);
    } else if (height_ > 0) {
        // A positive height is the whole cell; scale it down to the character height Qt sizes by.
        font.setPixelSize(100);
        const QFontMetricsF metrics(font);
        font.setPixelSize(std::max(1, int(std::lround(height_ * 100.0 / metrics.height()))));
    }
    return font;
}

} // namespace tk
