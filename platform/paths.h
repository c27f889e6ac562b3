#pragma once
// Per-user folders. KOVA2_HOME, when set, holds all of them in one folder, so that every test works
// in a private place.
#include <filesystem>

namespace platform {

// Card state, heaps, trace, broadcast socket: $XDG_RUNTIME_DIR/kova2 or /tmp/kova2-$UID. Created 0700.
std::filesystem::path RuntimeDir();
// The registry file: $XDG_CONFIG_HOME/holvar or ~/.config/holvar. Created 0700.
std::filesystem::path ConfigDir();
// The card's own settings that outlive a session (the sound server connections): $XDG_CONFIG_HOME/kova2
// or ~/.config/kova2. Created 0700.
std::filesystem::path CardConfigDir();
// Folder of the running executable.
std::filesystem::path ExecutableDir();

} // namespace platform
