#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace skyloom {

// The Windows profile (INI) format with the semantics of GetPrivateProfileStringA and
// WritePrivateProfileStringA: section and key names match without regard to case, a value is
// trimmed and loses one pair of quotes on read, a replaced value keeps its line, a new key goes
// to the end of its section and a new section to the end of the file.

// A settings file holds a dozen lines; anything over this is something else and is never loaded.
inline constexpr std::size_t kMaxProfileFileBytes = 1024 * 1024;

// The value of `key` in `section` of a profile text, or nothing when either is missing.
std::optional<std::string> findProfileValue(std::string_view text, std::string_view section,
                                            std::string_view key);

// The profile text with `key` set to `value` (or every copy of it removed when `value` is empty).
// Lines that do not change keep every byte; new lines end with `newline`.
std::string setProfileValue(std::string_view text, std::string_view section, std::string_view key,
                            std::optional<std::string_view> value, std::string_view newline);

// Every key of a section, in lower case, with its first value: one pass for a long list.
std::map<std::string, std::string> profileSectionValues(std::string_view text,
                                                        std::string_view section);

// The names of a profile text's sections in their order, as reads match them (trimmed), each once:
// a later section of the same name, whatever its case, is never read.
std::vector<std::string> profileSections(std::string_view text);

// The profile text without the section `name` (every copy of it) and its lines.
std::string removeProfileSection(std::string_view text, std::string_view name);

// Reads the value from a file. A missing, unreadable or oversized file reads as missing; nothing
// is created. The text may begin with a UTF-8 mark or be UTF-16 with its mark.
std::optional<std::string> readProfileValue(const std::string& file, std::string_view section,
                                            std::string_view key);

// A file's whole text, decoded as readProfileValue does; empty when it cannot be read.
std::string readProfileText(const std::string& file);

// Why a file cannot serve as a settings file (unreadable, with the reason, or oversized, with its
// size), in words for a message box; nothing when it can be read or does not exist.
std::optional<std::string> profileFileProblem(const std::string& file);

struct ProfileWriteResult {
    bool ok = true;
    std::string reason;  // why the write failed, in words for a message box
};

// One value to set, or to remove when it holds nothing. No key and no value removes the whole
// section, as the Windows call does when given no key.
struct ProfileChange {
    std::string section;
    std::string key;
    std::optional<std::string> value;
};

// Writes (or removes) values together: the file is replaced once, atomically, under a lock that
// keeps other writers out from the read to the replace, so a kill or a second instance never
// leaves part of them. It keeps its own line endings, mark and encoding; a new file gets the
// platform's line ending. Refused as a whole, leaving the file as it is: names or values that
// would not read back as written, a file that is unreadable, oversized (or would become so) or
// read-only.
ProfileWriteResult writeProfileValues(const std::string& file,
                                      const std::vector<ProfileChange>& changes);

// The same, with the values chosen from the file's text as read under the lock: a change that
// depends on what is there (a list with one more entry) loses nothing another instance wrote.
ProfileWriteResult updateProfileValues(
    const std::string& file,
    const std::function<std::vector<ProfileChange>(std::string_view text)>& changesFor);

inline ProfileWriteResult writeProfileValue(const std::string& file, std::string_view section,
                                            std::string_view key,
                                            std::optional<std::string_view> value) {
    return writeProfileValues(file, {{std::string(section), std::string(key),
                                      value ? std::optional<std::string>(*value) : std::nullopt}});
}

}  // namespace skyloom
