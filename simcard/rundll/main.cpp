// The rundll host: loads a library that sits beside it and calls one of its entry points with the rest
// of the command line, as the shell's "rundll.exe" does for the card manager's configuration calls.
#include "platform/paths.h"
#include "platform/rundll_entry.h"
#include "simcard/rundll/command_line.h"

#include <cstdio>
#include <dlfcn.h>
#include <filesystem>
#include <string>

namespace {

constexpr win::INT ShowCommand = 10; // SW_SHOWDEFAULT

int Fail(const std::string& message) {
    std::fprintf(stderr, "rundll: %s\n", message.c_str());
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) return Fail("usage: rundll \"LIBRARY,Entry [arguments]\"");
    std::string error;
    auto invocation = rundll::ParseCommandLine(argv[1], error);
    if (!invocation) return Fail(error);

    const std::filesystem::path library = platform::ExecutableDir() / invocation->library;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(library, ec)) return Fail("no library " + library.string());
    void* handle = dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) return Fail("cannot load " + library.string() + ": " + dlerror());
    auto entry = reinterpret_cast<win::RundllEntry>(dlsym(handle, invocation->entry.c_str()));
    if (!entry) return Fail("no entry point " + invocation->entry + " in " + library.string());

    entry(0, 0, invocation->arguments.data(), ShowCommand);
    return 0;
}
