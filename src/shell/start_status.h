#pragma once

#include <QLabel>
#include <QTimer>
#include <optional>
#include <string>

#include "shell/app_context.h"

class QMainWindow;

namespace skyloom {

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

// Starts the game as every window does. A start is told on `line`; a failure in a box that names
// the program the settings hold and, when the game is not there and there is a window to return
// to, offers the configuration window.
bool startGame(const AppContext& context, QWidget* window, StartStatusLine* line,
               const GameCommand& command, const std::optional<std::string>& workingFolder,
               WindowState state);

}  // namespace skyloom
