#pragma once

#include "app/desktop.h"
#include "launcher/start_game.h"

namespace skyloom {

// Tells the player that the game could not start, naming the program and the reason.
void reportStartFailure(Desktop& desktop, QWidget* parent, const StartResult& result);

// Tells the player that the selected map's name cannot be passed to the game.
void refuseMapName(Desktop& desktop, QWidget* parent);

}  // namespace skyloom
