#include "demos/demo_list.h"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace skyloom {
namespace fs = std::filesystem;

std::vector<std::string> demoFolders(const DemoPlace& place) {
    if (place.gameFolder.empty() || place.mod.empty()) return {};
    const fs::path game(place.gameFolder);
    std::vector<std::string> folders{(game / place.mod).string()};
    if (place.mod == "valve") folders.push_back((game / "valve_downloads").string());
    return folders;
}

namespace {

bool isDemoName(const fs::path& path) {
    std::string extension = path.extension().string();
    for (char& c : extension) c = char(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return extension == ".dem";
}

}  // namespace

std::vector<DemoFile> listDemos(const DemoPlace& place, const std::function<bool()>& stop) {
    std::vector<DemoFile> found;
    for (const std::string& folder : demoFolders(place)) {
        std::error_code error;
        fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied,
                                            error);
        for (; !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
            if (stop && stop()) return found;
            if (found.size() >= kMaxDemoFiles) break;
            if (it.depth() >= kMaxDemoDepth) it.disable_recursion_pending();
            const fs::path& path = it->path();
            struct stat st {};
            // Only regular files: a FIFO named like a demo would block the read.
            if (!isDemoName(path) || ::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
                continue;
            DemoFile demo;
            demo.path = path.string();
            demo.name = path.lexically_relative(folder).generic_string();
            demo.size = uint64_t(st.st_size);
            demo.time = int64_t(st.st_mtime);
            demo.reading = readDemoFile(demo.path);
            found.push_back(std::move(demo));
        }
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const DemoFile& a, const DemoFile& b) { return a.time > b.time; });
    return found;
}

std::string consoleDemoName(const std::string& name) {
    const bool plain = name.size() > 4 && name.compare(name.size() - 4, 4, ".dem") == 0;
    return plain ? name.substr(0, name.size() - 4) : name;
}

}  // namespace skyloom
