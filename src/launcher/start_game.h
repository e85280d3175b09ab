#pragma once

#include <optional>
#include <string>

namespace skyloom {

// How the started game's window shows: the platform's three show states, each with focus.
enum class WindowState { Normal, Minimized, Maximized };

struct StartResult {
    bool ok = true;
    std::string program;  // the program as read from the command line
    std::string reason;   // why it could not start, in words for a message box
};

// The one way any window starts the game: a command line read as Windows reads one, an optional
// working folder that becomes the process's current folder, and a window state.
class GameStarter {
public:
    virtual ~GameStarter() = default;
    virtual StartResult StartGame(const std::string& commandLine,
                                  const std::optional<std::string>& workingFolder,
                                  WindowState state) = 0;
};

}  // namespace skyloom
