#include "games/installs.h"

#include <filesystem>
#include <fstream>
#include <set>

#include "games/vdf.h"

namespace skyloom {
namespace {

namespace fs = std::filesystem;

constexpr const char* kHalfLife = "70";
constexpr const char* kTeamFortress = "20";

bool isDir(const fs::path& p) {
    std::error_code ec;
    return fs::is_directory(p, ec);
}

bool isFile(const fs::path& p) {
    std::error_code ec;
    return fs::is_regular_file(p, ec);
}

// The same folder reached through different links gives the same key.
std::string identity(const fs::path& p) {
    std::error_code ec;
    const fs::path c = fs::canonical(p, ec);
    return ec ? p.lexically_normal().string() : c.string();
}

std::optional<VdfNode> readVdf(const fs::path& p) {
    std::error_code ec;
    if (!isFile(p)) return std::nullopt;
    const std::uintmax_t size = fs::file_size(p, ec);
    if (ec || size > kVdfMaxBytes) return std::nullopt;
    std::ifstream in(p, std::ios::binary);
    std::string text(static_cast<std::size_t>(size), '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in.gcount()));
    return parseVdf(text);
}

bool isNumber(std::string_view s) {
    if (s.empty() || s.size() > 9) return false;
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

const std::string* stringValue(const VdfNode* block, std::string_view key) {
    if (!block || !block->block) return nullptr;
    const VdfNode* n = block->find(key);
    return n && !n->block ? &n->value : nullptr;
}

// Both layouts: "N" { "path" "…" } since 2021, "N" "…" before.
std::vector<fs::path> listedLibraries(const fs::path& root) {
    std::optional<VdfNode> file = readVdf(root / "config" / "libraryfolders.vdf");
    if (!file) file = readVdf(root / "steamapps" / "libraryfolders.vdf");
    std::vector<fs::path> out;
    const VdfNode* top = file ? file->find("libraryfolders") : nullptr;
    if (!top || !top->block) return out;
    for (const VdfNode& entry : top->children) {
        if (!isNumber(entry.key)) continue;
        const std::string* path = entry.block ? stringValue(&entry, "path") : &entry.value;
        if (path && !path->empty() && path->front() == '/') out.emplace_back(*path);
    }
    return out;
}

// The game folder of an app the library holds fully installed.
std::optional<fs::path> installedApp(const fs::path& library, const char* app) {
    const std::optional<VdfNode> manifest =
        readVdf(library / "steamapps" / (std::string("appmanifest_") + app + ".acf"));
    const VdfNode* state = manifest ? manifest->find("AppState") : nullptr;
    const std::string* flags = stringValue(state, "StateFlags");
    const std::string* dir = stringValue(state, "installdir");
    if (!flags || !dir || !isNumber(*flags) || (std::stoul(*flags) & 4u) == 0) return std::nullopt;
    // One folder name below common/, never a way out of it.
    if (dir->empty() || *dir == "." || *dir == ".." || dir->find('/') != std::string::npos)
        return std::nullopt;
    return library / "steamapps" / "common" / *dir;
}

class Search {
public:
    InstallsFound found;

    void searched(const fs::path& place) {
        for (const std::string& s : found.searched)
            if (s == place.string()) return;
        found.searched.push_back(place.string());
    }

    void steamRoot(const fs::path& root, InstallKind kind) {
        searched(root);
        if (!isDir(root) || !roots_.insert(identity(root)).second) return;
        std::vector<fs::path> libraries{root};
        for (fs::path& listed : listedLibraries(root)) libraries.push_back(std::move(listed));
        for (const fs::path& library : libraries) {
            if (!libraries_.insert(identity(library)).second) continue;
            const std::optional<fs::path> game = installedApp(library, kHalfLife);
            if (!game) continue;
            const std::optional<fs::path> tfc = installedApp(library, kTeamFortress);
            add(kind, *game, {"hl.sh", "hl_linux"}, tfc && identity(*tfc) == identity(*game));
        }
    }

    void winePrefix(const fs::path& prefix) {
        searched(prefix);
        if (!isDir(prefix / "drive_c") || !roots_.insert(identity(prefix)).second) return;
        const fs::path c = prefix / "drive_c";
        for (const fs::path& game :
             {c / "Program Files (x86)" / "Steam" / "steamapps" / "common" / "Half-Life",
              c / "Program Files" / "Steam" / "steamapps" / "common" / "Half-Life",
              c / "Sierra" / "Half-Life", c / "Games" / "Half-Life"})
            add(InstallKind::Wine, game, {"hl.exe"}, false);
    }

private:
    void add(InstallKind kind, const fs::path& game, std::initializer_list<const char*> programs,
             bool tfcApp) {
        for (const char* name : programs) {
            if (!isFile(game / name)) continue;
            if (!games_.insert(identity(game)).second) return;
            GameInstall install{kind, game.string(), (game / name).string(),
                                (game / "valve" / "maps").string(), std::nullopt};
            if (tfcApp || isDir(game / "tfc")) install.tfcmaps = (game / "tfc" / "maps").string();
            found.installs.push_back(std::move(install));
            return;
        }
    }

    std::set<std::string> roots_, libraries_, games_;
};

}  // namespace

std::string_view kindName(InstallKind kind) {
    switch (kind) {
        case InstallKind::SteamNative:
            return "Steam";
        case InstallKind::FlatpakSteam:
            return "Flatpak Steam";
        case InstallKind::Wine:
            return "Wine";
    }
    return {};
}

InstallsFound findInstalls(const InstallSearch& where) {
    Search search;
    // Relative folders would be looked for wherever the program happens to run.
    const fs::path home(where.home);
    if (home.is_absolute()) {
        const fs::path flatpak = home / ".var" / "app" / "com.valvesoftware.Steam";
        for (const auto& [root, kind] : std::initializer_list<std::pair<fs::path, InstallKind>>{
                 {home / ".local" / "share" / "Steam", InstallKind::SteamNative},
                 {home / ".steam" / "steam", InstallKind::SteamNative},
                 {home / ".steam" / "root", InstallKind::SteamNative},
                 {home / ".steam" / "debian-installation", InstallKind::SteamNative},
                 {flatpak / ".local" / "share" / "Steam", InstallKind::FlatpakSteam},
                 {flatpak / "data" / "Steam", InstallKind::FlatpakSteam}})
            search.steamRoot(root, kind);
        search.winePrefix(home / ".wine");
    }
    const fs::path prefix(where.winePrefix);
    if (prefix.is_absolute()) search.winePrefix(prefix);
    return std::move(search.found);
}

}  // namespace skyloom
