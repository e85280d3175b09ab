#include "connect/favourites.h"

namespace skyloom {

namespace {

constexpr const char* kSection = "SERVERS";
// Enough for any player's list; a hand-edited file cannot make the window list without end.
constexpr std::size_t kMaxFavourites = 256;

std::string key(std::size_t n) {
    return "server" + std::to_string(n);
}

std::optional<std::string> value(const Settings& settings, std::size_t n,
                                 const char* section = kSection) {
    return readProfileValue(settings.filePath(), section, key(n));
}

std::vector<ServerAddress> readList(const Settings& settings, const char* section,
                                    std::size_t max) {
    std::vector<ServerAddress> out;
    for (std::size_t n = 1; n <= max; ++n) {
        const auto v = value(settings, n, section);
        if (!v) break;
        if (auto address = parseServerAddress(*v)) out.push_back(std::move(*address));
    }
    return out;
}

}  // namespace

std::vector<ServerAddress> readFavourites(const Settings& settings) {
    return readList(settings, kSection, kMaxFavourites);
}

std::vector<ServerAddress> readRecent(const Settings& settings) {
    return readList(settings, "RECENT", kMaxRecent);
}

std::vector<ProfileChange> recentChanges(std::string_view text, const ServerAddress& joined) {
    std::vector<ServerAddress> recent{joined};
    std::size_t keys = 0;
    for (; keys < kMaxRecent; ++keys) {
        const auto v = findProfileValue(text, "RECENT", key(keys + 1));
        if (!v) break;
        const auto address = parseServerAddress(*v);
        if (address && *address != joined && recent.size() < kMaxRecent) recent.push_back(*address);
    }
    std::vector<ProfileChange> changes;
    for (auto& [k, value] : favouriteWrites(keys, recent))
        changes.push_back({"RECENT", std::move(k), std::move(value)});
    return changes;
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
