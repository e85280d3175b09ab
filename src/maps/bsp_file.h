#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "maps/byte_source.h"

namespace skyloom {

// What a map's entity text says about it.
struct MapEntities {
    std::string title;               // worldspawn "message"
    std::vector<std::string> wads;   // worldspawn "wad", file names without their folders
    std::string skyname;             // worldspawn "skyname"
    std::vector<std::string> files;  // models, sprites and sounds (under sound/) it names
};

// Parses `{ "key" "value" ... }` blocks; with `worldspawnOnly` stops after the first block.
// Nothing when the text is not well formed.
std::optional<MapEntities> parseEntities(std::string_view text, bool worldspawnOnly);

// The texture lump: the names of the textures the map does not embed (they come from its WADs).
std::optional<std::vector<std::string>> parseTextureNames(const ByteSource& lump, uint64_t offset,
                                                          uint64_t length);

// Where each lump of a version 30 map lies; nothing for a lump that reaches past the file's end.
struct BspLumps {
    std::array<std::optional<std::pair<uint64_t, uint64_t>>, 15> range;  // offset, length
    // Some maps swap the first two lumps: the entities are the one that starts with "{".
    size_t entities = 0;
    size_t planes = 1;
};

// Reads the header; nothing when the file is not a version 30 map.
std::optional<BspLumps> readBspLumps(const ByteSource& file);

struct BspContents {
    MapEntities entities;
    std::vector<std::string> textures;  // name-only textures
};

// Reads a version 30 map. A title read touches only the header and the entity lump; the full
// read adds the texture lump. Nothing when the file is not such a map.
std::optional<BspContents> readBsp(const ByteSource& file, bool withTextures);

}  // namespace skyloom
