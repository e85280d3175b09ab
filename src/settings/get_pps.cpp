#include "settings/get_pps.h"

#include <optional>

#include "settings/profile_encoding.h"
#include "settings/profile_file.h"

namespace skyloom {

std::string GetPPS(std::string_view cat, std::string_view cle, std::string_view def,
                   std::int32_t max, const std::string& file) {
    std::optional<std::string> stored = readProfileValue(file, cat, cle);
    std::string value;
    if (stored) {
        value = std::move(*stored);
    } else {
        // The platform drops trailing blanks of a default.
        while (!def.empty() && def.back() == ' ') def.remove_suffix(1);
        value = def;
    }
    // A buffer of `max` characters holds the value, a NUL and spaces: trimming the spaces and
    // dropping the NUL leaves the cut value without its leading blanks. The cut counts whole
    // characters, so "é" is never split into a byte the game shows as U+FFFD.
    const size_t room = max > 1 ? static_cast<size_t>(max) - 1 : 0;
    value.resize(utf8PrefixBytes(value, room));
    size_t first = value.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : value.substr(first);
}

}  // namespace skyloom
