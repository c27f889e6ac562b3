#include "platform/paths.h"

#include <cstdlib>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace platform {
namespace {

std::string EnvOrEmpty(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

// Creates the folder (and missing parents) private to the user; an existing folder keeps its mode.
fs::path PrivateFolder(const fs::path& folder) {
    std::error_code ec;
    if (!fs::exists(folder, ec)) {
        fs::create_directories(folder, ec);
        fs::permissions(folder, fs::perms::owner_all, fs::perm_options::replace, ec);
    }
    return folder;
}

} // namespace

fs::path RuntimeDir() {
    if (auto home = EnvOrEmpty("KOVA2_HOME"); !home.empty()) return PrivateFolder(home);
    if (auto xdg = EnvOrEmpty("XDG_RUNTIME_DIR"); !xdg.empty()) return PrivateFolder(fs::path(xdg) / "kova2");
    return PrivateFolder(fs::path("/tmp") / ("kova2-" + std::to_string(getuid())));
}

namespace {

// The user's configuration folder of that name, or KOVA2_HOME.
fs::path UserConfigFolder(const char* name) {
    if (auto home = EnvOrEmpty("KOVA2_HOME"); !home.empty()) return PrivateFolder(home);
    if (auto xdg = EnvOrEmpty("XDG_CONFIG_HOME"); !xdg.empty()) return PrivateFolder(fs::path(xdg) / name);
    if (auto user = EnvOrEmpty("HOME"); !user.empty()) return PrivateFolder(fs::path(user) / ".config" / name);
    return PrivateFolder(RuntimeDir() / "config");
}

} // namespace

fs::path ConfigDir() {
    return UserConfigFolder("holvar");
}

fs::path CardConfigDir() {
    return UserConfigFolder("kova2");
}

fs::path ExecutableDir() {
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::current_path() : self.parent_path();
}

} // namespace platform
