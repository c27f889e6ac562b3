#pragma once
// HKEY_CURRENT_USER as a small typed store. Keys are paths of names joined by '\' below the user's
// root; names of keys and values compare without case. A value is a string (REG_SZ) or a 32-bit
// number (REG_DWORD). The store lives in a text file in ConfigDir(), read at first use and written
// atomically (temp file + rename) by Flush. A damaged file is reported once, kept aside as
// "registry.txt.damaged" and read as empty; the next Flush writes a sound file.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace platform::registry {

enum class ValueType { String, Dword };

struct Value {
    ValueType type = ValueType::String;
    std::string text;       // for String
    std::uint32_t number = 0; // for Dword
};

bool KeyExists(std::string_view key);
// Creates the key and its parents.
void CreateKey(std::string_view key);
std::optional<Value> QueryValue(std::string_view key, std::string_view name);
// Both create the key when it is missing and replace a value of either type.
void SetString(std::string_view key, std::string_view name, std::string_view text);
void SetDword(std::string_view key, std::string_view name, std::uint32_t number);

// Writes the changes since the last flush; false when the file cannot be written (the changes stay in
// memory for the next try, and the first such failure of the run is reported).
bool Flush();
// Forgets what was read, so that the next call reads the file again.
void Reload();
// Reload, and the troubles of the file are reported again: for a process that runs the program more than once.
void StartRun();
std::filesystem::path FilePath();

} // namespace platform::registry
