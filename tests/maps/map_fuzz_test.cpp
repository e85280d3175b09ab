// Hostile bytes for the .bsp (entities, textures, geometry), WAD3, .res and liblist.gam readers:
// seeded random and mutated inputs must give an answer or "unreadable", never a crash, a hang or a
// huge allocation.
#include <gtest/gtest.h>

#include "fuzz.h"
#include "map_bytes.h"
#include "maps/bsp_file.h"
#include "maps/map_picture.h"
#include "maps/res_file.h"
#include "maps/wad_file.h"

using namespace skyloom;
using namespace skyloom::test;

TEST(MapFuzz, readersSurviveHostileBytes) {
    const std::string seeds[] = {
        bspBytes("{\"message\" \"T\" \"wad\" \"a.wad;b\\\\c.wad\" \"skyname\" \"s\"}"
                 "{\"model\" \"models/m.mdl\" \"noise\" \"a.wav\"}",
                 {{"A"}, {"B", true}}),
        bspBytes("{\"message\" \"T\"}", {{"A"}}, true),
        bspBytes(
            "{}", {}, false,
            geometryLumps(box({0, 0, 0}, {64, 32, 16}, true), box({8, 8, 0}, {9, 9, 9}, false))),
        wadBytes({"CRATE01", "{BLUE", "C"}),
        "models/a.mdl \"sound/b c.wav\" // x\r\nsprites\\s.spr ../x\n",
        "game \"X\"\nfallback_dir \"gearbox\"\n",
    };
    std::mt19937 rng(20261207);
    size_t readable = 0;
    for (int i = 0; i < 20000; ++i) {
        const std::string input =
            i % 10 ? mutate(seeds[rng() % std::size(seeds)], rng) : randomBytes(rng, 511);
        const MemorySource source(input);
        readable += readBsp(source, true).has_value();
        readable += readBsp(source, false).has_value();
        readable += readWadDirectory(source).has_value();
        if (const auto geometry = readMapGeometry(source)) {
            const auto picture = drawMapPicture(*geometry, 16);
            readable += picture.has_value();
            if (picture) {
                EXPECT_LE(std::max(picture->width, picture->height), 16);
                EXPECT_EQ(picture->rgba.size(), size_t(picture->width * picture->height * 4));
            }
        }
        EXPECT_LE(parseResFile(input).size(), input.size());
        EXPECT_FALSE(fallbackDir(input).empty());
    }
    EXPECT_GT(readable, 0u);  // mutations keep some inputs readable: the readers are reached
}
