#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace skyloom {

// SteamNative: a Linux Steam client of the machine; WineSteam: Steam for Windows in a Wine
// prefix; Wine: a Windows game in a prefix without its Steam.
enum class InstallKind { SteamNative, FlatpakSteam, SnapSteam, Wine, WineSteam };

// How an install is named to the player: "Steam", "Flatpak Steam", "Wine", ….
std::string_view kindName(InstallKind kind);

// One copy of the game found on this machine.
struct GameInstall {
    InstallKind kind = InstallKind::SteamNative;
    std::string folder;                  // the game folder, holding valve/
    std::string program;                 // hl.sh, hl_linux or hl.exe in it
    std::string maps;                    // <folder>/valve/maps
    std::optional<std::string> tfcmaps;  // <folder>/tfc/maps when Team Fortress Classic is there
    std::string steamRoot{};             // the Steam whose library holds it; empty for Wine
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

// Where Wine puts a Windows path of the prefix: C:\ is drive_c, Z:\ the root, other drives
// their dosdevices link. Nothing for a path without a drive letter or with a way up.
std::optional<std::string> wineToUnixPath(const std::string& prefix, std::string_view windows);

// What `skyloom --find-game` prints: one line per install, "kind<TAB>program<TAB>maps<TAB>TFC
// maps or -", and exit status 0; with none, the places looked in for standard error and 1.
struct FindGameReport {
    std::string out;
    std::string err;
    int status = 0;
};
FindGameReport findGameReport(const InstallsFound& found);

}  // namespace skyloom
