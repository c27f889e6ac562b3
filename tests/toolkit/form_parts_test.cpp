// A form's named parts are resolved as its description is read: a missing or mistyped one fails the
// form's creation, naming the description's file and line, the part's name and the class it needs.
#include "tests/toolkit/test_forms.h"
#include "toolkit/errors.h"
#include "toolkit/panel.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <variant>

using tktest::PartsForm;

namespace {

class FormPartsTest : public testing::Test {
protected:
    // The form created from description, or the error its creation gave.
    std::variant<PartsForm*, tk::EFormError> Create(const char* description) {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(description);
        file.close();
        try {
            form.reset(tk::CreateForm<PartsForm>(nullptr, path));
            return form.get();
        } catch (const tk::EFormError& error) {
            return error;
        }
    }

    // The error that creating the form from description gave.
    tk::EFormError ErrorOf(const char* description) {
        auto created = Create(description);
        if (const auto* error = std::get_if<tk::EFormError>(&created)) return *error;
        ADD_FAILURE() << "the form was created";
        return tk::EFormError({}, 0, {});
    }

    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("parts.form"));
    tk::Owned<PartsForm> form;
};

TEST_F(FormPartsTest, PartsAreInTheirMembersBeforeTheCreateHandlerRuns) {
    const auto created = Create(R"(object Parts: PartsForm
  OnCreate = FormCreate
  object Holder: TPanel
    object Box: TCheckBox
    end
  end
end
)");
    ASSERT_TRUE(std::holds_alternative<PartsForm*>(created));
    EXPECT_EQ(form->box, form->FindComponent(QStringLiteral("Box")));
    EXPECT_EQ(form->holder, form->FindComponent(QStringLiteral("Holder")));
    EXPECT_TRUE(form->partsAtCreate);
}

TEST_F(FormPartsTest, AMissingPartFailsTheCreationNamingTheFileTheFormsLineThePartAndItsClass) {
    const tk::EFormError error = ErrorOf(R"(// a form without its check box
object Parts: PartsForm
  object Holder: TPanel
  end
end
)");
    EXPECT_EQ(error.File(), path);
    EXPECT_EQ(error.Line(), 2);
    EXPECT_EQ(error.Mistake(), QStringLiteral("Parts has no TCheckBox named Box"));
}

TEST_F(FormPartsTest, APartOfAnotherClassFailsTheCreationAtItsOwnLine) {
    const tk::EFormError error = ErrorOf(R"(object Parts: PartsForm
  object Holder: TPanel
  end
  object Box: TPanel
  end
end
)");
    EXPECT_EQ(error.File(), path);
    EXPECT_EQ(error.Line(), 4);
    EXPECT_EQ(error.Mistake(), QStringLiteral("Box is a TPanel, and Parts needs a TCheckBox"));
}

} // namespace
