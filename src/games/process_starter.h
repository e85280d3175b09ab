#pragma once

#include <QObject>
#include <chrono>
#include <functional>

#include "games/game_ended.h"
#include "games/start_game.h"
#include "games/start_plan.h"

namespace skyloom {

// Starts the game as a detached process, never through a shell, the way its install needs (see
// decideStart): wine for a Windows program, the Steam client for a Steam game, else directly.
// It starts in the game's folder; Skyloom's own stays. Its output goes to
// `$XDG_STATE_HOME/skyloom/game.log`, emptied at each start and headed by the command as shown; a
// log that is a link, a FIFO or anything but a plain file is left alone and the output goes
// nowhere (the result's `output` says which). A program that fails within 10 seconds is told to
// `onEnded`, on this thread, while the starter lives.
class ProcessStarter final : public GameStarter {
public:
    // `installs`: where the Steam installs that decide how a game starts are looked for.
    explicit ProcessStarter(InstallSearch installs,
                            std::function<void(const GameEnded&)> onEnded = {});
    ShownCommand route(const GameStart& start) override;
    StartResult StartGame(const GameStart& start) override;

    // The clock the first seconds of a started program are timed by; a test's stands in for it.
    std::function<std::chrono::steady_clock::time_point()> clock = std::chrono::steady_clock::now;

private:
    StartDecision decide(const GameStart& start) const;
    // Takes `logFd` (-1: none), the descriptor the game writes its output through; `skip`: the
    // bytes of the log's head, which are not the game's.
    void watch(pid_t pid, const std::string& tried, const std::string& path, int logFd, off_t skip);

    InstallSearch installs_;
    std::function<void(const GameEnded&)> onEnded_;
    QObject watches_;  // owns the timers that look after the started programs
};

// The home folder and WINEPREFIX of this process's environment.
InstallSearch systemInstallSearch();

}  // namespace skyloom
