#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <set>

#include "fuzz.h"
#include "games/installs.h"
#include "games/start_plan.h"
#include "games/vdf.h"
#include "temp_folder.h"

using namespace skyloom;
namespace fs = std::filesystem;

namespace {

// "key=value" for a value, "key{…}" for a block, children in order.
std::string flat(const VdfNode& node) {
    std::string s;
    for (const VdfNode& c : node.children)
        s += c.block ? c.key + "{" + flat(c) + "}" : c.key + "=" + c.value + ";";
    return s;
}

std::string parsed(std::string_view text) {
    const std::optional<VdfNode> root = parseVdf(text);
    return root ? flat(*root) : "(damaged)";
}

// A temporary folder holding a home folder and whatever else a case builds.
struct Tree : test::TempFolder {
    void file(const std::string& at, const std::string& text = "") const {
        put(at.substr(root.size() + 1), text);
    }
    // A library holding an app's manifest; the game folder Half-Life gets `programs`.
    void app(const std::string& library, const char* id, const char* flags,
             std::initializer_list<const char*> programs = {},
             const std::string& apps = "steamapps") const {
        file(library + "/" + apps + "/appmanifest_" + id + ".acf",
             std::string("\"AppState\"\n{\n\t\"appid\"\t\t\"") + id + "\"\n\t\"StateFlags\"\t\t\"" +
                 flags + "\"\n\t\"installdir\"\t\t\"Half-Life\"\n}\n");
        for (const char* p : programs) file(library + "/" + apps + "/common/Half-Life/" + p);
    }

    std::string root = path, home = root + "/home";
};

// A start in one line: "program args | folder | VAR=value" or "refused: what was tried | why".
std::string outcome(const StartDecision& d) {
    if (!d.plan)
        return "refused: " + d.tried.text() + " | " + d.reason + (d.missing ? " [missing]" : "");
    std::string s = d.plan->program;
    for (const std::string& a : d.plan->arguments) s += " " + a;
    s += " | " + d.plan->workingFolder;
    for (const auto& [name, value] : d.plan->environment) s += " | " + name + "=" + value;
    return s;
}

}  // namespace

TEST(Installs, foundFromSteamsTextFilesInEveryKnownPlaceOnceAndNeverFromDamagedOnes) {
    const std::pair<std::string, std::string> texts[] = {
        {"// Steam\nAppState { name \"Half-Life \\\"1\\\"\" x \"a\\tb\\q\" [$LINUX] }",
         "AppState{name=Half-Life \"1\";x=a\tb\\q;}"},
        {"", ""},
        {"\"a\" { \"b\" \"c\"", "(damaged)"},  // unclosed block
        {"\"a\" \"b\" }", "(damaged)"},        // stray brace
        {"\"a\" \"b", "(damaged)"},            // unterminated string
        {"\"a\" { }  { }", "(damaged)"},       // block without key
        {[] {
             std::string deep;
             for (std::size_t i = 0; i <= kVdfMaxDepth; ++i) deep += "k {";
             return deep + std::string(kVdfMaxDepth + 1, '}');
         }(),
         "(damaged)"},
        {"k \"" + std::string(kVdfMaxBytes, 'x') + "\"", "(damaged)"},
    };
    for (const auto& [text, expected] : texts)
        EXPECT_EQ(parsed(text), expected) << text.substr(0, 80);
    test::fuzz({"\"a\" { \"path\" \"/x\\\"y\" [$WIN32] { } } // z"}, 20000,
               [](const std::string& text) { (void)parseVdf(text); });
    // Installs, from Steam's files and the known places.
    struct Case {
        const char* what;
        std::function<void(const Tree&)> build;
        // "kind|game folder|program|tfc|Steam root"; $G: steamapps/common/Half-Life
        std::vector<std::string> expected;
    };
    const std::string native = "/.local/share/Steam", snap = "/snap/steam/common" + native;
    const std::string flatpak = "/.var/app/com.valvesoftware.Steam";
    const Case cases[] = {
        {"native and Snap roots, also reached through ~/.steam/root and ~/.steam/steam",
         [&](const Tree& t) {
             t.app(t.home + native, "70", "4", {"hl.sh", "hl_linux", "tfc/liblist.gam"});
             t.app(t.home + snap, "70", "4", {"hl.sh"});
             fs::create_directory(t.home + "/.steam");
             fs::create_directory_symlink(t.home + native, t.home + "/.steam/root");
             fs::create_directory_symlink(t.home + snap, t.home + "/.steam/steam");
         },
         {"Steam|$H/.local/share/Steam/$G|hl.sh|tfc|$H/.local/share/Steam",
          "Snap Steam|$H/snap/steam/common/.local/share/Steam/$G|hl.sh||"
          "$H/snap/steam/common/.local/share/Steam"}},
        {"distribution package, Flatpak extra library in today's layout with TFC by its manifest",
         [&](const Tree& t) {
             t.app(t.home + "/.steam/debian-installation", "70", "6", {"hl_linux"});
             t.file(t.home + flatpak + native + "/config/libraryfolders.vdf",
                    "\"libraryfolders\" { \"0\" { \"path\" \"" + t.home + flatpak + native +
                        "\" } \"1\" { \"path\" \"" + t.root +
                        "/lib \\\"a\\\\b\\\"\" \"apps\" { \"70\" \"1\" \"20\" \"1\" } } }");
             t.app(t.root + "/lib \"a\\b\"", "70", "4", {"hl.sh"});
             t.app(t.root + "/lib \"a\\b\"", "20", "4");
         },
         {"Steam|$H/.steam/debian-installation/$G|hl_linux||$H/.steam/debian-installation",
          "Flatpak Steam|$R/lib \"a\\b\"/$G|hl.sh|tfc|$H" + flatpak + native}},
        {"pre-2021 library layout, SteamApps in another case; uninstalled game in the root",
         [&](const Tree& t) {
             t.app(t.home + native, "70", "2", {"hl.sh"}, "SteamApps");
             t.file(t.home + native + "/SteamApps/libraryfolders.vdf",
                    "\"LibraryFolders\" { \"TimeNextStatsReport\" \"1\" \"1\" \"" + t.root +
                        "/old\" \"2\" \"D:\\\\SteamLibrary\" }");
             t.app(t.root + "/old", "70", "1030", {"hl_linux"});
         },
         {"Steam|$R/old/$G|hl_linux||$H/.local/share/Steam"}},
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
         {}},
        {"Wine: WINEPREFIX; Steam for Windows with a library on Z:",
         [&](const Tree& t) {
             t.file(t.root + "/prefix/drive_c/Games/Half-Life/hl.exe");
             t.file(t.root + "/prefix/drive_c/Games/Half-Life/tfc/maps/2fort.bsp");
             const std::string steam = t.root + "/prefix/drive_c/Program Files/Steam";
             t.file(steam + "/steam.exe");
             std::string z;  // the root as Wine's Z: drive writes it
             for (char ch : t.root) z += ch == '/' ? std::string("\\\\") : std::string(1, ch);
             t.file(steam + "/steamapps/libraryfolders.vdf",
                    "libraryfolders { 0 { path \"C:\\\\Program Files\\\\Steam\" } 1 { path \"Z:" +
                        z + "\\\\zlib\" } }");
             t.app(t.root + "/zlib", "70", "4", {"hl.exe"});
         },
         {"Steam in Wine|$R/zlib/$G|hl.exe||$R/prefix/drive_c/Program Files/Steam",
          "Wine|$R/prefix/drive_c/Games/Half-Life|hl.exe|tfc|"}},
    };
    for (const Case& c : cases) {
        const Tree tree;
        c.build(tree);
        const InstallsFound found = findInstalls({tree.home, tree.root + "/prefix"});
        std::vector<std::string> seen;
        for (const GameInstall& i : found.installs) {
            std::string line = std::string(kindName(i.kind)) + "|" + i.folder + "|" +
                               i.program.substr(i.folder.size() + 1) + "|" +
                               (i.tfcmaps ? "tfc" : "") + "|" + i.steamRoot;
            for (const auto& [from, to] : {std::pair<std::string, std::string>{tree.home, "$H"},
                                           {tree.root, "$R"},
                                           {"steamapps/common/Half-Life", "$G"}})
                for (std::size_t at; (at = line.find(from)) != std::string::npos;)
                    line.replace(at, from.size(), to);
            seen.push_back(line);
        }
        EXPECT_EQ(seen, c.expected) << c.what;
    }
}

TEST(StartPlan, eachInstallStartsTheWayItNeeds) {
    const std::string lib = "/home/p/.local/share/Steam/steamapps/common/Half-Life";
    const std::string flat =
        "/home/p/.var/app/com.valvesoftware.Steam/.local/share/Steam/steamapps/common/Half-Life";
    const std::string snap = "/home/p/snap/steam/common/.local/share/Steam/steamapps/common/HL";
    const std::string wineSteam = "/home/p/.wine/drive_c/Program Files (x86)/Steam";
    const std::string need =
        " Steam must be installed: the game does not run without a Steam client.";
    // One file system for every start: executable files, Windows programs, other files.
    const std::set<std::string> exe{lib + "/hl_linux", "/both/hl.sh",
                                    "/both/hl_linux",  "/mnt/lib/steamapps/common/Half-Life/hl.sh",
                                    snap + "/hl.sh",   "/opt/hl/hl_linux",
                                    flat + "/hl.sh"};
    const std::set<std::string> windows{"/cwd/hl.exe", wineSteam + "/steam.exe",
                                        wineSteam + "/steamapps/common/Half-Life/hl.exe",
                                        "/mnt/games/steamapps/common/Half-Life/hl.exe"};
    const std::set<std::string> plain{"/st/steam.sh", "/cwd/my game/hl.exe"};
    struct Case {
        std::string program, path, expected;  // path: the names found on PATH
        std::string cwd = "/cwd";
    };
    const Case cases[] = {
        {"hl.exe", "steam",
         "refused: wine /cwd/hl.exe -game ******** | It is a Windows program and wine was not "
         "found on PATH."},
        {"hl.exe", "steam", "/usr/bin/steam -applaunch 70 -game tfc | " + lib, lib},  // bare name
        {"/mnt/lib/steamapps/common/Half-Life/hl.sh", "",  // detection knows its root
         "refused: /st/steam.sh -applaunch 70 -game ******** | steam is not on PATH, /st/steam.sh "
         "is not an executable file." +
             need},
        {lib + "/hl_linux", "flatpak",
         "refused: steam -applaunch 70 -game ******** | steam is not on PATH, and no Steam folder "
         "is known for this game's library." +
             need},
        {snap + "/hl.sh", "snap", "/usr/bin/snap run steam -applaunch 70 -game tfc | /cwd"},
        {wineSteam + "/steamapps/common/Half-Life/hl.exe", "wine steam",
         "/usr/bin/wine " + wineSteam +
             "/steam.exe -applaunch 70 -game tfc | /cwd | WINEPREFIX=/home/p/.wine"},
        {snap + "/hl.sh", "snap steam", "/usr/bin/steam -applaunch 70 -game tfc | /cwd"},
        {flat + "/hl.sh", "steam",  // never that install's steam.sh, outside its sandbox
         "refused: flatpak run com.valvesoftware.Steam -applaunch 70 -game ******** | flatpak is "
         "not on PATH." +
             need},
        {"/mnt/games/steamapps/common/Half-Life/hl.exe", "wine",  // a library on Z:
         "/usr/bin/wine /pfx/drive_c/Steam/steam.exe -applaunch 70 -game tfc | /cwd | "
         "WINEPREFIX=/pfx"},
        {"/opt/hl/hl_linux", "steam", "/opt/hl/hl_linux -game tfc | /cwd"},
        {"/both/hl.exe", "", "/both/hl.sh -game tfc | /cwd"},  // hl.sh sets up its libraries
        {"my game/hl.exe", "wine",
         "refused: \"/cwd/my game/hl.exe\" -game ******** | The file is not executable."},
        {"gone.exe", "wine", "refused: /cwd/gone.exe -game ******** | No such file. [missing]"},
        {"/opt/hl/hl_linux", "",
         "refused: /opt/hl/hl_linux -game ******** | The folder \"/gone\" "
         "does not exist. [missing]",
         "/gone"},
    };
    for (const Case& c : cases) {
        const StartLookups lookups{
            [&](const std::string& p) {
                const bool x = exe.count(p), w = windows.count(p), file = x || w || plain.count(p);
                return FileFacts{file || (p == c.cwd && p != "/gone"), file, x, w};
            },
            [&](const std::string& name) {
                const bool found = (" " + c.path + " ").find(" " + name + " ") != std::string::npos;
                return found ? "/usr/bin/" + name : std::string();
            },
            [](const std::string& f) -> std::optional<SteamOwner> {
                if (f.starts_with("/mnt/lib/")) return SteamOwner{InstallKind::SteamNative, "/st"};
                if (!f.starts_with("/mnt/games/")) return std::nullopt;
                return SteamOwner{InstallKind::WineSteam, "/pfx/drive_c/Steam"};
            }};
        // The second argument is secret: masked in what was tried, passed as it is.
        const GameStart start{c.program, {"-game", "tfc"}, c.cwd, {1}};
        EXPECT_EQ(outcome(decideStart(start, c.cwd, lookups)), c.expected) << c.program;
    }
}
