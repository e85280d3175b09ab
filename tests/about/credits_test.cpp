#include "about/credits.h"

#include <gtest/gtest.h>

using namespace skyloom;

// The window's test follows the scroll; above the top a position still rounds down.
TEST(CreditsScroll, drawsAt15TwipsAPixelRoundedDown) {
    const int pixels[][2] = {{14, 0}, {15, 1}, {3180, 212}, {-1, -1}, {-15, -1}, {-16, -2}};
    for (auto [twips, px] : pixels) EXPECT_EQ(twipsToPixels(twips), px) << twips;
}
