#include "about/credits.h"

#include <gtest/gtest.h>

using namespace skyloom;

TEST(CreditsScroll, risesUntilBelowMinusHeightAndDrawsAt15TwipsAPixelRoundedDown) {
    const int h = 8100, restart = 3180;
    const int steps[][2] = {{restart, restart - 27}, {0, -27},           {-h + 28, -h + 1},
                            {-h + 27, -h},           {-h + 26, restart}, {-h, restart}};
    for (auto [top, next] : steps) EXPECT_EQ(nextCreditsTop(top, h, restart), next) << top;
    const int pixels[][2] = {{14, 0}, {15, 1}, {3180, 212}, {-1, -1}, {-15, -1}, {-16, -2}};
    for (auto [twips, px] : pixels) EXPECT_EQ(twipsToPixels(twips), px) << twips;
}

TEST(CreditsText, opensWithItsTitleAndEndsEveryLineWithCarriageReturnAndLineFeed) {
    const std::string text = creditsText();
    EXPECT_NE(text.find("\r\nSkyloom 2.0 credits\r\n"), std::string::npos);
    for (size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1))
        EXPECT_TRUE(at > 0 && text[at - 1] == '\r') << at;
    EXPECT_TRUE(text.ends_with("\r\n"));
}
