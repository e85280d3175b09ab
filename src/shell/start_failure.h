#pragma once

#include "games/game_ended.h"
#include "games/start_game.h"
#include "shell/desktop.h"

namespace skyloom {

// Why the game could not start: the program as the settings hold it, what was tried and the
// reason.
QString startFailureText(const std::string& program, const StartResult& result);

// Tells the player that the game ended soon after it started, and how.
void reportGameEnded(Desktop& desktop, const GameEnded& ended);

// When the map's name (its own bytes) cannot be passed to the game, tells the player which
// character is in the way and gives true.
bool refuseUnloadableMapName(Desktop& desktop, QWidget* parent, const std::string& name);

}  // namespace skyloom
