#pragma once

#include <QLabel>
#include <QTimer>
#include <cstddef>
#include <optional>
#include <string>

#include "games/game_ended.h"
#include "shell/app_context.h"

class QMainWindow;

namespace skyloom {

class MapCatalogue;

// The line at the foot of a window that says, for some seconds after a start, the command as run
// and where the game's output goes. A screen reader is told of each new text.
class StartStatusLine final : public QLabel {
    Q_OBJECT
public:
    static constexpr int kShownMs = 15000;

    explicit StartStatusLine(QWidget* parent = nullptr);
    void showStarted(const QString& text);

private:
    QTimer clear_;
};

// A status line at the foot of `window`.
StartStatusLine* addStartStatusLine(QMainWindow* window);

// What a window asks to start: its arguments, their secrets and the window state (the program
// and the game's folder are the settings'), and for a map's start, the map: the listed row the
// player chose, or the text typed (no row).
struct StartRequest {
    GameStart start{};
    MapCatalogue* maps = nullptr;  // none: no map to start
    std::string map{};
    std::optional<std::size_t> mapRow{};
    QString noMapTitle{};  // the title of the box that asks for a map
};

// The start as it would be made now, the program and the game's folder read from the settings;
// nothing when they name no folder.
std::optional<GameStart> composeStart(const Settings& settings, GameStart start);

// The one way every window starts the game: the map chosen and loadable, the game configured,
// the player asked about a map's missing files, then the start, told on `line` when there is one.
// A failure is told in a box that names the program the settings hold and, when the game is not
// there and there is a window to return to, offers the configuration window. True when started.
bool startGame(const AppContext& context, QWidget* window, StartStatusLine* line,
               const StartRequest& request);

// Tells the player that the game ended soon after it started, and how.
void reportGameEnded(Desktop& desktop, const GameEnded& ended);

}  // namespace skyloom
