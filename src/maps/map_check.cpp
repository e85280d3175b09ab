#include "maps/map_check.h"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <system_error>

#include "maps/res_file.h"
#include "maps/search_path.h"
#include "maps/wad_file.h"
#include "platform/ascii.h"
#include "platform/utf8.h"

namespace skyloom {
namespace {

constexpr uint64_t kMaxResFile = 1u << 20;

std::vector<std::string> resEntries(const std::string& path) {
    const FileSource file(path);
    std::string text;
    if (!file.isOpen() || file.size() > kMaxResFile || !file.read(0, file.size(), text)) return {};
    return parseResFile(text);
}

std::string andMore(size_t more) {
    return "and " + std::to_string(more) + " more";
}

}  // namespace

std::optional<MapFileCache::Stamp> MapFileCache::stampOf(const std::string& path) {
    // One stat: with thousands of maps listed it is most of the time a warm store costs.
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
    return Stamp{static_cast<uint64_t>(st.st_size),
                 static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}

std::shared_ptr<const BspContents> MapFileCache::map(const std::string& path, bool withTextures) {
    const auto stamp = stampOf(path);
    if (!stamp) return nullptr;
    {
        const std::lock_guard hold(lock_);
        const auto it = maps_.find(path);
        // A map whose title could not be read has no textures to read either.
        if (it != maps_.end() && it->second.read && it->second.stamp == *stamp &&
            (!withTextures || it->second.withTextures || !it->second.contents))
            return it->second.contents;
        if (const MapStore::Entry* kept =
                store_ ? store_->find(path, *stamp, withTextures) : nullptr) {
            MapEntry& e = entry(path, *stamp);
            e.read = true, e.withTextures = kept->withTextures;
            e.contents =
                kept->contents ? std::make_shared<const BspContents>(*kept->contents) : nullptr;
            return e.contents;
        }
    }
    const FileSource file(path);
    std::optional<BspContents> read = readBsp(file, withTextures);
    const std::lock_guard hold(lock_);
    if (store_) store_->put(path, {*stamp, withTextures, read});
    MapEntry& e = entry(path, *stamp);
    e.read = true, e.withTextures = withTextures;
    e.contents = read ? std::make_shared<const BspContents>(std::move(*read)) : nullptr;
    return e.contents;
}

std::shared_ptr<const std::vector<std::string>> MapFileCache::wad(const std::string& path) {
    const auto stamp = stampOf(path);
    if (!stamp) return nullptr;
    {
        const std::lock_guard hold(lock_);
        const auto it = wads_.find(path);
        if (it != wads_.end() && it->second.stamp == *stamp) return it->second.names;
    }
    const FileSource file(path);
    auto read = readWadDirectory(file);
    auto names =
        read ? std::make_shared<const std::vector<std::string>>(std::move(*read)) : nullptr;
    const std::lock_guard hold(lock_);
    wads_[path] = {*stamp, names};
    return names;
}

std::string MapFileCache::picture(const std::string& path,
                                  const std::function<std::string(const ByteSource&)>& draw) {
    const auto stamp = stampOf(path);
    {
        const std::lock_guard hold(lock_);
        const auto it = maps_.find(path);
        if (it != maps_.end() && it->second.stamp == stamp.value_or(Stamp{}) && it->second.picture)
            return *it->second.picture;
    }
    std::string drawn = stamp ? draw(FileSource(path)) : std::string();
    const std::lock_guard hold(lock_);
    // Enough for the maps a player points at in one sitting; past that, those drawn are dropped.
    if (++pictures_ > kKeptPictures) {
        for (auto& kept : maps_) kept.second.picture.reset();
        pictures_ = 1;
    }
    entry(path, stamp.value_or(Stamp{})).picture = drawn;
    return drawn;
}

std::optional<std::string> MapFileCache::keptPicture(const std::string& path) const {
    const std::lock_guard hold(lock_);
    const auto it = maps_.find(path);
    return it == maps_.end() ? std::nullopt : it->second.picture;
}

MapFileCache::MapEntry& MapFileCache::entry(const std::string& path, const Stamp& stamp) {
    MapEntry& e = maps_[path];
    if (!(e.stamp == stamp)) e = MapEntry{stamp, false, false, nullptr, std::nullopt};
    return e;
}

void MapFileCache::useStore(MapStore* store) {
    const std::lock_guard hold(lock_);
    store_ = store;
}

MapCheck checkMap(MapFileCache& cache, const std::string& mapPath,
                  const std::vector<std::string>& searchPath, bool ignoreCase) {
    MapCheck check;
    const auto map = cache.map(mapPath, !searchPath.empty());
    if (!map) return check;
    check.readable = true;
    check.title = map->entities.title;
    if (searchPath.empty()) return check;

    std::set<std::string> seen;
    auto missing = [&](std::string name) {
        if (seen.insert(asciiLowered(name)).second) check.missing.push_back(std::move(name));
    };
    auto find = [&](const std::string& relative) {
        return findFile(searchPath, relative, ignoreCase);
    };
    auto need = [&](const std::string& relative) {
        if (!find(relative)) missing(relative);
    };
    // A sky side counts in either of the formats the game reads.
    auto needSky = [&](const std::string& stem) {
        if (!find(stem + ".tga") && !find(stem + ".bmp")) missing(stem + ".tga");
    };
    // The game opens the WADs only for a texture the map does not carry, and never the
    // player's spray WADs.
    const bool needsWads = !map->textures.empty();
    auto wanted = [&](const std::string& wad) {
        const std::string key = asciiLowered(wad);
        return needsWads && key.find("pldecal") == std::string::npos &&
               key.find("tempdecal") == std::string::npos;
    };

    std::vector<std::shared_ptr<const std::vector<std::string>>> wads;
    bool allWads = true;
    for (const std::string& name : map->entities.wads) {
        if (!wanted(name)) continue;
        const auto path = find(name);
        auto names = path ? cache.wad(*path) : nullptr;
        if (names)
            wads.push_back(std::move(names));
        else {
            allWads = false;
            missing(name);
        }
    }
    // Without one of its WADs a map's textures are not worth naming one by one.
    if (allWads)
        for (const std::string& texture : map->textures) {
            const std::string key = asciiLowered(texture);
            if (std::none_of(wads.begin(), wads.end(), [&](const auto& names) {
                    return std::binary_search(names->begin(), names->end(), key);
                }))
                missing(texture + " (texture)");
        }
    if (!map->entities.skyname.empty())
        for (const char* side : {"up", "dn", "lf", "rt", "ft", "bk"})
            needSky("gfx/env/" + map->entities.skyname + side);
    for (const std::string& file : map->entities.files) need(file);

    // Of what a .res lists, only what the game needs to run the map: text, overviews and bot
    // waypoints are for people and other programs.
    const std::string stem = std::filesystem::path(mapPath).stem().string();
    if (const auto res = find("maps/" + stem + ".res"))
        for (const std::string& file : resEntries(*res)) {
            const std::string key = asciiLowered(file);
            const auto ends = [&](std::string_view e) { return key.ends_with(e); };
            if (ends(".wad")) {
                if (wanted(file)) need(file);
            } else if (ends(".mdl") || ends(".spr") || ends(".wav")) {
                need(file);
            } else if (key.starts_with("gfx/env/") && (ends(".tga") || ends(".bmp"))) {
                needSky(file.substr(0, file.size() - 4));
            }
        }
    return check;
}

std::string mapInfoText(const MapCheck& check) {
    std::string text;
    if (!check.title.empty()) text += "title\t" + terminalLine(check.title) + "\n";
    for (const std::string& file : check.missing) text += "missing\t" + oneLine(file) + "\n";
    return text;
}

std::string missingSummary(const std::vector<std::string>& missing) {
    std::string text = "Missing: ";
    // Appended piece by piece: `"x" + temporary` makes GCC 12 warn falsely at -O3 (-Wrestrict).
    for (size_t i = 0; i < missing.size() && i < 5; ++i)
        text.append(i ? ", " : "").append(missing[i]);
    if (missing.size() > 5) text.append(" ").append(andMore(missing.size() - 5));
    return text;
}

std::string missingFilesMessage(std::string_view map, const std::vector<std::string>& missing) {
    std::string text = "The map ";
    text += map;
    text += " needs files that are not installed:";
    for (size_t i = 0; i < missing.size() && i < 10; ++i) text.append("\n").append(missing[i]);
    if (missing.size() > 10) text.append("\n").append(andMore(missing.size() - 10));
    text += "\n\nStart anyway?";
    return text;
}

}  // namespace skyloom
