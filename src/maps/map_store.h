#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "maps/bsp_file.h"

namespace skyloom {

// What was read of each map, kept between runs so that a list of thousands of maps shows its
// titles without opening them again. Keyed by path, size and modification time: a map changed
// since is read anew. The check itself is not kept, only what it is made from, so a file
// installed later counts.
class MapStore {
public:
    struct Stamp {
        uint64_t size = 0;
        int64_t time = 0;
        bool operator==(const Stamp&) const = default;
    };
    struct Entry {
        Stamp stamp;
        bool withTextures = false;
        std::optional<BspContents> contents;  // nothing: the map cannot be read
    };

    // The entry for this path when the map is unchanged and it holds what is asked for.
    const Entry* find(const std::string& path, const Stamp& stamp, bool withTextures);
    void put(const std::string& path, Entry entry);
    size_t size() const { return entries_.size(); }
    // Whether anything was put since it was read: a store only used need not be written.
    bool changed() const { return changed_; }

    // The bytes of the file: the entries used last first, as many as fit in `maxBytes` and the
    // cost a reader allows.
    std::string serialize(size_t maxBytes = kMaxBytes) const;
    // Nothing when the bytes are not a whole store of this version (damaged, cut or foreign) or
    // would cost more than kMaxCost.
    static std::optional<MapStore> parse(std::string_view bytes);
    // Adds the entries of `other` this store lacks.
    void mergeFrom(MapStore&& other);

    static constexpr size_t kMaxBytes = 32u << 20;
    // What the entries and texts read may cost in memory, beside the bytes themselves: reading a
    // store costs at most about twice its largest size.
    static constexpr size_t kMaxCost = kMaxBytes;

private:
    struct Kept {
        Entry entry;
        int64_t used = 0;  // higher: used later; below 0: read from the file, not used since
    };
    std::unordered_map<std::string, Kept> entries_;
    int64_t clock_ = 0;
    bool changed_ = false;
};

// Closes a store's bytes with their checksum, which parse() checks before it reads a field.
std::string sealMapStore(std::string body);

// $XDG_CACHE_HOME/skyloom/maps.cache (by default under ~/.cache); empty when neither is known.
std::string defaultMapStorePath();

// A missing, unreadable, oversized or damaged file gives an empty store; so does anything but a
// regular file (a link, a FIFO), which is never opened for reading.
MapStore loadMapStore(const std::string& path);

// Writes the store merged with what another run saved meanwhile, in one atomic replace, readable
// by its owner only, in a folder that is too. A link at its name is replaced, never followed.
// Returns why it failed.
std::optional<std::string> saveMapStore(MapStore store, const std::string& path);

}  // namespace skyloom
