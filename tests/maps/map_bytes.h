#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace skyloom::test {

inline std::string le32Bytes(uint32_t v) {
    return {char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
}

struct Texture {
    std::string name;
    bool embedded = false;
};

// A version 30 map: header, entity text, a planes lump, and the texture lump last, so that any
// cut of the file cuts a lump the full read needs.
inline std::string bspBytes(std::string_view entities, const std::vector<Texture>& textures = {},
                            bool swapped = false) {
    std::string text(entities);
    text.push_back('\0');
    const std::string planes(20, '\x01');
    std::string lump = le32Bytes(uint32_t(textures.size()));
    std::string miptex;
    for (const Texture& t : textures) {
        lump += le32Bytes(uint32_t(4 + 4 * textures.size() + miptex.size()));
        std::string name = t.name;
        name.resize(16, '\0');
        miptex += name + le32Bytes(16) + le32Bytes(16);
        for (uint32_t i = 0; i < 4; ++i) miptex += le32Bytes(t.embedded ? 40 + i * 256 : 0);
    }
    lump += miptex;
    const uint32_t header = 4 + 15 * 8;
    std::string first = swapped ? planes : text, second = swapped ? text : planes;
    std::string bytes = le32Bytes(30);
    uint32_t at = header;
    for (const std::string* l : {&first, &second, &lump}) {
        bytes += le32Bytes(at) + le32Bytes(uint32_t(l->size()));
        at += uint32_t(l->size());
    }
    for (int i = 3; i < 15; ++i) bytes += le32Bytes(0) + le32Bytes(0);
    return bytes + first + second + lump;
}

// A WAD3 file: its 12-byte header, then the directory of named entries.
inline std::string wadBytes(const std::vector<std::string>& names) {
    std::string bytes = "WAD3" + le32Bytes(uint32_t(names.size())) + le32Bytes(12);
    for (const std::string& n : names) {
        std::string name = n;
        name.resize(16, '\0');
        bytes += le32Bytes(0) + le32Bytes(0) + le32Bytes(0) + std::string("\x43\0\0\0", 4) + name;
    }
    return bytes;
}

}  // namespace skyloom::test
