#include "toolkit/look.h"

#include "toolkit/color.h"
#include "toolkit/font.h"

#include <QApplication>
#include <QPalette>
#include <QProxyStyle>
#include <QStyleFactory>

namespace tk {
namespace {

// Qt's Windows style with the classic gap between a check box or radio button and its caption, so
// that captions laid out for the classic metrics fit their controls.
class ClassicStyle : public QProxyStyle {
public:
    ClassicStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Windows"))) {}

    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
        if (metric == PM_CheckBoxLabelSpacing || metric == PM_RadioButtonLabelSpacing) return 4;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

QPalette ClassicPalette() {
    QPalette palette;
    const auto set = [&palette](QPalette::ColorRole role, TColor color) {
        palette.setColor(QPalette::All, role, ToQColor(color));
    };
    set(QPalette::Window, clBtnFace);
    set(QPalette::Button, clBtnFace);
    set(QPalette::WindowText, clWindowText);
    set(QPalette::ButtonText, clBtnText);
    set(QPalette::Base, clWindow);
    set(QPalette::AlternateBase, clBtnFace);
    set(QPalette::Text, clWindowText);
    set(QPalette::Light, clBtnHighlight);
    set(QPalette::Midlight, cl3DLight);
    set(QPalette::Dark, clBtnShadow);
    set(QPalette::Mid, clBtnShadow);
    set(QPalette::Shadow, cl3DDkShadow);
    set(QPalette::Highlight, clHighlight);
    set(QPalette::HighlightedText, clHighlightText);
    set(QPalette::ToolTipBase, clInfoBk);
    set(QPalette::ToolTipText, clInfoText);
    palette.setColor(QPalette::Disabled, QPalette::WindowText, ToQColor(clGrayText));
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, ToQColor(clGrayText));
    palette.setColor(QPalette::Disabled, QPalette::Text, ToQColor(clGrayText));
    return palette;
}

} // namespace

void InstallClassicLook() {
    static bool installed = false;
    if (installed || !qApp) return;
    installed = true;
    QApplication::setStyle(new ClassicStyle);
    QApplication::setPalette(ClassicPalette());
    QApplication::setFont(TFont().ToQFont());
}

QString MapFontFamily(const QString& family) {
    if (family.compare(QLatin1String("Arial"), Qt::CaseInsensitive) == 0 ||
        family.compare(QLatin1String("MS Sans Serif"), Qt::CaseInsensitive) == 0 ||
        family.compare(QLatin1String("Microsoft Sans Serif"), Qt::CaseInsensitive) == 0 ||
        family.compare(QLatin1String("Symbol"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("Liberation Sans");
    if (family.compare(QLatin1String("Times New Roman"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("Liberation Serif");
    if (family.compare(QLatin1String("Courier New"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("Liberation Mono");
    return family;
}

QString MapSymbolText(const QString& family, const QString& text) {
    if (family.compare(QLatin1String("Symbol"), Qt::CaseInsensitive) != 0) return text;
    QString mapped = text;
    mapped.replace(QChar(0xEB), QChar(0x23A3));
    mapped.replace(QChar(0xFB), QChar(0x23A6));
    return mapped;
}

} // namespace tk
