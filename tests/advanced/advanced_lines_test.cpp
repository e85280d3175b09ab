#include "advanced/advanced_lines.h"

#include <gtest/gtest.h>

using namespace skyloom;

namespace {

// The window's load selects "Software"; every example starts from there.
VideoChoices loadedVideo() {
    VideoChoices c;
    c.software = true;
    return c;
}

std::vector<std::string> texts(const GeneratedLine& g) {
    std::vector<std::string> out;
    for (const Notice& n : g.notices) {
        EXPECT_EQ(n.title, "Error!");
        EXPECT_EQ(n.icon, NoticeIcon::Critical);
        out.push_back(n.text);
    }
    return out;
}

const std::string kVideoDefaults =
    " +r_shadows 0 +r_decals 0 +r_fullbright 0 +r_speeds 0 +r_mirroralpha 0";
const std::string kClientBoxesUnchecked =
    " +cl_allowdownload 0 +cl_allowupload 0 +cl_himodels 0 +c_deltas 1 +spectator 0"
    " -noipx 1 -noip 1 -precache 0";

}  // namespace

TEST(VideoLine, nothingChosenAsksForAResolutionAndStillGivesTheLine) {
    const GeneratedLine g = VideoLine(loadedVideo());
    EXPECT_EQ(g.line, kVideoDefaults + " -soft");
    EXPECT_EQ(texts(g), std::vector<std::string>{"Choose a resolution!"});
}

TEST(VideoLine, workedExampleWithOpenGLWindowedAnd800x600) {
    VideoChoices c;
    c.playerShadows = true;
    c.noIntro = true;
    c.openGL = true;
    c.windowed = true;
    c.resolution = "800x600";
    const GeneratedLine g = VideoLine(c);
    EXPECT_EQ(g.line,
              " +r_shadows 1 +r_decals 0 +r_fullbright 0 +r_speeds 0 +r_mirroralpha 0 -gl -win"
              " -vid_config_y 800 -vid_config_x 600 -nointro");
    EXPECT_TRUE(g.notices.empty());
}

TEST(VideoLine, everyOptionInItsPlace) {
    VideoChoices c;
    c.playerShadows = c.decals = c.maxBrightness = c.rSpeeds = c.reflectiveTextures = true;
    c.console = c.direct3D = c.fullScreen = c.noIntro = c.developer = true;
    c.resolution = "320x200";
    c.additional = true;
    c.additionalText = "-zone 4096";
    EXPECT_EQ(VideoLine(c).line,
              " +r_shadows 1 +r_decals 1 +r_fullbright 1 +r_speeds 1 +r_mirroralpha 1 -console"
              " -d3d -full -vid_config_y 320 -vid_config_x 200 -zone 4096 -nointro -dev");
}

TEST(VideoLine, additionalTextOnlyWhileEnabledAndOneBlankWhenEmpty) {
    VideoChoices c = loadedVideo();
    c.resolution = "640x480";
    c.additionalText = "-zone 4096";
    EXPECT_EQ(VideoLine(c).line, kVideoDefaults + " -soft -vid_config_y 640 -vid_config_x 480");
    c.additional = true;
    EXPECT_EQ(VideoLine(c).line,
              kVideoDefaults + " -soft -vid_config_y 640 -vid_config_x 480 -zone 4096");
    c.additionalText.clear();
    EXPECT_EQ(VideoLine(c).line, kVideoDefaults + " -soft -vid_config_y 640 -vid_config_x 480 ");
    c.additionalText = "  <b>&x  ";  // unchanged, untrimmed
    EXPECT_EQ(VideoLine(c).line,
              kVideoDefaults + " -soft -vid_config_y 640 -vid_config_x 480   <b>&x  ");
}

TEST(VideoLine, resolutionsGiveHeightAfterYAndWidthAfterX) {
    EXPECT_EQ(resolutionFragment("320x200"), " -vid_config_y 320 -vid_config_x 200");
    EXPECT_EQ(resolutionFragment("400x300"), " -vid_config_y 400 -vid_config_x 300");
    EXPECT_EQ(resolutionFragment("512x384"), " -vid_config_y 512 -vid_config_x 384");
    EXPECT_EQ(resolutionFragment("640x480"), " -vid_config_y 640 -vid_config_x 480");
    EXPECT_EQ(resolutionFragment("800x600"), " -vid_config_y 800 -vid_config_x 600");
    EXPECT_EQ(resolutionFragment("1024x768"), " -vid_config_y 1024 -vid_config_x 768");
    for (const char* unknown : {"", "1280x1024", "800X600", " 800x600", "800x600 "})
        EXPECT_EQ(resolutionFragment(unknown), "") << unknown;
}

TEST(VideoLine, unknownResolutionAddsNothingAndAsksNothing) {
    VideoChoices c = loadedVideo();
    c.resolution = "1280x1024";
    const GeneratedLine g = VideoLine(c);
    EXPECT_EQ(g.line, kVideoDefaults + " -soft");
    EXPECT_TRUE(g.notices.empty());
}

TEST(AudioLine, emptyVolumesAskTwiceInOrderAndLeaveBareFragments) {
    const GeneratedLine g = AudioLine({});
    EXPECT_EQ(g.line,
              " +bgmvolume 0 +hisound 0 +s_eax 0 +s_a3d 0 +nosound 0 +volume  +suitvolume ");
    EXPECT_EQ(texts(g),
              (std::vector<std::string>{"Choose sound volume!", "Choose HEV suit volume!"}));

    AudioChoices onlyHev;
    onlyHev.hevSuitVolume = "0";
    EXPECT_EQ(texts(AudioLine(onlyHev)), std::vector<std::string>{"Choose sound volume!"});
    AudioChoices onlyGame;
    onlyGame.gameVolume = "10";
    EXPECT_EQ(texts(AudioLine(onlyGame)), std::vector<std::string>{"Choose HEV suit volume!"});
}

TEST(AudioLine, workedExampleWithCdAudioAndLoopedTrack) {
    AudioChoices c;
    c.cdAudio = true;
    c.gameVolume = "7";
    c.hevSuitVolume = "3";
    c.loop = true;
    c.cdTrack = "5";
    const GeneratedLine g = AudioLine(c);
    EXPECT_EQ(g.line,
              " +hisound 0 +s_eax 0 +s_a3d 0 +nosound 0 +volume 7 +suitvolume 3 +cd loop 5");
    EXPECT_TRUE(g.notices.empty());
}

TEST(AudioLine, boxesAndTrackChoices) {
    AudioChoices c;
    c.hiQualitySound = c.eax = c.a3d = c.noSound = true;
    c.gameVolume = "0";
    c.hevSuitVolume = "10";
    c.cdTrack = "18";
    // "No sound" keeps the volume fragments; "No Track" (neither play nor loop) adds nothing.
    EXPECT_EQ(AudioLine(c).line,
              " +bgmvolume 0 +hisound 1 +s_eax 1 +s_a3d 1 +nosound 1 +volume 0 +suitvolume 10");
    c.playOnce = true;
    EXPECT_EQ(AudioLine(c).line.substr(AudioLine(c).line.find(" +cd")), " +cd play 18");
    c.cdTrack.clear();
    EXPECT_EQ(AudioLine(c).line.substr(AudioLine(c).line.find(" +cd")), " +cd play ");
}

TEST(ClientLine, nothingChosenAsksForAModelAndLeavesBareFragments) {
    const GeneratedLine g = ClientLine({});
    EXPECT_EQ(g.line, kClientBoxesUnchecked + " +name  +fps_modem  -connect ");
    EXPECT_EQ(texts(g), std::vector<std::string>{"Please choose a model!"});
}

TEST(ClientLine, modelComesFirstAndTextsLast) {
    ClientChoices c;
    c.model = "Gordon";
    c.allowDownload = true;
    c.name = "Free man";
    c.maxFrameRate = "72";
    c.connectIp = "10.0.0.2:27015";
    const GeneratedLine g = ClientLine(c);
    EXPECT_EQ(g.line,
              " +model Gordon +cl_allowdownload 1 +cl_allowupload 0 +cl_himodels 0 +c_deltas 1"
              " +spectator 0 -noipx 1 -noip 1 -precache 0 +name Free man +fps_modem 72"
              " -connect 10.0.0.2:27015");
    EXPECT_TRUE(g.notices.empty());
}

TEST(ClientLine, invertedBoxesBothWays) {
    ClientChoices c;
    c.model = "Robo";
    c.allowUpload = c.hiQualityModels = c.spectator = c.preload = true;
    c.deltaCompressionOff = c.ipx = c.tcpip = true;
    EXPECT_EQ(ClientLine(c).line,
              " +model Robo +cl_allowdownload 0 +cl_allowupload 1 +cl_himodels 1 +c_deltas 0"
              " +spectator 1 -noipx 0 -noip 0 -precache 1 +name  +fps_modem  -connect ");
    c.deltaCompressionOff = c.ipx = c.tcpip = false;
    const std::string line = ClientLine(c).line;
    EXPECT_NE(line.find(" +c_deltas 1 "), std::string::npos);
    EXPECT_NE(line.find(" -noipx 1 -noip 1 "), std::string::npos);
}

TEST(MiscLine, nothingChosenGivesTheWorkedExample) {
    MiscChoices c;
    c.fakeLag = c.fakeLoss = "0";
    const GeneratedLine g = MiscLine(c);
    EXPECT_EQ(g.line,
              " -deathmatch 0 -coop 0 +violence_hblood 0 +violence_hgibs 0 +violence_ablood 0"
              " +violence_agibs 0 -skill  +fakelag 0 +fakeloss 0");
    EXPECT_TRUE(g.notices.empty());
}

TEST(MiscLine, everyBoxAndTextInItsPlace) {
    MiscChoices c{true, true, true, true, true, true, "hard", "10", "5"};
    EXPECT_EQ(MiscLine(c).line,
              " -deathmatch 1 -coop 1 +violence_hblood 1 +violence_hgibs 1 +violence_ablood 1"
              " +violence_agibs 1 -skill hard +fakelag 10 +fakeloss 5");
}

TEST(Generators, twoPressesGiveTheSameLine) {
    VideoChoices v = loadedVideo();
    v.resolution = "1024x768";
    EXPECT_EQ(VideoLine(v).line, VideoLine(v).line);
    EXPECT_EQ(AudioLine({}).line, AudioLine({}).line);
    EXPECT_EQ(ClientLine({}).line, ClientLine({}).line);
    EXPECT_EQ(MiscLine({}).line, MiscLine({}).line);
}

TEST(FullLine, joinsVideoAudioMiscClientBehindThePath) {
    PartialLines p{"/games/Half Life/hl.exe", " -v", " -a", " -m", " -c"};
    EXPECT_EQ(FullLine(p).line, "/games/Half Life/hl.exe -v -a -m -c");
    EXPECT_TRUE(FullLine(p).notices.empty());

    PartialLines onlyMisc{"P", "", "", " -deathmatch 0", ""};
    EXPECT_EQ(FullLine(onlyMisc).line, "P -deathmatch 0");
    EXPECT_EQ(FullLine({"error", "", "", "", ""}).line, "error");
}

TEST(FullLine, aSecondPressDoublesThePartialLines) {
    PartialLines p{"hl.exe", " -v", " -a", " -m", " -c"};
    p.full = FullLine(p).line;
    EXPECT_EQ(FullLine(p).line, "hl.exe -v -a -m -c -v -a -m -c");
}
