#include <gtest/gtest.h>
#include <windows.h>

#include <climits>
#include <random>
#include <string>
#include <vector>

#include "actions/registry/RegistryFunctions.h"

namespace {

struct Shown {
    std::string text, title;
    unsigned flags;
};

// A private key under HKEY_CURRENT_USER\Software\VantrelTest, removed at the end; the class's
// messages are recorded instead of shown.
class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device rd;
        sub_ = "Software\\VantrelTest\\run" + std::to_string(rd() % 1000000);
        base_ = "HKEY_CURRENT_USER\\" + sub_;
        savedShow_ = RegistryFunctions::ShowMessage;
        savedTitle_ = RegistryFunctions::AppTitle;
        RegistryFunctions::ShowMessage = [this](const std::string& text, const std::string& title,
                                                unsigned flags) {
            shown_.push_back({text, title, flags});
        };
        RegistryFunctions::AppTitle = [] { return std::string("Menu Title"); };
    }
    void TearDown() override {
        RegistryFunctions::ShowMessage = savedShow_;
        RegistryFunctions::AppTitle = savedTitle_;
        RegDeleteTreeA(HKEY_CURRENT_USER, sub_.c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\VantrelTest");  // only when empty
    }

    bool RawKeyExists(const std::string& sub) {
        HKEY h;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, sub.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return false;
        RegCloseKey(h);
        return true;
    }
    // The stored type and bytes of a value under the private key; type 0 when it is missing.
    std::pair<DWORD, std::vector<BYTE>> RawValue(const std::string& name, const std::string& sub = {}) {
        const std::string key = sub.empty() ? sub_ : sub_ + "\\" + sub;
        DWORD type = 0, size = 0;
        if (RegGetValueA(HKEY_CURRENT_USER, key.c_str(), name.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &type,
                         nullptr, &size) != ERROR_SUCCESS)
            return {0, {}};
        std::vector<BYTE> data(size);
        RegGetValueA(HKEY_CURRENT_USER, key.c_str(), name.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &type,
                     data.data(), &size);
        data.resize(size);
        return {type, data};
    }
    void RawSetString(const std::string& name, const std::string& text) {
        HKEY h;
        ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, sub_.c_str(), &h), ERROR_SUCCESS);
        RegSetValueExA(h, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>(text.size() + 1));
        RegCloseKey(h);
    }

    std::string sub_, base_;
    std::vector<Shown> shown_;
    RegistryFunctions reg_;

private:
    RegistryFunctions::MessageFn savedShow_;
    std::function<std::string()> savedTitle_;
};

TEST_F(RegistryTest, MalformedPathIsRefusedWithItsMessageWhateverTheSetting) {
    const std::string paths[] = {
        "hkey_current_user\\" + sub_,  // prefix in lower case
        base_ + "\\",                  // trailing backslash
        "HKEY_CURRENT_USER\\",
        "Software\\VantrelTest",  // no root at all
        "",
    };
    for (bool display : {false, true}) {
        reg_.SetDisplayErrorMsg(display);
        for (const auto& path : paths) {
            // A good call on another root first: the refused path must not reuse it.
            EXPECT_TRUE(reg_.KeyExist("HKEY_LOCAL_MACHINE\\Software"));
            shown_.clear();

            EXPECT_FALSE(reg_.CreateKey(path)) << path;
            EXPECT_FALSE(reg_.SetStringValue(path, "v", "x")) << path;
            EXPECT_FALSE(reg_.SetDWordValue(path, "v", 1)) << path;
            EXPECT_FALSE(reg_.GetStringValue(path, "v").has_value()) << path;
            EXPECT_TRUE(std::holds_alternative<std::monostate>(reg_.GetDWordValue(path, "v"))) << path;
            EXPECT_FALSE(reg_.KeyValueExist(path, "v").has_value()) << path;
            EXPECT_FALSE(reg_.DeleteKey(path)) << path;

            ASSERT_EQ(shown_.size(), 7u) << path;
            for (const auto& s : shown_) {
                EXPECT_EQ(s.text, "Incorrect Format: \n\n" + path);
                EXPECT_EQ(s.title, "Menu Title");
                EXPECT_EQ(s.flags, unsigned{MB_OK});
            }
            EXPECT_FALSE(RawKeyExists(sub_)) << path;
        }
    }
    EXPECT_TRUE(RawKeyExists("Software"));
}

TEST_F(RegistryTest, UnknownRootIsRefusedSilently) {
    reg_.SetDisplayErrorMsg(true);
    const std::string path = "HKEY_NOWHERE\\" + sub_;
    EXPECT_FALSE(reg_.CreateKey(path));
    EXPECT_FALSE(reg_.SetStringValue(path, "v", "x"));
    EXPECT_FALSE(reg_.GetStringValue(path, "v").has_value());
    EXPECT_TRUE(std::holds_alternative<std::monostate>(reg_.GetDWordValue(path, "v")));
    EXPECT_FALSE(reg_.KeyExist(path));
    // The root names are exact: a mixed-case root after the prefix is unknown too.
    EXPECT_FALSE(reg_.CreateKey("HKEY_Current_User\\" + sub_));
    EXPECT_TRUE(shown_.empty());
    EXPECT_FALSE(RawKeyExists(sub_));
}

TEST_F(RegistryTest, StringValuesCreateTheirKeyAndReadBackExactly) {
    const std::string texts[] = {
        "C:\\Program Files\\Menu\\menu.exe",
        "",
        "two  blanks after  ",
        "  leading blanks",
        "caf\xE9",
        std::string(254, 'x'),
    };
    int n = 0;
    for (const auto& text : texts) {
        const std::string name = "s" + std::to_string(n++);
        // Deeper than anything that exists: every missing key along the path is made.
        ASSERT_TRUE(reg_.SetStringValue(base_ + "\\a\\b", name, text)) << text;
        auto [type, data] = RawValue(name, "a\\b");
        EXPECT_EQ(type, DWORD{REG_SZ});
        std::vector<BYTE> expected(text.begin(), text.end());
        expected.push_back(0);
        EXPECT_EQ(data, expected) << "stored data is the text and one zero byte";
        EXPECT_EQ(reg_.GetStringValue(base_ + "\\a\\b", name), text);
    }
    // Writing again replaces the value.
    EXPECT_TRUE(reg_.SetStringValue(base_, "again", "one"));
    EXPECT_TRUE(reg_.SetStringValue(base_, "again", "two"));
    EXPECT_EQ(reg_.GetStringValue(base_, "again"), "two");
    EXPECT_TRUE(shown_.empty());
}

TEST_F(RegistryTest, StringReadFailuresGiveError) {
    RawSetString("long", std::string(255, 'y'));  // one character past the 255-byte buffer
    for (bool display : {false, true}) {
        reg_.SetDisplayErrorMsg(display);
        shown_.clear();
        EXPECT_EQ(reg_.GetStringValue(base_, "long"), "Error");
        EXPECT_EQ(reg_.GetStringValue(base_, "missing"), "Error");
        EXPECT_EQ(reg_.GetStringValue(base_ + "\\nokey", "v"), "Error");
        if (!display) {
            EXPECT_TRUE(shown_.empty());
            continue;
        }
        ASSERT_EQ(shown_.size(), 3u);
        EXPECT_EQ(shown_[0].text, "There Is More Data Than The Buffer Has Been Allocated To Hold");
        EXPECT_EQ(shown_[1].text, "Bad Key Name");
        EXPECT_EQ(shown_[2].text, "Bad Key Name");
        for (const auto& s : shown_) {
            EXPECT_EQ(s.title, "Menu Title");
            EXPECT_EQ(s.flags, unsigned{MB_OK | MB_ICONEXCLAMATION});
        }
    }
}

TEST_F(RegistryTest, DWordValuesAreFourLittleEndianBytes) {
    const int32_t values[] = {0, 1, -1, INT32_MIN, INT32_MAX, 0x12345678};
    int n = 0;
    for (int32_t v : values) {
        const std::string name = "d" + std::to_string(n++);
        ASSERT_TRUE(reg_.SetDWordValue(base_, name, v));
        const auto u = static_cast<uint32_t>(v);
        auto [type, data] = RawValue(name);
        EXPECT_EQ(type, DWORD{REG_DWORD});
        EXPECT_EQ(data, (std::vector<BYTE>{BYTE(u), BYTE(u >> 8), BYTE(u >> 16), BYTE(u >> 24)}));
        EXPECT_EQ(reg_.GetDWordValue(base_, name), RegistryFunctions::DWordResult(v));
    }
    const RegistryFunctions::DWordResult error(std::string("Error"));
    EXPECT_EQ(reg_.GetDWordValue(base_, "missing"), error);
    EXPECT_EQ(reg_.GetDWordValue(base_ + "\\nokey", "d0"), error);
    RawSetString("text", "more than four bytes");
    EXPECT_EQ(reg_.GetDWordValue(base_, "text"), error);
}

TEST_F(RegistryTest, BinaryValuesKeepEveryByte) {
    ASSERT_TRUE(reg_.CreateKey(base_));
    const std::string bytes(
        "\x01\x00\xFF"
        "ab",
        5);
    ASSERT_TRUE(reg_.SetBinaryValue(base_, "b", bytes));
    auto [type, data] = RawValue("b");
    EXPECT_EQ(type, DWORD{REG_BINARY});
    EXPECT_EQ(data, (std::vector<BYTE>{0x01, 0x00, 0xFF, 'a', 'b'}));
    EXPECT_EQ(reg_.GetBinaryValue(base_, "b"), bytes);

    EXPECT_FALSE(reg_.SetBinaryValue(base_, "empty", ""));
    EXPECT_EQ(RawValue("empty").first, DWORD{0});
    // Unlike the text and number writers, the binary writer does not make its key.
    EXPECT_FALSE(reg_.SetBinaryValue(base_ + "\\nokey", "b", "x"));
    EXPECT_FALSE(RawKeyExists(sub_ + "\\nokey"));
    EXPECT_EQ(reg_.GetBinaryValue(base_, "missing"), "Error");
}

TEST_F(RegistryTest, KeysAreCreatedTestedAndDeleted) {
    EXPECT_FALSE(reg_.KeyExist(base_));
    EXPECT_TRUE(reg_.CreateKey(base_ + "\\x\\y"));
    EXPECT_TRUE(RawKeyExists(sub_ + "\\x\\y"));
    EXPECT_TRUE(reg_.KeyExist(base_ + "\\x"));
    // A root alone: its own key opens.
    EXPECT_TRUE(reg_.CreateKey("HKEY_CURRENT_USER"));
    EXPECT_TRUE(reg_.KeyExist("HKEY_CURRENT_USER"));

    EXPECT_TRUE(reg_.DeleteKey(base_ + "\\x\\y"));
    EXPECT_FALSE(RawKeyExists(sub_ + "\\x\\y"));
    EXPECT_TRUE(RawKeyExists(sub_ + "\\x"));

    reg_.SetDisplayErrorMsg(true);
    EXPECT_FALSE(reg_.DeleteKey(base_ + "\\x\\y"));
    ASSERT_EQ(shown_.size(), 1u);
    EXPECT_EQ(shown_[0].text, "Bad Key Name");
    EXPECT_EQ(shown_[0].flags, unsigned{MB_OK | MB_ICONEXCLAMATION});
}

TEST_F(RegistryTest, DeletingARootAloneDoesNothing) {
    ASSERT_TRUE(reg_.CreateKey(base_));
    reg_.SetDisplayErrorMsg(true);
    EXPECT_FALSE(reg_.DeleteKey("HKEY_CURRENT_USER"));
    EXPECT_TRUE(RawKeyExists(sub_));
    EXPECT_TRUE(RawKeyExists("Software"));
    EXPECT_TRUE(shown_.empty());
}

TEST_F(RegistryTest, ValuesAreTestedAndDeleted) {
    ASSERT_TRUE(reg_.SetStringValue(base_, "v", "x"));
    EXPECT_EQ(reg_.KeyValueExist(base_, "v"), std::optional<bool>(true));
    EXPECT_EQ(reg_.KeyValueExist(base_, "w"), std::optional<bool>(false));
    EXPECT_EQ(reg_.KeyValueExist(base_ + "\\nokey", "v"), std::nullopt);

    EXPECT_TRUE(reg_.DeleteKeyValue(base_, "v"));
    EXPECT_EQ(reg_.KeyValueExist(base_, "v"), std::optional<bool>(false));
    EXPECT_TRUE(RawKeyExists(sub_));

    EXPECT_FALSE(reg_.DeleteKeyValue(base_, "v"));
    EXPECT_TRUE(shown_.empty());
    reg_.SetDisplayErrorMsg(true);
    EXPECT_FALSE(reg_.DeleteKeyValue(base_, "v"));
    ASSERT_EQ(shown_.size(), 1u);
    EXPECT_EQ(shown_[0].text, "Bad Key Name");
    // A key that does not open: no message even with the setting on.
    shown_.clear();
    EXPECT_FALSE(reg_.DeleteKeyValue(base_ + "\\nokey", "v"));
    EXPECT_TRUE(shown_.empty());
}

TEST(RegistryErrorText, EveryCodeOfTheTable) {
    const struct {
        LONG code;
        const char* text;
    } cases[] = {
        {2, "Bad Key Name"},
        {1010, "Bad Key Name"},
        {4, "Can't Read Key"},
        {1012, "Can't Read Key"},
        {5, "Access To this key Is Denied"},
        {8, "Out Of memory"},
        {14, "Out Of memory"},
        {87, "Invalid Parameter"},
        {234, "There Is More Data Than The Buffer Has Been Allocated To Hold"},
        {1009, "The Registry Database Is Corrupt!"},
        {1015, "The Registry Database Is Corrupt!"},
        {1011, "Can't Open Key"},
        {1013, "Can't Write Key"},
        {6, "Undefined Error Code : 6"},
        {0, "Undefined Error Code : 0"},
    };
    for (const auto& c : cases) EXPECT_EQ(RegistryFunctions::RegistryErrorText(c.code), c.text) << c.code;
}

}  // namespace
