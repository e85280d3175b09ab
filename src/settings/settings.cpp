#include "settings/settings.h"

#include <filesystem>
#include <limits>

#include "platform/settings_place.h"
#include "settings/get_pps.h"

namespace skyloom {

Settings::Settings(std::string filePath, bool chosen)
    : file_(std::move(filePath)), chosen_(chosen) {}

bool Settings::firstStart() const {
    std::error_code error;
    return !chosen_ && !std::filesystem::exists(file_, error) && !error;
}

std::string Settings::read(std::string_view section, std::string_view key, std::string_view def,
                           std::int32_t max) const {
    return GetPPS(section, key, def, max, file_);
}

std::string Settings::readPath(std::string_view key, std::string_view def) const {
    return GetPPS("GAMEDIR", key, def, std::numeric_limits<std::int32_t>::max(), file_);
}

ProfileWriteResult Settings::write(std::string_view section, std::string_view key,
                                   std::optional<std::string_view> value) const {
    // The player's configuration folder may not exist before the first write; a failure here
    // shows as the write's own.
    makeFolderFor(file_);
    return writeProfileValue(file_, section, key, value);
}

}  // namespace skyloom
