// Listing a mod of 100,000 maps into the main window's map list, and reading 10,000 maps' titles
// from disk after the page cache is dropped, with and without the store of what was read.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QApplication>
#include <QThreadPool>
#include <chrono>
#include <filesystem>
#include <fstream>

#include "map_bytes.h"
#include "maps/map_catalogue.h"
#include "shell/map_file_list.h"

namespace {

namespace fs = std::filesystem;
using skyloom::test::le32Bytes;

const fs::path kRoot = fs::temp_directory_path() / "skyloom-bench-maps";

std::string hugeMapFolder() {
    static const std::string dir = [] {
        // A mod's maps folder: its add-on and downloads folders are looked for too.
        const fs::path d = kRoot / "100k" / "valve" / "maps";
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
    list.setMapsFolder({});
    QThreadPool::globalInstance()->waitForDone();  // its reading must not weigh on the next
}
BENCHMARK(listInto_mapFileList_100k)->Unit(benchmark::kMillisecond)->Iterations(5);

constexpr int kTitled = 10000;

// A map as compilers lay it out: the entities late in the file, after the lumps of geometry and
// light (a hole here, so 10,000 of them take little disk), so a title costs two reads apart.
void writeTitledMap(const fs::path& path, int number) {
    const std::string entities =
        "{\n\"classname\" \"worldspawn\"\n\"message\" \"Map number " + std::to_string(number) +
        "\"\n\"wad\" \"\\half-life\\valve\\halflife.wad\"\n}\n" + std::string(1500, ' ') + '\0';
    constexpr uint32_t header = 4 + 15 * 8, at = 256 * 1024;
    std::string bytes = le32Bytes(30) + le32Bytes(at) + le32Bytes(uint32_t(entities.size()));
    bytes += le32Bytes(header) + le32Bytes(20);  // planes
    for (int lump = 2; lump < 15; ++lump) bytes += le32Bytes(header) + le32Bytes(0);
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    out.seekp(at);
    out << entities;
}

const std::vector<std::string>& titledMaps() {
    static const std::vector<std::string> paths = [] {
        const fs::path d = kRoot / "titles" / "valve" / "maps";
        std::vector<std::string> all;
        const bool made = fs::exists(d / ("map_" + std::to_string(kTitled - 1) + ".bsp"));
        fs::create_directories(d);
        for (int i = 0; i < kTitled; ++i) {
            all.push_back((d / ("map_" + std::to_string(i) + ".bsp")).string());
            if (!made) writeTitledMap(all.back(), i);
        }
        return all;
    }();
    return paths;
}

// The whole page cache when this runs as root; else each file's pages, which leaves the
// folders' entries and the files' inodes cached.
bool dropPageCache(const std::vector<std::string>& files) {
    ::sync();
    std::ofstream drop("/proc/sys/vm/drop_caches");
    if (drop << "3\n" << std::flush) return true;
    for (const std::string& file : files) {
        const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) continue;
        ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
        ::close(fd);
    }
    return false;
}

// Seconds until the last title is in.
double titlesSeconds(const skyloom::CatalogueReading& reading) {
    const auto start = std::chrono::steady_clock::now();
    double seconds = 0;
    size_t titles = 0;
    reading.run(
        [] { return false; },
        [&](skyloom::CatalogueBatch&& batch) {
            titles += batch.checks.size();
            if (titles == reading.paths.size())
                seconds =
                    std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        });
    return seconds;
}

void titles_10k_cold(benchmark::State& state) {
    const bool withStore = state.range(0) != 0;
    const std::string store = (kRoot / "cache" / "maps.cache").string();
    fs::remove(store);
    std::vector<std::string> files = titledMaps();
    skyloom::MapCatalogue catalogue(withStore ? store : "");
    catalogue.list((kRoot / "titles" / "valve" / "maps").string(), false);
    skyloom::CatalogueReading reading = catalogue.reading();
    reading.searchPath.clear();             // the titles alone
    if (withStore) titlesSeconds(reading);  // a run before fills it
    files.push_back(store);
    bool wholeCache = false;
    for (auto _ : state) {
        wholeCache = dropPageCache(files);
        state.SetIterationTime(titlesSeconds(reading));
    }
    state.counters["maps"] = static_cast<double>(reading.paths.size());
    state.counters["whole_page_cache_dropped"] = wholeCache;
}
BENCHMARK(titles_10k_cold)
    ->ArgName("store")
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // The map list keeps what it read beside the bench's maps, never in the real ~/.cache.
    qputenv("XDG_CACHE_HOME", QByteArray::fromStdString((kRoot / "cache").string()));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
