#pragma once
// The enumerations and sets that published properties use. They live in one Qt namespace so that the
// form reader finds their names through the meta-object system.
#include <QFlags>
#include <QObject>

namespace tk {
Q_NAMESPACE

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
Q_ENUM_NS(TAlign)

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
Q_ENUM_NS(TAlignment)

enum class TTextLayout { tlTop, tlCenter, tlBottom };
Q_ENUM_NS(TTextLayout)

enum class TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
Q_ENUM_NS(TBevelCut)

enum class TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
Q_ENUM_NS(TBevelShape)

enum class TBevelStyle { bsLowered, bsRaised };
Q_ENUM_NS(TBevelStyle)

enum class TBorderStyle { bsNone, bsSingle };
Q_ENUM_NS(TBorderStyle)

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog };
Q_ENUM_NS(TFormBorderStyle)

enum class TPosition { poDesigned, poScreenCenter };
Q_ENUM_NS(TPosition)

enum class TWindowState { wsNormal, wsMinimized };
Q_ENUM_NS(TWindowState)

enum class TCloseAction { caNone, caHide, caFree, caMinimize };
Q_ENUM_NS(TCloseAction)

enum class TMouseButton { mbLeft, mbRight, mbMiddle };
Q_ENUM_NS(TMouseButton)

enum class TShiftStateFlag { ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32, ssDouble = 64 };
Q_DECLARE_FLAGS(TShiftState, TShiftStateFlag)
Q_FLAG_NS(TShiftState)

enum class TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
Q_ENUM_NS(TButtonLayout)

enum class TShapeType { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };
Q_ENUM_NS(TShapeType)

enum class TCursor { crDefault = 0, crArrow = -2, crCross = -3, crIBeam = -4, crSizeWE = -9, crSizeNS = -7,
                     crHourGlass = -11, crNo = -18, crHandPoint = -21 };
Q_ENUM_NS(TCursor)

enum class TTickMark { tmBottomRight, tmTopLeft, tmBoth };
Q_ENUM_NS(TTickMark)

enum class TFontStyle { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
Q_DECLARE_FLAGS(TFontStyles, TFontStyle)
Q_FLAG_NS(TFontStyles)

// Modal results of buttons and modal forms.
constexpr int mrNone = 0;
constexpr int mrOk = 1;
constexpr int mrCancel = 2;

} // namespace tk

Q_DECLARE_OPERATORS_FOR_FLAGS(tk::TShiftState)
Q_DECLARE_OPERATORS_FOR_FLAGS(tk::TFontStyles)
