#include "settings/path_value.h"

#include <filesystem>

namespace skyloom {

namespace {

constexpr char kSeparator = static_cast<char>(std::filesystem::path::preferred_separator);

bool isPathSeparator(char c) {
    // Windows takes either; elsewhere a backslash is part of a name.
    return c == '/' || c == kSeparator;
}

// The length of the path without the separators at its end.
std::size_t withoutTrailingSeparators(std::string_view path, std::size_t end) {
    while (end > 0 && isPathSeparator(path[end - 1])) --end;
    return end;
}

}  // namespace

std::optional<std::string> folderPart(std::string_view path) {
    std::size_t last = path.size();
    while (last > 0 && !isPathSeparator(path[last - 1])) --last;
    if (last == 0) return std::nullopt;
    const std::size_t end = withoutTrailingSeparators(path, last);
    return end == 0 ? std::string(1, path[0]) : std::string(path.substr(0, end));
}

std::string parentFolder(std::string_view path) {
    const std::string_view trimmed = path.substr(0, withoutTrailingSeparators(path, path.size()));
    std::optional<std::string> folder = folderPart(trimmed);
    if (!folder) return {};
    if (!isPathSeparator(folder->back())) folder->push_back(kSeparator);
    return *folder;
}

}  // namespace skyloom
