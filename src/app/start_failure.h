#pragma once

#include "app/desktop.h"
#include "games/start_game.h"

namespace skyloom {

// Tells the player that the game could not start, naming the program and the reason.
void reportStartFailure(Desktop& desktop, QWidget* parent, const StartResult& result);

}  // namespace skyloom
