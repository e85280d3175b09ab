#include "app/map_info_mode.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "maps/map_check.h"
#include "maps/search_path.h"

namespace skyloom {

int runMapInfo(const std::string& file) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path path = fs::absolute(file, ec);
    const bool isFile = !ec && fs::is_regular_file(path, ec);
    if (!isFile) {
        const std::string why = ec                     ? ec.message()
                                : fs::exists(path, ec) ? "not a file"
                                                       : "no such file";
        std::fprintf(stderr, "skyloom: %s: %s\n", file.c_str(), why.c_str());
        return 2;
    }
    const std::string mod = modFolderOfMap(path.lexically_normal().string());
    if (mod.empty())
        std::fprintf(stderr,
                     "skyloom: %s is not in a mod's maps folder: no files were looked for\n",
                     file.c_str());
    MapFileCache cache;
    const MapCheck check = checkMap(cache, path.string(), searchPathOf(mod));
    if (!check.readable) {
        std::fprintf(stderr, "skyloom: %s: not a map the game can read\n", file.c_str());
        return 2;
    }
    std::fputs(mapInfoText(check).c_str(), stdout);
    return check.missing.empty() ? 0 : 1;
}

}  // namespace skyloom
