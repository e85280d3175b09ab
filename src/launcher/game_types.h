#pragma once

#include <optional>
#include <string>

#include "launcher/game_command.h"

namespace skyloom {

// What choosing a game type does to the main window. Empty optionals leave a thing unchanged.
struct GameTypeLook {
    std::optional<std::string> title;
    std::optional<std::string> mapsKey;  // the GAMEDIR key whose folder the map list shows
    std::optional<std::string> tooltip;  // of the selected-map field
    bool difficultyEnabled;
    bool custom;  // custom folder and its launch enabled; maps, options and launch disabled
};

GameTypeLook lookOf(GameType type);

}  // namespace skyloom
