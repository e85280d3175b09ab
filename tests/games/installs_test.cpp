#include "games/installs.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <functional>

using namespace skyloom;
namespace fs = std::filesystem;

namespace {

// A temporary folder holding a home folder and whatever else a case builds.
class Tree {
public:
    Tree() {
        std::string pattern = (fs::temp_directory_path() / "installs-XXXXXX").string();
        root = mkdtemp(pattern.data());
        home = root + "/home";
    }
    ~Tree() {
        std::error_code ec;
        fs::remove_all(root, ec);
    }
    void file(const std::string& path, const std::string& text = "") const {
        fs::create_directories(fs::path(path).parent_path());
        std::ofstream(path, std::ios::binary) << text;
    }
    void link(const std::string& target, const std::string& at) const {
        fs::create_directories(fs::path(at).parent_path());
        fs::create_directory_symlink(target, at);
    }
    // A library holding an app's manifest; the game folder Half-Life gets `programs`.
    void app(const std::string& library, const char* id, const char* flags,
             std::initializer_list<const char*> programs = {},
             const std::string& apps = "steamapps", const char* installdir = "Half-Life") const {
        file(library + "/" + apps + "/appmanifest_" + id + ".acf",
             std::string("\"AppState\"\n{\n\t\"appid\"\t\t\"") + id + "\"\n\t\"StateFlags\"\t\t\"" +
                 flags + "\"\n\t\"installdir\"\t\t\"" + installdir + "\"\n}\n");
        for (const char* p : programs) file(library + "/" + apps + "/common/Half-Life/" + p);
    }

    std::string root, home;
};

}  // namespace

TEST(Installs, foundInEveryKnownPlaceOnceAndNeverFromDamagedFiles) {
    struct Case {
        const char* what;
        std::function<void(const Tree&)> build;
        std::string winePrefix;             // below the tree's root
        std::vector<std::string> expected;  // "kind|game folder|program|tfc|Steam root"
    };
    const std::string native = "/.local/share/Steam", snap = "/snap/steam/common" + native;
    const Case cases[] = {
        {"native root reached through both links",
         [&](const Tree& t) {
             t.app(t.home + native, "70", "4", {"hl.sh", "hl_linux", "tfc/liblist.gam"});
             t.link(t.home + native, t.home + "/.steam/steam");
             t.link(t.home + native, t.home + "/.steam/root");
         },
         "",
         {"Steam|$H/.local/share/Steam/steamapps/common/Half-Life|hl.sh|tfc|$H/.local/share/"
          "Steam"}},
        {"Snap root, also reached through ~/.steam/steam",
         [&](const Tree& t) {
             t.app(t.home + snap, "70", "4", {"hl.sh"});
             t.link(t.home + snap, t.home + "/.steam/steam");
         },
         "",
         {"Snap Steam|$H/snap/steam/common/.local/share/Steam/steamapps/common/Half-Life|hl.sh||"
          "$H/snap/steam/common/.local/share/Steam"}},
        {"distribution package and old Flatpak root",
         [&](const Tree& t) {
             t.app(t.home + "/.steam/debian-installation", "70", "6", {"hl_linux"});
             t.app(t.home + "/.var/app/com.valvesoftware.Steam/data/Steam", "70", "4", {"hl.sh"});
         },
         "",
         {"Steam|$H/.steam/debian-installation/steamapps/common/Half-Life|hl_linux||"
          "$H/.steam/debian-installation",
          "Flatpak Steam|$H/.var/app/com.valvesoftware.Steam/data/Steam/steamapps/common/"
          "Half-Life|hl.sh||$H/.var/app/com.valvesoftware.Steam/data/Steam"}},
        {"Flatpak extra library in today's layout, TFC by its manifest",
         [&](const Tree& t) {
             t.file(t.home +
                        "/.var/app/com.valvesoftware.Steam/.local/share/Steam/config/"
                        "libraryfolders.vdf",
                    "\"libraryfolders\" { \"0\" { \"path\" \"" + t.home +
                        "/.var/app/com.valvesoftware.Steam/.local/share/Steam\" } \"1\" { "
                        "\"path\" \"" +
                        t.root +
                        "/lib \\\"a\\\\b\\\"\" \"apps\" { \"70\" \"1\" "
                        "\"20\" \"1\" } } }");
             t.app(t.root + "/lib \"a\\b\"", "70", "4", {"hl.sh"});
             t.app(t.root + "/lib \"a\\b\"", "20", "4");
         },
         "",
         {"Flatpak Steam|$R/lib \"a\\b\"/steamapps/common/Half-Life|hl.sh|tfc|"
          "$H/.var/app/com.valvesoftware.Steam/.local/share/Steam"}},
        {"extra libraries in the pre-2021 layout and in an old client's config.vdf with a BOM, "
         "SteamApps and installdir in another case; uninstalled game in the root",
         [&](const Tree& t) {
             t.app(t.home + native, "70", "2", {"hl.sh"}, "SteamApps");
             t.file(t.home + native + "/SteamApps/libraryfolders.vdf",
                    "\"LibraryFolders\" { \"TimeNextStatsReport\" \"1\" \"1\" \"" + t.root +
                        "/old\" \"2\" \"D:\\\\SteamLibrary\" }");
             t.app(t.root + "/old", "70", "1030", {"hl_linux"});
             t.file(t.home + native + "/config/config.vdf",
                    "\xEF\xBB\xBF\"InstallConfigStore\" { \"Software\" { \"valve\" { \"Steam\" { "
                    "\"baseinstallfolder_1\" \"" +
                        t.root + "/older\" } } } }");
             t.app(t.root + "/older", "70", "4", {"hl_linux"}, "SteamApps", "half-life");
         },
         "",
         {"Steam|$R/old/steamapps/common/Half-Life|hl_linux||$H/.local/share/Steam",
          "Steam|$R/older/SteamApps/common/Half-Life|hl_linux||$H/.local/share/Steam"}},
        {"damaged library file and manifest, a manifest leading out of common/",
         [&](const Tree& t) {
             t.file(t.home + native + "/config/libraryfolders.vdf",
                    "\"libraryfolders\" { \"1\" { \"path\" \"" + t.root + "/lib\" ");
             t.app(t.root + "/lib", "70", "4", {"hl.sh"});
             t.file(t.home + native + "/steamapps/appmanifest_70.acf", "\"AppState\" { \"Sta");
             t.file(t.home + "/.steam/debian-installation/steamapps/appmanifest_70.acf",
                    "AppState { StateFlags 4 installdir .. }");
             t.file(t.home + "/.steam/debian-installation/steamapps/hl.sh");
         },
         "",
         {}},
        {"Wine: the default prefix and WINEPREFIX; Steam for Windows with libraries on Z: and D:",
         [&](const Tree& t) {
             t.file(t.home +
                    "/.wine/drive_c/Program Files (x86)/Steam/steamapps/common/Half-Life/hl.exe");
             t.file(t.root + "/prefix/drive_c/Games/Half-Life/hl.exe");
             t.file(t.root + "/prefix/drive_c/Games/Half-Life/tfc/maps/2fort.bsp");
             t.file(t.root + "/prefix/drive_c/Sierra/Half-Life/hl_linux");  // not a Wine game
             const std::string steam = t.root + "/prefix/drive_c/Program Files/Steam";
             t.file(steam + "/steam.exe");
             std::string z;  // the root as Wine's Z: drive writes it
             for (char ch : t.root) z += ch == '/' ? std::string("\\\\") : std::string(1, ch);
             t.file(steam + "/steamapps/libraryfolders.vdf",
                    "libraryfolders { 0 { path \"C:\\\\Program Files\\\\Steam\" } 1 { path \"Z:" +
                        z + "\\\\zlib\" } 2 { path \"d:\\\\Lib\" } }");
             t.app(t.root + "/zlib", "70", "4", {"hl.exe"});
             t.app(t.root + "/prefix/dosdevices/d:/Lib", "70", "4", {"hl.exe", "tfc/x"});
         },
         "/prefix",
         {"Wine|$H/.wine/drive_c/Program Files (x86)/Steam/steamapps/common/Half-Life|hl.exe||",
          "Steam in Wine|$R/zlib/steamapps/common/Half-Life|hl.exe||$R/prefix/drive_c/Program "
          "Files/Steam",
          "Steam in Wine|$R/prefix/dosdevices/d:/Lib/steamapps/common/Half-Life|hl.exe|tfc|"
          "$R/prefix/drive_c/Program Files/Steam",
          "Wine|$R/prefix/drive_c/Games/Half-Life|hl.exe|tfc|"}},
    };
    for (const Case& c : cases) {
        const Tree tree;
        c.build(tree);
        const InstallsFound found =
            findInstalls({tree.home, c.winePrefix.empty() ? "" : tree.root + c.winePrefix});
        std::vector<std::string> seen;
        for (const GameInstall& i : found.installs) {
            std::string line = std::string(kindName(i.kind)) + "|" + i.folder + "|" +
                               i.program.substr(i.folder.size() + 1) + "|" +
                               (i.tfcmaps ? "tfc" : "") + "|" + i.steamRoot;
            for (const auto& [from, to] : {std::pair{tree.home, "$H"}, {tree.root, "$R"}})
                for (std::size_t at; (at = line.find(from)) != std::string::npos;)
                    line.replace(at, from.size(), to);
            seen.push_back(line);
        }
        EXPECT_EQ(seen, c.expected) << c.what;
        EXPECT_EQ(found.searched.size(), c.winePrefix.empty() ? 8u : 9u) << c.what;
    }
    EXPECT_TRUE(findInstalls({"relative/home", "relative/prefix"}).searched.empty());
}

TEST(Installs, findGameReportIsOneTabbedLinePerInstallElseThePlacesLookedIn) {
    const GameInstall steam{InstallKind::SnapSteam, "/g", "/g/hl.sh", "/g/maps", "/g/tfc"};
    const GameInstall wine{InstallKind::WineSteam, "/w", "/w/hl.exe", "/w/a\tb\nc", {}};
    const std::pair<InstallsFound, FindGameReport> cases[] = {
        {{{steam, wine}, {"/a"}},
         {"snap-steam\t/g/hl.sh\t/g/maps\t/g/tfc\nwine-steam\t/w/hl.exe\t/w/a?b?c\t-\n", "", 0}},
        {{{}, {"/a", "/b"}}, {"", "Skyloom did not find Half-Life. It looked in:\n/a\n/b\n", 1}},
    };
    for (const auto& [found, expected] : cases) {
        const FindGameReport r = findGameReport(found);
        EXPECT_EQ(r.out + "|" + r.err + "|" + std::to_string(r.status),
                  expected.out + "|" + expected.err + "|" + std::to_string(expected.status));
    }
    EXPECT_EQ(wineToUnixPath("/p", "D:\\a\\..\\b"), std::nullopt);
}
