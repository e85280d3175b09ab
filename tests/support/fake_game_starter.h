#pragma once

#include <vector>

#include "launcher/start_game.h"

namespace skyloom::test {

// Records each start instead of starting anything; `result` is what every start returns.
class FakeGameStarter final : public GameStarter {
public:
    struct Start {
        std::string commandLine;
        std::optional<std::string> workingFolder;
        WindowState state;
    };

    StartResult StartGame(const std::string& commandLine,
                          const std::optional<std::string>& workingFolder,
                          WindowState state) override {
        starts.push_back({commandLine, workingFolder, state});
        return result;
    }

    std::vector<Start> starts;
    StartResult result;
};

}  // namespace skyloom::test
