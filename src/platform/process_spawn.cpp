#include "platform/process_spawn.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

extern char** environ;

namespace skyloom {
namespace {

// Frees the spawn attributes on every way out.
struct SpawnSetup {
    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    SpawnSetup() {
        posix_spawn_file_actions_init(&actions);
        posix_spawnattr_init(&attributes);
    }
    ~SpawnSetup() {
        posix_spawn_file_actions_destroy(&actions);
        posix_spawnattr_destroy(&attributes);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;
};

std::vector<std::string> environmentWith(
    const std::vector<std::pair<std::string, std::string>>& changes) {
    std::vector<std::string> entries;
    for (char** e = environ; e && *e; ++e) {
        const std::string_view entry(*e);
        const std::string_view name = entry.substr(0, entry.find('='));
        bool replaced = false;
        for (const auto& change : changes) replaced = replaced || change.first == name;
        if (!replaced) entries.emplace_back(entry);
    }
    for (const auto& [name, value] : changes) entries.push_back(name + '=' + value);
    return entries;
}

std::vector<char*> pointers(std::vector<std::string>& words) {
    std::vector<char*> out;
    out.reserve(words.size() + 1);
    for (std::string& w : words) out.push_back(w.data());
    out.push_back(nullptr);
    return out;
}

}  // namespace

Spawned spawnProgram(const SpawnRequest& request) {
    std::vector<std::string> argumentWords{request.program};
    argumentWords.insert(argumentWords.end(), request.arguments.begin(), request.arguments.end());
    std::vector<std::string> environmentWords = environmentWith(request.environment);
    std::vector<char*> argv = pointers(argumentWords);
    std::vector<char*> envp = pointers(environmentWords);

    SpawnSetup setup;
    posix_spawn_file_actions_addopen(&setup.actions, 0, "/dev/null", O_RDONLY, 0);
    if (request.output >= 0)
        posix_spawn_file_actions_adddup2(&setup.actions, request.output, 1);
    else
        posix_spawn_file_actions_addopen(&setup.actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&setup.actions, 1, 2);
    // A map being read or a socket must not stay open in the game.
    posix_spawn_file_actions_addclosefrom_np(&setup.actions, 3);
    if (!request.folder.empty())
        posix_spawn_file_actions_addchdir_np(&setup.actions, request.folder.c_str());
    // The game gets default signal handling and an empty mask, whatever this process set.
    sigset_t none;
    sigset_t defaults;
    sigemptyset(&none);
    sigfillset(&defaults);
    posix_spawnattr_setsigmask(&setup.attributes, &none);
    posix_spawnattr_setsigdefault(&setup.attributes, &defaults);
    posix_spawnattr_setflags(&setup.attributes,
                             POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    Spawned spawned;
    const int error = posix_spawn(&spawned.pid, request.program.c_str(), &setup.actions,
                                  &setup.attributes, argv.data(), envp.data());
    if (error != 0) {
        spawned.pid = -1;
        spawned.error = std::strerror(error);
    }
    return spawned;
}

OpenedFile openLogForWriting(const std::string& path) {
    OpenedFile opened;
    // Read and write: what the program wrote is read back through this descriptor.
    const int fd = ::open(path.c_str(),
                          O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0600);
    if (fd < 0) {
        const int error = errno;
        opened.error = error == ELOOP    ? "it is a symbolic link"
                       : error == EISDIR ? "it is a folder"
                       : error == ENXIO  ? "it is not a regular file"
                                         : std::strerror(error);
        return opened;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
        opened.error = "it is not a regular file";
    else if (st.st_nlink > 1)
        opened.error = "it is a hard link to another file";
    else if (::ftruncate(fd, 0) != 0)
        opened.error = std::strerror(errno);
    if (!opened.error.empty()) {
        ::close(fd);
        return opened;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    opened.fd = fd;
    return opened;
}

}  // namespace skyloom
