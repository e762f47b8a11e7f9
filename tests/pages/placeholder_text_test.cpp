// The movie position as a live label shows it.
#include <gtest/gtest.h>

#include "shell/placeholders.h"

TEST(PlaceholderTextTest, MoviePositionFormats) {
    struct Case {
        int32_t seconds;
        const char* text;
    };
    const Case cases[] = {{-3, "00:00"}, {0, "00:00"},    {1, "00:1"},   {5, "00:5"},
                          {59, "00:59"}, {60, "1:0"},     {61, "1:1"},   {65, "1:5"},
                          {600, "10:0"}, {3599, "59:59"}, {3600, "60:0"}};
    for (const Case& c : cases) EXPECT_EQ(placeholders::MoviePositionText(c.seconds), c.text) << c.seconds;
}
