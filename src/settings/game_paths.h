#pragma once

#include <string>
#include <string_view>

#include "settings/settings.h"

namespace skyloom {

// The game's paths as the windows read them, at the moment of the read. Each path is whole, with
// the bytes the file holds (see Settings::readPath), so a window that writes one back unedited
// writes it byte for byte; a value the file lacks reads as kMissing, which a never-configured
// field shows as it is.
struct GamePaths {
    static constexpr std::string_view kMissing = "error";

    std::string program;  // GAMEDIR program
    std::string maps;     // GAMEDIR maps
    std::string tfcmaps;  // GAMEDIR tfcmaps
    std::string tfc;      // MISC tfc: "true" or "false" once configured
};

GamePaths readGamePaths(const Settings& settings);

}  // namespace skyloom
