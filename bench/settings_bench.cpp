// Reading and writing the settings file as a complete first use leaves it.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "settings/get_pps.h"
#include "settings/profile_file.h"

namespace {

const char* kTwelveLines =
    "[MISC]\r\nfirstuse=no\r\nuser=Freeman\r\ncompany=Black Mesa\r\ntfc=true\r\n"
    "[GAMEDIR]\r\ntfcmaps=/games/tfc/maps\r\nprogram=/games/Half-Life/hl.exe\r\n"
    "maps=/games/Half-Life/valve/maps\r\nvalve=/games/Half-Life/valve/\r\n"
    "tfcdir=/games/tfc/\r\ndds=/games/Half-Life/\r\n";

std::string makeFile() {
    const auto dir =
        std::filesystem::temp_directory_path() / ("skyloom-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string file = (dir / "skyloom.ini").string();
    std::ofstream(file, std::ios::binary) << kTwelveLines;
    return file;
}

void GetPPS_lastKeyOfTwelveLines(benchmark::State& state) {
    const std::string file = makeFile();
    for (auto _ : state)
        benchmark::DoNotOptimize(skyloom::GetPPS("gamedir", "dds", "error", 100, file));
}
BENCHMARK(GetPPS_lastKeyOfTwelveLines);

void GetPPS_missingKey(benchmark::State& state) {
    const std::string file = makeFile();
    for (auto _ : state)
        benchmark::DoNotOptimize(skyloom::GetPPS("MISC", "none", "error", 100, file));
}
BENCHMARK(GetPPS_missingKey);

// A 200 MB file in the settings file's place (sparse, so it costs no disk): refused by its size.
void GetPPS_200MBFile(benchmark::State& state) {
    const std::string file = makeFile() + ".big";
    std::ofstream(file, std::ios::binary) << kTwelveLines;
    std::filesystem::resize_file(file, 200u << 20);
    for (auto _ : state)
        benchmark::DoNotOptimize(skyloom::GetPPS("gamedir", "dds", "error", 100, file));
    std::filesystem::remove(file);
}
BENCHMARK(GetPPS_200MBFile)->Unit(benchmark::kMicrosecond);

void write_atomicReplaceOfTwelveLines(benchmark::State& state) {
    const std::string file = makeFile();
    bool flip = false;
    for (auto _ : state) {
        flip = !flip;
        benchmark::DoNotOptimize(
            skyloom::writeProfileValue(file, "MISC", "tfc", flip ? "false" : "true"));
    }
}
BENCHMARK(write_atomicReplaceOfTwelveLines)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
