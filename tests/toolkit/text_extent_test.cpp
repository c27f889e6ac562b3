#include "toolkit/text_extent.h"

#include <QFont>
#include <QFontMetrics>
#include <QString>
#include <gtest/gtest.h>

namespace {

QFont PixelFont(int pixels, bool bold = false) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QRect Fresh(const QFont& font, const QString& text, int flags, int width) {
    return QFontMetrics(font).boundingRect(QRect(0, 0, width, 0x7FFF), flags, text);
}

TEST(TextExtent, AKeptResultNeverAnswersForAnotherFontFlagOrWidth) {
    const QString text = QStringLiteral("Verbinde Fader eins und zwei");
    const int single = Qt::TextSingleLine;
    const int wrapped = Qt::TextWordWrap;
    const tk::TextExtent plain = tk::MeasureText(PixelFont(11), text, single, 0x7FFF);
    EXPECT_EQ(plain.bounds, Fresh(PixelFont(11), text, single, 0x7FFF));
    EXPECT_EQ(plain.lineHeight, QFontMetrics(PixelFont(11)).height());
    EXPECT_EQ(tk::MeasureText(PixelFont(11, true), text, single, 0x7FFF).bounds, Fresh(PixelFont(11, true), text, single, 0x7FFF));
    EXPECT_EQ(tk::MeasureText(PixelFont(20), text, single, 0x7FFF).lineHeight, QFontMetrics(PixelFont(20)).height());
    const tk::TextExtent narrow = tk::MeasureText(PixelFont(11), text, wrapped, 40);
    EXPECT_EQ(narrow.bounds, Fresh(PixelFont(11), text, wrapped, 40));
    EXPECT_GT(narrow.bounds.height(), plain.bounds.height());
    EXPECT_EQ(tk::MeasureText(PixelFont(11), text, wrapped, 400).bounds, Fresh(PixelFont(11), text, wrapped, 400));
}

TEST(TextExtent, StaysRightAfterManyDistinctTexts) {
    const QFont font = PixelFont(11);
    for (int i = 0; i < 1500; ++i) {
        const QString text = QString(i % 40 + 1, QLatin1Char('W'));
        ASSERT_EQ(tk::MeasureText(font, text, Qt::TextSingleLine, i).bounds, Fresh(font, text, Qt::TextSingleLine, i)) << i;
    }
}

} // namespace
