#include "app/about_box.h"
#include "app/process_state.h"
#include "toolkit/application.h"
#include "toolkit/label.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

QString LabelText(tk::TForm* form, const char* name) {
    auto* label = qobject_cast<tk::TLabel*>(form->FindComponent(QString::fromLatin1(name)));
    return label ? label->Caption() : QStringLiteral("<no label %1>").arg(name);
}

TEST(AboutBox, ShowsNameSystemAndVersionCentredAndEnterEndsIt) {
    tk::Owned<tk::TApplication> application(new tk::TApplication);
    application->CreateForm<tk::TForm>(); // the main form
    auto* box = application->CreateForm<app::TAboutBox>();
    EXPECT_EQ(app::AboutBox, box);
    EXPECT_EQ(LabelText(box, "lbName"), "Kova 2");
    EXPECT_EQ(LabelText(box, "lbSys"), "für Windows(tm) 95/98/ME");
    EXPECT_EQ(LabelText(box, "lbVersion"), "Version 2.06");
    EXPECT_EQ(QSize(box->ClientWidth(), box->ClientHeight()), QSize(294, 296));

    QRect placed;
    QTimer::singleShot(0, [&] {
        placed = QRect(box->Left(), box->Top(), box->Width(), box->Height());
        QTest::keyClick(box->Widget(), Qt::Key_Return);
    });
    EXPECT_EQ(box->ShowModal(), tk::mrOk);
    EXPECT_FALSE(box->Visible());
    EXPECT_EQ(placed.center(), QGuiApplication::primaryScreen()->geometry().center());

    application.reset();
    EXPECT_EQ(app::AboutBox, nullptr);
}

} // namespace
