#include "controls/page_control.h"
#include "controls/window_helpers.h"
#include "platform/win_messages.h"
#include "toolkit/check_box.h"
#include "toolkit/errors.h"
#include "toolkit/page_control.h"
#include "toolkit/panel.h"

#include <QPointer>
#include <QWindow>
#include <algorithm>
#include <set>
#include <gtest/gtest.h>

using namespace controls;

namespace {

tk::TCheckBox* AddBox(tk::TForm* form, tk::TWinControl* parent, const char* caption, int left, int top) {
    auto* box = new tk::TCheckBox(form);
    box->SetParent(parent);
    box->SetCaption(QString::fromLatin1(caption));
    box->SetBounds(left, top, 100, 17);
    return box;
}

QStringList Texts(const tk::TSystemMenu& menu) {
    QStringList texts;
    for (const auto& entry : menu.Entries()) texts.append(entry.command == 0 ? QStringLiteral("-") : entry.text);
    return texts;
}

TEST(SystemMenuEntries, MirrorTheCheckBoxesByColumnAndRowThenThePanelAndInfo) {
    tk::Owned<tk::TForm> form(new tk::TForm(nullptr));
    auto* panel = new tk::TPanel(form.get());
    panel->SetParent(form.get());
    tk::Owned<tk::TForm> about(new tk::TForm(nullptr));
    AddBox(form.get(), panel, " P&eak Meter / Fader", 8, 28)->SetChecked(true);
    AddBox(form.get(), panel, " &Monitoring", 8, 8);
    AddBox(form.get(), panel, "at the origin", 0, 0);
    AddBox(form.get(), panel, "same place", 8, 8);
    AddBox(form.get(), panel, "next column", 120, 0);

    const int before = int(form->SystemMenu().Entries().size());
    EXPECT_EQ(AddSystemMenuEntries(panel, about.get(), false), form->SystemMenu().Handle());
    const QStringList added = Texts(form->SystemMenu()).mid(before);
    EXPECT_EQ(added, QStringList({"-", " &Monitoring", " P&eak Meter / Fader", "next column", "-",
                                  " Fenstersteuerung anzeigen", "-", " Info..."}));
    const auto& entries = form->SystemMenu().Entries();
    EXPECT_TRUE(entries[std::size_t(before + 2)].checked);
    EXPECT_TRUE(entries[std::size_t(before + 5)].checked) << "the panel is visible";
    EXPECT_EQ(entries.back().command, SystemMenuCommand(about.get()));
}

TEST(SystemMenuEntries, CommandsAreDistinctAndNeverSystemCommands) {
    tk::Owned<tk::TForm> form(new tk::TForm(nullptr));
    std::set<win::UINT> seen;
    for (int i = 0; i < 300; ++i) {
        auto* panel = new tk::TPanel(form.get());
        const win::UINT command = SystemMenuCommand(panel);
        EXPECT_LT(command, 0xF000u);
        EXPECT_EQ(command & 0xF, 0u);
        EXPECT_TRUE(seen.insert(command).second);
        EXPECT_EQ(SystemMenuCommand(panel), command);
    }
}

TEST(SystemMenuEntries, AnUpdateFollowsTheControlsStateAndIgnoresNull) {
    tk::Owned<tk::TForm> form(new tk::TForm(nullptr));
    auto* panel = new tk::TPanel(form.get());
    panel->SetParent(form.get());
    auto* box = AddBox(form.get(), panel, " &Monitoring", 8, 8);
    AddSystemMenuEntries(panel, form.get(), true);
    box->SetChecked(true);
    box->SetCaption(" Routing");
    panel->Hide();
    UpdateSystemMenuEntry(box);
    UpdateSystemMenuEntry(panel);
    UpdateSystemMenuEntry(nullptr);
    const auto& entries = form->SystemMenu().Entries();
    const auto entryOf = [&](const QObject* object) {
        return *std::find_if(entries.begin(), entries.end(),
                             [&](const auto& e) { return e.command == SystemMenuCommand(object); });
    };
    EXPECT_EQ(entryOf(box).text, " Routing");
    EXPECT_TRUE(entryOf(box).checked);
    EXPECT_FALSE(entryOf(panel).checked);
}

TEST(WindowHelpers, StayOnTopSetsTheWindowFlagOnlyWhenItChanges) {
    tk::Owned<tk::TForm> form(new tk::TForm(nullptr));
    form->Show();
    QWindow* window = form->WindowHandle();
    SetStayOnTop(form.get(), true);
    EXPECT_TRUE(window->flags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(form->WindowHandle(), window);
    SetStayOnTop(form.get(), true);
    SetStayOnTop(form.get(), false);
    EXPECT_FALSE(window->flags().testFlag(Qt::WindowStaysOnTopHint));
}

TEST(WindowHelpers, CloseAndFreeFormRunsTheCloseHandlerAndClearsTheVariable) {
    tk::TForm* empty = nullptr;
    CloseAndFreeForm(empty);
    EXPECT_EQ(empty, nullptr);

    auto* form = new tk::TForm(nullptr);
    bool closed = false;
    QPointer<tk::TForm> watch(form);
    form->SetOnClose(tk::TCloseEvent([&](tk::TComponent*, tk::TCloseAction&) { closed = true; }));
    CloseAndFreeForm(form);
    EXPECT_TRUE(closed);
    EXPECT_EQ(form, nullptr);
    EXPECT_TRUE(watch.isNull());
}

TEST(WindowHelpers, PageLookUpsAbortSilentlyForAForeignPage) {
    tk::Owned<tk::TPageControl> pages(new tk::TPageControl(nullptr));
    auto* first = new tk::TTabSheet(pages.get());
    auto* second = new tk::TTabSheet(pages.get());
    first->SetParent(pages.get());
    second->SetParent(pages.get());
    tk::Owned<tk::TTabSheet> foreign(new tk::TTabSheet(nullptr));
    EXPECT_EQ(PageOfIndex(*pages, 1), second);
    EXPECT_EQ(PageOfIndex(*pages, 2), nullptr);
    EXPECT_EQ(IndexOfPage(*pages, second), 1);
    EXPECT_THROW(IndexOfPage(*pages, foreign.get()), tk::EAbort);
    EXPECT_THROW(IndexOfPage(*pages, nullptr), tk::EAbort);
}

} // namespace
