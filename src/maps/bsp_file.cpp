#include "maps/bsp_file.h"

#include <algorithm>

#include "platform/ascii.h"

namespace skyloom {
namespace {

constexpr uint32_t kVersion = 30;
constexpr size_t kLumps = 15;
constexpr size_t kHeaderSize = 4 + kLumps * 8;
// The engine keeps entities in 128 KiB; compilers that lift that limit stay far below this.
constexpr uint64_t kMaxEntityText = 4u << 20;
constexpr uint32_t kMaxTextures = 1u << 16;
constexpr size_t kMiptexHeader = 16 + 4 * 2 + 4 * 4;

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool endsWithNoCase(std::string_view s, std::string_view suffix) {
    if (s.size() < suffix.size()) return false;
    for (size_t i = 0; i < suffix.size(); ++i)
        if (asciiLower(s[s.size() - suffix.size() + i]) != suffix[i]) return false;
    return true;
}

bool equalsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && endsWithNoCase(a, b);
}

std::string slashes(std::string_view s) {
    std::string out(s);
    std::replace(out.begin(), out.end(), '\\', '/');
    return out;
}

void addWads(std::string_view list, std::vector<std::string>& wads) {
    // The game looks for each WAD in the mod's folders, whatever folder the compiler saw.
    while (!list.empty()) {
        const size_t semi = list.find(';');
        std::string_view item = list.substr(0, semi);
        list = semi == std::string_view::npos ? std::string_view() : list.substr(semi + 1);
        const size_t sep = item.find_last_of("/\\");
        if (sep != std::string_view::npos) item.remove_prefix(sep + 1);
        while (!item.empty() && isBlank(item.front())) item.remove_prefix(1);
        while (!item.empty() && isBlank(item.back())) item.remove_suffix(1);
        if (!item.empty()) wads.emplace_back(item);
    }
}

void addFile(std::string_view value, std::vector<std::string>& files) {
    if (value.empty() || value.front() == '*') return;  // "*N": one of the map's own models
    const bool sound = endsWithNoCase(value, ".wav");
    if (!sound && !endsWithNoCase(value, ".mdl") && !endsWithNoCase(value, ".spr")) return;
    while (!value.empty() && (value.front() == '/' || value.front() == '\\'))
        value.remove_prefix(1);
    files.push_back(sound ? "sound/" + slashes(value) : slashes(value));
}

class Scanner {
public:
    explicit Scanner(std::string_view text) : text_(text) {}

    // Skips blanks; false at the end of the text (a NUL ends it too).
    bool next() {
        while (pos_ < text_.size() && isBlank(text_[pos_])) ++pos_;
        return pos_ < text_.size() && text_[pos_] != '\0';
    }
    char peek() const { return text_[pos_]; }
    void skip() { ++pos_; }
    std::optional<std::string_view> quoted() {
        if (!next() || text_[pos_] != '"') return std::nullopt;
        const size_t end = text_.find('"', pos_ + 1);
        if (end == std::string_view::npos) return std::nullopt;
        std::string_view s = text_.substr(pos_ + 1, end - pos_ - 1);
        pos_ = end + 1;
        return s;
    }

private:
    std::string_view text_;
    size_t pos_ = 0;
};

}  // namespace

std::optional<MapEntities> parseEntities(std::string_view text, bool worldspawnOnly) {
    MapEntities result;
    Scanner in(text);
    bool first = true;
    while (in.next()) {
        if (in.peek() != '{') return std::nullopt;
        in.skip();
        while (true) {
            if (!in.next()) return std::nullopt;
            if (in.peek() == '}') {
                in.skip();
                break;
            }
            const auto key = in.quoted();
            const auto value = key ? in.quoted() : std::nullopt;
            if (!value) return std::nullopt;
            if (first && equalsNoCase(*key, "message")) result.title = *value;
            if (first && equalsNoCase(*key, "skyname")) result.skyname = *value;
            if (first && equalsNoCase(*key, "wad"))
                addWads(*value, result.wads);
            else if (!worldspawnOnly)
                addFile(*value, result.files);
        }
        if (first && worldspawnOnly) return result;
        first = false;
    }
    if (first) return std::nullopt;  // no worldspawn
    return result;
}

std::optional<std::vector<std::string>> parseTextureNames(const ByteSource& file, uint64_t offset,
                                                          uint64_t length) {
    std::vector<std::string> names;
    if (length == 0) return names;
    std::string bytes;
    if (length < 4 || !file.read(offset, 4, bytes)) return std::nullopt;
    const uint32_t count = le32(bytes.data());
    if (count > kMaxTextures || count > (length - 4) / 4) return std::nullopt;
    std::string table;
    if (!file.read(offset + 4, size_t(count) * 4, table)) return std::nullopt;
    for (uint32_t i = 0; i < count; ++i) {
        const uint32_t at = le32(table.data() + size_t(i) * 4);
        if (at == 0xFFFFFFFFu) continue;  // a texture the compiler could not find
        if (at > length || length - at < kMiptexHeader) return std::nullopt;
        if (!file.read(offset + at, kMiptexHeader, bytes)) return std::nullopt;
        const char* mips = bytes.data() + 24;
        if (le32(mips) | le32(mips + 4) | le32(mips + 8) | le32(mips + 12)) continue;  // embedded
        const size_t nameLength = std::find(bytes.data(), bytes.data() + 16, '\0') - bytes.data();
        if (nameLength > 0) names.emplace_back(bytes.data(), nameLength);
    }
    return names;
}

std::optional<BspLumps> readBspLumps(const ByteSource& file) {
    std::string header;
    if (!file.read(0, kHeaderSize, header) || le32(header.data()) != kVersion) return std::nullopt;
    BspLumps lumps;
    for (size_t i = 0; i < kLumps; ++i) {
        const uint64_t offset = le32(header.data() + 4 + i * 8);
        const uint64_t length = le32(header.data() + 8 + i * 8);
        if (offset <= file.size() && length <= file.size() - offset)
            lumps.range[i] = std::make_pair(offset, length);
    }
    std::string first;
    const auto& zero = lumps.range[0];
    const bool textFirst =
        zero && zero->second > 0 && file.read(zero->first, 1, first) && first[0] == '{';
    lumps.entities = textFirst ? 0 : 1;
    lumps.planes = textFirst ? 1 : 0;
    return lumps;
}

std::optional<BspContents> readBsp(const ByteSource& file, bool withTextures) {
    const auto lumps = readBspLumps(file);
    if (!lumps) return std::nullopt;
    const auto& range = lumps->range[lumps->entities];
    std::string text, first;
    if (!range || range->second == 0 || !file.read(range->first, 1, first) || first[0] != '{')
        return std::nullopt;
    if (range->second > kMaxEntityText || !file.read(range->first, range->second, text))
        return std::nullopt;
    auto entities = parseEntities(text, !withTextures);
    if (!entities) return std::nullopt;
    BspContents contents{std::move(*entities), {}};
    if (withTextures) {
        const auto& textureLump = lumps->range[2];
        auto textures = textureLump
                            ? parseTextureNames(file, textureLump->first, textureLump->second)
                            : std::nullopt;
        if (!textures) return std::nullopt;
        contents.textures = std::move(*textures);
    }
    return contents;
}

}  // namespace skyloom
