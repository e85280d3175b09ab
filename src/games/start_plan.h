#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "games/installs.h"

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
    std::string tried;              // in words, for a message about a failed start
    std::string reason;
    bool missing = false;  // the program is not there
};

// How the game named by `program` (as read from the command line; relative to
// `workingFolder`, which is absolute) starts with its arguments: a Steam game through its Steam
// client (the one on PATH, else its root's steam.sh, or steam.exe under wine), since the game
// quits at once without one; any other Windows program through wine in its prefix; anything else
// directly. A bare "hl.exe" where there is none names the native game in that folder.
StartDecision decideStart(const std::string& program, const std::vector<std::string>& arguments,
                          const std::string& workingFolder, const StartLookups& lookups);

}  // namespace skyloom
