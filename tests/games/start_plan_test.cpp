#include "games/start_plan.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

using namespace skyloom;

namespace {

// What a start becomes, in one line: "program args | folder | VAR=value" or "refused: what was
// tried | why".
std::string outcome(const StartDecision& d) {
    if (!d.plan) return "refused: " + d.tried + " | " + d.reason;
    std::string s = d.plan->program;
    for (const std::string& a : d.plan->arguments) s += " " + a;
    s += " | " + d.plan->workingFolder;
    for (const auto& [name, value] : d.plan->environment) s += " | " + name + "=" + value;
    return s;
}

}  // namespace

TEST(StartPlan, eachInstallStartsTheWayItNeeds) {
    const std::string lib = "/home/p/.local/share/Steam/steamapps/common/Half-Life";
    const std::string flat =
        "/home/p/.var/app/com.valvesoftware.Steam/.local/share/Steam/steamapps/common/Half-Life";
    const std::string snap = "/home/p/snap/steam/common/.local/share/Steam/steamapps/common/HL";
    const std::string wineSteam = "/home/p/.wine/drive_c/Program Files (x86)/Steam";
    const std::string need =
        " Steam must be installed: the game does not run without a Steam client.";
    const FileFacts exe{true, true, true, false}, plain{true, true, false, false},
        mz{true, true, false, true}, folder{true, false, false, false};
    struct Case {
        std::string program;
        std::map<std::string, FileFacts> files;
        std::set<std::string> path;  // found on PATH
        std::string expected;
        std::string cwd = "/cwd";
    };
    const Case cases[] = {
        {"/home/p/.wine/drive_c/Games/Half-Life/hl.exe",
         {{"/home/p/.wine/drive_c/Games/Half-Life/hl.exe", mz}},
         {"wine"},
         "/usr/bin/wine /home/p/.wine/drive_c/Games/Half-Life/hl.exe -game tfc | /cwd | "
         "WINEPREFIX=/home/p/.wine"},
        {"hl.exe",
         {{"/cwd/hl.exe", mz}},
         {"steam"},
         "refused: wine /cwd/hl.exe -game tfc | It is a Windows program and wine was not found "
         "on PATH."},
        {lib + "/hl_linux",
         {{lib + "/hl_linux", exe}},
         {"steam", "flatpak"},
         "/usr/bin/steam -applaunch 70 -game tfc | /cwd"},
        {"hl.exe",  // the bare name of the main window's line, in a native game's folder
         {{lib + "/hl.sh", exe}, {lib + "/hl_linux", exe}},
         {"steam"},
         "/usr/bin/steam -applaunch 70 -game tfc | " + lib,
         lib},
        {flat + "/hl.sh",
         {{flat + "/hl.sh", exe}},
         {"steam", "flatpak"},
         "/usr/bin/flatpak run com.valvesoftware.Steam -applaunch 70 -game tfc | /cwd"},
        {"/mnt/Old/SteamApps/common/Half-Life/hl_linux",  // an old client's library, its root
         {{"/mnt/Old/SteamApps/common/Half-Life/hl_linux", exe}, {"/mnt/Old/steam.sh", exe}},
         {"flatpak"},
         "/mnt/Old/steam.sh -applaunch 70 -game tfc | /cwd"},
        {"/mnt/lib/steamapps/common/Half-Life/hl.sh",  // detection knows its root
         {{"/mnt/lib/steamapps/common/Half-Life/hl.sh", exe}, {"/st/steam.sh", plain}},
         {},
         "refused: /st/steam.sh -applaunch 70 -game tfc | steam is not on PATH, /st/steam.sh is "
         "not an executable file." +
             need},
        {lib + "/hl_linux",
         {{lib + "/hl_linux", exe}, {lib + "/hl.sh", exe}},
         {"flatpak"},
         "refused: steam -applaunch 70 -game tfc | steam is not on PATH, and no Steam folder is "
         "known for this game's library." +
             need},
        {flat + "/hl.sh",
         {{flat + "/hl.sh", plain}},
         {"steam"},
         "refused: flatpak run com.valvesoftware.Steam -applaunch 70 -game tfc | flatpak is not on "
         "PATH." +
             need},
        {snap + "/hl.sh",
         {{snap + "/hl.sh", exe}},
         {"snap"},
         "/usr/bin/snap run steam -applaunch 70 -game tfc | /cwd"},
        {snap + "/hl.sh",
         {{snap + "/hl.sh", exe}},
         {"snap", "steam"},
         "/usr/bin/steam -applaunch 70 -game tfc | /cwd"},
        {wineSteam + "/steamapps/common/Half-Life/hl.exe",
         {{wineSteam + "/steamapps/common/Half-Life/hl.exe", mz}, {wineSteam + "/steam.exe", mz}},
         {"wine", "steam"},
         "/usr/bin/wine " + wineSteam +
             "/steam.exe -applaunch 70 -game tfc | /cwd | WINEPREFIX=/home/p/.wine"},
        {"/mnt/games/steamapps/common/Half-Life/hl.exe",  // in a library on Z:, known to detection
         {{"/mnt/games/steamapps/common/Half-Life/hl.exe", mz}},
         {"wine"},
         "/usr/bin/wine /pfx/drive_c/Steam/steam.exe -applaunch 70 -game tfc | /cwd | "
         "WINEPREFIX=/pfx"},
        {"/opt/hl/hl_linux",
         {{"/opt/hl/hl_linux", exe}},
         {"steam"},
         "/opt/hl/hl_linux -game tfc | /cwd"},
        {"my game/hl.exe",
         {{"/cwd/my game/hl.exe", plain}},
         {"wine"},
         "refused: \"/cwd/my game/hl.exe\" -game tfc | The file is not executable."},
        {"hl.exe", {}, {"wine"}, "refused: /cwd/hl.exe -game tfc | No such file."},
        {"/opt",
         {{"/opt", folder}},
         {"wine"},
         "refused: /opt -game tfc | It is a folder, not a program."},
    };
    for (const Case& c : cases) {
        const StartLookups lookups{
            [&](const std::string& p) {
                const auto it = c.files.find(p);
                return it == c.files.end() ? FileFacts{} : it->second;
            },
            [&](const std::string& name) {
                return c.path.count(name) ? "/usr/bin/" + name : std::string();
            },
            [](const std::string& f) -> std::optional<SteamOwner> {
                const std::map<std::string, SteamOwner> known{
                    {"/mnt/lib", {InstallKind::SteamNative, "/st"}},
                    {"/mnt/games", {InstallKind::WineSteam, "/pfx/drive_c/Steam"}}};
                const auto it = known.find(f.substr(0, f.find("/steamapps/common/")));
                if (it == known.end()) return std::nullopt;
                return it->second;
            }};
        EXPECT_EQ(outcome(decideStart(c.program, {"-game", "tfc"}, c.cwd, lookups)), c.expected)
            << c.program;
    }
}
