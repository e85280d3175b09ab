// Hostile bytes for the .bsp, WAD3, .res and liblist.gam readers: seeded random and mutated
// inputs must give an answer or "unreadable", never a crash, a hang or a huge allocation.
#include <gtest/gtest.h>

#include <random>

#include "map_bytes.h"
#include "maps/bsp_file.h"
#include "maps/res_file.h"
#include "maps/wad_file.h"

using namespace skyloom;
using namespace skyloom::test;

namespace {

std::string mutate(std::string bytes, std::mt19937& rng) {
    const int edits = 1 + int(rng() % 8);
    for (int e = 0; e < edits && !bytes.empty(); ++e) {
        const size_t at = rng() % bytes.size();
        switch (rng() % 5) {
            case 0:
                bytes[at] = char(rng());
                break;
            case 1:
                bytes[at] ^= char(1u << (rng() % 8));
                break;
            case 2:
                bytes.resize(at);
                break;
            case 3:  // an integer field set to an edge value
                if (at + 4 <= bytes.size()) {
                    static const uint32_t edges[] = {0,          1,          0x7FFFFFFF, 0x80000000,
                                                     0xFFFFFFFF, 0xFFFFFF00, 124,        0x10000};
                    bytes.replace(at, 4, le32Bytes(edges[rng() % 8]));
                }
                break;
            default:
                bytes.insert(at, std::string(rng() % 64, char(rng())));
                break;
        }
    }
    return bytes;
}

}  // namespace

TEST(MapFuzz, readersSurviveHostileBytes) {
    const std::string seeds[] = {
        bspBytes("{\"message\" \"T\" \"wad\" \"a.wad;b\\\\c.wad\" \"skyname\" \"s\"}"
                 "{\"model\" \"models/m.mdl\" \"noise\" \"a.wav\"}",
                 {{"A"}, {"B", true}}),
        bspBytes("{\"message\" \"T\"}", {{"A"}}, true),
        wadBytes({"CRATE01", "{BLUE", "C"}),
        "models/a.mdl \"sound/b c.wav\" // x\r\nsprites\\s.spr ../x\n",
        "game \"X\"\nfallback_dir \"gearbox\"\n",
    };
    std::mt19937 rng(20261207);
    size_t readable = 0;
    for (int i = 0; i < 20000; ++i) {
        std::string input;
        if (i % 10 == 0) {
            input.resize(rng() % 512);
            for (char& c : input) c = char(rng());
        } else {
            input = mutate(seeds[rng() % std::size(seeds)], rng);
        }
        const MemorySource source(input);
        readable += readBsp(source, true).has_value();
        readable += readBsp(source, false).has_value();
        readable += readWadDirectory(source).has_value();
        EXPECT_LE(parseResFile(input).size(), input.size());
        EXPECT_FALSE(fallbackDir(input).empty());
    }
    EXPECT_GT(readable, 0u);  // mutations keep some inputs readable: the readers are reached
}
