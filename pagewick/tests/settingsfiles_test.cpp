#include "core/settingsfiles.h"
#include "helpers/testsupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace pw {
namespace {

using test::ReadFile;
using test::TempFolder;
using test::WriteFile;

TEST(SettingsFilesTest, SetupFileBytesAndRoundTrip)
{
    TempFolder folder;
    const std::string path = folder / kSetupFileName;
    ASSERT_TRUE(WriteSetupFile(path, "/home/ann/Out"));
    EXPECT_EQ(ReadFile(path), "\"\"\r\n\"\"\r\n\"\"\r\n\"/home/ann/Out\"\r\n\"2\"\r\n");
    EXPECT_EQ(ReadSetupFile(path), "/home/ann/Out");
    EXPECT_FALSE(std::filesystem::exists(path + ".new"));

    // Names that are legal here and come back whole: blanks, a comma, a quote, UTF-8.
    for (const char* name : {"/tmp/a b, c", "/tmp/say \"hi\"", "/tmp/Über ✓", " /lead"}) {
        ASSERT_TRUE(WriteSetupFile(path, name));
        EXPECT_EQ(ReadSetupFile(path), name);
    }
    // A line break could not be read back: nothing is written and the old file stays.
    EXPECT_FALSE(WriteSetupFile(path, "/tmp/two\nlines"));
    EXPECT_EQ(ReadSetupFile(path), " /lead");
}

TEST(SettingsFilesTest, SetupFileReadingRules)
{
    TempFolder folder;
    const std::string path = folder / kSetupFileName;
    const std::pair<std::string, std::optional<std::string>> cases[] = {
        {"\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"2\"\r\n", ""}, // empty field: the caller keeps its default
        {"a\nb\nc\n\"/lf/only\"\n", "/lf/only"},
        {"\r\r\r   \"/cr/only\"  \r", "/cr/only"},
        {"x\ny\nz\n  /unquoted, second  \n", "/unquoted"},
        {"x\ny\nz\n/trailing   ", "/trailing"},
        {"x\ny\nz\n\"/never closed\n", "/never closed"},
        {"\"\"\r\n\"\"\r\n\"\"\r\n", std::nullopt}, // short: no fourth line
        {"", std::nullopt},
        {std::string("a\nb\nc\n\"/nul\0here\"\n", 19), std::nullopt},
        {"a\nb\nc\n\"" + std::string(kSettingsReadLimit, 'x') + "\"\n", std::nullopt}, // beyond the limit
    };
    for (const auto& [bytes, expected] : cases) {
        WriteFile(path, bytes);
        const auto folder = ReadSetupFile(path);
        EXPECT_TRUE(folder == expected) << "file starting " << bytes.substr(0, 40) << " gave "
                                        << (folder ? folder->substr(0, 40) : "nothing");
    }
    EXPECT_EQ(ReadSetupFile(folder / "missing.ini"), std::nullopt);
}

TEST(SettingsFilesTest, OptionsFile)
{
    TempFolder folder;
    const std::string path = folder / kOptionsFileName;
    ASSERT_TRUE(WriteOptionsFile(path, 1));
    EXPECT_EQ(ReadFile(path), "1\r\n");
    EXPECT_EQ(ReadOptionsFile(path), 1);
    ASSERT_TRUE(WriteOptionsFile(path, 0));
    EXPECT_EQ(ReadFile(path), "0\r\n");

    const std::pair<const char*, int> cases[] = {
        {"1", 1}, {"1abc\r\n", 1}, {"  \"1\"\r\n", 1}, {"01\r\n", 1}, {"+1", 1},
        {"", 0}, {"\r\n", 0}, {"abc", 0}, {"2", 0}, {"-1", 0}, {"11", 0},
        {"99999999999999999999", 0}, {"1,0", 1},
    };
    for (const auto& [bytes, expected] : cases) {
        WriteFile(path, bytes);
        EXPECT_EQ(ReadOptionsFile(path), expected) << bytes;
    }
    EXPECT_EQ(ReadOptionsFile(folder / "missing.ini"), std::nullopt);
}

TEST(SettingsFilesTest, UnwritableFolderSavesNothing)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only folders";
    TempFolder folder;
    ::chmod(folder.Path().c_str(), 0555);
    EXPECT_FALSE(WriteSetupFile(folder / kSetupFileName, "/x"));
    EXPECT_FALSE(WriteOptionsFile(folder / kOptionsFileName, 1));
    ::chmod(folder.Path().c_str(), 0755);
    EXPECT_FALSE(std::filesystem::exists(folder / kSetupFileName));
}

} // namespace
} // namespace pw
