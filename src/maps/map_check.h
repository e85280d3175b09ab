#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "maps/bsp_file.h"
#include "maps/map_store.h"

namespace skyloom {

// Maps and WADs read once for each path, size and modification time, shared by whatever reads
// them on any thread: the list's titles and checks, a tooltip's check, the launch check and the
// pictures all ask the same one, so a listing reads each map once.
class MapFileCache {
public:
    // The map's contents; nullptr when it cannot be read. A title read leaves the texture lump.
    std::shared_ptr<const BspContents> map(const std::string& path, bool withTextures);
    // The WAD's texture names (lower case, sorted); nullptr when it cannot be read.
    std::shared_ptr<const std::vector<std::string>> wad(const std::string& path);
    // What `draw` makes of the map's file, kept with the map (the last few hundred); empty when
    // it cannot be read.
    std::string picture(const std::string& path,
                        const std::function<std::string(const ByteSource&)>& draw);
    // The picture made of the map at `path`, if any, without looking at the file.
    std::optional<std::string> keptPicture(const std::string& path) const;
    // Maps are taken from the store when it holds them unchanged, and what is read is put there.
    void useStore(MapStore* store);

private:
    using Stamp = MapStore::Stamp;
    struct MapEntry {
        Stamp stamp;
        bool read = false;  // the contents: a picture may come first
        bool withTextures = false;
        std::shared_ptr<const BspContents> contents;
        std::optional<std::string> picture;
    };
    struct WadEntry {
        Stamp stamp;
        std::shared_ptr<const std::vector<std::string>> names;
    };
    static std::optional<Stamp> stampOf(const std::string& path);
    // The entry of the map as it is now: one of an earlier version is emptied.
    MapEntry& entry(const std::string& path, const Stamp& stamp);

    // Held only to look up and put: files are read outside it.
    mutable std::mutex lock_;
    std::unordered_map<std::string, MapEntry> maps_;
    std::unordered_map<std::string, WadEntry> wads_;
    MapStore* store_ = nullptr;
    static constexpr size_t kKeptPictures = 200;
    size_t pictures_ = 0;
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
