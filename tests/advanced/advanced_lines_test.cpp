#include "advanced/advanced_lines.h"

#include <gtest/gtest.h>

// The choices are written with designated initializers naming only what a case sets.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

using namespace skyloom;
// How each line ends where the window's own test does not reach; none of these asks anything.
TEST(Generators, unsetAndUnknownChoicesEndTheirLines) {
    const std::pair<GeneratedLine, std::string> cases[] = {
        // An unknown resolution adds nothing; the text goes in only while enabled.
        {VideoLine({.resolution = "1280x1024", .additionalText = "-zone"}), "+r_mirroralpha 0"},
        {AudioLine({.gameVolume = "0", .hevSuitVolume = "9", .playOnce = true}),
         " +nosound 0 +volume 0 +suitvolume 9 +cd play "},
        {MiscLine({.fakeLag = "0", .fakeLoss = "0"}), " -skill  +fakelag 0 +fakeloss 0"},
    };
    for (const auto& [got, end] : cases)
        EXPECT_TRUE(got.line.ends_with(end) && got.notices.empty()) << got.line;
}
