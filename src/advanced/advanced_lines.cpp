#include "advanced/advanced_lines.h"

#include <array>
#include <utility>

namespace skyloom {

namespace {

const char* pick(bool checked, const char* whenChecked, const char* otherwise) {
    return checked ? whenChecked : otherwise;
}

Notice error(const char* text) {
    return {text, "Error!", NoticeIcon::Critical};
}

}  // namespace

std::string resolutionFragment(const std::string& resolution) {
    // The game reads the width from vid_config_y and the height from vid_config_x.
    static const std::array<std::pair<const char*, const char*>, 6> fragments{{
        {"320x200", " -vid_config_y 320 -vid_config_x 200"},
        {"400x300", " -vid_config_y 400 -vid_config_x 300"},
        {"512x384", " -vid_config_y 512 -vid_config_x 384"},
        {"640x480", " -vid_config_y 640 -vid_config_x 480"},
        {"800x600", " -vid_config_y 800 -vid_config_x 600"},
        {"1024x768", " -vid_config_y 1024 -vid_config_x 768"},
    }};
    for (const auto& [text, fragment] : fragments)
        if (resolution == text) return fragment;
    return {};
}

GeneratedLine VideoLine(const VideoChoices& c) {
    GeneratedLine out;
    std::string& s = out.line;
    s += pick(c.playerShadows, " +r_shadows 1", " +r_shadows 0");
    s += pick(c.decals, " +r_decals 1", " +r_decals 0");
    s += pick(c.maxBrightness, " +r_fullbright 1", " +r_fullbright 0");
    s += pick(c.rSpeeds, " +r_speeds 1", " +r_speeds 0");
    s += pick(c.reflectiveTextures, " +r_mirroralpha 1", " +r_mirroralpha 0");
    s += pick(c.console, " -console", "");
    s += pick(c.software, " -soft", "");
    s += pick(c.direct3D, " -d3d", "");
    s += pick(c.openGL, " -gl", "");
    s += pick(c.windowed, " -win", "");
    s += pick(c.fullScreen, " -full", "");
    s += resolutionFragment(c.resolution);
    if (c.additional) s += " " + c.additionalText;
    s += pick(c.noIntro, " -nointro", "");
    s += pick(c.developer, " -dev", "");
    if (c.resolution.empty()) out.notices.push_back(error("Choose a resolution!"));
    return out;
}

GeneratedLine AudioLine(const AudioChoices& c) {
    GeneratedLine out;
    std::string& s = out.line;
    s += pick(c.cdAudio, "", " +bgmvolume 0");
    s += pick(c.hiQualitySound, " +hisound 1", " +hisound 0");
    s += pick(c.eax, " +s_eax 1", " +s_eax 0");
    s += pick(c.a3d, " +s_a3d 1", " +s_a3d 0");
    s += pick(c.noSound, " +nosound 1", " +nosound 0");
    if (c.gameVolume.empty()) out.notices.push_back(error("Choose sound volume!"));
    if (c.hevSuitVolume.empty()) out.notices.push_back(error("Choose HEV suit volume!"));
    s += " +volume " + c.gameVolume;
    s += " +suitvolume " + c.hevSuitVolume;
    if (c.playOnce) s += " +cd play " + c.cdTrack;
    if (c.loop) s += " +cd loop " + c.cdTrack;
    return out;
}

GeneratedLine ClientLine(const ClientChoices& c) {
    GeneratedLine out;
    std::string& s = out.line;
    if (c.model.empty())
        out.notices.push_back(error("Please choose a model!"));
    else
        s += " +model " + c.model;
    s += pick(c.allowDownload, " +cl_allowdownload 1", " +cl_allowdownload 0");
    s += pick(c.allowUpload, " +cl_allowupload 1", " +cl_allowupload 0");
    s += pick(c.hiQualityModels, " +cl_himodels 1", " +cl_himodels 0");
    // These three boxes say the opposite of the game's setting.
    s += pick(c.deltaCompressionOff, " +c_deltas 0", " +c_deltas 1");
    s += pick(c.spectator, " +spectator 1", " +spectator 0");
    s += pick(c.ipx, " -noipx 0", " -noipx 1");
    s += pick(c.tcpip, " -noip 0", " -noip 1");
    s += pick(c.preload, " -precache 1", " -precache 0");
    s += " +name " + c.name;
    s += " +fps_modem " + c.maxFrameRate;
    s += " -connect " + c.connectIp;
    return out;
}

GeneratedLine MiscLine(const MiscChoices& c) {
    GeneratedLine out;
    std::string& s = out.line;
    s += pick(c.deathmatch, " -deathmatch 1", " -deathmatch 0");
    s += pick(c.coop, " -coop 1", " -coop 0");
    s += pick(c.humanBlood, " +violence_hblood 1", " +violence_hblood 0");
    s += pick(c.humanGibs, " +violence_hgibs 1", " +violence_hgibs 0");
    s += pick(c.alienBlood, " +violence_ablood 1", " +violence_ablood 0");
    s += pick(c.alienGibs, " +violence_agibs 1", " +violence_agibs 0");
    s += " -skill " + c.skill;
    s += " +fakelag " + c.fakeLag;
    s += " +fakeloss " + c.fakeLoss;
    return out;
}

GeneratedLine FullLine(const PartialLines& parts) {
    // Each partial line begins with its own blank, so nothing goes between them.
    return {parts.full + parts.video + parts.audio + parts.misc + parts.client, {}};
}

}  // namespace skyloom
