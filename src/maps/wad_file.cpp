#include "maps/wad_file.h"

#include <algorithm>

#include "platform/ascii.h"

namespace skyloom {
namespace {

constexpr size_t kEntrySize = 32;
constexpr uint32_t kMaxEntries = 1u << 16;

}  // namespace

std::optional<std::vector<std::string>> readWadDirectory(const ByteSource& file) {
    std::string header;
    if (!file.read(0, 12, header)) return std::nullopt;
    if (header.compare(0, 4, "WAD3") != 0 && header.compare(0, 4, "WAD2") != 0) return std::nullopt;
    const uint32_t count = le32(header.data() + 4);
    const uint64_t at = le32(header.data() + 8);
    if (count > kMaxEntries) return std::nullopt;
    std::string directory;
    if (!file.read(at, size_t(count) * kEntrySize, directory)) return std::nullopt;
    std::vector<std::string> names;
    names.reserve(count);
    for (uint32_t i = 0; i < count; ++i) {
        const char* name = directory.data() + size_t(i) * kEntrySize + 16;
        names.push_back(asciiLowered(std::string_view(name, std::find(name, name + 16, '\0'))));
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace skyloom
