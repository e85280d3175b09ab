#include "games/start_plan.h"

#include <filesystem>

namespace skyloom {
namespace {

namespace fs = std::filesystem;

constexpr const char* kAppId = "70";

std::string lowered(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

std::string shown(const std::vector<std::string>& words) {
    std::string text;
    for (const std::string& w : words) {
        if (!text.empty()) text += ' ';
        const bool quote = w.empty() || w.find_first_of(" \t") != std::string::npos;
        text += quote ? '"' + w + '"' : w;
    }
    return text;
}

// The folder holding drive_c, when the path runs through one.
std::optional<std::string> winePrefixOf(const fs::path& program) {
    fs::path prefix;
    for (const fs::path& part : program.parent_path()) {
        if (part == "drive_c" && prefix.has_relative_path()) return prefix.string();
        prefix /= part;
    }
    return std::nullopt;
}

// A game folder directly below steamapps/common/ is a Steam library's, whichever Steam owns it.
std::optional<InstallKind> steamLibraryKind(const fs::path& folder) {
    const fs::path common = folder.parent_path();
    if (common.filename() != "common" || common.parent_path().filename() != "steamapps")
        return std::nullopt;
    const bool flatpak =
        folder.string().find("/.var/app/com.valvesoftware.Steam/") != std::string::npos;
    return flatpak ? InstallKind::FlatpakSteam : InstallKind::SteamNative;
}

StartDecision refuse(std::string tried, std::string reason) {
    return {std::nullopt, std::move(tried), std::move(reason)};
}

StartDecision steamGame(const fs::path& program, InstallKind kind,
                        const std::vector<std::string>& arguments, const std::string& workingFolder,
                        const StartLookups& lookups) {
    const bool flatpak = kind == InstallKind::FlatpakSteam;
    const std::string client = flatpak ? "flatpak" : "steam";
    std::vector<std::string> words;
    if (flatpak) words = {"run", "com.valvesoftware.Steam"};
    words.insert(words.end(), {"-applaunch", kAppId});
    words.insert(words.end(), arguments.begin(), arguments.end());
    const std::string found = lookups.onPath(client);
    if (!found.empty())
        return {StartPlan{found, words, workingFolder, {}}, client + " " + shown(words), {}};

    // Without its client the game runs as Steam would run it: the script, in its folder.
    const fs::path folder = program.parent_path();
    fs::path script = folder / "hl.sh";
    if (!lookups.file(script.string()).isFile) script = program;
    const std::string tried = client + " -applaunch " + kAppId + " (" + client +
                              " is not on PATH), then " + script.string() + " in " +
                              folder.string() + " with SteamAppId=" + kAppId;
    if (!lookups.file(script.string()).executable)
        return refuse(tried, "The file " + script.string() + " is not executable.");
    return {StartPlan{script.string(), arguments, folder.string(), {{"SteamAppId", kAppId}}},
            tried,
            {}};
}

}  // namespace

StartDecision decideStart(const std::string& program, const std::vector<std::string>& arguments,
                          const std::string& workingFolder, const StartLookups& lookups) {
    fs::path path = fs::path(workingFolder) / program;  // an absolute program stays as it is
    FileFacts facts = lookups.file(path.string());
    if (!facts.exists && lowered(path.filename().string()) == "hl.exe") {
        for (const char* native : {"hl.sh", "hl_linux"}) {
            const fs::path candidate = path.parent_path() / native;
            const FileFacts f = lookups.file(candidate.string());
            if (f.isFile) {
                path = candidate;
                facts = f;
                break;
            }
        }
    }
    std::vector<std::string> direct{path.string()};
    direct.insert(direct.end(), arguments.begin(), arguments.end());
    if (!facts.exists) return refuse(shown(direct), "No such file.");
    if (!facts.isFile) return refuse(shown(direct), "It is a folder, not a program.");

    if (facts.windowsProgram) {
        const std::optional<std::string> prefix = winePrefixOf(path);
        const std::string tried =
            "wine " + shown(direct) + (prefix ? " with WINEPREFIX=" + *prefix : "");
        const std::string wine = lookups.onPath("wine");
        if (wine.empty())
            return refuse(tried, "It is a Windows program and wine was not found on PATH.");
        StartPlan plan{wine, direct, workingFolder, {}};
        if (prefix) plan.environment.emplace_back("WINEPREFIX", *prefix);
        return {std::move(plan), tried, {}};
    }

    const std::string name = path.filename().string();
    if (name == "hl_linux" || name == "hl.sh") {
        std::optional<InstallKind> kind = lookups.steamInstall(path.parent_path().string());
        if (!kind) kind = steamLibraryKind(path.parent_path());
        if (kind) return steamGame(path, *kind, arguments, workingFolder, lookups);
    }

    if (!facts.executable) return refuse(shown(direct), "The file is not executable.");
    return {StartPlan{path.string(), arguments, workingFolder, {}}, shown(direct), {}};
}

}  // namespace skyloom
