#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

namespace skyloom {

// What decides where `skyloom.ini` lives.
struct SettingsPlaceFacts {
    std::optional<std::string> chosenFile;  // `--settings FILE`
    std::string programFolder;
    bool programFolderHoldsSettings = false;
    bool programFolderWritable = false;
    bool programFolderIsInstallFolder = false;  // where the package puts the program
    std::string xdgConfigHome;                  // as the environment has it, maybe empty
    std::string home;
};

// Portable (beside the program) when its folder holds a settings file or can be written, unless
// the program is the installed one; otherwise the player's own configuration folder. A chosen
// file wins over both. Empty when no place is known (no home folder, a read-only program folder).
std::string settingsFilePath(const SettingsPlaceFacts& facts);

// Whether the mode bits let this user write into a folder. Root is judged by the bits as any
// other user: the kernel lets root write anywhere, and a program folder left read-only on purpose
// (a staged install, a system folder) should not collect root's settings.
bool modeAllowsWrite(mode_t mode, uid_t owner, gid_t group, uid_t user,
                     const std::vector<gid_t>& userGroups);

// Gathers the facts for a program in `programFolder` from this process and its environment.
SettingsPlaceFacts settingsPlaceFacts(const std::string& programFolder,
                                      std::optional<std::string> chosenFile,
                                      const std::string& installFolder);

// Whether this process may create files in `folder`: the file system allows it and the mode bits
// do (see modeAllowsWrite).
bool folderWritable(const std::string& folder);

// Creates the missing folders above `file` with mode 0700, as the XDG rules ask for the
// configuration folders. Says which folder could not be made and why.
std::optional<std::string> makeFolderFor(const std::string& file);

}  // namespace skyloom
