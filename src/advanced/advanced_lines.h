#pragma once

#include <string>
#include <vector>

namespace skyloom {

// The advanced launcher's generators: each turns one tab's controls into a partial command line
// of the game. Values taken from controls are appended as they are, untrimmed and unquoted.

enum class NoticeIcon { Critical };

// A message box the window shows, in order, before it writes the line.
struct Notice {
    std::string text;
    std::string title;
    NoticeIcon icon;
};

struct GeneratedLine {
    std::string line;
    std::vector<Notice> notices;
};

// The "Video" tab.
struct VideoChoices {
    bool playerShadows = false;
    bool decals = false;
    bool maxBrightness = false;
    bool rSpeeds = false;
    bool reflectiveTextures = false;
    bool console = false;
    bool software = false;
    bool direct3D = false;
    bool openGL = false;
    bool windowed = false;
    bool fullScreen = false;
    std::string resolution;  // the selected text of the resolution list, empty when none
    bool additional = false;
    std::string additionalText;
    bool noIntro = false;
    bool developer = false;
};

// The "Audio" tab. The volumes are the captions of the sliders' labels, empty until set.
struct AudioChoices {
    bool cdAudio = false;
    bool hiQualitySound = false;
    bool eax = false;
    bool a3d = false;
    bool noSound = false;
    std::string gameVolume;
    std::string hevSuitVolume;
    bool playOnce = false;
    bool loop = false;
    std::string cdTrack;  // the selected track, empty when none
};

// The "Client" tab.
struct ClientChoices {
    std::string model;  // the selected model, empty when none
    bool allowDownload = false;
    bool allowUpload = false;
    bool hiQualityModels = false;
    bool deltaCompressionOff = false;
    bool spectator = false;
    bool ipx = false;
    bool tcpip = false;
    bool preload = false;
    std::string name;
    std::string maxFrameRate;
    std::string connectIp;
};

// The "Misc." tab. The fake lag and loss are the captions of the sliders' labels.
struct MiscChoices {
    bool deathmatch = false;
    bool coop = false;
    bool humanBlood = false;
    bool humanGibs = false;
    bool alienBlood = false;
    bool alienGibs = false;
    std::string skill;
    std::string fakeLag;
    std::string fakeLoss;
};

// The captions the full line is joined from.
struct PartialLines {
    std::string full;  // the full line so far: the program path, and what earlier presses added
    std::string video;
    std::string audio;
    std::string misc;
    std::string client;
};

// " -vid_config_y <width> -vid_config_x <height>" for the six listed resolutions, else nothing.
std::string resolutionFragment(const std::string& resolution);

GeneratedLine VideoLine(const VideoChoices& c);
GeneratedLine AudioLine(const AudioChoices& c);
GeneratedLine ClientLine(const ClientChoices& c);
GeneratedLine MiscLine(const MiscChoices& c);
// Appends the partial lines to the full line, in the order video, audio, misc., client.
GeneratedLine FullLine(const PartialLines& parts);

}  // namespace skyloom
