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
    std::string folder;                                           // empty: this process's
    std::vector<std::pair<std::string, std::string>> environment;  // over the inherited one
    std::string output;  // the file that gets its standard output and error; empty: inherited
};

struct Spawned {
    pid_t pid = -1;
    std::optional<std::string> error;  // why it did not start, in words
};

// Starts a program in a session of its own, so it outlives this one and no terminal signal of
// ours reaches it. Every argument keeps its bytes: a file name that is not UTF-8 reaches the
// program as it is on disk. The caller reaps the child (waitpid).
Spawned spawnProgram(const SpawnRequest& request);

}  // namespace skyloom
