// Listing a mod of 100,000 maps into the main window's map list.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QApplication>
#include <filesystem>
#include <fstream>

#include "shell/map_file_list.h"

namespace {

namespace fs = std::filesystem;

std::string hugeMapFolder() {
    static const std::string dir = [] {
        // A mod's maps folder: its add-on and downloads folders are looked for too.
        const fs::path d = fs::temp_directory_path() / "skyloom-bench-100k" / "valve" / "maps";
        if (!fs::exists(d / "map_99999.bsp")) {
            fs::create_directories(d);
            for (int i = 0; i < 100000; ++i)
                std::ofstream(d / ("map_" + std::to_string(i) + (i % 10 ? ".bsp" : ".BSP")));
        }
        return d.string();
    }();
    return dir;
}

void listInto_mapFileList_100k(benchmark::State& state) {
    const std::string folder = hugeMapFolder();
    skyloom::MapFileList list;
    list.resize(105, 236);
    list.show();
    for (auto _ : state) {
        list.setMapsFolder(folder);
        QCoreApplication::processEvents();  // the list lays out and is usable again
        benchmark::DoNotOptimize(list.fileNames().size());
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_rss_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
    state.counters["maps"] = static_cast<double>(list.fileNames().size());
}
BENCHMARK(listInto_mapFileList_100k)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
