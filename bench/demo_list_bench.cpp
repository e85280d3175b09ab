// Listing 1,000 demos of 2 MB each as the Demos window does, header and directory only, with the
// page cache dropped before each run (the whole cache when run as root).
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "demo_bytes.h"
#include "demo_window/demo_store.h"

namespace {

namespace fs = std::filesystem;
constexpr int kDemos = 1000;
const fs::path kGame = fs::temp_directory_path() / "skyloom-bench-demos";

// The frames are a hole: 1,000 demos of 2 MB take little disk, and the directory lies 2 MB in.
void makeDemos() {
    const fs::path folder = kGame / "valve" / "demos";
    if (fs::exists(folder / ("demo_" + std::to_string(kDemos - 1) + ".dem"))) return;
    fs::create_directories(folder);
    fs::create_directories(kGame / "valve" / "maps");
    std::ofstream(kGame / "valve" / "maps" / "crossfire.bsp", std::ios::binary)
        << skyloom::test::bspBytes("{\n\"classname\" \"worldspawn\"\n\"message\" \"X\"\n}\n");
    const std::string header = skyloom::test::demoBytes("crossfire", "valve", {1, 90}, 0);
    for (int i = 0; i < kDemos; ++i) {
        std::string bytes = header;
        bytes.replace(540, 4, skyloom::test::le32Bytes(544 + (2u << 20)));
        std::ofstream out(folder / ("demo_" + std::to_string(i) + ".dem"), std::ios::binary);
        out << bytes.substr(0, 544);
        out.seekp(544 + (2 << 20));
        out << bytes.substr(544);
    }
}

bool dropPageCache() {
    ::sync();
    std::ofstream drop("/proc/sys/vm/drop_caches");
    if (drop << "3\n" << std::flush) return true;
    for (const auto& entry : fs::recursive_directory_iterator(kGame)) {
        const int fd = ::open(entry.path().c_str(), O_RDONLY | O_CLOEXEC);
        if (fd >= 0) ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED), ::close(fd);
    }
    return false;
}

void demos_1k_cold(benchmark::State& state) {
    makeDemos();
    bool whole = false;
    for (auto _ : state) {
        state.PauseTiming();
        whole = dropPageCache();
        state.ResumeTiming();
        const auto rows = skyloom::readDemoRows({kGame.string(), "valve"}, {});
        if (rows.size() != kDemos || !rows.back().file.reading.info)
            state.SkipWithError("not every demo was read");
    }
    state.counters["whole_page_cache_dropped"] = whole;
}
BENCHMARK(demos_1k_cold)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
