#pragma once

#include "games/installs.h"
#include "games/start_game.h"
#include "servers/server_network.h"
#include "settings/settings.h"
#include "shell/desktop.h"
#include "shell/window_registry.h"

namespace skyloom {

// What every window is handed in its constructor: the other windows, the message boxes and file
// dialogs, the game start, the settings file, what server queries may reach and where installs of
// the game are looked for. Tests pass fakes, temporary folders and loopback addresses.
struct AppContext {
    WindowRegistry& windows;
    Desktop& desktop;
    GameStarter& games;
    const Settings& settings;
    const ServerNetwork& network;
    const InstallSearch& installs;
};

}  // namespace skyloom
