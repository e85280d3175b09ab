#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cmath>
#include <filesystem>
#include <functional>
#include <sstream>

#include "fuzz.h"
#include "map_bytes.h"
#include "maps/bsp_file.h"
#include "maps/map_catalogue.h"
#include "maps/map_check.h"
#include "maps/map_list.h"
#include "maps/map_name.h"
#include "maps/map_picture.h"
#include "maps/map_store.h"
#include "maps/res_file.h"
#include "maps/search_path.h"
#include "maps/wad_file.h"
#include "temp_folder.h"

using namespace skyloom;
using namespace skyloom::test;
namespace fs = std::filesystem;

namespace {

const char kEntities[] =
    "{\n\"classname\" \"worldspawn\"\n\"message\" \"Crossfire by Valve\"\n"
    "\"wad\" \"\\sierra\\half-life\\valve\\halflife.wad;C:/maps/xeno.wad; ;liquids.wad\"\n"
    "\"skyname\" \"night\"\n}\n"
    "{\"classname\" \"env_sprite\" \"model\" \"sprites/glow01.spr\"}\n"
    "{\"classname\" \"func_door\" \"model\" \"*12\" \"noise\" \"doors\\doormove1.wav\"}\n"
    "{\"classname\" \"monster_barney\" \"model\" \"models/Barney.MDL\"}\n";
const std::vector<Texture> kTextures{{"CRATE01"}, {"{BLUE", true}, {"c1a0_w2"}};

}  // namespace

// A room `x` long east-west and `y` north-south with a block in its north half, and a brush
// entity spanning the room above both.
static std::map<int, std::string> roomLumps(float x = 512, float y = 512) {
    std::vector<Face> world = box({x / 2 - 64, y * 5 / 8, 0}, {x / 2 + 64, y * 7 / 8, 64}, false);
    for (Face& f : box({0, 0, 0}, {x, y, 128}, true)) world.push_back(f);
    return geometryLumps(world, box({0, 0, 200}, {x, y, 210}, false));
}

TEST(MapFiles, mapsAndPackagesAreReadWholeOrNotAtAll) {
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
    // Damaged maps are unreadable.
    const std::string good = bspBytes(kEntities, kTextures), noTextures = bspBytes(kEntities);
    auto patched = [&](size_t at, uint32_t value) {
        std::string b = good;
        b.replace(at, 4, le32Bytes(value));
        return b;
    };
    const struct {
        const char* what;
        std::string bytes;
        bool titleReadable = true;
    } cases[] = {
        {"version 29", patched(0, 29), false},
        {"entities past the end", patched(4, 0xFFFFFF00u), false},
        {"no lump starts with {", bspBytes("\"message\" \"x\"}"), false},
        {"texture count huge", patched(good.size() - 136, 0x40000000u), true},
        {"texture lump past the end", patched(20, 0xFFFFFFF0u), true},
        {"texture count past its lump",
         noTextures.substr(0, noTextures.size() - 4) + le32Bytes(1) + le32Bytes(~0u)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(readBsp(MemorySource(c.bytes), false).has_value(), c.titleReadable) << c.what;
        EXPECT_FALSE(readBsp(MemorySource(c.bytes), true)) << c.what;
    }
    for (size_t size = 0; size < good.size(); ++size)  // a full read needs every byte
        EXPECT_FALSE(readBsp(MemorySource(std::string_view(good).substr(0, size)), true)) << size;
    // A package lists its names in lower case and refuses damage as a map does.
    const std::string wad = wadBytes({"CRATE01", "{blue", "sixteen_chars_xx"});
    const auto names = readWadDirectory(MemorySource(wad));
    ASSERT_TRUE(names);
    EXPECT_EQ(*names, (std::vector<std::string>{"crate01", "sixteen_chars_xx", "{blue"}));
    EXPECT_EQ(readWadDirectory(MemorySource("WAD2" + wad.substr(4))), names);  // Quake's
    for (size_t size = 0; size < wad.size(); ++size)
        EXPECT_FALSE(readWadDirectory(MemorySource(std::string_view(wad).substr(0, size))));
    for (const std::string& bad :
         {"WAD4" + wad.substr(4), wad.substr(0, 4) + le32Bytes(~0u) + wad.substr(8)})
        EXPECT_FALSE(readWadDirectory(MemorySource(bad)));
    // Hostile maps, packages, resource lists and stores give errors only.
    MapStore store;
    store.put("/m", {{1, 2}, true, readBsp(MemorySource(bspBytes(kEntities, kTextures)), true)});
    store.put("/n", {});
    const std::string stored = store.serialize();
    fuzz({bspBytes(kEntities, kTextures, false, roomLumps()), wadBytes({"CRATE01", "{blue"}),
          "models/a.mdl\n// x\n\"sound/b c.wav\"", stored.substr(0, stored.size() - 8)},
         6000, [](const std::string& bytes) {
             (void)readBsp(MemorySource(bytes), true);
             (void)mapPicture(MemorySource(bytes));
             (void)readWadDirectory(MemorySource(bytes));
             (void)parseResFile(bytes);
             // A store read back writes no more than it was: what it holds stayed in budget.
             const auto store = MapStore::parse(sealMapStore(bytes));
             EXPECT_LE(store ? store->serialize().size() : 0, bytes.size() + 8);
         });
}

TEST(MapPicture, drawnFromSoundGeometryOnly) {
    auto with = [](int lump, std::string bytes) {
        auto lumps = roomLumps();
        lumps[lump] = std::move(bytes);
        return bspBytes(kEntities, {}, false, lumps);
    };
    const auto lumps = roomLumps();
    auto piled = [&](size_t faces) {  // faces of the world's 65,535 corners each
        auto bytes = roomLumps();
        bytes[7].clear();
        for (size_t i = 0; i < faces; ++i)
            bytes[7] += std::string(8, '\0') + "\xff\xff" + std::string(10, '\0');
        bytes[13].clear();
        for (int i = 0; i < 0xFFFF; ++i) bytes[13] += le32Bytes(1);
        bytes[14].clear();
        return bspBytes(kEntities, {}, false, bytes);
    };
    const struct {
        const char* what;
        std::string bytes;
        int faces;  // -1: unreadable
    } cases[] = {
        {"no geometry", bspBytes(kEntities), 0},
        {"lumps swapped", bspBytes(kEntities, {}, true, roomLumps()), 12},
        {"a NaN corner drops its face", with(3, floatBytes(NAN) + lumps.at(3).substr(4)), 11},
        {"corners up to the cap", piled(16), 16},
        {"corners past the cap", piled(17), -1},
        {"world past the faces", with(14, std::string(56, '\0') + le32Bytes(1) + le32Bytes(18)),
         -1},
    };
    for (const auto& c : cases) {
        const auto geometry = readMapGeometry(MemorySource(c.bytes));
        EXPECT_EQ(geometry ? int(geometry->faces.size()) : -1, c.faces) << c.what;
    }
    EXPECT_FALSE(mapPicture(MemorySource(bspBytes(kEntities))));
    // Whichever way a room is longer, it is drawn whole with its proportions kept. Down the middle:
    // outside (-1), the north wall, the block's top (lighter), the floor, the south wall, outside;
    // across: the west and east walls.
    for (const auto [east, north, w, h] :
         {std::array{512, 512, 256, 256}, {256, 512, 130, 256}, {512, 256, 256, 130}}) {
        const auto picture =
            mapPicture(MemorySource(bspBytes(kEntities, {}, false, roomLumps(east, north))));
        ASSERT_TRUE(picture) << east << 'x' << north;
        ASSERT_EQ(std::pair(picture->width, picture->height), std::pair(w, h)) << east;
        const auto grey = [&](int row, int column) {
            const size_t at = size_t(row * picture->width + column) * 4;
            return picture->rgba.at(at + 3) ? int(picture->rgba.at(at)) : -1;
        };
        EXPECT_EQ((std::vector{grey(1, w / 2), grey(2, w / 2), grey(h / 4, w / 2),
                               grey(h * 3 / 4, w / 2), grey(h - 2, w / 2), grey(h - 1, w / 2),
                               grey(h / 2, 2), grey(h / 2, w - 2)}),
                  (std::vector{-1, 24, 235, 110, 24, -1, 24, 24}))
            << east << 'x' << north;
    }
}

// Refused: what would split, quote or end the command, named as a player sees it.
TEST(MapName, namesThatWouldSplitOrForgeCommandsAreRefusedAndTextsAreOneLine) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"caf\xC3\xA9.bsp", "caf\xC3\xA9", ""},
        {"cartes_\xC3\xA9t\xC3\xA9", "cartes", ""},
        {"\xE2\x82\xAC\xF0\x9F\x98\x80.bs", "\xE2\x82\xAC", ""},
        {"de_dust2-[v2]'s.bsp", "de_dust2-[v2]'s", ""},
        {"caf\xE9.bsp", "caf\xE9", ""},
        {"x +exec evil.bsp", "x +exec evil", "a blank"},
        {"x\t+exec\tevil.bsp", "x\t+exec\tevil", "a tab"},
        {"a\"b.bsp", "a\"b", "the character \""},
        {"x;quit.bsp", "x;quit", "the character ;"},
        {"x\x1b.bsp", "x\x1b", "a control character (U+001B)"},
        {"x\rquit.bsp", "x\rquit", "a line break (CR)"},
    };
    for (const auto& [name, game, problem] : cases) {
        EXPECT_EQ(gameMapName(name), game) << name;
        EXPECT_EQ(mapNameProblem(name).value_or(""), problem) << name;
    }
    // The game's own campaign and training maps; names that only look like them stay.
    const std::pair<const char*, bool> shipped[] = {
        {"C1A0.BSP", true},      {"t0a0b2", true}, {"c2a5w.bsp", true},  {"c5a1", true},
        {"c0a0", true},          {"c5a2", false},  {"c1a0x.bsp", false}, {"crossfire.bsp", false},
        {"c1a0.bsp.bsp", false}, {"", false}};
    for (const auto& [name, campaign] : shipped)
        EXPECT_EQ(isSinglePlayerMapName(name), campaign) << name;
    // What a player reads of a map's missing files and title.
    const std::vector<std::string> twelve{"a", "b", "c", "d", "e", "f",
                                          "g", "h", "i", "j", "k", "l"};
    EXPECT_EQ(missingFilesMessage("2fort", twelve),
              "The map 2fort needs files that are not installed:\na\nb\nc\nd\ne\nf\ng\nh\ni\nj\n"
              "and 2 more\n\nStart anyway?");
    EXPECT_EQ(mapInfoText(
                  {true, "Two\nlines\tby X\xC2\x9B\u202Eexe.live", {"x.wad", "gfx/env/a\tup.tga"}}),
              "title\tTwo lines by X exe.live\nmissing\tx.wad\nmissing\tgfx/env/a up.tga\n");
    EXPECT_EQ(mapInfoText({true, std::string(300, 't'), {}}),
              "title\t" + std::string(199, 't') + "\u2026\n");
}

class MapSearch : public ::testing::Test {
protected:
    std::string put(const std::string& relative, const std::string& bytes = {}) const {
        return folder.put(relative, bytes);
    }
    const TempFolder folder;
    const std::string root = folder.path;
};

TEST_F(MapSearch, listsTheModsOwnMapFoldersOncePerName) {
    for (const char* f :
         {"tfc/maps/2fort.bsp", "tfc/maps/Well.BSP", "tfc/maps/readme.txt", "tfc/maps/.bsp",
          "tfc/maps/x.bsp.bak", "tfc_addon/maps/well.bsp", "tfc_addon/maps/Addon.bsp",
          "tfc_downloads/maps/2FORT.bsp", "tfc_downloads/maps/dl.bsp",
          "tfc_downloads/maps/caf\xe9.bsp", "valve/maps/crossfire.bsp", "tfc/maps/x +exec evil.bsp",
          "tfc/maps/a;b.bsp", "tfc/maps/q\"t.bsp"})
        put(f);
    fs::create_directories(root + "/tfc/maps/folder.bsp");
    fs::create_symlink(root + "/tfc/maps/2fort.bsp", root + "/tfc/maps/linked.bsp");
    const MapListing listing = listMaps(modFoldersOf(root + "/tfc/maps/").mapFolders);
    std::string names;
    for (const ListedMap& m : listing.maps) names += m.name + "@" + std::to_string(m.folder) + " ";
    EXPECT_EQ(names, "2fort.bsp@0 Addon.bsp@1 caf\xe9.bsp@2 dl.bsp@2 linked.bsp@0 Well.BSP@0 ");
}

TEST_F(MapSearch, gameFoldersHaveTheGamesOwnNames) {
    for (const char* f : {"TFC/x", "TFC_Addon/x", "tfc_downloads/MAPS/x", "valve/x"}) put(f);
    const std::string g = root;
    using Folders = std::vector<std::string>;
    EXPECT_EQ(modFoldersOf(g + "/TFC/Maps").mapFolders,
              (Folders{g + "/TFC/Maps", g + "/tfc_addon/maps", g + "/tfc_downloads/MAPS"}));
    EXPECT_EQ(searchPathOf(g + "/TFC"), (Folders{g + "/TFC", g + "/tfc_downloads", g + "/valve"}));
    EXPECT_EQ(searchPathOf(g + "/TFC", true),
              (Folders{g + "/TFC", g + "/TFC_Addon", g + "/tfc_downloads", g + "/valve"}));
}

TEST_F(MapSearch, searchPathAndCheckFollowTheGamesOrderAndFallback) {
    put("valve/halflife.wad", wadBytes({"CRATE01", "SKY"}));
    put("tfc_downloads/xeno.wad", wadBytes({"c1a0_w2"}));
    for (const char* side : {"up", "dn", "lf", "rt"})
        put(std::string("valve/gfx/env/night") + side + ".tga");
    put("valve/gfx/env/nightft.bmp");
    put("valve/models/barney.mdl");
    put("tfc/Models/Scientist.MDL");
    put("tfc_addon/maps/m4.res",
        "models/barney.mdl\nsprites/res_only.spr\ngfx/env/resup.bmp gone_res.wad pldecal.wad\n"
        "maps/m4.txt readme.txt overviews/m4.bmp maps/m4.wpt gfx/detail/m4.tga\n"
        "sound\\x.wav c:/x.wad ../x.mdl models/..x.mdl /etc/passwd\r\n"
        "// made by a tool\n\"sound/my ambience.wav\" // a comment\n");
    for (const char* f : {"valve_addon/x", "valve_downloads/x", "gearbox/x", "gearbox_addon/x"})
        put(f);
    const std::string tfc = root + "/tfc", hl = root + "/valve";
    const std::vector<std::string> valve{tfc, tfc + "_addon", tfc + "_downloads",
                                         hl,  hl + "_addon",  hl + "_downloads"};
    const struct {
        const char* liblist;
        std::vector<std::string> path;
    } liblists[] = {
        {nullptr, valve},  // first: the others leave a liblist.gam behind
        {"game \"TFC\"\nFALLBACK_DIR \"gearbox\"\r\n",
         {tfc, tfc + "_addon", tfc + "_downloads", root + "/gearbox", root + "/gearbox_addon"}},
        {"fallback_dir \"../elsewhere\"", valve},
    };
    for (const auto& c : liblists) {
        if (c.liblist) put("tfc/liblist.gam", c.liblist);
        EXPECT_EQ(searchPathOf(tfc), c.path) << (c.liblist ? c.liblist : "no liblist");
    }
    put("valve_downloads/sound/Amb/drip.wav");
    put("tfc/sound/amb/drip.wav");
    EXPECT_EQ(findFile(searchPathOf(tfc), "sound/Amb/drip.wav"), tfc + "/sound/amb/drip.wav");
    EXPECT_EQ(findFile(searchPathOf(tfc), "gfx/none.tga"), std::nullopt);
    const std::string head = "{\"wad\" \"halflife.wad;xeno.wad\" \"skyname\" \"night\"}";
    // Textures: names, + before those the map carries; missing: joined by ", ".
    const struct {
        const char* what;
        std::string entities;
        const char *textures, *missing;
    } cases[] = {
        {"textures found in the WADs", "{\"wad\" \"c:\\x\\halflife.wad;xeno.wad\"}",
         "crate01 C1A0_W2 +OWN", ""},
        {"a texture in no WAD", "{\"wad\" \"halflife.wad\"}", "crate01 GONE", "GONE (texture)"},
        {"a WAD missing: its textures are not named; spray WADs never needed",
         "{\"wad\" \"halflife.wad;gone.wad;\\valve\\pldecal.wad;tempdecal.wad\"}", "GONE",
         "gone.wad"},
        {"every texture carried: no WAD needed", "{\"wad\" \"gone.wad;halflife.wad\"}", "+OWN", ""},
        {"sky (.tga or .bmp), entities and what the game needs of the .res",
         head + "{\"model\" \"models/barney.mdl\"}{\"model\" \"*3\" \"noise\" \"doors/x.wav\"}"
                "{\"message\" \"Models/Barney.mdl\" \"model\" \"models/scientist.mdl\"}",
         "crate01",
         "gfx/env/nightbk.tga, sound/doors/x.wav, models/scientist.mdl, sprites/res_only.spr, "
         "gfx/env/resup.tga, gone_res.wad, sound/my ambience.wav"},
    };
    const std::vector<std::string>& path = valve;
    MapFileCache cache;
    for (size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        std::vector<Texture> textures;
        std::istringstream names(c.textures);
        for (std::string t; names >> t;) textures.push_back({t.substr(t[0] == '+'), t[0] == '+'});
        const std::string map =
            put("tfc/maps/m" + std::to_string(i) + ".bsp", bspBytes(c.entities, textures));
        const MapCheck check = checkMap(cache, map, path);
        EXPECT_TRUE(check.readable) << c.what;
        std::string missing;
        for (const std::string& m : check.missing) missing += (missing.empty() ? "" : ", ") + m;
        EXPECT_EQ(missing, c.missing) << c.what;
    }
    EXPECT_FALSE(checkMap(cache, put("tfc/maps/m.bsp", "not a map"), path).readable);
}

// What was read is kept by path, size and time: a map changed since is read anew, a file installed
// since counts, and a damaged or foreign store is taken as none and written anew.
TEST_F(MapSearch, catalogueKeepsWhatItReadUntilAMapChanges) {
    const std::string one =
        put("valve/maps/one.bsp", bspBytes("{\"message\" \"One\" \"wad\" \"x.wad\"}", {{"T"}}));
    put("valve/maps/bad.bsp", "not a map");
    const std::string store = root + "/cache/skyloom/maps.cache";
    MapCatalogue catalogue(store);
    auto read = [&] {
        catalogue.list(root + "/valve/maps", false);
        std::string seen;  // per map: its title, or ? when unreadable, then what it lacks
        catalogue.reading().run([] { return false; },
                                [&](CatalogueBatch&& batch) { catalogue.learn(std::move(batch)); });
        for (size_t i = 0; i < catalogue.size(); ++i) {
            const MapCheck& check = catalogue.row(i).check;
            seen += (check.readable ? check.title : "?") + ":";
            for (const std::string& m : check.missing) seen += m;
            seen += " ";
        }
        return seen;
    };
    EXPECT_EQ(read(), "?: One:x.wad ");
    put("valve/x.wad", wadBytes({"U"}));
    EXPECT_EQ(read(), "?: One:T (texture) ");
    const size_t at = *catalogue.find("one.bsp", false);  // checked again at launch
    EXPECT_EQ(catalogue.checkNow(at).missing, std::vector<std::string>{"T (texture)"});
    const auto time = fs::last_write_time(one);
    put("valve/maps/one.bsp", bspBytes("{\"message\" \"Two\" \"wad\" \"x.wad\"}", {{"T"}}));
    fs::last_write_time(one, time);
    put("valve/x.wad", wadBytes({"T", "U"}));  // replaced by one that has the texture
    EXPECT_TRUE(catalogue.checkNow(at).missing.empty());
    EXPECT_EQ(read(), "?: One: ");  // the same size and time: the store's title
    // One read a listing: the launch's and a tooltip's checks and the picture take the list's.
    EXPECT_EQ(catalogue.checkNow(at).title + catalogue.checkLater(at)().checks[0].title, "OneOne");
    int drawn = 0;
    const auto draw = [&](const ByteSource&) { return std::to_string(++drawn); };
    EXPECT_EQ(catalogue.cache()->picture(one, draw) + catalogue.cache()->picture(one, draw), "11");
    for (int i = 0; i < 200; ++i) catalogue.cache()->picture(root + std::to_string(i), draw);
    EXPECT_FALSE(catalogue.cache()->keptPicture(one));  // past the budget: dropped, drawn anew
    fs::last_write_time(one, time + std::chrono::seconds(1));
    EXPECT_EQ(catalogue.cache()->picture(one, draw), "2");
    EXPECT_EQ(read(), "?: Two: ");
    const std::string saved = readFile(store);
    // One entry of `n` empty texture names: past the budget at a million.
    const auto textures = [](uint32_t n) {
        return sealMapStore("skyloom map store 1\n" + le32Bytes(2) + "/m" + std::string(16, '\0') +
                            '\3' + std::string(16, '\0') + le32Bytes(n) +
                            std::string(size_t(n) * 4, '\0'));
    };
    EXPECT_TRUE(MapStore::parse(textures(1 << 18)));
    const std::string mine = put("mine", "the player's"), gone = root + "/gone";
    const auto linkTo = [&](const std::string& target) {
        fs::remove(store);
        fs::create_symlink(target, store);
    };
    const std::function<void()> stores[] = {
        [&] { put("cache/skyloom/maps.cache", saved.substr(0, saved.size() - 1)); },
        [&] { put("cache/skyloom/maps.cache", saved.substr(0, 30) + 'x' + saved.substr(31)); },
        [&] { put("cache/skyloom/maps.cache", "[MISC]\nfirstuse=no\n"); },
        [&] { put("cache/skyloom/maps.cache", textures(1 << 20)); },
        [&] { linkTo(mine); },  // never written through
        [&] { linkTo(gone); },
        [&] {  // never waited on
            fs::remove(store);
            ::mkfifo(store.c_str(), 0600);
        },
        [&] {  // a link to a good store is not read
            put("good", saved);
            linkTo(root + "/good");
            fs::permissions(fs::path(store).parent_path(), fs::perms::all);
        }};
    for (const auto& make : stores) {
        make();
        EXPECT_EQ(loadMapStore(store).size(), 0u);
        EXPECT_EQ(read(), "?: Two: ");
        EXPECT_EQ(readFile(store), saved);
        EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(store)));
        EXPECT_EQ(fs::status(store).permissions(), fs::perms::owner_read | fs::perms::owner_write);
        EXPECT_EQ(fs::status(fs::path(store).parent_path()).permissions(), fs::perms::owner_all);
    }
    EXPECT_TRUE(readFile(mine) == "the player's" && !fs::exists(gone));
    MapStore big;  // bounded: the maps used last are kept
    BspContents titled;
    titled.entities.title = std::string(100, 't');
    for (int i = 0; i < 1000; ++i)
        big.put("/m" + std::to_string(i), {{uint64_t(i), 0}, false, titled});
    const std::string bytes = big.serialize(20000);
    auto kept = MapStore::parse(bytes);
    EXPECT_TRUE(bytes.size() <= 20000 && kept && kept->size() > 100 &&
                kept->find("/m999", {999, 0}, false) && !kept->find("/m0", {0, 0}, false));
}
