// The launcher's settings files and its memory figure.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "shell/requmet_format.h"
#include "shell/settings_items.h"
#include "support/temp_dir.h"

namespace {

TEST(FormatKilobytesTest, Table) {
    struct Case {
        int32_t k;
        const char* text;
    } cases[] = {
        {0, "0 KB"},
        {1023, "1023 KB"},
        {1024, "1"},
        {1536, "1.5"},
        {2097152, "2048"},
        {2096640, "2047.5"},
        {4194304, "4096"},
        {1048575, "1023.999"},
        {1073741823, "1048576"},
        {1073741824, "1073741824"},
        {2147483647, "2147483647"},
        {-5, "-5 KB"},
    };
    for (const Case& c : cases) EXPECT_EQ(requmet::FormatKilobytes(c.k), c.text) << c.k;
}

class SettingItemsTest : public ::testing::Test {
protected:
    std::vector<std::string> Read(const std::string& bytes) {
        const std::string path = dir_.File("items.txt");
        std::ofstream(path, std::ios::binary) << bytes;
        return shell::ReadSettingItems(path);
    }
    testsupport::TempDir dir_;
};

TEST_F(SettingItemsTest, FieldsAreJoinedThenSplitAtHash) {
    const std::vector<std::string> expected = {"1024", "768"};
    EXPECT_EQ(Read("\"1024#768\"\r\n"), expected);
    EXPECT_EQ(Read("1024#,768\r\n"), expected);
    EXPECT_EQ(Read("1024#\r\n768\r\n"), expected);
    // A quoted field keeps its commas; fields lose nothing but their separators.
    EXPECT_EQ(Read("\"5.1#Needs Windows XP, or later#256#More memory\"\r\n"),
              (std::vector<std::string>{"5.1", "Needs Windows XP, or later", "256", "More memory"}));
    EXPECT_EQ(Read(""), std::vector<std::string>{});
}

TEST_F(SettingItemsTest, NumberItemsThatAreMissingOrNoNumbersCountAsZero) {
    const std::vector<std::string> items = {"800", "abc", "", "5.1"};
    EXPECT_EQ(shell::ItemInt32(items, 0), 800);
    EXPECT_EQ(shell::ItemInt32(items, 1), 0);
    EXPECT_EQ(shell::ItemInt32(items, 2), 0);
    EXPECT_EQ(shell::ItemInt32(items, 9), 0);
    EXPECT_DOUBLE_EQ(shell::ItemDouble(items, 3), 5.1);
    EXPECT_EQ(shell::ItemText(items, 1), "abc");
    EXPECT_EQ(shell::ItemText(items, 4), "");
}

TEST_F(SettingItemsTest, MissingFileFails) {
    EXPECT_ANY_THROW(shell::ReadSettingItems(dir_.File("none.txt")));
}

}  // namespace
