#include "maps/map_store.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "maps/byte_source.h"
#include "platform/atomic_file.h"
#include "platform/settings_place.h"

namespace skyloom {
namespace {

constexpr std::string_view kMagic = "skyloom map store 1\n";
constexpr size_t kChecksumSize = 8;
constexpr uint8_t kReadable = 1, kWithTextures = 2;

// What an entry and a text cost in memory once read, at least: a store is read whole, so what
// its bytes may make is budgeted, not only their number. An entry's node, hash slot and lists;
// a text's string, and its own allocation when it is too long to sit inside.
constexpr size_t kEntryCost = 320;
size_t textCost(size_t length) {
    return sizeof(std::string) + (length > 15 ? length + 17 : 0);
}
size_t textsCost(const std::vector<std::string>& list) {
    size_t cost = 0;
    for (const std::string& s : list) cost += textCost(s.size());
    return cost;
}
size_t entryCost(const std::string& path, const MapStore::Entry& e) {
    size_t cost = kEntryCost + textCost(path.size());
    if (!e.contents) return cost;
    const MapEntities& m = e.contents->entities;
    return cost + textCost(m.title.size()) + textCost(m.skyname.size()) + textsCost(m.wads) +
           textsCost(m.files) + textsCost(e.contents->textures);
}

uint64_t checksum(std::string_view bytes) {
    uint64_t hash = 0xcbf29ce484222325u;  // FNV-1a
    for (const char c : bytes) hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001b3u;
    return hash;
}

void put64(std::string& out, uint64_t v) {
    for (int i = 0; i < 8; ++i) out += static_cast<char>(v >> (8 * i));
}
void put32(std::string& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out += static_cast<char>(v >> (8 * i));
}
void putText(std::string& out, std::string_view s) {
    put32(out, static_cast<uint32_t>(s.size()));
    out += s;
}
void putTexts(std::string& out, const std::vector<std::string>& list) {
    put32(out, static_cast<uint32_t>(list.size()));
    for (const std::string& s : list) putText(out, s);
}

// Reads fields from the front of the bytes; any read past their end fails for good.
class Reader {
public:
    explicit Reader(std::string_view bytes) : rest_(bytes) {}
    bool done() const { return rest_.empty(); }
    bool ok() const { return ok_; }

    uint64_t u64() {
        const std::string_view b = take(8);
        uint64_t v = 0;
        for (size_t i = 0; i < b.size(); ++i)
            v |= uint64_t(static_cast<unsigned char>(b[i])) << (8 * i);
        return v;
    }
    uint32_t u32() {
        const std::string_view b = take(4);
        return b.size() == 4 ? le32(b.data()) : 0;
    }
    uint8_t u8() {
        const std::string_view b = take(1);
        return b.empty() ? 0 : static_cast<uint8_t>(b[0]);
    }
    std::string text() { return std::string(take(u32())); }
    std::vector<std::string> texts() {
        const uint32_t count = u32();
        // Each text takes at least its length: a count beyond that is damage, not a size to
        // allocate.
        if (count > rest_.size() / 4) ok_ = false;
        std::vector<std::string> list;
        if (!ok_) return list;
        list.reserve(count);
        for (uint32_t i = 0; i < count && ok_; ++i) list.push_back(text());
        return list;
    }

private:
    std::string_view take(size_t n) {
        if (!ok_ || n > rest_.size()) {
            ok_ = false;
            return {};
        }
        const std::string_view b = rest_.substr(0, n);
        rest_.remove_prefix(n);
        return b;
    }
    std::string_view rest_;
    bool ok_ = true;
};

std::string entryBytes(const std::string& path, const MapStore::Entry& e) {
    std::string out;
    putText(out, path);
    put64(out, e.stamp.size);
    put64(out, static_cast<uint64_t>(e.stamp.time));
    out += static_cast<char>((e.contents ? kReadable : 0) | (e.withTextures ? kWithTextures : 0));
    if (!e.contents) return out;
    const MapEntities& m = e.contents->entities;
    putText(out, m.title);
    putTexts(out, m.wads);
    putText(out, m.skyname);
    putTexts(out, m.files);
    putTexts(out, e.contents->textures);
    return out;
}

}  // namespace

const MapStore::Entry* MapStore::find(const std::string& path, const Stamp& stamp,
                                      bool withTextures) {
    const auto it = entries_.find(path);
    if (it == entries_.end() || !(it->second.entry.stamp == stamp)) return nullptr;
    // A map that cannot be read has no textures either.
    const Entry& e = it->second.entry;
    if (withTextures && !e.withTextures && e.contents) return nullptr;
    it->second.used = ++clock_;
    return &e;
}

void MapStore::put(const std::string& path, Entry entry) {
    entries_[path] = {std::move(entry), ++clock_};
    changed_ = true;
}

std::string MapStore::serialize(size_t maxBytes) const {
    std::vector<std::pair<const std::string*, const Kept*>> order;
    order.reserve(entries_.size());
    for (const auto& [path, kept] : entries_) order.emplace_back(&path, &kept);
    std::sort(order.begin(), order.end(), [](const auto& a, const auto& b) {
        return a.second->used != b.second->used ? a.second->used > b.second->used
                                                : *a.first < *b.first;
    });
    std::string body(kMagic);
    size_t cost = 0;
    for (const auto& [path, kept] : order) {
        const std::string bytes = entryBytes(*path, kept->entry);
        cost += entryCost(*path, kept->entry);
        if (body.size() + bytes.size() + kChecksumSize > maxBytes || cost > kMaxCost) break;
        body += bytes;
    }
    return sealMapStore(std::move(body));
}

std::string sealMapStore(std::string body) {
    put64(body, checksum(body));
    return body;
}

std::optional<MapStore> MapStore::parse(std::string_view bytes) {
    if (bytes.size() < kMagic.size() + kChecksumSize || !bytes.starts_with(kMagic))
        return std::nullopt;
    const std::string_view body = bytes.substr(0, bytes.size() - kChecksumSize);
    if (Reader(bytes.substr(body.size())).u64() != checksum(body)) return std::nullopt;
    Reader in(body.substr(kMagic.size()));
    MapStore store;
    // Entries come used-last first.
    int64_t used = 0;
    size_t cost = 0;
    while (!in.done()) {
        std::string path = in.text();
        Entry e;
        e.stamp.size = in.u64();
        e.stamp.time = static_cast<int64_t>(in.u64());
        const uint8_t flags = in.u8();
        e.withTextures = flags & kWithTextures;
        if (flags & kReadable) {
            BspContents c;
            c.entities.title = in.text();
            c.entities.wads = in.texts();
            c.entities.skyname = in.text();
            c.entities.files = in.texts();
            c.textures = in.texts();
            e.contents = std::move(c);
        }
        if (!in.ok() || flags > (kReadable | kWithTextures)) return std::nullopt;
        // Past the budget the store is refused as a damaged one: the next save writes one
        // within it.
        cost += entryCost(path, e);
        if (cost > kMaxCost) return std::nullopt;
        store.entries_.try_emplace(std::move(path), Kept{std::move(e), --used});
    }
    return store;
}

void MapStore::mergeFrom(MapStore&& other) {
    for (auto& [path, kept] : other.entries_) entries_.try_emplace(path, std::move(kept));
}

std::string defaultMapStorePath() {
    const char* cache = std::getenv("XDG_CACHE_HOME");
    std::string folder;
    if (cache && cache[0] == '/')
        folder = cache;
    else if (const char* home = std::getenv("HOME"); home && home[0] == '/')
        folder = std::string(home) + "/.cache";
    else
        return {};
    return folder + "/skyloom/maps.cache";
}

MapStore loadMapStore(const std::string& path) {
    // Not through a link, and never waiting on a FIFO: only the store's own file is read.
    const FileSource file(path, FileSource::Links::Refuse);
    std::string bytes;
    if (!file.isOpen() || file.size() > MapStore::kMaxBytes || !file.read(0, file.size(), bytes))
        return {};
    return MapStore::parse(bytes).value_or(MapStore{});
}

std::optional<std::string> saveMapStore(MapStore store, const std::string& path) {
    // It lists the player's map paths: their eyes only.
    if (auto error = makeFolderFor(path)) return error;
    const std::string folder = std::filesystem::path(path).parent_path().string();
    if (const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        fd >= 0) {
        ::fchmod(fd, 0700);
        ::close(fd);
    }
    // A link at the store's name is replaced by the store itself; what it named stays as it is.
    FileUpdate update(path, FileUpdate::Links::Replace, 0600);
    if (update.error()) return update.error();
    store.mergeFrom(loadMapStore(update.target()));
    return update.replace(store.serialize());
}

}  // namespace skyloom
