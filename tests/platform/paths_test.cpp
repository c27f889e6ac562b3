#include "platform/paths.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/stat.h>

TEST(Paths, Kova2HomeHoldsRuntimeAndConfigFolders) {
    const std::filesystem::path home = std::getenv("KOVA2_HOME");
    EXPECT_EQ(platform::RuntimeDir(), home);
    EXPECT_EQ(platform::ConfigDir(), home);
}

TEST(Paths, CreatedFoldersArePrivate) {
    const auto previous = std::string(std::getenv("KOVA2_HOME"));
    const auto fresh = std::filesystem::path(previous) / "nested" / "home";
    setenv("KOVA2_HOME", fresh.c_str(), 1);
    const auto dir = platform::RuntimeDir();
    setenv("KOVA2_HOME", previous.c_str(), 1);
    struct stat info {};
    ASSERT_EQ(stat(dir.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
}

TEST(Paths, ExecutableDirIsTheRunnersFolder) {
    EXPECT_TRUE(std::filesystem::exists(platform::ExecutableDir() / "kova2_tests"));
}
