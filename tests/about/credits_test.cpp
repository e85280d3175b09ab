#include "about/credits.h"

#include <gtest/gtest.h>

#include <regex>

using namespace skyloom;

namespace {

const int kHeight = 8100;   // a text 540 pixels high
const int kRestart = 3180;  // the bottom of the picture

}  // namespace

TEST(CreditsScroll, movesUp27TwipsAndRestartsOnlyBelowMinusHeight) {
    EXPECT_EQ(nextCreditsTop(kRestart, kHeight, kRestart), kRestart - 27);
    EXPECT_EQ(nextCreditsTop(0, kHeight, kRestart), -27);
    // Landing exactly on minus the height, or just above it, keeps going.
    EXPECT_EQ(nextCreditsTop(-kHeight + 27, kHeight, kRestart), -kHeight);
    EXPECT_EQ(nextCreditsTop(-kHeight + 28, kHeight, kRestart), -kHeight + 1);
    // One twip further and the text re-enters at the bottom of the picture.
    EXPECT_EQ(nextCreditsTop(-kHeight + 26, kHeight, kRestart), kRestart);
    EXPECT_EQ(nextCreditsTop(-kHeight, kHeight, kRestart), kRestart);
}

TEST(CreditsScroll, pixelsRoundDownAt15TwipsEach) {
    const std::pair<int, int> cases[] = {{0, 0},      {14, 0},      {15, 1},   {3180, 212},
                                         {3153, 210}, {-1, -1},     {-15, -1}, {-16, -2},
                                         {-27, -2},   {-8100, -540}};
    for (auto [twips, pixels] : cases) EXPECT_EQ(twipsToPixels(twips), pixels) << twips;
}

TEST(CreditsText, hasItsShapeWithEveryLineEndedByCarriageReturnAndLineFeed) {
    const std::string line = "[^\\r\\n]+\\r\\n";
    const std::string gap = "(\\r\\n)*";
    const std::regex shape(
        "=+\\r\\nSkyloom 2\\.0 credits\\r\\n=+\\r\\n" + gap +  // framed heading
        "CODERS \\r\\n\\r\\n(" + line + "\\r\\n){4}" + gap +   // four names, each then a blank
        "MISC\\r\\n\\r\\nProject leader : " + line + "English site : " + line +
        "French site : " + line + "2D Artist : " + line + "Generic : " + line + gap +
        "Official sites \\r\\n\\r\\n(http://[a-z.]+\\.example/\\r\\n){3}" + gap +  // our own
        "=+\\r\\n(" + line + ")*[^\\r\\n]*@skyloom\\.example[^\\r\\n]*\\r\\n=+\\r\\n");
    EXPECT_TRUE(std::regex_match(creditsText(), shape)) << creditsText();
}
