#pragma once

#include "launcher/start_game.h"

namespace skyloom {

// Starts the game as a detached process, never through a shell. A Windows executable (a file
// that begins with "MZ") runs through `wine` found on PATH; anything else runs directly.
class ProcessStarter final : public GameStarter {
public:
    StartResult StartGame(const std::string& commandLine,
                          const std::optional<std::string>& workingFolder,
                          WindowState state) override;
};

}  // namespace skyloom
