// Text of the ANSI code page against UTF-16, and the system's case-blind order of names.
#include "runtime/ansi_text.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace {

TEST(AnsiText, WidensAndNarrowsAnAccentedLetterBothWays) {
    if (GetACP() != 1252) GTEST_SKIP() << "the cases are written for code page 1252";
    const std::string ansi("caf\xE9\0!", 6);  // an embedded nul is text like any other
    const std::wstring wide = rt::Widen(ansi);
    EXPECT_EQ(wide, std::wstring(L"caf\u00E9\0!", 6));
    EXPECT_EQ(rt::Narrow(wide), ansi);
    EXPECT_EQ(rt::Widen("\x80"), L"\u20AC");  // the euro sign
    EXPECT_TRUE(rt::Widen("").empty());
    EXPECT_TRUE(rt::Narrow(L"").empty());
    EXPECT_EQ(rt::Narrow(L"\u4E2D"), "?");  // outside the code page
}

TEST(AnsiText, SortsIgnoringCaseAndKeepsOneOfEachName) {
    const std::vector<std::string> names{"beta", "Alpha", "ALPHA", "gamma", "Beta", "alpha"};
    struct Case {
        bool unique;
        std::vector<std::string> folded;  // the expected order, lower-cased
    } cases[] = {
        {false, {"alpha", "alpha", "alpha", "beta", "beta", "gamma"}},
        {true, {"alpha", "beta", "gamma"}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> sorted = names;
        rt::SortIgnoringCase(sorted, c.unique);
        ASSERT_EQ(sorted.size(), c.folded.size()) << c.unique;
        for (size_t i = 0; i < sorted.size(); ++i)
            EXPECT_EQ(lstrcmpiA(sorted[i].c_str(), c.folded[i].c_str()), 0) << sorted[i];
    }
}

}  // namespace
