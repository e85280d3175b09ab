#include "settings/game_paths.h"

namespace skyloom {

GamePaths readGamePaths(const Settings& settings) {
    return {settings.readPath("program", GamePaths::kMissing),
            settings.readPath("maps", GamePaths::kMissing),
            settings.readPath("tfcmaps", GamePaths::kMissing),
            settings.read("MISC", "tfc", GamePaths::kMissing, 100)};
}

}  // namespace skyloom
