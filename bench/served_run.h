#pragma once

#include <benchmark/benchmark.h>
#include <signal.h>
#include <sys/types.h>
#include <sys/wait.h>

namespace skyloom::bench {

// Runs the benchmarks, then stops the process that served them their fake answers.
inline int runThenStop(int& argc, char** argv, pid_t server) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    ::kill(server, SIGTERM);
    ::waitpid(server, nullptr, 0);
    return 0;
}

}  // namespace skyloom::bench
