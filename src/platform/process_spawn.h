#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace skyloom {

struct SpawnRequest {
    std::string program;  // a path; never looked up on PATH, never given to a shell
    std::vector<std::string> arguments;
    std::string folder;                                            // empty: this process's
    std::vector<std::pair<std::string, std::string>> environment;  // over the inherited one
    int output = -1;  // an open file for its standard output and error; -1: /dev/null
};

struct Spawned {
    pid_t pid = -1;
    std::optional<std::string> error;  // why it did not start, in words
};

// Starts a program in a session of its own, so it outlives this one and no terminal signal of
// ours reaches it. It inherits standard input (/dev/null), output and error, and no other
// descriptor, whatever this process has open. Every argument keeps its bytes: a file name that is
// not UTF-8 reaches the program as it is on disk. The caller reaps the child (waitpid).
Spawned spawnProgram(const SpawnRequest& request);

struct OpenedFile {
    int fd = -1;        // close-on-exec; the caller closes it
    std::string error;  // why not, in words ("it is a symbolic link")
};

// Opens a log for writing without following a link or blocking on a FIFO, and empties it only
// when it is a regular file with no other name; a new one is readable by its owner only. It is
// open for reading too, so what was written is read back without the path.
OpenedFile openLogForWriting(const std::string& path);

}  // namespace skyloom
