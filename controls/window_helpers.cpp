#include "controls/window_helpers.h"

#include "platform/window_position.h"
#include "toolkit/check_box.h"
#include "toolkit/panel.h"

#include <QHash>
#include <vector>

namespace controls {
namespace {

constexpr win::UINT kFirstCommand = 0x0100;
constexpr win::UINT kCommandStep = 0x10;    // the system keeps the low four bits of a command
constexpr win::UINT kSystemCommands = 0xF000;
constexpr int kEntryTextLimit = 255;       // characters of an entry's text

const QString kPanelEntry = QStringLiteral(" Fenstersteuerung anzeigen");
const QString kInfoEntry = QStringLiteral(" Info...");
const QString kHintsEntry = QStringLiteral(" Tips anzeigen");

struct Commands {
    QHash<const QObject*, win::UINT> byObject;
    std::vector<win::UINT> released;
    win::UINT next = kFirstCommand;
};

// Never destroyed: objects that die at exit still hand their commands back.
Commands& TheCommands() {
    static auto* commands = new Commands;
    return *commands;
}

win::UINT NewCommand(Commands& commands) {
    if (!commands.released.empty()) {
        const win::UINT command = commands.released.back();
        commands.released.pop_back();
        return command;
    }
    const win::UINT command = commands.next;
    commands.next = commands.next + kCommandStep < kSystemCommands ? commands.next + kCommandStep : kFirstCommand;
    return command;
}

QString EntryText(const QString& text) { return text.left(kEntryTextLimit); }

tk::TSystemMenu* MenuOf(tk::TControl* control) {
    tk::TForm* form = control->ParentForm();
    return form ? &form->SystemMenu() : nullptr;
}

// Column first, then row, as one unsigned number.
win::DWORD PlaceKey(const tk::TControl* control) {
    return (win::DWORD(control->Left()) << 16) + win::DWORD(control->Top());
}

std::vector<tk::TCustomCheckBox*> CheckBoxesByPlace(tk::TWinControl* panel) {
    std::vector<tk::TCustomCheckBox*> boxes;
    win::DWORD previous = 0;
    while (true) {
        tk::TCustomCheckBox* next = nullptr;
        for (int i = 0; i < panel->ControlCount(); ++i) {
            auto* box = qobject_cast<tk::TCustomCheckBox*>(panel->Controls(i));
            if (box && PlaceKey(box) > previous && (!next || PlaceKey(box) < PlaceKey(next))) next = box;
        }
        if (!next) return boxes;
        boxes.push_back(next);
        previous = PlaceKey(next);
    }
}

} // namespace

win::UINT SystemMenuCommand(const QObject* object) {
    Commands& commands = TheCommands();
    const auto found = commands.byObject.constFind(object);
    if (found != commands.byObject.constEnd()) return *found;
    const win::UINT command = NewCommand(commands);
    commands.byObject.insert(object, command);
    // A window opened before the about box exists has an info entry without an object behind it.
    if (!object) return command;
    QObject::connect(object, &QObject::destroyed, [object] {
        Commands& all = TheCommands();
        all.released.push_back(all.byObject.take(object));
    });
    return command;
}

win::HMENU AddSystemMenuEntries(tk::TWinControl* controlPanel, const QObject* infoItem, bool extraSeparator) {
    tk::TSystemMenu* menu = MenuOf(controlPanel);
    if (!menu) return 0;
    menu->AppendSeparator();
    for (tk::TCustomCheckBox* box : CheckBoxesByPlace(controlPanel))
        menu->Append(SystemMenuCommand(box), EntryText(box->Caption()), box->Checked());
    if (extraSeparator) menu->AppendSeparator();
    menu->AppendSeparator();
    menu->Append(SystemMenuCommand(controlPanel), kPanelEntry, controlPanel->Visible());
    menu->AppendSeparator();
    menu->Append(SystemMenuCommand(infoItem), kInfoEntry, false);
    return menu->Handle();
}

void UpdateSystemMenuEntry(tk::TControl* control) {
    if (!control) return;
    tk::TSystemMenu* menu = MenuOf(control);
    if (!menu) return;
    const win::UINT command = SystemMenuCommand(control);
    if (auto* box = qobject_cast<tk::TCustomCheckBox*>(control))
        menu->Modify(command, EntryText(box->Caption()), box->Checked());
    else if (qobject_cast<tk::TCustomPanel*>(control))
        menu->Modify(command, kPanelEntry, control->Visible());
    else if (qobject_cast<tk::TForm*>(control))
        menu->Modify(command, kHintsEntry, control->ShowHint());
}

void SetStayOnTop(tk::TForm* form, bool onTop) {
    win::SetWindowPos(form->Handle(), onTop ? win::HWND_TOPMOST : win::HWND_NOTOPMOST, 0, 0, 0, 0,
                      win::SWP_NOMOVE | win::SWP_NOSIZE | win::SWP_NOACTIVATE);
}

void CloseAndFree(tk::TForm* form) {
    if (!form) return;
    form->Close();
    form->Free();
}

} // namespace controls
