#pragma once

#include <vector>

#include "games/start_game.h"

namespace skyloom::test {

// Records each start instead of starting anything; every start returns `result`, and tells what
// it tried as `via` (say {"steam", "-applaunch", "70"}) in the program's place, when set.
class FakeGameStarter final : public GameStarter {
public:
    struct Start {
        std::string commandLine, program;  // the line: program, a blank, arguments, unmasked
        std::optional<std::string> workingFolder;
        WindowState state;
    };
    ShownCommand route(const GameStart& start) override {
        ShownCommand shown = start.shown();
        if (via.empty()) return shown;
        shown.words.erase(shown.words.begin());
        shown.words.insert(shown.words.begin(), via.begin(), via.end());
        for (std::size_t& at : shown.secret) at += via.size() - 1;
        return shown;
    }
    StartResult StartGame(const GameStart& start) override {
        std::string line = start.program;
        for (const std::string& word : start.arguments) line += ' ' + word;
        starts.push_back({line, start.program, start.folder, start.state});
        StartResult told = result;
        if (told.tried.words.empty()) told.tried = route(start);
        return told;
    }
    std::vector<Start> starts;
    StartResult result;
    std::vector<std::string> via;
};
}  // namespace skyloom::test
