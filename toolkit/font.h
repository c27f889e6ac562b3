#pragma once
// A control's font as the forms describe it: a family name, a height in pixels (negative: character
// height) or a size in points at 96 pixels per inch, a style set and a colour.
#include "toolkit/color.h"
#include "toolkit/types.h"

#include <QFont>
#include <QObject>
#include <QString>

namespace tk {

class TFont : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(int Height READ Height WRITE SetHeight)
    Q_PROPERTY(int Size READ Size WRITE SetSize)
    Q_PROPERTY(tk::TFontStyles Style READ Style WRITE SetStyle)
    Q_PROPERTY(tk::TColor Color READ Color WRITE SetColor)

public:
    static constexpr int kPixelsPerInch = 96;

    TFont();

    const QString& Name() const { return name_; }
    void SetName(const QString& name);
    int Height() const { return height_; }
    void SetHeight(int height);
    int Size() const;
    void SetSize(int points);
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles style);
    TColor Color() const { return color_; }
    void SetColor(TColor color);

    // Takes every value of source and reports one change.
    void Assign(const TFont& source);
    bool SameAs(const TFont& other) const;
    // The font on screen, with the family mapped to an installed one.
    QFont ToQFont() const;

signals:
    void Changed();

private:
    QString name_ = QStringLiteral("MS Sans Serif");
    int height_ = -11; // pixels; negative: character height, positive: cell height
    TFontStyles style_;
    TColor color_ = clWindowText;
};

} // namespace tk
