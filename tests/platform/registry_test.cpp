#include "platform/registry.h"

#include "tests/driver/message_box_capture.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;
namespace reg = platform::registry;

namespace {

class Registry : public testing::Test {
protected:
    void SetUp() override {
        std::error_code ec;
        fs::remove(reg::FilePath(), ec);
        fs::remove(Damaged(), ec);
        reg::Reload();
    }
    static fs::path Damaged() { return fs::path(reg::FilePath()) += ".damaged"; }
    static void WriteFile(const std::string& content) {
        std::ofstream(reg::FilePath(), std::ios::binary) << content;
        reg::Reload();
    }
    static std::string ReadFile(const fs::path& path) {
        std::ostringstream content;
        content << std::ifstream(path, std::ios::binary).rdbuf();
        return content.str();
    }
};

TEST_F(Registry, TypedValuesSurviveAFlushAndARereadWithoutRegardToCase) {
    reg::CreateKey("software\\holvar\\kova2mix.ini");
    reg::SetDword("software\\holvar\\kova2mix.ini\\frmAnalogInp", "Width", 300);
    reg::SetString("software\\holvar\\kova2mix.ini\\frmAnalogInp", "chkRouting", "1");
    reg::SetString("software\\holvar\\kova2mix.ini\\frmAnalogInp", "Odd", "a \"quoted\" \\ text\r\nzwei Zeilen für");
    ASSERT_TRUE(reg::Flush());
    reg::Reload();

    EXPECT_TRUE(reg::KeyExists("Software\\Holvar"));
    const auto width = reg::QueryValue("SOFTWARE\\holvar\\kova2mix.ini\\frmanaloginp", "width");
    ASSERT_TRUE(width);
    EXPECT_EQ(width->type, reg::ValueType::Dword);
    EXPECT_EQ(width->number, 300u);
    EXPECT_EQ(reg::QueryValue("software\\holvar\\kova2mix.ini\\frmAnalogInp", "chkRouting")->text, "1");
    EXPECT_EQ(reg::QueryValue("software\\holvar\\kova2mix.ini\\frmAnalogInp", "Odd")->text,
              "a \"quoted\" \\ text\r\nzwei Zeilen für");
    EXPECT_FALSE(reg::QueryValue("software\\holvar\\kova2mix.ini\\frmAnalogInp", "Height"));
    EXPECT_FALSE(reg::QueryValue("software\\holvar\\other", "Width"));

    reg::SetString("software\\holvar\\kova2mix.ini\\frmAnalogInp", "WIDTH", "310");
    EXPECT_EQ(reg::QueryValue("software\\holvar\\kova2mix.ini\\frmAnalogInp", "Width")->type, reg::ValueType::String);
}

TEST_F(Registry, ADamagedFileIsReportedOnceKeptAsideReadAsEmptyAndReplaced) {
    const std::string damaged = "[software\\holvar]\n\"Top\"=dword:12zz\n";
    WriteFile(damaged);
    MessageBoxCapture capture;
    EXPECT_FALSE(reg::QueryValue("software\\holvar", "Top"));
    EXPECT_FALSE(reg::KeyExists("software\\holvar"));
    ASSERT_EQ(capture.boxes.size(), 1u);
    EXPECT_NE(capture.boxes[0].text.find(Damaged().string()), std::string::npos);
    EXPECT_EQ(ReadFile(Damaged()), damaged);

    reg::SetDword("software\\holvar", "Top", 7);
    ASSERT_TRUE(reg::Flush());
    WriteFile("garbage");
    EXPECT_FALSE(reg::KeyExists("software\\holvar"));
    EXPECT_EQ(capture.boxes.size(), 1u) << "once per run";

    reg::SetDword("software\\holvar", "Top", 8);
    ASSERT_TRUE(reg::Flush());
    reg::Reload();
    EXPECT_EQ(reg::QueryValue("software\\holvar", "Top")->number, 8u);
}

TEST_F(Registry, AFlushThatCannotWriteKeepsTheChangesAndTheOldFile) {
    reg::SetDword("software\\holvar", "Top", 1);
    ASSERT_TRUE(reg::Flush());
    reg::SetDword("software\\holvar", "Top", 2);
    const fs::path folder = reg::FilePath().parent_path();
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    const bool flushed = reg::Flush();
    fs::permissions(folder, fs::perms::owner_all);
    if (getuid() == 0) GTEST_SKIP() << "root writes anywhere";
    EXPECT_FALSE(flushed);
    EXPECT_EQ(reg::QueryValue("software\\holvar", "Top")->number, 2u);
    EXPECT_TRUE(reg::Flush());
}

TEST_F(Registry, AFileThatCannotBeReplacedIsReportedOnceAndTheChangesWaitForTheNextFlush) {
    reg::SetDword("software\\holvar", "Top", 1);
    ASSERT_TRUE(reg::Flush());
    reg::SetDword("software\\holvar", "Top", 2);
    // Where the new file is written first stands a folder: even root cannot write there.
    const fs::path blocker = fs::path(reg::FilePath()) += ".tmp-" + std::to_string(getpid());
    fs::create_directory(blocker);
    MessageBoxCapture capture;
    EXPECT_FALSE(reg::Flush());
    reg::SetDword("software\\holvar", "Left", 3);
    EXPECT_FALSE(reg::Flush());
    fs::remove(blocker);
    ASSERT_EQ(capture.boxes.size(), 1u) << "once per run";
    EXPECT_NE(capture.boxes[0].text.find(reg::FilePath().string()), std::string::npos);
    EXPECT_NE(ReadFile(reg::FilePath()).find("dword:00000001"), std::string::npos) << "the old file stays";

    ASSERT_TRUE(reg::Flush());
    reg::Reload();
    EXPECT_EQ(reg::QueryValue("software\\holvar", "Top")->number, 2u);
    EXPECT_EQ(reg::QueryValue("software\\holvar", "Left")->number, 3u);
}

} // namespace
