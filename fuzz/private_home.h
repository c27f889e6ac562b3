#pragma once
// Every fuzzer works in a private folder: its registry file, heap and card state never touch the
// user's. A folder given in KOVA2_HOME (the test's) is kept.
#include <cstdlib>
#include <filesystem>
#include <string>

inline void UsePrivateHome() {
    if (std::getenv("KOVA2_HOME")) return;
    std::string home = (std::filesystem::temp_directory_path() / "kova2-fuzz-XXXXXX").string();
    if (!mkdtemp(home.data())) std::abort();
    setenv("KOVA2_HOME", home.c_str(), 1);
}
