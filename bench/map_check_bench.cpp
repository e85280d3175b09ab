// Reading maps: titles of 10,000 maps with realistic entity lumps, and the missing-files check
// of one map with 8 WADs and 200 textures.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

#include "map_bytes.h"
#include "maps/bsp_file.h"
#include "maps/map_check.h"
#include "maps/search_path.h"

namespace {

namespace fs = std::filesystem;
using skyloom::test::bspBytes;
using skyloom::test::Texture;
using skyloom::test::wadBytes;

void write(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

// About 30 KB of entities, as a mid-sized deathmatch map has.
std::string entities(int seed) {
    std::string text = "{\n\"classname\" \"worldspawn\"\n\"message\" \"Map " +
                       std::to_string(seed) +
                       " by a mapper\"\n\"wad\" \"\\half-life\\valve\\halflife.wad;liquids.wad\"\n"
                       "\"skyname\" \"desert\"\n}\n";
    for (int i = 0; text.size() < 30 * 1024; ++i)
        text += "{\n\"origin\" \"" + std::to_string(i * 16) +
                " -256 64\"\n\"angles\" \"0 90 0\"\n\"targetname\" \"light_" + std::to_string(i) +
                "\"\n\"_light\" \"255 255 128 200\"\n\"model\" \"models/item_" +
                std::to_string(i % 40) + ".mdl\"\n\"classname\" \"item_healthkit\"\n}\n";
    return text;
}

const fs::path& titleFolder() {
    static const fs::path d = [] {
        const fs::path dir = fs::temp_directory_path() / "skyloom-bench-10k-titles";
        if (!fs::exists(dir / "map_9999.bsp"))
            for (int i = 0; i < 10000; ++i)
                write(dir / ("map_" + std::to_string(i) + ".bsp"),
                      bspBytes(entities(i), {{"CRATE01"}, {"{BLUE", true}}));
        return dir;
    }();
    return d;
}

void titles_10k(benchmark::State& state) {
    const fs::path& dir = titleFolder();
    std::vector<std::string> paths;
    for (int i = 0; i < 10000; ++i)
        paths.push_back((dir / ("map_" + std::to_string(i) + ".bsp")).string());
    for (auto _ : state) {
        size_t titled = 0;
        for (const std::string& path : paths) {
            const skyloom::FileSource file(path);
            const auto map = skyloom::readBsp(file, false);
            titled += map && !map->entities.title.empty();
        }
        benchmark::DoNotOptimize(titled);
    }
}
BENCHMARK(titles_10k)->Unit(benchmark::kMillisecond)->Iterations(3);

std::string checkedMap() {
    static const std::string map = [] {
        const fs::path root = fs::temp_directory_path() / "skyloom-bench-check";
        std::string wadList;
        std::vector<Texture> textures;
        for (int w = 0; w < 8; ++w) {
            std::vector<std::string> names;
            for (int t = 0; t < 400; ++t)
                names.push_back("tex_" + std::to_string(w) + "_" + std::to_string(t));
            // The directory read is all a check needs of a WAD, whatever its size.
            write(root / (w % 2 ? "valve" : "tfc") / ("wad" + std::to_string(w) + ".wad"),
                  wadBytes(names));
            wadList += "\\half-life\\valve\\wad" + std::to_string(w) + ".wad;";
            for (int t = 0; t < 25; ++t)
                textures.push_back({"TEX_" + std::to_string(w) + "_" + std::to_string(t * 7)});
        }
        std::string text =
            "{\"message\" \"Checked\" \"wad\" \"" + wadList + "\" \"skyname\" \"desert\"}";
        for (int i = 0; i < 40; ++i)
            text += "{\"model\" \"models/m" + std::to_string(i) + ".mdl\" \"noise\" \"ambience/s" +
                    std::to_string(i) + ".wav\"}";
        for (const char* side : {"up", "dn", "lf", "rt", "ft", "bk"})
            write(root / "valve/gfx/env" / (std::string("desert") + side + ".tga"), "");
        for (int i = 0; i < 40; ++i) {
            write(root / "valve/models" / ("m" + std::to_string(i) + ".mdl"), "");
            write(root / "valve/sound/ambience" / ("s" + std::to_string(i) + ".wav"), "");
        }
        write(root / "tfc/maps/checked.bsp", bspBytes(text, textures));
        return (root / "tfc/maps/checked.bsp").string();
    }();
    return map;
}

void check_8wads_200textures(benchmark::State& state) {
    const std::string map = checkedMap();
    const auto path = skyloom::searchPathOf(fs::path(map).parent_path().parent_path().string());
    skyloom::MapFileCache warm;
    for (auto _ : state) {
        skyloom::MapFileCache cold;  // every file read again unless the cache is kept
        const auto check = skyloom::checkMap(state.range(0) ? warm : cold, map, path);
        if (!check.missing.empty()) state.SkipWithError("the fixture misses files");
        benchmark::DoNotOptimize(check);
    }
}
BENCHMARK(check_8wads_200textures)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("cached")
    ->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
