// The picture of a map in a tooltip: a typical map (about 2 MB, 5,000 faces) read and drawn,
// then made the tooltip's PNG; and 1,000 different maps in a row, each timed, with the memory
// before and after.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>

#include "map_bytes.h"
#include "maps/map_picture.h"
#include "shell/map_list_model.h"

namespace {

namespace fs = std::filesystem;
using namespace skyloom::test;

constexpr size_t kTypicalSize = 2'000'000;

// A room of 29 × 29 blocks of different heights: 5,052 faces, padded to 2 MB with lighting as
// real maps are.
std::string typicalMap(unsigned seed) {
    std::mt19937 rng(seed);
    std::vector<Face> world = box({0, 0, 0}, {3712, 3712, 512}, true);
    for (int i = 0; i < 29; ++i)
        for (int j = 0; j < 29; ++j) {
            const float x = float(i * 128), y = float(j * 128), h = float(8 + rng() % 240);
            for (Face& f : box({x + 16, y + 16, 0}, {x + 112, y + 112, h}, false))
                world.push_back(std::move(f));
        }
    auto lumps = geometryLumps(world);
    const std::string entities =
        "{\"classname\" \"worldspawn\" \"message\" \"Map " + std::to_string(seed) + "\"}";
    const size_t used = bspBytes(entities, {}, false, lumps).size();
    lumps[8] = std::string(kTypicalSize - std::min(used, kTypicalSize), char(seed));
    return bspBytes(entities, {}, false, lumps);
}

std::string mapFile(unsigned seed) {
    const fs::path dir = fs::temp_directory_path() / "skyloom-bench-pictures";
    const fs::path path = dir / ("map_" + std::to_string(seed) + ".bsp");
    if (!fs::exists(path)) {
        fs::create_directories(dir);
        std::ofstream(path, std::ios::binary) << typicalMap(seed);
    }
    return path.string();
}

double residentMiB() {
    long pages = 0, resident = 0;
    if (std::ifstream statm("/proc/self/statm"); !(statm >> pages >> resident)) return 0;
    return double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

void picture_typical_map(benchmark::State& state) {
    const std::string path = mapFile(0);
    for (auto _ : state) {
        const skyloom::FileSource file(path);
        const auto picture = skyloom::mapPicture(file);
        if (!picture) state.SkipWithError("no picture");
        benchmark::DoNotOptimize(picture);
    }
    state.counters["file_MB"] = double(fs::file_size(path)) / 1e6;
}
BENCHMARK(picture_typical_map)->Unit(benchmark::kMillisecond);

// What the window waits for: the picture as the tooltip's PNG.
void tooltip_picture_typical_map(benchmark::State& state) {
    const std::string path = mapFile(0);
    for (auto _ : state)
        benchmark::DoNotOptimize(skyloom::mapPictureUrl(skyloom::FileSource(path)));
}
BENCHMARK(tooltip_picture_typical_map)->Unit(benchmark::kMillisecond);

void tooltip_pictures_1000_maps(benchmark::State& state) {
    std::vector<std::string> paths;
    for (unsigned i = 1; i <= 1000; ++i) paths.push_back(mapFile(i));
    for (auto _ : state) {
        std::vector<double> ms;
        double before = 0;
        for (const std::string& path : paths) {
            const auto start = std::chrono::steady_clock::now();
            const std::string url = skyloom::mapPictureUrl(skyloom::FileSource(path));
            ms.push_back(
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                    .count());
            if (url.empty()) state.SkipWithError("no picture");
            if (ms.size() == 1) before = residentMiB();
        }
        std::sort(ms.begin(), ms.end());
        state.counters["median_ms"] = ms[ms.size() / 2];
        state.counters["slowest_ms"] = ms.back();
        state.counters["rss_after_first_MiB"] = before;
        state.counters["rss_after_1000_MiB"] = residentMiB();
    }
}
BENCHMARK(tooltip_pictures_1000_maps)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
