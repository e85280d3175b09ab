#include "maps/search_path.h"

#include <filesystem>
#include <system_error>

#include "maps/byte_source.h"
#include "maps/res_file.h"
#include "platform/ascii.h"
#include "platform/files.h"

namespace skyloom {
namespace {

namespace fs = std::filesystem;

constexpr uint64_t kMaxLiblist = 64 * 1024;

// `folder/name` as it is on disk, the name matched without regard to case.
std::optional<std::string> childNoCase(const std::string& folder, std::string_view name) {
    std::string exact = folder + '/';
    exact += name;
    std::error_code ec;
    if (fs::exists(exact, ec)) return exact;
    const std::string key = asciiLowered(name);
    for (fs::directory_iterator it(folder.empty() ? "/" : folder, ec), end; !ec && it != end;
         it.increment(ec))
        if (asciiLowered(it->path().filename().string()) == key)
            return folder + '/' + it->path().filename().string();
    return std::nullopt;
}

// `folder/relative` with every part matched without regard to case, as Wine finds files.
std::optional<std::string> findNoCase(std::string folder, std::string_view relative) {
    while (!relative.empty()) {
        const size_t slash = relative.find('/');
        const std::string_view part = relative.substr(0, slash);
        relative =
            slash == std::string_view::npos ? std::string_view() : relative.substr(slash + 1);
        if (part.empty()) continue;
        auto next = childNoCase(folder, part);
        if (!next) return std::nullopt;
        folder = std::move(*next);
    }
    return folder;
}

}  // namespace

ModFolders modFoldersOf(std::string mapsFolder) {
    while (mapsFolder.size() > 1 && mapsFolder.back() == '/') mapsFolder.pop_back();
    ModFolders folders{{}, {mapsFolder}};
    const size_t sep = mapsFolder.rfind('/');
    if (sep == std::string::npos || sep == 0) return folders;
    if (asciiLowered(mapsFolder.substr(sep + 1)) != "maps") return folders;
    folders.mod = mapsFolder.substr(0, sep);
    const size_t modSep = folders.mod.rfind('/') + 1;  // 0 for a relative "tfc"
    const std::string own =
        folders.mod.substr(0, modSep) + asciiLowered(folders.mod.substr(modSep));
    for (const char* suffix : {"_addon", "_downloads"}) {
        const std::string folder = own + suffix;
        folders.mapFolders.push_back(childNoCase(folder, "maps").value_or(folder + "/maps"));
    }
    return folders;
}

std::vector<std::string> searchPathOf(const std::string& modFolder, bool ignoreCase) {
    std::vector<std::string> path;
    const size_t sep = modFolder.rfind('/');
    if (modFolder.empty() || sep == std::string::npos) return path;
    const std::string game = modFolder.substr(0, sep);
    const std::string mod = modFolder.substr(sep + 1);
    std::string fallback = "valve";
    const auto liblistPath = ignoreCase ? findNoCase(modFolder, "liblist.gam")
                                        : std::optional(modFolder + "/liblist.gam");
    const FileSource liblist(liblistPath.value_or(std::string()));
    std::string text;
    if (liblist.isOpen() && liblist.size() <= kMaxLiblist && liblist.read(0, liblist.size(), text))
        fallback = fallbackDir(text);
    std::vector<std::string> names{mod, asciiLowered(mod) + "_addon",
                                   asciiLowered(mod) + "_downloads"};
    if (asciiLowered(fallback) != asciiLowered(mod))
        for (const char* suffix : {"", "_addon", "_downloads"})
            names.push_back((*suffix ? asciiLowered(fallback) : fallback) + suffix);
    for (const std::string& name : names) {
        auto folder = ignoreCase ? childNoCase(game, name) : std::optional(game + '/' + name);
        if (folder && isFolder(*folder)) path.push_back(std::move(*folder));
    }
    return path;
}

std::optional<std::string> findFile(const std::vector<std::string>& searchPath,
                                    std::string_view relative, bool ignoreCase) {
    const std::string lower = asciiLowered(relative);
    for (const std::string& folder : searchPath) {
        std::string path = folder + '/';
        path += relative;
        if (isFile(path)) return path;
        if (lower != relative && isFile(folder + '/' + lower)) return folder + '/' + lower;
        if (!ignoreCase) continue;
        if (auto found = findNoCase(folder, relative); found && isFile(*found)) return found;
    }
    return std::nullopt;
}

std::string modFolderOfMap(const std::string& mapPath) {
    const fs::path maps = fs::path(mapPath).parent_path();
    if (asciiLowered(maps.filename().string()) != "maps") return {};
    const fs::path place = maps.parent_path();
    std::string name = place.filename().string();
    if (name.empty() || !place.has_parent_path()) return {};
    for (const std::string_view suffix : {"_addon", "_downloads"})
        if (name.size() > suffix.size() &&
            asciiLowered(std::string_view(name).substr(name.size() - suffix.size())) == suffix) {
            name.resize(name.size() - suffix.size());
            break;
        }
    return (place.parent_path() / name).string();
}

bool isWindowsProgram(const std::string& path) {
    const FileSource file(path);
    std::string head;
    return file.isOpen() && file.read(0, 2, head) && head == "MZ";
}

}  // namespace skyloom
