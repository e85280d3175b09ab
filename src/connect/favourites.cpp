#include "connect/favourites.h"

namespace skyloom {

namespace {

constexpr const char* kSection = "SERVERS";
// Enough for any player's list; a hand-edited file cannot make the window list without end.
constexpr std::size_t kMaxFavourites = 256;

std::string key(std::size_t n) {
    return "server" + std::to_string(n);
}

std::optional<std::string> value(const Settings& settings, std::size_t n) {
    return readProfileValue(settings.filePath(), kSection, key(n));
}

}  // namespace

std::vector<ServerAddress> readFavourites(const Settings& settings) {
    std::vector<ServerAddress> out;
    for (std::size_t n = 1; n <= kMaxFavourites; ++n) {
        const auto v = value(settings, n);
        if (!v) break;
        if (auto address = parseServerAddress(*v)) out.push_back(std::move(*address));
    }
    return out;
}

std::size_t favouriteKeyCount(const Settings& settings) {
    std::size_t n = 0;
    while (n < kMaxFavourites && value(settings, n + 1)) ++n;
    return n;
}

std::vector<std::pair<std::string, std::optional<std::string>>> favouriteWrites(
    std::size_t oldCount, const std::vector<ServerAddress>& favourites) {
    std::vector<std::pair<std::string, std::optional<std::string>>> writes;
    for (std::size_t i = 0; i < favourites.size(); ++i)
        writes.emplace_back(key(i + 1), formatServerAddress(favourites[i]));
    for (std::size_t n = favourites.size() + 1; n <= oldCount; ++n)
        writes.emplace_back(key(n), std::nullopt);
    return writes;
}

}  // namespace skyloom
