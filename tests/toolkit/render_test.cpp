// Renders forms built from descriptions the way the program's windows are, and checks the classic
// look on the picture: bevel colours, text that fits. With KOVA2_SNAPSHOT_DIR set the pictures are
// kept there as PNG files for a look by eye.
#include "tests/toolkit/test_forms.h"
#include "toolkit/check_box.h"
#include "toolkit/form_reader.h"
#include "toolkit/label.h"

#include <QCheckBox>
#include <QStyle>
#include <QStyleOptionButton>
#include <QDir>
#include <QFontMetrics>
#include <QImage>
#include <QWidget>
#include <gtest/gtest.h>

using namespace tk;

namespace {

const char* const kControlWindow = R"(object MixControlWnd: RecordingForm
  Left = 4
  Top = 0
  Width = 167
  Height = 159
  Caption = 'Kova 2'
  Font.Name = 'Arial'
  Font.Size = 8
  Font.Color = clBlack
  object Panel1: TPanel
    Align = alTop
    Height = 77
    BevelInner = bvRaised
    BevelOuter = bvLowered
    object chkAnalogInputs: TCheckBox
      Left = 8
      Top = 4
      Width = 100
      Height = 17
      Tag = -1
      Caption = ' Analog Inputs'
    end
    object chkDigitalInputs: TCheckBox
      Left = 8
      Top = 21
      Width = 100
      Height = 17
      Caption = ' Digital Inputs'
    end
    object chkAnalogOutputs: TCheckBox
      Left = 8
      Top = 39
      Width = 100
      Height = 17
      Checked = True
      Caption = ' Analog Outputs'
    end
    object chkDigitalOutputs: TCheckBox
      Left = 8
      Top = 56
      Width = 100
      Height = 17
      Caption = ' Digital Outputs'
    end
  end
  object Panel2: TPanel
    Align = alBottom
    Height = 27
    BevelInner = bvRaised
    BevelOuter = bvLowered
    object chkStayOnTop: TCheckBox
      Left = 8
      Top = 6
      Width = 129
      Height = 17
      Caption = ' Immer im &Vordergrund'
    end
  end
  object Panel3: TPanel
    Align = alClient
    BevelInner = bvRaised
    BevelOuter = bvLowered
    object chkSettings: TCheckBox
      Left = 8
      Top = 8
      Width = 97
      Height = 14
      Caption = ' &Einstellungen'
    end
  end
end
)";

const char* const kAboutBox = R"(object AboutBox: RecordingForm
  BorderStyle = bsDialog
  Caption = 'Info'
  ClientWidth = 294
  ClientHeight = 296
  Font.Name = 'MS Sans Serif'
  Font.Size = 8
  Position = poScreenCenter
  object Panel1: TPanel
    Left = 4
    Top = 2
    Width = 285
    Height = 257
    BevelInner = bvRaised
    BevelOuter = bvLowered
    object Panel2: TPanel
      Left = 8
      Top = 8
      Width = 269
      Height = 241
      BevelInner = bvLowered
      BevelOuter = bvNone
      Color = 14803425
      object lbName: TLabel
        Left = 6
        Top = 8
        Width = 257
        Height = 33
        Alignment = taCenter
        AutoSize = False
        Caption = 'Kova 2'
        Font.Name = 'Arial'
        Font.Size = 18
        Font.Style = [fsBold, fsItalic]
        Font.Color = clNavy
      end
      object lbsytem: TLabel
        Left = 8
        Top = 44
        Alignment = taCenter
        Caption = 'Sound System'
        Font.Size = 10
      end
      object Bevel1: TBevel
        Left = 6
        Top = 32
        Width = 257
        Height = 9
        Shape = bsBottomLine
      end
      object ExtLabel2: TLabel
        Left = 70
        Top = 96
        Caption = 'designed && developed by'
      end
      object lbmail: TLabel
        Left = 102
        Top = 220
        Caption = 'kontakt@example.org'
        Font.Name = 'Arial'
        Font.Style = [fsUnderline]
        Font.Color = clBlue
      end
    end
  end
  object OKButton: TButton
    Left = 110
    Top = 266
    Width = 75
    Height = 25
    Caption = 'OK'
    Default = True
    ModalResult = 1
  end
end
)";

QImage Render(TForm* form, const char* name) {
    form->Show();
    const QImage image = form->Widget()->grab().toImage();
    const QByteArray dir = qgetenv("KOVA2_SNAPSHOT_DIR");
    if (!dir.isEmpty()) image.save(QDir(QString::fromLocal8Bit(dir)).filePath(QString::fromLatin1(name) + ".png"));
    return image;
}

QRgb Pixel(const QImage& image, int x, int y) { return image.pixel(x, y) & 0xFFFFFF; }

constexpr QRgb kFace = 0xC0C0C0;
constexpr QRgb kShadow = 0x808080;
constexpr QRgb kHighlight = 0xFFFFFF;

TEST(Render, ControlWindowHasClassicBevelsAndUnclippedCaptions) {
    Owned<tktest::RecordingForm> form(new tktest::RecordingForm(nullptr));
    ReadComponentText(form.get(), QString::fromUtf8(kControlWindow), "Mixctrl.form");
    const QImage image = Render(form.get(), "control-window");
    ASSERT_EQ(image.size(), QSize(159, 132));
    // Panel1: lowered outside (shadow top-left, highlight bottom-right), raised inside.
    EXPECT_EQ(Pixel(image, 50, 0), kShadow);
    EXPECT_EQ(Pixel(image, 0, 50), kShadow);
    EXPECT_EQ(Pixel(image, 158, 50), kHighlight);
    EXPECT_EQ(Pixel(image, 50, 76), kHighlight);
    EXPECT_EQ(Pixel(image, 50, 1), kHighlight);
    EXPECT_EQ(Pixel(image, 157, 50), kShadow);
    EXPECT_EQ(Pixel(image, 150, 40), kFace);
    // Panel3 fills the 28 pixels between the others.
    EXPECT_EQ(Pixel(image, 50, 77), kShadow);
    EXPECT_EQ(Pixel(image, 50, 104), kHighlight);

    for (const char* name : {"chkAnalogInputs", "chkDigitalInputs", "chkAnalogOutputs", "chkDigitalOutputs",
                             "chkStayOnTop", "chkSettings"}) {
        auto* box = qobject_cast<TCheckBox*>(form->FindComponent(QString::fromLatin1(name)));
        ASSERT_TRUE(box);
        QStyleOptionButton option;
        option.initFrom(box->Widget());
        option.text = static_cast<QCheckBox*>(box->Widget())->text();
        const QRect room = box->Widget()->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box->Widget());
        const QString shown = QString(option.text).remove(QLatin1Char('&'));
        EXPECT_GE(room.width(), box->Widget()->fontMetrics().horizontalAdvance(shown)) << name << " clips its caption";
        EXPECT_EQ(box->Widget()->font().family(), "Liberation Sans");
        EXPECT_EQ(box->Widget()->font().pixelSize(), 11);
    }
}

TEST(Render, AboutBoxLabelsFitAndKeepTheirOwnFonts) {
    Owned<tktest::RecordingForm> form(new tktest::RecordingForm(nullptr));
    ReadComponentText(form.get(), QString::fromUtf8(kAboutBox), "about.form");
    const QImage image = Render(form.get(), "about-box");
    ASSERT_EQ(image.size(), QSize(294, 296));
    EXPECT_EQ(Pixel(image, 4 + 8 + 100, 2 + 8 + 150), 0xE1E1E1) << "Panel2's own colour";
    auto* name = qobject_cast<TLabel*>(form->FindComponent("lbName"));
    EXPECT_EQ(name->Font()->Height(), -24);
    EXPECT_LE(QFontMetrics(name->Font()->ToQFont()).height(), name->Height());
    auto* byline = qobject_cast<TLabel*>(form->FindComponent("ExtLabel2"));
    EXPECT_LT(byline->Width(), QFontMetrics(byline->Font()->ToQFont()).horizontalAdvance("designed && developed by"))
        << "&& is shown as one ampersand";
}

} // namespace

// The pieces that join two mute buttons are drawn, whatever fonts the machine has: a left and a right
// lower corner, each a stem down to the baseline and a foot along it.
TEST(Render, BracketPiecesAreDrawnAsLinesInTheLabelsFont) {
    Owned<tktest::RecordingForm> form(new tktest::RecordingForm(nullptr));
    ReadComponentText(form.get(), QString::fromUtf8(R"(object frmTest: RecordingForm
  ClientWidth = 60
  ClientHeight = 30
  Font.Name = 'Arial'
  Font.Height = -11
  object lbLeft: TLabel
    Left = 10
    Top = 5
    Caption = '⎣'
  end
  object lbRight: TLabel
    Left = 30
    Top = 5
    Caption = '⎦'
  end
end
)"), "brackets.form");
    const QImage image = Render(form.get(), "bracket-pieces");
    for (const char* name : {"lbLeft", "lbRight"}) {
        SCOPED_TRACE(name);
        auto* label = qobject_cast<TLabel*>(form->FindComponent(QString::fromLatin1(name)));
        const QFontMetrics metrics(label->Font()->ToQFont());
        EXPECT_EQ(label->Width(), metrics.horizontalAdvance(QLatin1Char('[')));
        EXPECT_EQ(label->Height(), metrics.height());
        const int baseline = label->Top() + metrics.ascent();
        int stem = -1;
        for (int x = label->Left(); x < label->Left() + label->Width(); ++x)
            if (Pixel(image, x, label->Top() + 1) == 0) stem = x;
        ASSERT_GE(stem, 0) << "no stem";
        EXPECT_EQ(Pixel(image, stem, baseline - 1), 0u);
        const int foot = label->Name() == "lbLeft" ? stem + 2 : stem - 2;
        EXPECT_EQ(Pixel(image, foot, baseline), 0u);
        EXPECT_NE(Pixel(image, foot, label->Top() + 1), 0u);
    }
}
