#include "launcher/game_types.h"

namespace skyloom {

GameTypeLook lookOf(GameType type) {
    switch (type) {
        case GameType::Deathmatch:
            return {"Skyloom - Deathmatch game", "maps",
                    "No map currently selected (you are currently in DM mode)", false, false};
        case GameType::SinglePlayer:
            return {"Skyloom - Single player game", "maps",
                    "No map currently selected (you are currently in SP mode)", true, false};
        case GameType::TeamFortress:
            return {"Skyloom - Team Fortress Classic game", "tfcmaps",
                    "No map currently selected (you are currently in TFC mode)", false, false};
        case GameType::Custom:
            return {std::nullopt, std::nullopt, std::nullopt, false, true};
    }
    return {};
}

}  // namespace skyloom
