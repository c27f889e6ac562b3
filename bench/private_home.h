#pragma once
// The main of a benchmark program: the card's state, the heap and the trace go to a private folder,
// never to the user's.
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <string>

inline int RunBenchmarksInPrivateHome(int argc, char** argv) {
    std::string home = (std::filesystem::temp_directory_path() / "kova2-bench-XXXXXX").string();
    if (!mkdtemp(home.data())) return 1;
    setenv("KOVA2_HOME", home.c_str(), 1);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ec;
    std::filesystem::remove_all(home, ec);
    return 0;
}
