#include "maps/map_catalogue.h"

#include "maps/map_name.h"
#include "maps/map_store.h"
#include "maps/search_path.h"

namespace skyloom {
namespace {

// Small enough for the list to fill in as it goes, large enough to cost the window little.
constexpr size_t kBatch = 256;

}  // namespace

void CatalogueReading::run(const std::function<bool()>& stop,
                           const std::function<void(CatalogueBatch&&)>& found) const {
    MapStore store = storePath.empty() ? MapStore{} : loadMapStore(storePath);
    cache->useStore(&store);
    const std::vector<std::string> none;
    for (const Known known : {Known::Title, Known::Check}) {
        // A folder that is not a mod's has no search path: its maps' titles are all there is.
        if (known == Known::Check && searchPath.empty()) break;
        for (size_t first = 0; first < paths.size() && !stop(); first += kBatch) {
            CatalogueBatch batch{listing, first, known, {}};
            // Stopped between two maps: a closed window waits for no more than one.
            for (size_t i = first; i < paths.size() && i < first + kBatch && !stop(); ++i)
                batch.checks.push_back(checkMap(
                    *cache, paths[i], known == Known::Check ? searchPath : none, ignoreCase));
            found(std::move(batch));
        }
    }
    cache->useStore(nullptr);
    if (!storePath.empty() && store.changed()) saveMapStore(std::move(store), storePath);
}

MapListing MapCatalogue::list(const std::string& mapsFolder, bool ignoreCase) {
    const ModFolders mod = modFoldersOf(mapsFolder);
    MapListing listing = listMaps(mapsFolder.empty() ? std::vector<std::string>{} : mod.mapFolders);
    if (mapsFolder.empty()) listing.problem = FolderProblem::NotFound;
    folders_ = mod.mapFolders;
    searchPath_ = searchPathOf(mod.mod, ignoreCase);
    ignoreCase_ = ignoreCase;
    rows_.clear();
    cache_ = std::make_shared<MapFileCache>();
    rows_.reserve(listing.maps.size());
    for (ListedMap& map : listing.maps) rows_.push_back({std::move(map), Known::Nothing, {}});
    listing.maps.clear();
    ++listing_;
    return listing;
}

std::string MapCatalogue::path(size_t i) const {
    return folders_[rows_[i].map.folder] + '/' + rows_[i].map.name;
}

std::optional<size_t> MapCatalogue::find(std::string_view file, bool orWithoutExtension) const {
    for (size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i].map.name == file) return i;
    for (size_t i = 0; orWithoutExtension && !file.empty() && i < rows_.size(); ++i)
        if (gameMapName(rows_[i].map.name) == file) return i;
    return std::nullopt;
}

const MapCheck& MapCatalogue::checkNow(size_t i) {
    rows_[i].check = checkMap(*cache_, path(i), searchPath_, ignoreCase_);
    rows_[i].known = Known::Check;
    return rows_[i].check;
}

CatalogueReading MapCatalogue::reading() const {
    std::vector<std::string> paths;
    paths.reserve(rows_.size());
    for (size_t i = 0; i < rows_.size(); ++i) paths.push_back(path(i));
    return {listing_, std::move(paths), searchPath_, ignoreCase_, storePath_, cache_};
}

std::function<CatalogueBatch()> MapCatalogue::checkLater(size_t i) const {
    return [listing = listing_, i, path = path(i), searchPath = searchPath_,
            ignoreCase = ignoreCase_, cache = cache_] {
        return CatalogueBatch{
            listing, i, Known::Check, {checkMap(*cache, path, searchPath, ignoreCase)}};
    };
}

bool MapCatalogue::learn(CatalogueBatch&& batch) {
    if (batch.listing != listing_ || batch.first > rows_.size() ||
        batch.checks.size() > rows_.size() - batch.first)
        return false;
    for (size_t i = 0; i < batch.checks.size(); ++i) {
        CatalogueRow& row = rows_[batch.first + i];
        // A check read meanwhile on the spot is as fresh.
        if (row.known == Known::Check) continue;
        row.check = std::move(batch.checks[i]);
        row.known = batch.known;
    }
    return true;
}

}  // namespace skyloom
