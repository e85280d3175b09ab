#pragma once

#include "app/desktop.h"
#include "app/window_registry.h"
#include "games/start_game.h"
#include "settings/settings.h"

namespace skyloom {

// What every window is handed in its constructor: the other windows, the message boxes and file
// dialogs, the game start and the settings file. Tests pass fakes and a temporary folder.
struct AppContext {
    WindowRegistry& windows;
    Desktop& desktop;
    GameStarter& games;
    const Settings& settings;
};

}  // namespace skyloom
