#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace skyloom {

enum class InstallKind { SteamNative, FlatpakSteam, Wine };

// How an install is named to the player: "Steam", "Flatpak Steam", "Wine".
std::string_view kindName(InstallKind kind);

// One copy of the game found on this machine.
struct GameInstall {
    InstallKind kind = InstallKind::SteamNative;
    std::string folder;                  // the game folder, holding valve/
    std::string program;                 // hl.sh, hl_linux or hl.exe in it
    std::string maps;                    // <folder>/valve/maps
    std::optional<std::string> tfcmaps;  // <folder>/tfc/maps when Team Fortress Classic is there
};

// Where to look: the home folder and the WINEPREFIX of the environment (empty when unset).
// Passed in so tests point it at fixture trees.
struct InstallSearch {
    std::string home;
    std::string winePrefix;
};

struct InstallsFound {
    std::vector<GameInstall> installs;
    std::vector<std::string> searched;  // the Steam folders and Wine prefixes looked in
};

// Looks in the known places only (Steam roots and their libraries, Wine prefixes), never across
// the disk. Each install is listed once, however many links lead to it. Files that cannot be
// read or parsed count as no library or no game, never as an error.
InstallsFound findInstalls(const InstallSearch& where);

}  // namespace skyloom
