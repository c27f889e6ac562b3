#include "platform/registry.h"

#include "platform/message_box.h"
#include "platform/paths.h"

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <map>
#include <mutex>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace platform::registry {
namespace {

std::string Folded(std::string_view name) {
    std::string folded(name);
    std::transform(folded.begin(), folded.end(), folded.begin(),
                   [](unsigned char c) { return char(c >= 'A' && c <= 'Z' ? c + 32 : c); });
    return folded;
}

struct NamedValue {
    std::string name; // as first written
    Value value;
};

struct Key {
    std::string path; // as first written
    std::map<std::string, NamedValue> values; // by folded name
};

struct Store {
    std::mutex mutex;
    bool loaded = false;
    bool dirty = false;
    bool damageReported = false;
    bool writeFailureReported = false;
    std::map<std::string, Key> keys; // by folded path
};

Store& TheStore() {
    static Store store;
    return store;
}

std::string_view TrimSeparators(std::string_view key) {
    while (!key.empty() && key.front() == '\\') key.remove_prefix(1);
    while (!key.empty() && key.back() == '\\') key.remove_suffix(1);
    return key;
}

std::string Quoted(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '"': out += "\\\""; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        default: out += c; break;
        }
    }
    return out + '"';
}

// Reads a quoted string at the start of line; nullopt when it is not one.
std::optional<std::string> Unquoted(std::string_view& line) {
    if (line.empty() || line.front() != '"') return std::nullopt;
    std::string out;
    for (std::size_t i = 1; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '"') {
            line.remove_prefix(i + 1);
            return out;
        }
        if (c != '\\') {
            out += c;
            continue;
        }
        if (++i == line.size()) return std::nullopt;
        switch (line[i]) {
        case '\\': out += '\\'; break;
        case '"': out += '"'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        default: return std::nullopt;
        }
    }
    return std::nullopt;
}

std::optional<std::uint32_t> Dword(std::string_view text) {
    if (text.size() != 8) return std::nullopt;
    std::uint32_t number = 0;
    for (const char c : text) {
        int digit;
        if (c >= '0' && c <= '9') digit = c - '0';
        else if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
        else return std::nullopt;
        number = number << 4 | std::uint32_t(digit);
    }
    return number;
}

Key& KeyFor(Store& store, std::string_view path) {
    path = TrimSeparators(path);
    auto [found, inserted] = store.keys.try_emplace(Folded(path));
    if (inserted) found->second.path = std::string(path);
    return found->second;
}

// One line of the file into the keys; false when it is not a line of the format.
bool ParseLine(Store& store, std::string_view line, Key*& current) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line.front() == ';') return true;
    if (line.front() == '[') {
        if (line.back() != ']') return false;
        current = &KeyFor(store, line.substr(1, line.size() - 2));
        return true;
    }
    const auto name = Unquoted(line);
    if (!current || !name || line.empty() || line.front() != '=') return false;
    line.remove_prefix(1);
    Value value;
    if (const auto text = Unquoted(line)) {
        if (!line.empty()) return false;
        value.text = *text;
    } else if (line.substr(0, 6) == "dword:") {
        const auto number = Dword(line.substr(6));
        if (!number) return false;
        value.type = ValueType::Dword;
        value.number = *number;
    } else {
        return false;
    }
    current->values[Folded(*name)] = NamedValue{*name, value};
    return true;
}

// Each trouble with the file is said once per run: every later access would only repeat it.
void ReportOnce(bool& reported, const std::string& text) {
    if (reported) return;
    reported = true;
    win::MessageBoxA(0, text.c_str(), "Kova 2", win::MB_ICONEXCLAMATION);
}

void ReportDamage(Store& store, const fs::path& keptAs) {
    ReportOnce(store.damageReported,
               "Die gespeicherten Fenstereinstellungen waren beschädigt und werden neu angelegt.\r\n"
               "Die beschädigte Datei wurde aufbewahrt als:\r\n" +
                   keptAs.string());
}

// Without it the user's window state would be lost at the end of the run without a word.
void ReportWriteFailure(Store& store, const fs::path& file) {
    ReportOnce(store.writeFailureReported, "Die Fenstereinstellungen konnten nicht gespeichert werden.\r\n"
                                           "Die Datei ist nicht beschreibbar:\r\n" +
                                               file.string());
}

void Load(Store& store) {
    if (store.loaded) return;
    store.loaded = true;
    store.keys.clear();
    const fs::path file = FilePath();
    std::ifstream in(file, std::ios::binary);
    if (!in) return;
    std::string line;
    Key* current = nullptr;
    bool sound = true;
    while (sound && std::getline(in, line)) sound = ParseLine(store, line, current);
    if (sound && !in.bad()) return;
    store.keys.clear();
    in.close();
    fs::path keptAs = file;
    keptAs += ".damaged";
    std::error_code ec;
    fs::rename(file, keptAs, ec);
    store.dirty = true;
    ReportDamage(store, keptAs);
}

std::string Serialised(const Store& store) {
    std::ostringstream out;
    out << "; Kova 2 registry: HKEY_CURRENT_USER, UTF-8\n";
    for (const auto& [folded, key] : store.keys) {
        out << '[' << key.path << "]\n";
        for (const auto& [foldedName, named] : key.values) {
            out << Quoted(named.name) << '=';
            if (named.value.type == ValueType::Dword) {
                char hex[9];
                std::snprintf(hex, sizeof hex, "%08x", named.value.number);
                out << "dword:" << hex << '\n';
            } else {
                out << Quoted(named.value.text) << '\n';
            }
        }
    }
    return out.str();
}

bool WriteAtomically(const fs::path& file, const std::string& content) {
    fs::path temp = file;
    temp += ".tmp-" + std::to_string(getpid());
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    std::size_t written = 0;
    while (written < content.size()) {
        const ssize_t n = ::write(fd, content.data() + written, content.size() - written);
        if (n <= 0) break;
        written += std::size_t(n);
    }
    const bool complete = written == content.size() && ::fsync(fd) == 0;
    ::close(fd);
    std::error_code ec;
    if (complete) fs::rename(temp, file, ec);
    if (!complete || ec) {
        fs::remove(temp, ec);
        return false;
    }
    return true;
}

} // namespace

fs::path FilePath() { return ConfigDir() / "registry.txt"; }

bool KeyExists(std::string_view key) {
    Store& store = TheStore();
    std::lock_guard lock(store.mutex);
    Load(store);
    return store.keys.count(Folded(TrimSeparators(key))) != 0;
}

void CreateKey(std::string_view key) {
    Store& store = TheStore();
    std::lock_guard lock(store.mutex);
    Load(store);
    key = TrimSeparators(key);
    for (std::size_t end = key.find('\\'); ; end = key.find('\\', end + 1)) {
        const std::string_view path = key.substr(0, end);
        if (!store.keys.count(Folded(path))) {
            KeyFor(store, path);
            store.dirty = true;
        }
        if (end == std::string_view::npos) break;
    }
}

std::optional<Value> QueryValue(std::string_view key, std::string_view name) {
    Store& store = TheStore();
    std::lock_guard lock(store.mutex);
    Load(store);
    const auto found = store.keys.find(Folded(TrimSeparators(key)));
    if (found == store.keys.end()) return std::nullopt;
    const auto value = found->second.values.find(Folded(name));
    if (value == found->second.values.end()) return std::nullopt;
    return value->second.value;
}

namespace {

void Set(std::string_view key, std::string_view name, Value value) {
    CreateKey(key);
    Store& store = TheStore();
    std::lock_guard lock(store.mutex);
    auto& values = KeyFor(store, key).values;
    auto [found, inserted] = values.try_emplace(Folded(name));
    if (inserted) found->second.name = std::string(name);
    found->second.value = std::move(value);
    store.dirty = true;
}

} // namespace

void SetString(std::string_view key, std::string_view name, std::string_view text) {
    Set(key, name, Value{ValueType::String, std::string(text), 0});
}

void SetDword(std::string_view key, std::string_view name, std::uint32_t number) {
    Set(key, name, Value{ValueType::Dword, {}, number});
}

bool Flush() {
    Store& store = TheStore();
    std::lock_guard lock(store.mutex);
    if (!store.dirty) return true;
    if (!WriteAtomically(FilePath(), Serialised(store))) {
        ReportWriteFailure(store, FilePath());
        return false;
    }
    store.dirty = false;
    return true;
}

void Reload() {
    Store& store = TheStore();
    std::lock_guard lock(store.mutex);
    store.loaded = false;
    store.dirty = false;
    store.keys.clear();
}

void StartRun() {
    Reload();
    Store& store = TheStore();
    std::lock_guard lock(store.mutex);
    store.damageReported = false;
    store.writeFailureReported = false;
}

} // namespace platform::registry
