#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "games/installs.h"
#include "games/start_game.h"

namespace skyloom {

// What the start needs to know about one path.
struct FileFacts {
    bool exists = false;
    bool isFile = false;
    bool executable = false;
    bool windowsProgram = false;  // begins with "MZ"
};

// The Steam whose library holds a game folder.
struct SteamOwner {
    InstallKind kind = InstallKind::SteamNative;
    std::string root{};  // its folder (holding steam.sh, or steam.exe under Wine); empty: unknown
};

// The machine as the decision sees it; tests answer from tables.
struct StartLookups {
    std::function<FileFacts(const std::string& path)> file;
    std::function<std::string(const std::string& name)> onPath;  // empty: not on PATH
    // The Steam install whose game folder this is, when detection found one there.
    std::function<std::optional<SteamOwner>(const std::string& folder)> steamInstall;
};

struct StartPlan {
    std::string program;
    std::vector<std::string> arguments;
    std::string workingFolder;
    std::vector<std::pair<std::string, std::string>> environment;  // added to the inherited one
};

struct StartDecision {
    std::optional<StartPlan> plan;  // nothing: the start cannot happen, `reason` says why
    ShownCommand tried;             // what runs, or would have, with the start's secrets masked
    std::string reason;
    bool missing = false;  // the program or the game's folder is not there
};

// How `start` runs, its program and folder taken from `currentFolder` (absolute) when relative,
// in the game's folder: a Steam game through its Steam client (the one on PATH, else its root's
// steam.sh, or steam.exe under wine), since the game quits at once without one; any other
// Windows program through wine in its prefix; anything else directly. An "hl.exe" where there is
// none names the native game in that folder.
StartDecision decideStart(const GameStart& start, const std::string& currentFolder,
                          const StartLookups& lookups);

}  // namespace skyloom
