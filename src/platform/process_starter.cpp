#include "platform/process_starter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QStandardPaths>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <thread>

#include "games/start_plan.h"
#include "platform/command_line.h"
#include "platform/process_spawn.h"

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

}  // namespace

InstallSearch ProcessStarter::installSearch() const {
    return {QDir::homePath().toStdString(), qEnvironmentVariable("WINEPREFIX").toStdString()};
}

StartResult ProcessStarter::StartGame(const GameCommand& command,
                                      const std::optional<std::string>& workingFolder,
                                      WindowState /*state: no show state to pass on Linux*/) {
    if (command.program.empty()) return {false, command.program, "The command line is empty.", {}};
    if (workingFolder && ::chdir(workingFolder->c_str()) != 0) {
        return {false, command.program,
                "The folder \"" + *workingFolder + "\" does not exist.", {}};
    }
    const InstallSearch search = installSearch();
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
    const StartDecision decision = decideStart(
        command.program, splitArguments(command.arguments), currentFolder(), lookups);
    if (!decision.plan) return {false, command.program, decision.reason, decision.tried};

    const StartPlan& plan = *decision.plan;
    const Spawned spawned =
        spawnProgram({plan.program, plan.arguments, plan.workingFolder, plan.environment, {}});
    if (spawned.error)
        return {false, command.program, "The system could not start it: " + *spawned.error + ".",
                decision.tried};
    // Reaped when it ends, so no zombie stays behind while Skyloom runs.
    std::thread([pid = spawned.pid] {
        while (::waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
        }
    }).detach();
    return {true, command.program, {}, decision.tried};
}

}  // namespace skyloom
