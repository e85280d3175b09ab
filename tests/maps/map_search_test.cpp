// Listing and the search path over a fixture tree: mod, add-on, downloads, fallback.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "map_bytes.h"
#include "maps/map_check.h"
#include "maps/map_list.h"
#include "maps/search_path.h"

using namespace skyloom;
using namespace skyloom::test;
namespace fs = std::filesystem;

namespace {

class MapSearch : public ::testing::Test {
protected:
    void SetUp() override {
        root =
            (fs::temp_directory_path() / ("skyloom-search-" + std::to_string(::getpid()))).string();
        fs::remove_all(root);
    }
    void TearDown() override { fs::remove_all(root); }

    std::string put(const std::string& relative, const std::string& bytes = {}) {
        const fs::path path = fs::path(root) / relative;
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }
    std::vector<std::string> names(const MapListing& listing) {
        std::vector<std::string> out;
        for (const ListedMap& m : listing.maps)
            out.push_back(m.name + "@" + std::to_string(m.folder));
        return out;
    }

    std::string root;
};

}  // namespace

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

    const ModFolders mod = modFoldersOf(root + "/tfc/maps/");
    EXPECT_EQ(mod.mod, root + "/tfc");
    const MapListing listing = listMaps(mod.mapFolders);
    EXPECT_EQ(listing.problem, FolderProblem::None);
    EXPECT_EQ(names(listing),
              (std::vector<std::string>{"2fort.bsp@0", "Addon.bsp@1", "caf\xe9.bsp@2", "dl.bsp@2",
                                        "linked.bsp@0", "Well.BSP@0"}));
    // A folder not called maps is listed alone: it has no mod to search.
    EXPECT_EQ(modFoldersOf(root + "/tfc_addon/maps/../").mapFolders.size(), 1u);
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
    const std::pair<std::string, std::string> places[] = {
        {g + "/tfc_downloads/maps/a.bsp", g + "/tfc"},
        {g + "/TFC/MAPS/a.bsp", g + "/TFC"},
        {g + "/TFC_Addon/maps/a.bsp", g + "/TFC"},
        {g + "/tfc_addon/a.bsp", ""},
        {"/maps/a.bsp", ""},
    };
    for (const auto& [map, mod] : places) EXPECT_EQ(modFolderOfMap(map), mod) << map;
    EXPECT_TRUE(isWindowsProgram(put("hl.exe", "MZ\x90")));
    EXPECT_FALSE(isWindowsProgram(put("hl_linux",
                                      "\x7f"
                                      "ELF")));
    EXPECT_FALSE(isWindowsProgram(g + "/none.exe"));
}

TEST_F(MapSearch, searchPathFollowsTheGamesOrderAndFallback) {
    for (const char* f : {"tfc/x", "tfc_downloads/x", "valve/x", "valve_addon/x",
                          "valve_downloads/x", "gearbox/x", "gearbox_addon/x"})
        put(f);
    const std::string tfc = root + "/tfc";
    const struct {
        const char* liblist;
        std::vector<std::string> path;
    } cases[] = {
        {nullptr,
         {tfc, tfc + "_downloads", root + "/valve", root + "/valve_addon",
          root + "/valve_downloads"}},
        {"game \"TFC\"\nfallback_dir \"gearbox\"\n",
         {tfc, tfc + "_downloads", root + "/gearbox", root + "/gearbox_addon"}},
        {"fallback_dir \"TFC\"\n", {tfc, tfc + "_downloads"}},
    };
    for (const auto& c : cases) {
        fs::remove(tfc + "/liblist.gam");
        if (c.liblist) put("tfc/liblist.gam", c.liblist);
        EXPECT_EQ(searchPathOf(tfc), c.path) << (c.liblist ? c.liblist : "no liblist");
    }
    put("valve_downloads/sound/Amb/drip.wav");
    put("tfc/sound/amb/drip.wav");
    EXPECT_EQ(findFile(searchPathOf(tfc), "sound/Amb/drip.wav"), tfc + "/sound/amb/drip.wav");
    EXPECT_EQ(findFile(searchPathOf(tfc), "gfx/none.tga"), std::nullopt);
}

TEST_F(MapSearch, checkNamesWhatTheGameNeedsAndLacks) {
    put("valve/halflife.wad", wadBytes({"CRATE01", "SKY"}));
    put("tfc_downloads/xeno.wad", wadBytes({"c1a0_w2"}));
    for (const char* side : {"up", "dn", "lf", "rt"})
        put(std::string("valve/gfx/env/night") + side + ".tga");
    put("valve/gfx/env/nightft.bmp");
    put("valve/models/barney.mdl");
    put("tfc/Models/Scientist.MDL");
    put("tfc_addon/maps/m5.res",
        "models/barney.mdl\nsprites/res_only.spr\ngfx/env/resup.bmp gone_res.wad pldecal.wad\n"
        "maps/m5.txt readme.txt overviews/m5.bmp maps/m5.wpt gfx/detail/m5.tga\n"
        "sound\\x.wav c:/x.wad ../x.mdl models/..x.mdl\n");
    const std::string head = "{\"wad\" \"halflife.wad;xeno.wad\" \"skyname\" \"night\"}";
    const struct {
        const char* what;
        std::string entities;
        std::vector<Texture> textures;
        std::vector<std::string> missing;
        bool wine = false;
    } cases[] = {
        {"nothing", "{\"message\" \"M\"}", {}, {}},
        {"textures found in the WADs",
         "{\"wad\" \"c:\\x\\halflife.wad;xeno.wad\"}",
         {{"crate01"}, {"C1A0_W2"}, {"OWN", true}},
         {}},
        {"a texture in no WAD",
         "{\"wad\" \"halflife.wad\"}",
         {{"crate01"}, {"GONE"}},
         {"GONE (texture)"}},
        {"a WAD missing: its textures are not named; spray WADs never needed",
         "{\"wad\" \"halflife.wad;gone.wad;\\valve\\pldecal.wad;tempdecal.wad\"}",
         {{"GONE"}},
         {"gone.wad"}},
        {"every texture carried: no WAD needed",
         "{\"wad\" \"gone.wad;halflife.wad\"}",
         {{"OWN", true}},
         {}},
        {"sky (.tga or .bmp), entities and what the game needs of the .res",
         head + "{\"model\" \"models/barney.mdl\"}"
                "{\"model\" \"*3\" \"noise\" \"doors/x.wav\"}"
                "{\"message\" \"Models/Barney.mdl\" \"model\" \"models/scientist.mdl\"}",
         {{"crate01"}},
         {"gfx/env/nightbk.tga", "sound/doors/x.wav", "models/scientist.mdl",
          "sprites/res_only.spr", "gfx/env/resup.tga", "gone_res.wad"}},
        {"under Wine any case is found",
         "{\"model\" \"models/scientist.mdl\" \"noise\" \"doors/x.wav\"}",
         {},
         {"sound/doors/x.wav"},
         true},
    };
    const std::vector<std::string> path = searchPathOf(root + "/tfc");
    MapFileCache cache;
    for (size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        const std::string map =
            put("tfc/maps/m" + std::to_string(i) + ".bsp", bspBytes(c.entities, c.textures));
        const MapCheck check = checkMap(cache, map, path, c.wine);
        EXPECT_TRUE(check.readable) << c.what;
        EXPECT_EQ(check.missing, c.missing) << c.what;
    }
    // Without a mod to search, only the title is read.
    const std::string map =
        put("tfc/maps/m.bsp", bspBytes("{\"message\" \"Title\" \"wad\" \"x.wad\"}"));
    EXPECT_EQ(checkMap(cache, map, {}).title, "Title");
    EXPECT_TRUE(checkMap(cache, map, {}).missing.empty());
    put("tfc/maps/m.bsp", "not a map");
    EXPECT_FALSE(checkMap(cache, map, path).readable);
}
