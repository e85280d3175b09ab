#include "platform/settings_place.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace skyloom {

namespace {

constexpr const char* kFileName = "skyloom.ini";

std::string join(const std::string& folder, const std::string& name) {
    return (std::filesystem::path(folder) / name).string();
}

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

}  // namespace

std::string settingsFilePath(const SettingsPlaceFacts& f) {
    if (f.chosenFile && !f.chosenFile->empty()) return *f.chosenFile;
    if (f.programFolderHoldsSettings ||
        (f.programFolderWritable && !f.programFolderIsInstallFolder))
        return join(f.programFolder, kFileName);
    // A relative XDG_CONFIG_HOME is invalid and is ignored, as the XDG rules say.
    std::string config = f.xdgConfigHome;
    if (config.empty() || config.front() != '/') {
        // Never beside a program the player cannot write to: the caller says no place is known.
        if (f.home.empty()) return {};
        config = join(f.home, ".config");
    }
    return join(join(config, "skyloom"), kFileName);
}

bool modeAllowsWrite(mode_t mode, uid_t owner, gid_t group, uid_t user,
                     const std::vector<gid_t>& userGroups) {
    if (owner == user) return (mode & S_IWUSR) != 0;
    if (std::find(userGroups.begin(), userGroups.end(), group) != userGroups.end())
        return (mode & S_IWGRP) != 0;
    return (mode & S_IWOTH) != 0;
}

bool folderWritable(const std::string& folder) {
    struct stat st {};
    if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
    // access() still answers for read-only mounts, even for root.
    if (::access(folder.c_str(), W_OK) != 0) return false;
    std::vector<gid_t> groups(static_cast<size_t>(std::max(0, ::getgroups(0, nullptr))));
    const int n = ::getgroups(static_cast<int>(groups.size()), groups.data());
    groups.resize(static_cast<size_t>(std::max(0, n)));
    groups.push_back(::getegid());
    return modeAllowsWrite(st.st_mode, st.st_uid, st.st_gid, ::geteuid(), groups);
}

SettingsPlaceFacts settingsPlaceFacts(const std::string& programFolder,
                                      std::optional<std::string> chosenFile,
                                      const std::string& installFolder) {
    SettingsPlaceFacts f;
    f.chosenFile = std::move(chosenFile);
    f.programFolder = programFolder;
    std::error_code error;
    f.programFolderHoldsSettings = std::filesystem::exists(join(programFolder, kFileName), error);
    f.programFolderWritable = folderWritable(programFolder);
    f.programFolderIsInstallFolder =
        std::filesystem::equivalent(programFolder, installFolder, error);
    f.xdgConfigHome = environment("XDG_CONFIG_HOME");
    f.home = environment("HOME");
    // Without HOME, the account's own home folder, as the XDG rules' readers do.
    if (f.home.empty())
        if (const passwd* account = ::getpwuid(::geteuid()); account && account->pw_dir)
            f.home = account->pw_dir;
    return f;
}

std::optional<std::string> makeFolderFor(const std::string& file) {
    const std::filesystem::path folder = std::filesystem::path(file).parent_path();
    if (folder.empty()) return std::nullopt;
    std::filesystem::path path;
    for (const auto& part : folder) {
        path /= part;
        if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST)
            return "Cannot make the folder " + path.string() + ": " + std::strerror(errno);
    }
    return std::nullopt;
}

}  // namespace skyloom
