// From fork/exec to the first window mapped on a private Xvfb: an empty Qt window and Skyloom's
// splash, started alternately in each iteration so both see the same machine load.
#include <X11/Xlib.h>
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

Display* display = nullptr;

pid_t startDetached(const std::vector<std::string>& argv) {
    const pid_t pid = fork();
    if (pid == 0) {
        std::vector<char*> args;
        for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        execv(args[0], args.data());
        _exit(127);
    }
    return pid;
}

// Milliseconds until the program maps its first top-level window.
double millisecondsToFirstMap(const std::vector<std::string>& argv) {
    while (XPending(display)) {
        XEvent stale;
        XNextEvent(display, &stale);
    }
    const Clock::time_point start = Clock::now();
    const pid_t pid = startDetached(argv);
    double elapsed = -1;
    while (elapsed < 0) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify)
                elapsed = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        }
        pollfd fd{ConnectionNumber(display), POLLIN, 0};
        if (elapsed < 0 && poll(&fd, 1, 10000) <= 0) break;
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    if (elapsed < 0) throw std::runtime_error("no window mapped: " + argv[0]);
    return elapsed;
}

const std::vector<std::string> kEmpty{STARTUP_EMPTY_WINDOW};
std::vector<std::string> skyloomSplash;

void StartToFirstWindowMapped(benchmark::State& state) {
    for (auto _ : state) {
        const double empty = millisecondsToFirstMap(kEmpty);
        const double splash = millisecondsToFirstMap(skyloomSplash);
        state.SetIterationTime(splash / 1000);
        state.counters["empty_ms"] = empty;
        state.counters["splash_ms"] = splash;
        state.counters["ratio"] = splash / empty;
    }
}
BENCHMARK(StartToFirstWindowMapped)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

pid_t startXvfb() {
    int fds[2];
    if (pipe(fds) != 0) return -1;
    const pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        const std::string fd = std::to_string(fds[1]);
        const int quiet = open("/dev/null", O_WRONLY);
        dup2(quiet, STDERR_FILENO);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24", "-nolisten",
               "tcp", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    char number[16] = {};
    const ssize_t n = read(fds[0], number, sizeof number - 1);
    close(fds[0]);
    if (n <= 0) return -1;
    setenv("DISPLAY", (":" + std::to_string(std::atoi(number))).c_str(), 1);
    return pid;
}

}  // namespace

int main(int argc, char** argv) {
    const pid_t xvfb = startXvfb();
    display = xvfb > 0 ? XOpenDisplay(nullptr) : nullptr;
    if (!display) {
        std::fprintf(stderr, "startup_bench: Xvfb did not start\n");
        return 1;
    }
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    // A settings file that is never written: the splash only reads.
    const auto unwritten = std::filesystem::temp_directory_path() /
                           ("skyloom-startup-bench-" + std::to_string(getpid()) + ".ini");
    skyloomSplash = {SKYLOOM_PROGRAM, "--settings", unwritten.string()};
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XFlush(display);
    // Warm the page cache and the font cache before anything is timed.
    millisecondsToFirstMap(kEmpty);
    millisecondsToFirstMap(skyloomSplash);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    XCloseDisplay(display);
    kill(xvfb, SIGTERM);
    waitpid(xvfb, nullptr, 0);
    return 0;
}
