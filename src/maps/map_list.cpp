#include "maps/map_list.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "maps/map_name.h"
#include "platform/ascii.h"

namespace skyloom {
namespace {

bool hasMapExtension(const std::string& name) {
    static constexpr char ext[] = ".bsp";
    if (name.size() <= 4) return false;
    for (size_t i = 0; i < 4; ++i)
        if (asciiLower(name[name.size() - 4 + i]) != ext[i]) return false;
    return true;
}

FolderProblem problemOf(const std::error_code& ec) {
    if (ec == std::errc::no_such_file_or_directory) return FolderProblem::NotFound;
    if (ec == std::errc::not_a_directory) return FolderProblem::NotAFolder;
    if (ec == std::errc::too_many_symbolic_link_levels) return FolderProblem::Loop;
    return FolderProblem::Unreadable;
}

struct Found {
    std::string key;  // the name in lower case
    std::string name;
    uint32_t folder;
};

}  // namespace

MapListing listMaps(const std::vector<std::string>& folders) {
    namespace fs = std::filesystem;
    MapListing listing;
    std::vector<Found> found;
    for (uint32_t f = 0; f < folders.size(); ++f) {
        std::error_code ec;
        if (folders[f].empty()) ec = std::make_error_code(std::errc::no_such_file_or_directory);
        // Made in place: GCC 12's library at -Os lacks the swap an assignment would need.
        fs::directory_iterator it =
            ec ? fs::directory_iterator() : fs::directory_iterator(folders[f], ec);
        if (ec) {
            if (f == 0) {
                listing.problem = problemOf(ec);
                listing.reason = ec.message();
            }
            continue;
        }
        for (const fs::directory_iterator end; it != end; it.increment(ec)) {
            if (ec) break;
            std::string name = it->path().filename().string();
            // A map the game cannot load is not offered (a downloaded "x +exec evil.bsp").
            if (!hasMapExtension(name) || !isLoadableMapName(name)) continue;
            std::error_code typeError;
            if (!it->is_regular_file(typeError)) continue;
            found.push_back({asciiLowered(name), std::move(name), f});
        }
    }
    // Case-insensitive order, as the player reads the names; of equal names the first folder's
    // is the one the game loads.
    std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
        if (a.key != b.key) return a.key < b.key;
        if (a.folder != b.folder) return a.folder < b.folder;
        return a.name < b.name;
    });
    listing.maps.reserve(found.size());
    for (size_t i = 0; i < found.size(); ++i)
        if (i == 0 || found[i].key != found[i - 1].key)
            listing.maps.push_back({std::move(found[i].name), found[i].folder});
    return listing;
}

}  // namespace skyloom
