// From fork/exec to the first window mapped on a private Xvfb, and the peak memory (resident set)
// by then: an empty Qt window, the same with one line of text, and Skyloom's main window (a
// configured game: no splash, no wizard), started in turn so all see the same machine load.
#include <X11/Xlib.h>
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
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

struct FirstMap {
    double ms = -1;
    double peakKiB = 0;
};

// The most resident memory the process has had so far (VmHWM), in KiB.
double peakKiB(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string key;
    double kib = 0;
    while (status >> key) {
        if (key == "VmHWM:" && status >> kib) return kib;
        status.ignore(1 << 12, '\n');
    }
    return 0;
}

// Milliseconds until the program maps its first top-level window, and its peak memory once that
// window is drawn.
FirstMap firstMap(const std::vector<std::string>& argv) {
    while (XPending(display)) {
        XEvent stale;
        XNextEvent(display, &stale);
    }
    const Clock::time_point start = Clock::now();
    const pid_t pid = startDetached(argv);
    FirstMap result;
    while (result.ms < 0) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && result.ms < 0) {
                result.ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
                // The peak once the window has drawn itself, before a next window could come.
                usleep(1500000);
                result.peakKiB = peakKiB(pid);
            }
        }
        pollfd fd{ConnectionNumber(display), POLLIN, 0};
        if (result.ms < 0 && poll(&fd, 1, 10000) <= 0) break;
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    if (result.ms < 0) throw std::runtime_error("no window mapped: " + argv[0]);
    return result;
}

const std::vector<std::string> kEmpty{STARTUP_EMPTY_WINDOW};
const std::vector<std::string> kText{STARTUP_EMPTY_WINDOW, "--text"};
std::vector<std::string> skyloomMain;

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// One iteration: five starts of each, alternating; the medians side by side and their ratios.
void StartToFirstWindowMapped(benchmark::State& state) {
    for (auto _ : state) {
        std::vector<double> empty, text, main, emptyPeak, mainPeak;
        for (int i = 0; i < 5; ++i) {
            const FirstMap e = firstMap(kEmpty), t = firstMap(kText), s = firstMap(skyloomMain);
            empty.push_back(e.ms);
            text.push_back(t.ms);
            main.push_back(s.ms);
            emptyPeak.push_back(e.peakKiB);
            mainPeak.push_back(s.peakKiB);
        }
        state.SetIterationTime(median(main) / 1000);
        state.counters["empty_ms"] = median(empty);
        state.counters["main_ms"] = median(main);
        state.counters["ratio"] = median(main) / median(empty);
        state.counters["text_ms"] = median(text);
        state.counters["ratio_to_text"] = median(main) / median(text);
        state.counters["empty_peak_KiB"] = median(emptyPeak);
        state.counters["main_peak_KiB"] = median(mainPeak);
        state.counters["peak_ratio"] = median(mainPeak) / median(emptyPeak);
    }
}
BENCHMARK(StartToFirstWindowMapped)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

// A private Xvfb on the first free display from :140 on; sets DISPLAY and opens it.
pid_t startXvfb() {
    for (int number = 140; number < 200; ++number) {
        const std::string name = ":" + std::to_string(number);
        if (Display* taken = XOpenDisplay(name.c_str())) {
            XCloseDisplay(taken);
            continue;
        }
        const pid_t pid = fork();
        if (pid == 0) {
            const int quiet = open("/dev/null", O_WRONLY);
            dup2(quiet, STDOUT_FILENO);
            dup2(quiet, STDERR_FILENO);
            execlp("Xvfb", "Xvfb", name.c_str(), "-screen", "0", "1024x768x24", "-nolisten", "tcp",
                   static_cast<char*>(nullptr));
            _exit(127);
        }
        for (int wait = 0; wait < 100; ++wait) {
            if (waitpid(pid, nullptr, WNOHANG) == pid) break;  // display taken: try the next
            if ((display = XOpenDisplay(name.c_str()))) {
                setenv("DISPLAY", name.c_str(), 1);
                return pid;
            }
            usleep(50000);
        }
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    return -1;
}

}  // namespace

int main(int argc, char** argv) {
    const pid_t xvfb = startXvfb();
    if (!display) {
        std::fprintf(stderr, "startup_bench: Xvfb did not start\n");
        return 1;
    }
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    // A configured game whose maps folder is empty: the main window opens first.
    const auto settings = std::filesystem::temp_directory_path() /
                          ("skyloom-startup-bench-" + std::to_string(getpid()) + ".ini");
    std::ofstream(settings) << "[MISC]\nfirstuse=no\ntfc=false\n[GAMEDIR]\nprogram=/nowhere/hl.sh\n"
                               "maps=/nowhere/valve/maps\n";
    skyloomMain = {SKYLOOM_PROGRAM, "--settings", settings.string()};
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XFlush(display);
    // Warm the page cache and the font cache before anything is timed.
    firstMap(kEmpty);
    firstMap(kText);
    firstMap(skyloomMain);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    XCloseDisplay(display);
    std::filesystem::remove(settings);
    kill(xvfb, SIGTERM);
    waitpid(xvfb, nullptr, 0);
    return 0;
}
