#pragma once

#include <vector>

#include "games/start_game.h"

namespace skyloom::test {

// Records each start instead of starting anything; `result` is what every start returns.
// Installs are looked for where `search` points.
class FakeGameStarter final : public GameStarter {
public:
    struct Start {
        std::string commandLine;  // program, a blank, arguments
        std::string program;
        std::optional<std::string> workingFolder;
        WindowState state;
    };

    StartResult StartGame(const GameCommand& command,
                          const std::optional<std::string>& workingFolder,
                          WindowState state) override {
        starts.push_back({command.line(), command.program, workingFolder, state});
        return result;
    }
    InstallSearch installSearch() const override { return search; }

    std::vector<Start> starts;
    StartResult result;
    InstallSearch search;  // no home: no installs unless a test builds some
};

}  // namespace skyloom::test
