#pragma once

#include <vector>

#include "games/start_game.h"

namespace skyloom::test {

// Records each start instead of starting anything; every start returns `result`.
class FakeGameStarter final : public GameStarter {
public:
    struct Start {
        std::string commandLine, program;  // the line: program, a blank, arguments
        std::optional<std::string> workingFolder;
        WindowState state;
    };
    StartResult StartGame(const GameCommand& command, const std::optional<std::string>& folder,
                          WindowState state) override {
        starts.push_back({command.line(), command.program, folder, state});
        return result;
    }
    std::vector<Start> starts;
    StartResult result;
};
}  // namespace skyloom::test
