// The registry file reader on arbitrary file contents: whatever the file holds, the store reads as
// something (or as empty, with the damaged file kept aside), and what is set afterwards survives a
// write and a fresh read unchanged.
#include "fuzz/private_home.h"
#include "platform/message_box.h"
#include "platform/registry.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

namespace registry = platform::registry;

namespace {

constexpr const char* Key = "software\\holvar\\kova2mix.ini\\Fuzz";

void Check(bool condition) {
    if (!condition) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    UsePrivateHome();
    platform::SetMessageBoxHandler([](win::HWND, std::string_view, std::string_view, win::UINT) { return win::IDOK; });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string content(reinterpret_cast<const char*>(data), size);
    std::ofstream(registry::FilePath(), std::ios::binary | std::ios::trunc) << content;
    registry::Reload();

    // Names taken from the input, so that they may collide with what the file holds.
    const std::string name = content.substr(0, content.find('\n') == std::string::npos ? 0 : content.find('\n'));
    registry::KeyExists(Key);
    registry::QueryValue(Key, name);
    registry::SetString(Key, name, content);
    registry::SetDword(Key, name + "#", std::uint32_t(size));
    Check(registry::Flush());

    registry::Reload();
    const auto text = registry::QueryValue(Key, name);
    const auto number = registry::QueryValue(Key, name + "#");
    Check(text && text->type == registry::ValueType::String && text->text == content);
    Check(number && number->type == registry::ValueType::Dword && number->number == size);
    return 0;
}
