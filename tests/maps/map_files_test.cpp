// The map file readers over bytes built here: .bsp, WAD3, .res and liblist.gam.
#include <gtest/gtest.h>

#include "map_bytes.h"
#include "maps/bsp_file.h"
#include "maps/map_check.h"
#include "maps/res_file.h"
#include "maps/wad_file.h"

using namespace skyloom;
using namespace skyloom::test;

namespace {

const char kEntities[] =
    "{\n\"classname\" \"worldspawn\"\n\"message\" \"Crossfire by Valve\"\n"
    "\"wad\" \"\\sierra\\half-life\\valve\\halflife.wad;C:/maps/xeno.wad; ;liquids.wad\"\n"
    "\"skyname\" \"night\"\n}\n"
    "{\"classname\" \"env_sprite\" \"model\" \"sprites/glow01.spr\"}\n"
    "{\"classname\" \"func_door\" \"model\" \"*12\" \"noise\" \"doors\\doormove1.wav\"}\n"
    "{\"classname\" \"monster_barney\" \"model\" \"models/Barney.MDL\"}\n";
const std::vector<Texture> kTextures{{"CRATE01"}, {"{BLUE", true}, {"c1a0_w2"}};

// Records where reads land, to prove what a title read touches.
class WatchedSource final : public ByteSource {
public:
    explicit WatchedSource(const std::string& bytes) : inner_(bytes) {}
    uint64_t size() const override { return inner_.size(); }
    bool read(uint64_t offset, size_t length, std::string& out) const override {
        end = std::max<uint64_t>(end, offset + length);
        return inner_.read(offset, length, out);
    }
    mutable uint64_t end = 0;

private:
    MemorySource inner_;
};

}  // namespace

TEST(BspFile, readsTitleWadsSkyFilesAndNameOnlyTextures) {
    for (const bool swapped : {false, true}) {
        const std::string bytes = bspBytes(kEntities, kTextures, swapped);
        const auto map = readBsp(MemorySource(bytes), true);
        ASSERT_TRUE(map) << swapped;
        EXPECT_EQ(map->entities.title, "Crossfire by Valve");
        EXPECT_EQ(map->entities.wads,
                  (std::vector<std::string>{"halflife.wad", "xeno.wad", "liquids.wad"}));
        EXPECT_EQ(map->entities.skyname, "night");
        EXPECT_EQ(map->entities.files,
                  (std::vector<std::string>{"sprites/glow01.spr", "sound/doors/doormove1.wav",
                                            "models/Barney.MDL"}));
        EXPECT_EQ(map->textures, (std::vector<std::string>{"CRATE01", "c1a0_w2"}));
    }
}

TEST(BspFile, titleReadTouchesOnlyHeaderAndEntities) {
    const std::string bytes = bspBytes(kEntities, kTextures);
    const WatchedSource source(bytes);
    ASSERT_TRUE(readBsp(source, false));
    EXPECT_EQ(source.end, 124 + sizeof kEntities);  // the text and its NUL
}

TEST(BspFile, damagedMapsAreUnreadable) {
    const std::string good = bspBytes(kEntities, kTextures);
    auto patched = [&](size_t at, uint32_t value) {
        std::string b = good;
        b.replace(at, 4, le32Bytes(value));
        return b;
    };
    const struct {
        const char* what;
        std::string bytes;
        bool titleReadable;
    } cases[] = {
        {"version 29", patched(0, 29), false},
        {"entities past the end", patched(4, 0xFFFFFF00u), false},
        {"entity length past the end", patched(8, 0x7FFFFFFFu), false},
        {"no lump starts with {", bspBytes("\"message\" \"x\"}"), false},
        {"unclosed quote", bspBytes("{\"message\" \"x}"), false},
        {"unclosed block", bspBytes("{\"message\" \"x\""), false},
        {"key without value", bspBytes("{\"message\"}"), false},
        {"empty text", bspBytes(""), false},
        {"texture count huge", patched(good.size() - 136, 0x40000000u), true},
        {"texture lump past the end", patched(20, 0xFFFFFFF0u), true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(readBsp(MemorySource(c.bytes), false).has_value(), c.titleReadable) << c.what;
        EXPECT_FALSE(readBsp(MemorySource(c.bytes), true)) << c.what;
    }
    for (size_t size = 0; size < good.size(); ++size)
        EXPECT_FALSE(readBsp(MemorySource(std::string_view(good).substr(0, size)), true)) << size;
}

TEST(WadFile, listsNamesInLowerCaseAndRefusesDamagedFiles) {
    const std::string good = wadBytes({"CRATE01", "{blue", "sixteen_chars_xx"});
    const auto names = readWadDirectory(MemorySource(good));
    ASSERT_TRUE(names);
    EXPECT_EQ(*names, (std::vector<std::string>{"crate01", "sixteen_chars_xx", "{blue"}));
    for (size_t size = 0; size < good.size(); ++size)
        EXPECT_FALSE(readWadDirectory(MemorySource(std::string_view(good).substr(0, size))));
    for (const std::string& bad :
         {"WAD4" + good.substr(4), good.substr(0, 4) + le32Bytes(~0u) + good.substr(8)})
        EXPECT_FALSE(readWadDirectory(MemorySource(bad)));
}

TEST(ResFile, listsWhatAServerWouldSend) {
    EXPECT_EQ(parseResFile("// made by a tool\r\n"
                           "gfx/env/nightup.tga  sprites\\glow.spr\r\n"
                           "\"sound/my ambience.wav\" // a comment\n"
                           "../../etc/passwd /etc/passwd c:/x.wad\tmodels/a/b.mdl maps/a..b.txt"),
              (std::vector<std::string>{"gfx/env/nightup.tga", "sound/my ambience.wav",
                                        "models/a/b.mdl"}));
}

TEST(ResFile, fallbackDirComesFromLiblist) {
    const struct {
        const char* liblist;
        const char* fallback;
    } cases[] = {
        {"", "valve"},
        {"game \"Gearbox\"\nFALLBACK_DIR \"gearbox\"\r\n", "gearbox"},
        {"fallback_dir\nvalve_hd", "valve"},  // a value on the next line is not its value
        {"fallback_dir \"../elsewhere\"", "valve"},
        {"// fallback_dir \"cstrike\"\ngamedll \"dlls/tfc.dll\"", "valve"},
    };
    for (const auto& c : cases) EXPECT_EQ(fallbackDir(c.liblist), c.fallback) << c.liblist;
}

TEST(MapCheck, texts) {
    const std::vector<std::string> twelve{"a", "b", "c", "d", "e", "f",
                                          "g", "h", "i", "j", "k", "l"};
    EXPECT_EQ(missingSummary({"x.wad", "y.wav"}), "Missing: x.wad, y.wav");
    EXPECT_EQ(missingSummary({twelve.begin(), twelve.begin() + 5}), "Missing: a, b, c, d, e");
    EXPECT_EQ(missingSummary(twelve), "Missing: a, b, c, d, e and 7 more");
    EXPECT_EQ(missingFilesMessage("2fort", {"x.wad"}),
              "The map 2fort needs files that are not installed:\nx.wad\n\nStart anyway?");
    EXPECT_EQ(missingFilesMessage("2fort", twelve),
              "The map 2fort needs files that are not installed:\na\nb\nc\nd\ne\nf\ng\nh\ni\nj\n"
              "and 2 more\n\nStart anyway?");
    EXPECT_EQ(mapInfoText({true, "", {}}), "");
    EXPECT_EQ(mapInfoText({true, "Two\nlines\tby X", {"x.wad", "gfx/env/a\tup.tga"}}),
              "title\tTwo lines by X\nmissing\tx.wad\nmissing\tgfx/env/a up.tga\n");
}
