// One runner for every test: a single QApplication on the offscreen platform and a private
// KOVA2_HOME per test process, so tests run in parallel without touching the user's state.
#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

namespace {

std::filesystem::path MakePrivateHome() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kova2-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) std::abort();
    return pattern;
}

} // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    const auto home = MakePrivateHome();
    setenv("KOVA2_HOME", home.c_str(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    const int result = RUN_ALL_TESTS();
    std::error_code ec;
    std::filesystem::remove_all(home, ec);
    return result;
}
