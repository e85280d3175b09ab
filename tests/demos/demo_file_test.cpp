// The demo reader over real layouts and hostile bytes, and the listing of a game's folders.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/time.h>

#include "demo_bytes.h"
#include "demos/demo_list.h"
#include "fuzz.h"
#include "temp_folder.h"

using namespace skyloom;
using namespace skyloom::test;

namespace {
// Counts what a read asks for, to hold every file to the budget.
struct CountedBytes final : DemoBytes {
    explicit CountedBytes(const std::string& b) : bytes(b) {}
    uint64_t size() const override { return bytes.size(); }
    bool read(uint64_t offset, size_t length, std::string& out) const override {
        asked += length;
        if (offset > bytes.size() || length > bytes.size() - offset) return false;
        out.assign(bytes, offset, length);
        return true;
    }
    const std::string& bytes;
    mutable size_t asked = 0;
};
}  // namespace

// Facts public descriptions quote: the magic's bytes, the map at 16, the game folder at 276, the
// map's CRC at 536, the directory's offset at 540, and that offset the file's size less 188.
TEST(DemoFile, readsFieldsWherePublicDescriptionsPlaceThemAndSaysWhyABrokenOneIsNot) {
    const unsigned char start[] = {0x48, 0x4C, 0x44, 0x45, 0x4D, 0x4F, 0x00, 0x00, 0x05, 0x00, 0x00,
                                   0x00, 0x30, 0x00, 0x00, 0x00, 'c',  'r',  'o',  's',  's'};
    std::string bytes = demoBytes("", "", {1.0f, 754.25f});
    bytes.replace(0, sizeof start, reinterpret_cast<const char*>(start), sizeof start);
    bytes.replace(276, 4, std::string("tfc\0", 4));
    ASSERT_EQ(bytes.substr(540, 4), le32Bytes(uint32_t(bytes.size() - 188)));
    const DemoReading r = readDemo(std::span(bytes));
    ASSERT_TRUE(r.info) << r.problem;
    EXPECT_EQ(r.info->map, "cross");
    EXPECT_EQ(r.info->game, "tfc");
    EXPECT_EQ(r.info->mapCrc, 0xdeadbeefu);
    EXPECT_EQ(demoInfoText(*r.info), "map\tcross\ngame\ttfc\nlength\t754.2\nprotocol\t48\n");
    // A good file's length is the playback track's, else the longest. Each fault is named in
    // words, and no read goes past the header and a small directory, nor does one of hostile
    // bytes.
    const std::string good = demoBytes("crossfire", "valve");
    const auto with = [&](size_t at, const std::string& field) {
        return std::string(good).replace(at, field.size(), field);
    };
    const std::pair<std::string, const char*> cases[] = {
        {demoBytes("c1a0", "valve", {900.0f, 61.9f}), "length 1:01"},
        {demoBytes("c1a0", "valve", {59.99f}), "length 0:59"},
        {demoBytes("c1a0", "valve", {3.0f, 10.0f, 3600.0f}), "length 60:00"},
        {demoBytes("c1a0", "valve", {0.0f, 0.0f}), "length 0:00"},
        {good.substr(0, 543), "cut short: a demo's header"},
        {with(0, "HL2DEMO"), "does not begin with HLDEMO"},
        {with(8, le32Bytes(3)), "demo protocol 3"},
        {with(540, le32Bytes(0)), "did not finish"},
        {with(540, le32Bytes(0x7fffffff)), "outside the file"},
        {with(540, le32Bytes(0x80000000)), "outside the file"},
        {with(540, le32Bytes(100)), "outside the file"},
        {with(good.size() - 188, le32Bytes(0x7fffffff)), "claims 2147483647 entries"},
        {with(good.size() - 188, le32Bytes(0)), "claims 0 entries"},
        {with(good.size() - 188, le32Bytes(3)), "runs past the end"},
        {with(good.size() - 16, floatBytes(-1)), "no number of seconds"},
        {with(good.size() - 16, le32Bytes(0x7fc00000)), "no number of seconds"},
    };
    for (const auto& [demo, why] : cases) {
        const CountedBytes counted(demo);
        const DemoReading read = readDemo(counted);
        const std::string told =
            read.info ? "length " + demoLengthText(read.info->seconds) : read.problem;
        EXPECT_NE(told.find(why), std::string::npos) << told;
        EXPECT_LE(counted.asked, kDemoReadBudget);
    }
    EXPECT_EQ(readDemoFile("/nonexistent/a.dem").problem, "it cannot be opened");
    fuzz({demoBytes("crossfire", "valve", {1, 2}, 8), demoBytes("x", "tfc", {1, 2, 3}, 0)}, 8000,
         [](const std::string& bytes) {
             const CountedBytes counted(bytes);
             (void)readDemo(counted);
             ASSERT_LE(counted.asked, kDemoReadBudget);
         });
}

// Both of Half-Life's folders, subfolders, any case of ".dem"; no other mod, no FIFO; newest
// first; the console's names relative to the mod folder.
TEST(DemoList, listsTheChosenGamesDemosNewestFirst) {
    const TempFolder game;
    const auto put = [&](const std::string& relative, long time) {
        const std::string path = game.put(relative, demoBytes("c1a0", "valve"));
        const timeval times[2] = {{time, 0}, {time, 0}};
        ::utimes(path.c_str(), times);
    };
    put("valve/old.dem", 1000);
    put("valve/demos/run 1.dem", 3000);
    put("valve_downloads/HLTV.DEM", 2000);
    put("tfc/match.dem", 4000);
    game.put("valve/notes.txt");
    ::mkfifo((game.path + "/valve/pipe.dem").c_str(), 0600);
    std::vector<std::string> names;
    for (const DemoFile& d : listDemos({game.path, "valve"})) names.push_back(d.name);
    EXPECT_EQ(names, (std::vector<std::string>{"demos/run 1.dem", "HLTV.DEM", "old.dem"}));
    EXPECT_EQ(listDemos({game.path, "tfc"}).at(0).reading.info->game, "valve");
    EXPECT_TRUE(listDemos({game.path, "valve"}, [] { return true; }).empty());
    EXPECT_TRUE(listDemos({"", "valve"}).empty());
    EXPECT_EQ(consoleDemoName("demos/run1.dem"), "demos/run1");
    EXPECT_EQ(consoleDemoName("HLTV.DEM"), "HLTV.DEM");
}
