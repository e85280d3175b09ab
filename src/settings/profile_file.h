#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace skyloom {

// The Windows profile (INI) format with the semantics of GetPrivateProfileStringA and
// WritePrivateProfileStringA: section and key names match without regard to case, a value is
// trimmed and loses one pair of quotes on read, a replaced value keeps its line, a new key goes
// to the end of its section and a new section to the end of the file.

// The value of `key` in `section` of a profile text, or nothing when either is missing.
std::optional<std::string> findProfileValue(std::string_view text, std::string_view section,
                                            std::string_view key);

// The profile text with `key` set to `value` (or removed when `value` is empty). Lines that do not
// change keep every byte; new lines end with `newline`.
std::string setProfileValue(std::string_view text, std::string_view section, std::string_view key,
                            std::optional<std::string_view> value, std::string_view newline);

// Reads the value from a file. A missing or unreadable file reads as missing; nothing is created.
std::optional<std::string> readProfileValue(const std::string& file, std::string_view section,
                                            std::string_view key);

struct ProfileWriteResult {
    bool ok = true;
    std::string reason;  // why the write failed, in words for a message box
};

// Writes (or removes) one value. The file is replaced atomically and keeps its own line endings;
// a new file gets the platform's. Names or values that would forge lines are refused.
ProfileWriteResult writeProfileValue(const std::string& file, std::string_view section,
                                     std::string_view key, std::optional<std::string_view> value);

}  // namespace skyloom
