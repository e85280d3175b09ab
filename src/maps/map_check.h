#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "maps/bsp_file.h"
#include "maps/map_store.h"

namespace skyloom {

// Maps and WADs read once for each path, size and modification time: a list asks for a title
// each time a tooltip shows, and a launch checks the same WADs again.
class MapFileCache {
public:
    // The map's contents; nullptr when it cannot be read. A title read leaves the texture lump.
    const BspContents* map(const std::string& path, bool withTextures);
    // The WAD's texture names (lower case, sorted); nullptr when it cannot be read.
    const std::vector<std::string>* wad(const std::string& path);
    // Maps are taken from the store when it holds them unchanged, and what is read is put there.
    void useStore(MapStore* store) { store_ = store; }

private:
    using Stamp = MapStore::Stamp;
    struct MapEntry {
        bool loaded = false;
        Stamp stamp;
        bool withTextures = false;
        std::optional<BspContents> contents;
    };
    struct WadEntry {
        bool loaded = false;
        Stamp stamp;
        std::optional<std::vector<std::string>> names;
    };
    static std::optional<Stamp> stampOf(const std::string& path);

    std::unordered_map<std::string, MapEntry> maps_;
    std::unordered_map<std::string, WadEntry> wads_;
    MapStore* store_ = nullptr;
};

struct MapCheck {
    bool readable = false;
    std::string title;
    std::vector<std::string> missing;  // WADs, textures, sky, models, sprites, sounds
};

// Reads the map and looks for every file the game needs to run it on the search path: its
// WADs when it has a texture it does not carry, its sky, the models, sprites and sounds its
// entities and its .res name. With an empty search path (a folder that is not a mod's) nothing
// is looked for; `ignoreCase` as for findFile.
MapCheck checkMap(MapFileCache& cache, const std::string& mapPath,
                  const std::vector<std::string>& searchPath, bool ignoreCase = false);

// The --map-info lines: "title\t…" when the map has one, then "missing\t<path>" for each file.
std::string mapInfoText(const MapCheck& check);

// "Missing: " and the first five names, then "and N more".
std::string missingSummary(const std::vector<std::string>& missing);

// The launch warning: the map's name and at most ten missing names, then "and N more".
std::string missingFilesMessage(std::string_view map, const std::vector<std::string>& missing);

}  // namespace skyloom
