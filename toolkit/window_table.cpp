#include "toolkit/window_table.h"

#include <mutex>
#include <unordered_map>

namespace tk {
namespace {

struct Table {
    std::mutex mutex;
    std::unordered_map<win::HWND, TWinControl*> controls;
    win::HWND next = 0x00010010; // handles look like a system's: nonzero, even
};

Table& TheTable() {
    static Table table;
    return table;
}

} // namespace

win::HWND WindowTable::Add(TWinControl* control) {
    Table& table = TheTable();
    std::lock_guard lock(table.mutex);
    do table.next += 2;
    while (table.next == 0 || table.controls.count(table.next));
    table.controls.emplace(table.next, control);
    return table.next;
}

void WindowTable::Remove(win::HWND handle) {
    Table& table = TheTable();
    std::lock_guard lock(table.mutex);
    table.controls.erase(handle);
}

TWinControl* WindowTable::Find(win::HWND handle) {
    Table& table = TheTable();
    std::lock_guard lock(table.mutex);
    const auto found = table.controls.find(handle);
    return found == table.controls.end() ? nullptr : found->second;
}

bool WindowTable::Contains(win::HWND handle) {
    Table& table = TheTable();
    std::lock_guard lock(table.mutex);
    return table.controls.count(handle) != 0;
}

} // namespace tk
