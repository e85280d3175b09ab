#include "about/credits.h"

#include <gtest/gtest.h>

// GCC 12 warns falsely inside its own <regex> from -O2 on (its bug 105562): not this file's fault.
#if defined(__GNUC__) && !defined(__clang__) && __GNUC__ == 12
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
#include <regex>

using namespace skyloom;

TEST(CreditsScroll, risesUntilBelowMinusHeightAndDrawsAt15TwipsAPixelRoundedDown) {
    const int h = 8100, restart = 3180;
    const int steps[][2] = {{restart, restart - 27}, {0, -27},           {-h + 28, -h + 1},
                            {-h + 27, -h},           {-h + 26, restart}, {-h, restart}};
    for (auto [top, next] : steps) EXPECT_EQ(nextCreditsTop(top, h, restart), next) << top;
    const int pixels[][2] = {{14, 0}, {15, 1}, {3180, 212}, {-1, -1}, {-15, -1}, {-16, -2}};
    for (auto [twips, px] : pixels) EXPECT_EQ(twipsToPixels(twips), px) << twips;
}

TEST(CreditsText, hasItsShapeWithEveryLineEndedByCarriageReturnAndLineFeed) {
    const std::string line = "[^\\r\\n]+\\r\\n", gap = "(\\r\\n)*";
    const std::regex shape(
        "=+\\r\\nSkyloom 2\\.0 credits\\r\\n=+\\r\\n" + gap + "CODERS \\r\\n\\r\\n(" + line +
        "\\r\\n){4}" + gap + "MISC\\r\\n\\r\\nProject leader : " + line + "English site : " + line +
        "French site : " + line + "2D Artist : " + line + "Generic : " + line + gap +
        "Official sites \\r\\n\\r\\n(http://[a-z.]+\\.example/\\r\\n){3}" + gap + "=+\\r\\n(" +
        line + ")*[^\\r\\n]*@skyloom\\.example[^\\r\\n]*\\r\\n=+\\r\\n");
    EXPECT_TRUE(std::regex_match(creditsText(), shape)) << creditsText();
}
