#pragma once

#include "games/start_game.h"

namespace skyloom {

// Starts the game as a detached process, never through a shell, the way its install needs (see
// decideStart): wine for a Windows program, the Steam client for a Steam game, else directly.
class ProcessStarter final : public GameStarter {
public:
    StartResult StartGame(const GameCommand& command,
                          const std::optional<std::string>& workingFolder,
                          WindowState state) override;
    // The home folder and WINEPREFIX of this process's environment.
    InstallSearch installSearch() const override;
};

}  // namespace skyloom
