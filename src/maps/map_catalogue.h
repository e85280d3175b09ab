#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "maps/map_check.h"
#include "maps/map_list.h"

namespace skyloom {

// How much of a listed map has been read: nothing yet, its title, or its whole check.
enum class Known : uint8_t { Nothing, Title, Check };

struct CatalogueRow {
    ListedMap map;
    Known known = Known::Nothing;
    MapCheck check;  // as far as known
};

// A batch of rows read off the window's thread, for the listing it was read for.
struct CatalogueBatch {
    uint64_t listing = 0;
    size_t first = 0;
    Known known = Known::Title;
    std::vector<MapCheck> checks;
};

// The reading of every listed map: all titles first (what the list shows), then the checks.
// Plain values and the listing's cache, so it runs on another thread while the catalogue changes.
struct CatalogueReading {
    uint64_t listing = 0;
    std::vector<std::string> paths;
    std::vector<std::string> searchPath;
    bool ignoreCase = false;
    std::string storePath;                // empty: nothing kept between runs
    std::shared_ptr<MapFileCache> cache;  // the listing's

    // Hands over batches of rows in order; ends early when `stop` says so. What was read is
    // saved to the store either way.
    void run(const std::function<bool()>& stop,
             const std::function<void(CatalogueBatch&&)>& found) const;
};

// The maps a window lists: the "*.bsp" files of a mod's map folders, found by file name, with
// what is known of each.
class MapCatalogue {
public:
    explicit MapCatalogue(std::string storePath = {}) : storePath_(std::move(storePath)) {}

    // Lists the maps of the mod whose `maps` folder this is (empty: none). `ignoreCase`: the
    // game runs under Wine, whose look-ups ignore case.
    MapListing list(const std::string& mapsFolder, bool ignoreCase);

    size_t size() const { return rows_.size(); }
    const CatalogueRow& row(size_t i) const { return rows_[i]; }
    std::string path(size_t i) const;
    // The row of this file name, or (when asked) of this name less its extension.
    std::optional<size_t> find(std::string_view file, bool orWithoutExtension) const;

    // Reads the map's check now, the files it needs as they are at this moment, and keeps it.
    const MapCheck& checkNow(size_t i);

    CatalogueReading reading() const;
    // What this listing has read of its maps, for any thread.
    const std::shared_ptr<MapFileCache>& cache() const { return cache_; }
    // The check of one row as a plain task, to run on another thread; its batch is learnt.
    std::function<CatalogueBatch()> checkLater(size_t i) const;
    // Takes a batch a reading found; false when it is for an earlier listing.
    bool learn(CatalogueBatch&& batch);

private:
    std::string storePath_;
    std::vector<std::string> folders_;
    std::vector<std::string> searchPath_;
    bool ignoreCase_ = false;
    std::vector<CatalogueRow> rows_;
    uint64_t listing_ = 0;
    std::shared_ptr<MapFileCache> cache_ = std::make_shared<MapFileCache>();
};

}  // namespace skyloom
