#include "advanced/advanced_lines.h"

#include <gtest/gtest.h>

// The choices are written with designated initializers naming only what a case sets.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

using namespace skyloom;
using Texts = std::vector<std::string>;

TEST(Generators, everyFragmentInItsPlaceAndTheMessagesInOrder) {
    const std::string video =
        " +r_shadows 0 +r_decals 0 +r_fullbright 0 +r_speeds 0 +r_mirroralpha 0";
    const std::string sound = " +bgmvolume 0 +hisound 0 +s_eax 0 +s_a3d 0 +nosound 0";
    const std::string clientOff =
        " +cl_allowdownload 0 +cl_allowupload 0 +cl_himodels 0"
        " +c_deltas 1 +spectator 0 -noipx 1 -noip 1 -precache 0";
    const struct {
        GeneratedLine got;
        std::string line;
        Texts asked;
    } cases[] = {
        // clang-format off
        {VideoLine({.software = true}), video + " -soft", {"Choose a resolution!"}},
        // An unknown resolution adds and asks nothing; the additional text goes in only while
        // enabled, untrimmed, behind one blank.
        {VideoLine({.resolution = "1280x1024", .additionalText = "-zone"}), video},
        {VideoLine({.resolution = "640x480"}), video + " -vid_config_y 640 -vid_config_x 480"},
        {VideoLine({.resolution = "?", .additional = true, .additionalText = " <b>&x "}),
         video + "  <b>&x "},
        {AudioLine({}), sound + " +volume  +suitvolume ",
         {"Choose sound volume!", "Choose HEV suit volume!"}},
        {AudioLine({.cdAudio = true, .gameVolume = "7", .hevSuitVolume = "3", .loop = true,
                    .cdTrack = "5"}),
         " +hisound 0 +s_eax 0 +s_a3d 0 +nosound 0 +volume 7 +suitvolume 3 +cd loop 5"},
        {AudioLine({.gameVolume = "0", .hevSuitVolume = "9", .playOnce = true}),
         sound + " +volume 0 +suitvolume 9 +cd play "},
        {ClientLine({}), clientOff + " +name  +fps_modem  -connect ", {"Please choose a model!"}},
        {MiscLine({.fakeLag = "0", .fakeLoss = "0"}),
         " -deathmatch 0 -coop 0 +violence_hblood 0 +violence_hgibs 0 +violence_ablood 0"
         " +violence_agibs 0 -skill  +fakelag 0 +fakeloss 0"},
        // The full line appends video, audio, misc. and client to what it shows.
        {FullLine({"/Half Life/hl", " -v", " -a", " -m", " -c"}), "/Half Life/hl -v -a -m -c"},
        // clang-format on
    };
    for (const auto& [got, line, asked] : cases) {
        EXPECT_EQ(got.line, line);
        Texts shown;
        for (const Notice& n : got.notices) {
            EXPECT_TRUE(n.title == "Error!" && n.icon == NoticeIcon::Critical) << n.text;
            shown.push_back(n.text);
        }
        EXPECT_EQ(shown, asked) << line;
    }
}
