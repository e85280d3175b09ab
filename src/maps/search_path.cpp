#include "maps/search_path.h"

#include <filesystem>
#include <system_error>

#include "maps/byte_source.h"
#include "maps/res_file.h"

namespace skyloom {
namespace {

namespace fs = std::filesystem;

constexpr uint64_t kMaxLiblist = 64 * 1024;

std::string lowerCase(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

bool isFolder(const std::string& path) {
    std::error_code ec;
    return fs::is_directory(path, ec);
}

bool isFile(const std::string& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

}  // namespace

ModFolders modFoldersOf(std::string mapsFolder) {
    while (mapsFolder.size() > 1 && mapsFolder.back() == '/') mapsFolder.pop_back();
    ModFolders folders{{}, {mapsFolder}};
    const size_t sep = mapsFolder.rfind('/');
    if (sep == std::string::npos || sep == 0) return folders;
    const std::string name = mapsFolder.substr(sep + 1);
    if (lowerCase(name) != "maps") return folders;
    folders.mod = mapsFolder.substr(0, sep);
    folders.mapFolders.push_back(folders.mod + "_addon/" + name);
    folders.mapFolders.push_back(folders.mod + "_downloads/" + name);
    return folders;
}

std::vector<std::string> searchPathOf(const std::string& modFolder) {
    std::vector<std::string> path;
    const size_t sep = modFolder.rfind('/');
    if (modFolder.empty() || sep == std::string::npos) return path;
    std::string fallback = "valve";
    const FileSource liblist(modFolder + "/liblist.gam");
    std::string text;
    if (liblist.isOpen() && liblist.size() <= kMaxLiblist && liblist.read(0, liblist.size(), text))
        fallback = fallbackDir(text);
    std::vector<std::string> candidates;
    for (const char* suffix : {"", "_addon", "_downloads"})
        candidates.push_back(modFolder + suffix);
    if (lowerCase(fallback) != lowerCase(modFolder.substr(sep + 1)))
        for (const char* suffix : {"", "_addon", "_downloads"})
            candidates.push_back(modFolder.substr(0, sep + 1) + fallback + suffix);
    for (std::string& folder : candidates)
        if (isFolder(folder)) path.push_back(std::move(folder));
    return path;
}

std::optional<std::string> findFile(const std::vector<std::string>& searchPath,
                                    std::string_view relative) {
    const std::string lower = lowerCase(relative);
    for (const std::string& folder : searchPath) {
        std::string path = folder + '/';
        path += relative;
        if (isFile(path)) return path;
        if (lower != relative && isFile(folder + '/' + lower)) return folder + '/' + lower;
    }
    return std::nullopt;
}

}  // namespace skyloom
