#pragma once
// Colours as the forms write them: 0x00BBGGRR, or a system colour (high bit set, low byte the index).
#include <QColor>
#include <QMetaType>
#include <QString>
#include <cstdint>
#include <optional>

namespace tk {

struct TColor {
    std::int32_t value = 0; // 0x00BBGGRR, or 0x800000nn for system colour nn

    friend constexpr bool operator==(TColor, TColor) = default;
    bool IsSystem() const { return value < 0; }
};

constexpr TColor RGB(int red, int green, int blue) { return TColor{red | (green << 8) | (blue << 16)}; }
constexpr TColor SystemColor(int index) { return TColor{std::int32_t(0x80000000u | unsigned(index))}; }

constexpr TColor clBlack = RGB(0, 0, 0);
constexpr TColor clMaroon = RGB(128, 0, 0);
constexpr TColor clGreen = RGB(0, 128, 0);
constexpr TColor clOlive = RGB(128, 128, 0);
constexpr TColor clNavy = RGB(0, 0, 128);
constexpr TColor clPurple = RGB(128, 0, 128);
constexpr TColor clTeal = RGB(0, 128, 128);
constexpr TColor clGray = RGB(128, 128, 128);
constexpr TColor clSilver = RGB(192, 192, 192);
constexpr TColor clRed = RGB(255, 0, 0);
constexpr TColor clLime = RGB(0, 255, 0);
constexpr TColor clYellow = RGB(255, 255, 0);
constexpr TColor clBlue = RGB(0, 0, 255);
constexpr TColor clFuchsia = RGB(255, 0, 255);
constexpr TColor clAqua = RGB(0, 255, 255);
constexpr TColor clWhite = RGB(255, 255, 255);

constexpr TColor clScrollBar = SystemColor(0);
constexpr TColor clBackground = SystemColor(1);
constexpr TColor clActiveCaption = SystemColor(2);
constexpr TColor clInactiveCaption = SystemColor(3);
constexpr TColor clMenu = SystemColor(4);
constexpr TColor clWindow = SystemColor(5);
constexpr TColor clWindowFrame = SystemColor(6);
constexpr TColor clMenuText = SystemColor(7);
constexpr TColor clWindowText = SystemColor(8);
constexpr TColor clCaptionText = SystemColor(9);
constexpr TColor clActiveBorder = SystemColor(10);
constexpr TColor clInactiveBorder = SystemColor(11);
constexpr TColor clAppWorkSpace = SystemColor(12);
constexpr TColor clHighlight = SystemColor(13);
constexpr TColor clHighlightText = SystemColor(14);
constexpr TColor clBtnFace = SystemColor(15);
constexpr TColor clBtnShadow = SystemColor(16);
constexpr TColor clGrayText = SystemColor(17);
constexpr TColor clBtnText = SystemColor(18);
constexpr TColor clInactiveCaptionText = SystemColor(19);
constexpr TColor clBtnHighlight = SystemColor(20);
constexpr TColor cl3DDkShadow = SystemColor(21);
constexpr TColor cl3DLight = SystemColor(22);
constexpr TColor clInfoText = SystemColor(23);
constexpr TColor clInfoBk = SystemColor(24);

// The colour on screen, system colours taken from the classic scheme.
QColor ToQColor(TColor color);
// A colour name of the forms ("clBtnFace"), if it is one.
std::optional<TColor> ColorFromName(const QString& name);

} // namespace tk

Q_DECLARE_METATYPE(tk::TColor)
