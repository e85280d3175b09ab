#include "games/installs.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <set>

#include "games/vdf.h"
#include "platform/ascii.h"
#include "platform/files.h"

namespace skyloom {
namespace {

namespace fs = std::filesystem;

constexpr const char* kHalfLife = "70";
constexpr const char* kTeamFortress = "20";

// The same folder reached through different links gives the same key.
std::string identity(const fs::path& p) {
    std::error_code ec;
    const fs::path c = fs::canonical(p, ec);
    return ec ? p.lexically_normal().string() : c.string();
}

// A folder's entry by its name without regard to case, as Steam and Windows match it: the exact
// name first, else the first such name in sorted order.
std::optional<fs::path> entryAnyCase(const fs::path& dir, const std::string& name) {
    std::error_code ec;
    if (fs::exists(dir / name, ec)) return dir / name;
    const std::string wanted = asciiLowered(name);
    std::optional<fs::path> found;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec))
        if (asciiLowered(it->path().filename().string()) == wanted &&
            (!found || it->path() < *found))
            found = it->path();
    return found;
}

fs::path steamapps(const fs::path& library) {
    return entryAnyCase(library, "steamapps").value_or(library / "steamapps");
}

std::optional<VdfNode> readVdf(const fs::path& p) {
    std::error_code ec;
    if (!isFile(p)) return std::nullopt;
    const std::uintmax_t size = fs::file_size(p, ec);
    if (ec || size > kVdfMaxBytes) return std::nullopt;
    std::unique_ptr<FILE, int (*)(FILE*)> in(std::fopen(p.c_str(), "rbe"), &std::fclose);
    if (!in) return std::nullopt;
    std::string text(static_cast<std::size_t>(size), '\0');
    text.resize(std::fread(text.data(), 1, text.size(), in.get()));
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

// A library path as written in Steam's files, where it lies on this machine (nothing: elsewhere).
using PathReader = std::function<std::optional<fs::path>(const std::string&)>;

// libraryfolders.vdf in both layouts ("N" { "path" "…" } since 2021, "N" "…" before), and the
// BaseInstallFolder_N keys of config.vdf that older clients wrote instead.
std::vector<fs::path> listedLibraries(const fs::path& root, const PathReader& where) {
    std::vector<std::string> paths;
    std::optional<VdfNode> file = readVdf(root / "config" / "libraryfolders.vdf");
    if (!file) file = readVdf(steamapps(root) / "libraryfolders.vdf");
    const VdfNode* top = file ? file->find("libraryfolders") : nullptr;
    for (const VdfNode& entry : top && top->block ? top->children : std::vector<VdfNode>{}) {
        const std::string* path = entry.block ? stringValue(&entry, "path") : &entry.value;
        if (isNumber(entry.key) && path) paths.push_back(*path);
    }
    const std::optional<VdfNode> config = readVdf(root / "config" / "config.vdf");
    const VdfNode* steam = config ? config->find("InstallConfigStore") : nullptr;
    for (const char* key : {"Software", "Valve", "Steam"})
        steam = steam && steam->block ? steam->find(key) : nullptr;
    for (const VdfNode& entry : steam && steam->block ? steam->children : std::vector<VdfNode>{})
        if (!entry.block && asciiLowered(entry.key).starts_with("baseinstallfolder_"))
            paths.push_back(entry.value);

    std::vector<fs::path> out;
    for (const std::string& path : paths)
        if (!path.empty())
            if (std::optional<fs::path> p = where(path)) out.push_back(std::move(*p));
    return out;
}

// The game folder of an app the library holds fully installed.
std::optional<fs::path> installedApp(const fs::path& library, const char* app) {
    const fs::path apps = steamapps(library);
    const std::optional<VdfNode> manifest =
        readVdf(apps / (std::string("appmanifest_") + app + ".acf"));
    const VdfNode* state = manifest ? manifest->find("AppState") : nullptr;
    const std::string* flags = stringValue(state, "StateFlags");
    const std::string* dir = stringValue(state, "installdir");
    if (!flags || !dir || !isNumber(*flags) || (std::stoul(*flags) & 4u) == 0) return std::nullopt;
    // One folder name below common/, never a way out of it.
    if (dir->empty() || *dir == "." || *dir == ".." || dir->find('/') != std::string::npos)
        return std::nullopt;
    const fs::path common = entryAnyCase(apps, "common").value_or(apps / "common");
    return entryAnyCase(common, *dir).value_or(common / *dir);
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
        if (!isFolder(root) || !roots_.insert(identity(root)).second) return;
        libraries(root, kind, {"hl.sh", "hl_linux"}, [](const std::string& p) {
            return p.front() == '/' ? std::optional<fs::path>(p) : std::nullopt;
        });
    }

    void winePrefix(const fs::path& prefix) {
        searched(prefix);
        if (!isFolder(prefix / "drive_c") || !roots_.insert(identity(prefix)).second) return;
        const fs::path c = prefix / "drive_c";
        for (const fs::path& root :
             {c / "Program Files (x86)" / "Steam", c / "Program Files" / "Steam"})
            if (isFile(root / "steam.exe") && roots_.insert(identity(root)).second)
                libraries(root, InstallKind::WineSteam, {"hl.exe"}, [&](const std::string& p) {
                    return std::optional<fs::path>(wineToUnixPath(prefix.string(), p));
                });
        for (const fs::path& game :
             {c / "Program Files (x86)" / "Steam" / "steamapps" / "common" / "Half-Life",
              c / "Program Files" / "Steam" / "steamapps" / "common" / "Half-Life",
              c / "Sierra" / "Half-Life", c / "Games" / "Half-Life"})
            add(InstallKind::Wine, game, {"hl.exe"}, false, {});
    }

private:
    void libraries(const fs::path& root, InstallKind kind,
                   std::initializer_list<const char*> programs, const PathReader& where) {
        std::vector<fs::path> libraries{root};
        for (fs::path& listed : listedLibraries(root, where))
            libraries.push_back(std::move(listed));
        for (const fs::path& library : libraries) {
            if (!libraries_.insert(identity(library)).second) continue;
            const std::optional<fs::path> game = installedApp(library, kHalfLife);
            if (!game) continue;
            const std::optional<fs::path> tfc = installedApp(library, kTeamFortress);
            add(kind, *game, programs, tfc && identity(*tfc) == identity(*game), root.string());
        }
    }

    void add(InstallKind kind, const fs::path& game, std::initializer_list<const char*> programs,
             bool tfcApp, const std::string& root) {
        for (const char* name : programs) {
            if (!isFile(game / name)) continue;
            if (!games_.insert(identity(game)).second) return;
            GameInstall install{kind,
                                game.string(),
                                (game / name).string(),
                                (game / "valve" / "maps").string(),
                                std::nullopt,
                                root};
            if (tfcApp || isFolder(game / "tfc"))
                install.tfcmaps = (game / "tfc" / "maps").string();
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
        case InstallKind::SnapSteam:
            return "Snap Steam";
        case InstallKind::Wine:
            return "Wine";
        case InstallKind::WineSteam:
            return "Steam in Wine";
    }
    return {};
}

InstallsFound findInstalls(const InstallSearch& where) {
    // Relative folders would be looked for wherever the program happens to run.
    Search search;
    const fs::path home(where.home);
    if (home.is_absolute()) {
        const fs::path flatpak = home / ".var" / "app" / "com.valvesoftware.Steam";
        for (const auto& [root, kind] : std::initializer_list<std::pair<fs::path, InstallKind>>{
                 {home / ".local" / "share" / "Steam", InstallKind::SteamNative},
                 {home / ".steam" / "debian-installation", InstallKind::SteamNative},
                 {flatpak / ".local" / "share" / "Steam", InstallKind::FlatpakSteam},
                 {flatpak / "data" / "Steam", InstallKind::FlatpakSteam},
                 {home / "snap" / "steam" / "common" / ".local" / "share" / "Steam",
                  InstallKind::SnapSteam},
                 // Links, most often to one of the above; listed after them so that an install
                 // is shown where it really lies.
                 {home / ".steam" / "steam", InstallKind::SteamNative},
                 {home / ".steam" / "root", InstallKind::SteamNative}})
            search.steamRoot(root, kind);
        search.winePrefix(home / ".wine");
    }
    const fs::path prefix(where.winePrefix);
    if (prefix.is_absolute()) search.winePrefix(prefix);
    return std::move(search.found);
}

std::optional<std::string> wineToUnixPath(const std::string& prefix, std::string_view windows) {
    if (windows.size() < 2 || windows[1] != ':') return std::nullopt;
    const char drive = asciiLowered(std::string(1, windows[0]))[0];
    if (drive < 'a' || drive > 'z') return std::nullopt;
    std::string out = drive == 'c'   ? prefix + "/drive_c"
                      : drive == 'z' ? std::string()
                                     : prefix + "/dosdevices/" + drive + ":";
    std::size_t at = 2;
    while (at < windows.size()) {
        const std::size_t end = std::min(windows.find_first_of("\\/", at), windows.size());
        const std::string_view part = windows.substr(at, end - at);
        if (part == "..") return std::nullopt;
        if (!part.empty() && part != ".") out.append("/").append(part);
        at = end + 1;
    }
    return out.empty() ? "/" : out;
}

FindGameReport findGameReport(const InstallsFound& found) {
    // One install a line, one field between tabs, whatever a folder's name holds.
    const auto field = [](std::string s) {
        for (char& c : s)
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = '?';
        return s;
    };
    FindGameReport report;
    for (const GameInstall& i : found.installs) {
        static constexpr const char* kinds[] = {"steam", "flatpak-steam", "snap-steam", "wine",
                                                "wine-steam"};
        const std::string fields[] = {kinds[static_cast<int>(i.kind)], i.program, i.maps,
                                      i.tfcmaps.value_or("-")};
        for (const std::string& f : fields)
            report.out += field(f) + (&f == &fields[3] ? '\n' : '\t');
    }
    if (found.installs.empty()) {
        report.status = 1;
        report.err = "Skyloom did not find Half-Life. It looked in:\n";
        for (const std::string& place : found.searched) report.err += field(place) + '\n';
    }
    return report;
}

}  // namespace skyloom
