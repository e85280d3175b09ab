#include "games/start_plan.h"

#include <filesystem>

#include "platform/ascii.h"

namespace skyloom {
namespace {

namespace fs = std::filesystem;

constexpr const char* kAppId = "70";

// What follows the program.
std::vector<std::string> arguments(const ShownCommand& c) {
    return {c.words.begin() + 1, c.words.end()};
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

// Without detection: a game folder directly below steamapps/common/ (any case, as older clients
// wrote SteamApps) is a Steam library's; the library is its Steam's root when it holds the client.
std::optional<SteamOwner> steamLibraryOwner(const fs::path& folder, bool windows,
                                            const StartLookups& lookups) {
    const fs::path common = folder.parent_path(), apps = common.parent_path();
    if (asciiLowered(common.filename().string()) != "common" ||
        asciiLowered(apps.filename().string()) != "steamapps")
        return std::nullopt;
    SteamOwner owner;
    const std::string f = folder.string();
    if (windows)
        owner.kind = InstallKind::WineSteam;
    else if (f.find("/.var/app/com.valvesoftware.Steam/") != std::string::npos)
        owner.kind = InstallKind::FlatpakSteam;
    else if (f.find("/snap/steam/common/") != std::string::npos)
        owner.kind = InstallKind::SnapSteam;
    const fs::path library = apps.parent_path();
    if (lookups.file((library / (windows ? "steam.exe" : "steam.sh")).string()).isFile)
        owner.root = library.string();
    if (windows && owner.root.empty()) return std::nullopt;  // a plain Windows copy
    return owner;
}

StartDecision refuse(ShownCommand tried, std::string reason, bool missing = false) {
    return {std::nullopt, std::move(tried), std::move(reason), missing};
}

// The game calls Steam's API at start and quits at once without a client, so it always starts
// through the Steam that owns it: the first of that Steam's ways found on this machine.
StartDecision steamGame(const SteamOwner& owner, const GameStart& start,
                        const std::string& workingFolder, const StartLookups& lookups) {
    struct Way {
        std::string program;  // a name looked up on PATH, or a path
        std::vector<std::string> words;
    };
    std::vector<Way> ways;
    std::vector<std::pair<std::string, std::string>> environment;
    std::string missing = "Steam must be installed: the game does not run without a Steam client.";
    switch (owner.kind) {
        case InstallKind::FlatpakSteam:
            ways = {{"flatpak", {"run", "com.valvesoftware.Steam"}}};
            break;
        case InstallKind::SnapSteam:
            ways = {{"steam", {}}, {"snap", {"run", "steam"}}};
            break;
        case InstallKind::WineSteam:
            ways = {{"wine", {owner.root + "/steam.exe"}}};
            if (const auto prefix = winePrefixOf(owner.root + "/steam.exe"))
                environment.emplace_back("WINEPREFIX", *prefix);
            missing = "It is a Windows program and wine was not found on PATH.";
            break;
        default:
            ways = {{"steam", {}}};
            if (!owner.root.empty()) ways.push_back({owner.root + "/steam.sh", {}});
    }
    ShownCommand tried;
    std::string notFound;
    for (Way& way : ways) {
        way.words.insert(way.words.begin(), way.program);
        way.words.insert(way.words.end(), {"-applaunch", kAppId});
        tried = shownAfter(way.words, start, environment);
        const bool named = way.program.find('/') == std::string::npos;
        const std::string program = named ? lookups.onPath(way.program)
                                    : lookups.file(way.program).executable ? way.program
                                                                           : std::string();
        if (!program.empty())
            return {StartPlan{program, arguments(tried), workingFolder, environment}, tried, {}};
        notFound += (notFound.empty() ? "" : ", ") + way.program +
                    (named ? " is not on PATH" : " is not an executable file");
    }
    if (owner.kind == InstallKind::WineSteam) return refuse(tried, missing);
    if (owner.kind == InstallKind::SteamNative && owner.root.empty())
        notFound += ", and no Steam folder is known for this game's library";
    return refuse(tried, notFound + ". " + missing);
}

}  // namespace

StartDecision decideStart(const GameStart& start, const std::string& currentFolder,
                          const StartLookups& lookups) {
    const std::string folder = (fs::path(currentFolder) / start.folder).string();
    fs::path path = fs::path(currentFolder) / start.program;  // an absolute one stays as it is
    FileFacts facts = lookups.file(path.string());
    if (!facts.exists && asciiLowered(path.filename().string()) == "hl.exe") {
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
    const ShownCommand direct = shownAfter({path.string()}, start);
    if (!facts.exists) return refuse(direct, "No such file.", true);
    if (!facts.isFile) return refuse(direct, "It is a folder, not a program.");
    const FileFacts place = lookups.file(folder);
    if (!place.exists || place.isFile)
        return refuse(direct, "The folder \"" + folder + "\" does not exist.", true);

    const std::string name = asciiLowered(path.filename().string());
    if (name == "hl_linux" || name == "hl.sh" || name == "hl.exe") {
        std::optional<SteamOwner> owner = lookups.steamInstall(path.parent_path().string());
        if (!owner) owner = steamLibraryOwner(path.parent_path(), facts.windowsProgram, lookups);
        if (owner && (owner->kind != InstallKind::WineSteam || !owner->root.empty()))
            return steamGame(*owner, start, folder, lookups);
    }

    if (facts.windowsProgram) {
        const std::optional<std::string> prefix = winePrefixOf(path);
        std::vector<std::pair<std::string, std::string>> environment;
        if (prefix) environment.emplace_back("WINEPREFIX", *prefix);
        const ShownCommand tried = shownAfter({"wine", path.string()}, start, environment);
        const std::string wine = lookups.onPath("wine");
        if (wine.empty())
            return refuse(tried, "It is a Windows program and wine was not found on PATH.");
        return {StartPlan{wine, arguments(tried), folder, environment}, tried, {}};
    }

    if (!facts.executable) return refuse(direct, "The file is not executable.");
    return {StartPlan{path.string(), start.arguments, folder, {}}, direct, {}};
}

}  // namespace skyloom
