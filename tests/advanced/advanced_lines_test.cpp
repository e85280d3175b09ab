#include "advanced/advanced_lines.h"

#include <gtest/gtest.h>

// The choices are written with designated initializers naming only what a case sets.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

using namespace skyloom;
using Texts = std::vector<std::string>;

// How each line ends where the window's own test does not reach: every box, the questions for a
// missing choice and the full line's order are checked through the window.
TEST(Generators, unsetAndUnknownChoicesEndTheirLines) {
    const struct {
        GeneratedLine got;
        std::string end;
        Texts asked;
    } cases[] = {
        // An unknown resolution adds and asks nothing; the additional text goes in only while
        // enabled, untrimmed, behind one blank.
        {VideoLine({.resolution = "1280x1024", .additionalText = "-zone"}), "+r_mirroralpha 0"},
        {VideoLine({.resolution = "640x480"}), " -vid_config_y 640 -vid_config_x 480"},
        {VideoLine({.resolution = "?", .additional = true, .additionalText = " <b>&x "}),
         " +r_mirroralpha 0  <b>&x "},
        {AudioLine({.gameVolume = "0", .hevSuitVolume = "9", .playOnce = true}),
         " +nosound 0 +volume 0 +suitvolume 9 +cd play "},
        {ClientLine({.model = "Gordon"}), " -precache 0 +name  +fps_modem  -connect "},
        {MiscLine({.fakeLag = "0", .fakeLoss = "0"}), " -skill  +fakelag 0 +fakeloss 0"},
    };
    for (const auto& [got, end, asked] : cases) {
        EXPECT_TRUE(got.line.ends_with(end)) << got.line;
        Texts shown;
        for (const Notice& n : got.notices) shown.push_back(n.text);
        EXPECT_EQ(shown, asked) << got.line;
    }
}
