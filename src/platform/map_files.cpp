#include "platform/map_files.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "launcher/game_command.h"

namespace skyloom {
namespace {

char lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool hasMapExtension(const std::string& name) {
    static constexpr char ext[] = ".bsp";
    if (name.size() <= 4) return false;
    for (size_t i = 0; i < 4; ++i)
        if (lower(name[name.size() - 4 + i]) != ext[i]) return false;
    return true;
}

}  // namespace

std::vector<std::string> listMapFiles(const std::string& folder) {
    namespace fs = std::filesystem;
    std::vector<std::string> names;
    std::error_code ec;
    fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec);
    if (ec) return names;
    for (const fs::directory_iterator end; it != end; it.increment(ec)) {
        if (ec) break;
        std::string name = it->path().filename().string();
        // A map the game cannot load is not offered (a downloaded "x +exec evil.bsp").
        if (!hasMapExtension(name) || !isLoadableMapName(name)) continue;
        std::error_code typeError;
        if (!it->is_regular_file(typeError)) continue;
        names.push_back(std::move(name));
    }
    // Case-insensitive order, as the player reads the names; ties broken by bytes.
    std::vector<std::pair<std::string, size_t>> keys;
    keys.reserve(names.size());
    for (size_t i = 0; i < names.size(); ++i) {
        std::string key = names[i];
        for (char& c : key) c = lower(c);
        keys.emplace_back(std::move(key), i);
    }
    std::sort(keys.begin(), keys.end(), [&](const auto& a, const auto& b) {
        if (a.first != b.first) return a.first < b.first;
        return names[a.second] < names[b.second];
    });
    std::vector<std::string> sorted;
    sorted.reserve(names.size());
    for (auto& k : keys) sorted.push_back(std::move(names[k.second]));
    return sorted;
}

}  // namespace skyloom
