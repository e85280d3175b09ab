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
    return write({{std::string(section), std::string(key),
                   value ? std::optional<std::string>(*value) : std::nullopt}});
}

ProfileWriteResult Settings::write(const std::vector<ProfileChange>& changes) const {
    return update([&changes](std::string_view) { return changes; });
}

ProfileWriteResult Settings::update(
    const std::function<std::vector<ProfileChange>(std::string_view text)>& changesFor) const {
    // The player's configuration folder may not exist before the first write.
    if (const std::optional<std::string> error = makeFolderFor(file_)) return {false, *error};
    return updateProfileValues(file_, changesFor);
}

}  // namespace skyloom
