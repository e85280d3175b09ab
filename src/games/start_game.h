#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "games/installs.h"

namespace skyloom {

// How the started game's window shows: the platform's three show states, each with focus.
enum class WindowState { Normal, Minimized, Maximized };

struct StartResult {
    StartResult() = default;
    StartResult(bool ok, std::string program, std::string reason, std::string tried = {})
        : ok(ok), program(std::move(program)), reason(std::move(reason)), tried(std::move(tried)) {}

    bool ok = true;
    std::string program;  // the program as the window named it
    std::string reason;   // why it could not start, in words for a message box
    std::string tried;    // what was started or attempted ("steam -applaunch 70 …"), if anything
    std::string output;   // where the started game's output goes, in words
    bool missing = false;  // the program is not there
};

// A start as a window composes it. The program is one argument whatever it holds (a Wine path
// with blanks stays whole); the rest is split by the C runtime's rules. Both are bytes, passed on
// as they are.
struct GameCommand {
    std::string program;
    std::string arguments;

    // As a player would type it, for messages and logs.
    std::string line() const { return arguments.empty() ? program : program + ' ' + arguments; }
};

// A command line as it may be shown or logged: every "+password" argument's value masked.
std::string maskedCommandLine(std::string_view line);

// The one way any window starts the game: a command, an optional working folder that becomes
// the process's current folder, and a window state.
class GameStarter {
public:
    virtual ~GameStarter() = default;
    virtual StartResult StartGame(const GameCommand& command,
                                  const std::optional<std::string>& workingFolder,
                                  WindowState state) = 0;
};

}  // namespace skyloom
