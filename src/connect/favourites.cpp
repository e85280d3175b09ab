#include "connect/favourites.h"

namespace skyloom {

namespace {

constexpr const char* kSection = "SERVERS";

std::string key(std::size_t n) {
    return "server" + std::to_string(n);
}

// The file read once: a list of thousands is one pass, not one read per key.
ServerList readList(const Settings& settings, const char* section, std::size_t max) {
    const std::map<std::string, std::string> values =
        profileSectionValues(settings.text(), section);
    ServerList out;
    for (std::size_t n = 1;; ++n) {
        const auto it = values.find(key(n));
        if (it == values.end()) break;
        if (n > max)
            ++out.leftOut;
        else if (auto address = parseServerAddress(it->second))
            out.servers.push_back(std::move(*address));
    }
    return out;
}

}  // namespace

ServerList readFavourites(const Settings& settings) {
    return readList(settings, kSection, kMaxFavourites);
}

std::vector<ServerAddress> readRecent(const Settings& settings) {
    return readList(settings, "RECENT", kMaxRecent).servers;
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
    const std::map<std::string, std::string> values =
        profileSectionValues(settings.text(), kSection);
    std::size_t n = 0;
    while (n < kMaxFavourites && values.contains(key(n + 1))) ++n;
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
