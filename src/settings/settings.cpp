#include "settings/settings.h"

#include <filesystem>
#include <limits>

#include "settings/get_pps.h"

namespace skyloom {

Settings::Settings(std::string applicationFolder) : folder_(std::move(applicationFolder)) {}

std::string Settings::filePath() const {
    return folder_ + static_cast<char>(std::filesystem::path::preferred_separator) + "skyloom.ini";
}

std::string Settings::read(std::string_view section, std::string_view key, std::string_view def,
                           std::int32_t max) const {
    return GetPPS(section, key, def, max, filePath());
}

std::string Settings::readPath(std::string_view key, std::string_view def) const {
    return GetPPS("GAMEDIR", key, def, std::numeric_limits<std::int32_t>::max(), filePath());
}

ProfileWriteResult Settings::write(std::string_view section, std::string_view key,
                                   std::optional<std::string_view> value) const {
    return writeProfileValue(filePath(), section, key, value);
}

}  // namespace skyloom
