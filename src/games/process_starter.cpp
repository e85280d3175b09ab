#include "games/process_starter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QStandardPaths>
#include <QTimer>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>
#include <thread>

#include "platform/process_spawn.h"
#include "platform/settings_place.h"

namespace skyloom {
namespace {

// Paths stay bytes here: a game folder that is not UTF-8 is still found.
bool startsWithMZ(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) return false;
    char head[2] = {};
    const bool mz = ::read(fd, head, 2) == 2 && head[0] == 'M' && head[1] == 'Z';
    ::close(fd);
    return mz;
}

FileFacts factsOf(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return {};
    const bool file = S_ISREG(st.st_mode);
    return {true, file, file && ::access(path.c_str(), X_OK) == 0, file && startsWithMZ(path)};
}

std::string canonical(const std::string& path) {
    std::error_code error;
    const std::filesystem::path c = std::filesystem::canonical(path, error);
    return error ? path : c.string();
}

std::string currentFolder() {
    std::error_code error;
    return std::filesystem::current_path(error).string();
}

// $XDG_STATE_HOME/skyloom/game.log (by default under ~/.local/state), its folder made; empty
// when there is no such place: the game then writes where Skyloom does.
std::string gameLog() {
    std::string state = qEnvironmentVariable("XDG_STATE_HOME").toStdString();
    if (state.empty() || state.front() != '/') {
        const std::string home = QDir::homePath().toStdString();
        if (home.empty() || home == "/") return {};
        state = home + "/.local/state";
    }
    const std::string log = state + "/skyloom/game.log";
    return makeFolderFor(log) ? std::string() : log;
}

// The log the game was given, kept open while it is watched: what it wrote is read through
// this descriptor, never by the log's name, which may name another file by then.
struct OpenLog {
    std::string path;
    int fd = -1;
    OpenLog(std::string name, int descriptor) : path(std::move(name)), fd(descriptor) {}
    ~OpenLog() {
        if (fd >= 0) ::close(fd);
    }
    OpenLog(const OpenLog&) = delete;
    OpenLog& operator=(const OpenLog&) = delete;
};

// The last lines of a log after its first `skip` bytes, at most a few kilobytes of it.
std::string lastLines(int fd, int count, off_t skip) {
    if (fd < 0) return {};
    constexpr off_t kTail = 4096;
    struct stat st {};
    const off_t size = ::fstat(fd, &st) == 0 ? st.st_size : 0;
    const off_t start = std::max<off_t>(skip, size - kTail);
    std::string text(static_cast<size_t>(std::clamp<off_t>(size - start, 0, kTail)), '\0');
    const ssize_t n = ::pread(fd, text.data(), text.size(), start);
    text.resize(static_cast<size_t>(std::max<ssize_t>(0, n)));
    while (!text.empty() && text.back() == '\n') text.pop_back();
    size_t from = text.size();
    for (int lines = 0; lines < count && from != std::string::npos && from > 0; ++lines)
        from = text.rfind('\n', from - 1);
    return from == std::string::npos ? text : text.substr(from + 1);
}

std::string describeStatus(int status) {
    if (WIFSIGNALED(status)) {
        const int signal = WTERMSIG(status);
        return "signal " + std::to_string(signal) + " (" + ::strsignal(signal) + ")";
    }
    return "exit status " + std::to_string(WEXITSTATUS(status));
}

}  // namespace

ProcessStarter::ProcessStarter(InstallSearch installs,
                               std::function<void(const GameEnded&)> onEnded)
    : installs_(std::move(installs)), onEnded_(std::move(onEnded)) {}

void ProcessStarter::watch(pid_t pid, const std::string& tried, const std::string& path, int logFd,
                           off_t skip) {
    // Looked at on the event loop for its first seconds; after that a thread only reaps it.
    constexpr int kPollMs = 100;
    static constexpr std::chrono::milliseconds kWatched{10000};
    auto* timer = new QTimer(&watches_);
    const auto started = clock();
    const auto log = std::make_shared<const OpenLog>(path, logFd);
    QObject::connect(timer, &QTimer::timeout, timer, [this, timer, started, pid, tried, log, skip] {
        int status = 0;
        const pid_t ended = ::waitpid(pid, &status, WNOHANG);
        if (ended == 0 && clock() - started < kWatched) return;
        timer->deleteLater();
        timer->stop();
        if (ended == 0) {
            std::thread([pid] {
                while (::waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
                }
            }).detach();
            return;
        }
        const bool failed = ended == pid && (WIFSIGNALED(status) || WEXITSTATUS(status) != 0);
        if (failed && onEnded_)
            onEnded_({tried, describeStatus(status), lastLines(log->fd, 12, skip), log->path});
    });
    timer->start(kPollMs);
}

InstallSearch systemInstallSearch() {
    return {QDir::homePath().toStdString(), qEnvironmentVariable("WINEPREFIX").toStdString()};
}

StartDecision ProcessStarter::decide(const GameStart& start) const {
    const InstallSearch& search = installs_;
    const StartLookups lookups{
        factsOf,
        [](const std::string& name) {
            return QStandardPaths::findExecutable(QString::fromStdString(name)).toStdString();
        },
        [&search](const std::string& folder) -> std::optional<SteamOwner> {
            // Only asked about the game's own programs: a few known places, read at this moment.
            const std::string wanted = canonical(folder);
            for (const GameInstall& install : findInstalls(search).installs)
                if (install.kind != InstallKind::Wine && canonical(install.folder) == wanted)
                    return SteamOwner{install.kind, install.steamRoot};
            return std::nullopt;
        }};
    return decideStart(start, currentFolder(), lookups);
}

ShownCommand ProcessStarter::route(const GameStart& start) {
    return decide(start).tried;
}

StartResult ProcessStarter::StartGame(const GameStart& start) {
    // The window state has no show state to pass on to a program on Linux.
    if (start.program.empty()) return {false, "The command line is empty.", start.shown()};
    const StartDecision decision = decide(start);
    if (!decision.plan) return {false, decision.reason, decision.tried, {}, decision.missing};

    const StartPlan& plan = *decision.plan;
    const std::string tried = decision.tried.text();
    std::string log = gameLog();
    std::string output;
    OpenedFile opened;
    off_t head = 0;
    if (log.empty()) {
        output = "The game's output is not kept: there is no home folder to keep it in.";
    } else {
        opened = openLogForWriting(log);
        if (opened.fd < 0) {
            output = "The game's output is not kept: " + log + " could not be written (" +
                     opened.error + ").";
            log.clear();
        } else {
            output = "The game's output goes to " + log + ".";
            const std::string line = "Started: " + tried + "\n";
            head = std::max<ssize_t>(0, ::write(opened.fd, line.data(), line.size()));
        }
    }
    const Spawned spawned = spawnProgram(
        {plan.program, plan.arguments, plan.workingFolder, plan.environment, opened.fd});
    if (spawned.error) {
        if (opened.fd >= 0) ::close(opened.fd);
        return {false, "The system could not start it: " + *spawned.error + ".", decision.tried};
    }
    watch(spawned.pid, tried, log, opened.fd, head);
    return {true, {}, decision.tried, output};
}

}  // namespace skyloom
