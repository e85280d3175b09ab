#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace skyloom {

// How the started game's window shows: the platform's three show states, each with focus.
enum class WindowState { Normal, Minimized, Maximized };

// A command as a player is shown it: its words, the places of those never shown, and what is
// added to its environment.
struct ShownCommand {
    std::vector<std::string> words{};
    std::vector<std::size_t> secret{};  // places in `words`, each shown as "********"
    std::vector<std::pair<std::string, std::string>> environment{};

    // The words joined by blanks, one holding a blank in quotes, then " with NAME=value" each.
    std::string text() const;
};

struct GameStart;
// `head` ("wine", the program), then the start's arguments, its secrets kept at their places.
ShownCommand shownAfter(std::vector<std::string> head, const GameStart& start,
                        std::vector<std::pair<std::string, std::string>> environment = {});

// One start of the game, whichever window asked for it.
struct GameStart {
    std::string program{};                 // as the settings hold it
    std::vector<std::string> arguments{};  // each passed as it is, never split again
    std::string folder{};                  // the game's: the game starts there
    std::vector<std::size_t> secret{};     // places in `arguments` never shown
    WindowState state = WindowState::Maximized;

    // The program and its arguments, the secret ones masked.
    ShownCommand shown() const { return shownAfter({program}, *this); }
};

struct StartResult {
    bool ok = true;
    std::string reason{};  // why it could not start, in words for a message box
    ShownCommand tried{};  // what was started or attempted ("steam -applaunch 70 …")
    std::string output{};  // where the started game's output goes, in words
    bool missing = false;  // the program or its folder is not there
};

// The one way any window starts the game.
class GameStarter {
public:
    virtual ~GameStarter() = default;
    // What StartGame would run for `start` at this moment, for a window to show.
    virtual ShownCommand route(const GameStart& start) = 0;
    virtual StartResult StartGame(const GameStart& start) = 0;
};

}  // namespace skyloom
