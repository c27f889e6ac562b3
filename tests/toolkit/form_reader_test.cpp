#include "tests/toolkit/test_forms.h"
#include "toolkit/bevel.h"
#include "toolkit/check_box.h"
#include "toolkit/errors.h"
#include "toolkit/form_reader.h"
#include "toolkit/label.h"
#include "toolkit/panel.h"

#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <gtest/gtest.h>

using namespace tk;
using tktest::RecordingForm;

namespace {

class FormReaderTest : public testing::Test {
protected:
    void SetUp() override {
        tktest::RegisterTestClasses();
        form.reset(new RecordingForm(nullptr));
    }

    void Read(const QString& text) { ReadComponentText(form.get(), text, QStringLiteral("test.form")); }

    // The error that reading text gives.
    EFormError ErrorOf(const QString& text) {
        try {
            Read(text);
        } catch (const EFormError& error) {
            return error;
        }
        ADD_FAILURE() << "no error for " << text.toStdString();
        return EFormError({}, 0, {});
    }

    template <class T> T* Find(const char* name) { return qobject_cast<T*>(form->FindComponent(QString::fromLatin1(name))); }

    Owned<RecordingForm> form;
};

const char* const kValues = R"(object Probe: RecordingForm
  Caption = 'Zeile eins'#13#10'Zeile ' +
    'zwei: ''f'#252'r'' und für'
  ClientWidth = 159
  ClientHeight = 132
  Font.Name = 'Arial'
  Font.Height = -11
  Font.Style = [fsBold, fsItalic]
  Color = $00E1E1E1
  OnCreate = FormCreate
  object Panel1: TPanel
    Align = alTop
    Height = 77
    BevelInner = bvRaised
    BevelOuter = bvLowered
    Color = clBtnFace
    // a comment
    object chkA: TCheckBox
      Left = 8
      Top = 4
      Tag = -1
      Checked = True
      Caption = ' &Einstellungen'
      OnClick = BoxClick
    end
  end
end
)";

TEST_F(FormReaderTest, ReadsEveryKindOfValue) {
    Read(QString::fromUtf8(kValues));
    EXPECT_EQ(form->Name(), "Probe");
    EXPECT_EQ(form->Caption(), QString::fromUtf8("Zeile eins\r\nZeile zwei: 'für' und für"));
    EXPECT_EQ(form->ClientHeight(), 132);
    EXPECT_EQ(form->Height(), 159);
    EXPECT_EQ(form->Font()->Name(), "Arial");
    EXPECT_EQ(form->Font()->Size(), 8);
    EXPECT_EQ(form->Font()->Style(), TFontStyles(TFontStyle::fsBold) | TFontStyle::fsItalic);
    EXPECT_EQ(form->Color(), RGB(0xE1, 0xE1, 0xE1));
    EXPECT_EQ(form->log, QStringList()) << "OnCreate is bound, and only CreateForm runs it";
    EXPECT_EQ(form->OnCreate().MethodName(), "FormCreate");

    auto* panel = Find<TPanel>("Panel1");
    ASSERT_TRUE(panel);
    EXPECT_EQ(panel->Parent(), form.get());
    EXPECT_EQ(panel->Owner(), form.get());
    EXPECT_EQ(panel->BevelInner(), TBevelCut::bvRaised);
    EXPECT_EQ(panel->BoundsRect(), QRect(0, 0, 159, 77)) << "aligned once loaded";
    EXPECT_TRUE(panel->Font()->Style().testFlag(TFontStyle::fsBold)) << "parent font";

    auto* box = Find<TCheckBox>("chkA");
    ASSERT_TRUE(box);
    EXPECT_EQ(box->Parent(), panel);
    EXPECT_EQ(box->Owner(), form.get());
    EXPECT_EQ(box->Tag(), -1);
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(box->Caption(), " &Einstellungen");
    EXPECT_FALSE(box->IsLoading());
}

TEST_F(FormReaderTest, NothingFiresWhileLoadingButCheckedFromCodeClicksOnChangeOnly) {
    Read(QString::fromUtf8(kValues));
    auto* box = Find<TCheckBox>("chkA");
    EXPECT_TRUE(form->log.isEmpty());
    box->SetChecked(true);
    EXPECT_TRUE(form->log.isEmpty()) << "no change, no click";
    box->SetChecked(false);
    box->SetChecked(true);
    EXPECT_EQ(form->log, QStringList({"click chkA 0", "click chkA 1"}));
}

TEST_F(FormReaderTest, ACopyMadeByClassAndPropertyNamesCallsTheSameHandler) {
    Read(QString::fromUtf8(kValues));
    auto* box = Find<TCheckBox>("chkA");
    TComponent* copy = ClassRegistry::Create(*box->metaObject(), form.get());
    ASSERT_TRUE(qobject_cast<TCheckBox*>(copy));
    copy->SetName("chkCopy");
    for (const char* name : {"Caption", "Checked", "OnClick"}) copy->setProperty(name, box->property(name));
    EXPECT_TRUE(copy->property("OnClick") == box->property("OnClick"));
    static_cast<TCheckBox*>(copy)->SetChecked(false);
    EXPECT_EQ(form->log, QStringList({"click chkCopy 0"}));
}

TEST_F(FormReaderTest, LoadedRunsOnceTheWholeTreeExistsWithReferencesResolved) {
    Read(QStringLiteral(R"(object F: RecordingForm
  object Probe: LoadProbe
    Expect = 'chkLater'
    Link = chkLater
  end
  object chkLater: TCheckBox
  end
end)"));
    auto* probe = Find<tktest::LoadProbe>("Probe");
    ASSERT_TRUE(probe);
    EXPECT_TRUE(probe->sawExpected);
    EXPECT_TRUE(probe->sawLink);
    EXPECT_EQ(probe->loadedCalls, 1);
    EXPECT_EQ(probe->Link(), Find<TCheckBox>("chkLater"));
}

TEST_F(FormReaderTest, AutoSizedLabelTakesTheSizeOfItsTextOnceLoaded) {
    Read(QStringLiteral(R"(object F: RecordingForm
  object lb: TLabel
    Left = 8
    Width = 500
    Caption = 'Sound System'
  end
end)"));
    auto* label = Find<TLabel>("lb");
    EXPECT_GT(label->Width(), 40);
    EXPECT_LT(label->Width(), 120);
    EXPECT_EQ(label->Height(), QFontMetrics(label->Font()->ToQFont()).height());
}

struct Mistake {
    const char* text;
    int line;
    const char* says;
};

TEST_F(FormReaderTest, MistakesNameFileLineAndWhat) {
    const Mistake mistakes[] = {
        {"object F: RecordingForm\n  object X: TNoSuchClass\n  end\nend", 2, "unknown class TNoSuchClass"},
        {"object F: RecordingForm\n  object P: TPanel\n    Colour = clRed\n  end\nend", 3, "unknown property Colour of TPanel"},
        {"object F: RecordingForm\n  object P: TPanel\n    Align = alMiddle\n  end\nend", 3, "alMiddle is no value of Align"},
        {"object F: RecordingForm\n  object P: TPanel\n    Height = 'tall'\n  end\nend", 3, "Height takes a number, not a string"},
        {"object F: RecordingForm\n  object P: TPanel\n    Height = 99999999999\n  end\nend", 3, "out of range"},
        {"object F: RecordingForm\n  object P: TPanel\n    Color = clPink\n  end\nend", 3, "unknown colour clPink"},
        {"object F: RecordingForm\n\n  object C: TCheckBox\n    OnClick = NoSuchHandler\n  end\nend", 4,
         "no handler NoSuchHandler for OnClick"},
        {"object F: RecordingForm\n  object C: TCheckBox\n    OnClick = WrongParameters\n  end\nend", 3,
         "WrongParameters(int)"},
        {"object F: RecordingForm\n  object P: LoadProbe\n    Link = chkNowhere\n  end\nend", 3,
         "no component named chkNowhere"},
        {"object F: RecordingForm\n  object P: LoadProbe\n    Link = P\n  end\nend", 3, "P is a LoadProbe"},
        {"object F: RecordingForm\n  object P: TPanel\n  end\n  object P: TPanel\n  end\nend", 4, "already exists"},
        {"object F: RecordingForm\n  object L: TLabel\n    object P: TPanel\n    end\n  end\nend", 3,
         "not a windowed control"},
        {"object F: RecordingForm\n  object P: TPanel\n    Caption = 'open\n  end\nend", 3, "string not closed"},
        {"object F: RecordingForm\n  object P: TPanel\n    Height 5\n  end\nend", 3, "expected '='"},
        {"object F: RecordingForm\n  object P: TPanel\n", 3, "object P has no end"},
        {"object F: TPanel\nend", 1, "the description is for TPanel, not RecordingForm"},
        {"object F: RecordingForm\n  Font = 'Arial'\nend", 2, "Font is set through its own properties"},
        {"object F: RecordingForm\n  Font.Weight = 3\nend", 2, "unknown property Font.Weight"},
        {"object F: RecordingForm\n  Tag = 1\n  object P: TPanel\n  end\n  Tag = 2\nend", 5, "must come before"},
    };
    for (const Mistake& mistake : mistakes) {
        form.reset(new RecordingForm(nullptr));
        const EFormError error = ErrorOf(QString::fromUtf8(mistake.text));
        EXPECT_EQ(error.File(), "test.form") << mistake.text;
        EXPECT_EQ(error.Line(), mistake.line) << mistake.text << "\n" << error.what();
        EXPECT_TRUE(error.Mistake().contains(QString::fromUtf8(mistake.says))) << error.what();
    }
}

TEST_F(FormReaderTest, ReadsFilesAndReportsOnesItCannotRead) {
    const QString dir = QString::fromLocal8Bit(qgetenv("KOVA2_HOME"));
    const QString path = QDir(dir).filePath(QStringLiteral("probe.form"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("object F: RecordingForm\n  Caption = 'f\xc3\xbcr'\nend\n");
    file.close();
    ReadComponentFile(form.get(), path);
    EXPECT_EQ(form->Caption(), QString::fromUtf8("für"));

    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("object F: RecordingForm\n  Caption = 'f\xfcr'\nend\n");
    file.close();
    form.reset(new RecordingForm(nullptr));
    try {
        ReadComponentFile(form.get(), path);
        ADD_FAILURE() << "Latin-1 text was read";
    } catch (const EFormError& error) {
        EXPECT_TRUE(error.Mistake().contains("UTF-8"));
    }
    EXPECT_THROW(ReadComponentFile(form.get(), path + "-missing"), EFormError);
}

TEST_F(FormReaderTest, CreateFormRunsOnCreateAfterLoadingAndFreesAFormWhoseDescriptionIsWrong) {
    const QString dir = QString::fromLocal8Bit(qgetenv("KOVA2_HOME"));
    const QString good = QDir(dir).filePath(QStringLiteral("good.form"));
    const QString bad = QDir(dir).filePath(QStringLiteral("bad.form"));
    QFile goodFile(good);
    ASSERT_TRUE(goodFile.open(QIODevice::WriteOnly));
    goodFile.write("object F: RecordingForm\n  OnCreate = FormCreate\n  OnDestroy = FormDestroy\nend\n");
    goodFile.close();
    QFile badFile(bad);
    ASSERT_TRUE(badFile.open(QIODevice::WriteOnly));
    badFile.write("object F: RecordingForm\n  OnCreate = FormCreate\n  Nonsense = 1\nend\n");
    badFile.close();

    Owned<TComponent> owner(new TComponent(nullptr));
    auto* created = CreateForm<RecordingForm>(owner.get(), good);
    EXPECT_EQ(created->log, QStringList{"create"});
    EXPECT_EQ(owner->ComponentCount(), 1);
    EXPECT_THROW(CreateForm<RecordingForm>(owner.get(), bad), EFormError);
    EXPECT_EQ(owner->ComponentCount(), 1) << "the broken form is freed";
}

} // namespace
