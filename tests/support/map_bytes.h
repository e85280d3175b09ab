#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace skyloom::test {

inline std::string le16Bytes(uint32_t v) {
    return {char(v), char(v >> 8)};
}
inline std::string le32Bytes(uint32_t v) {
    return le16Bytes(v) + le16Bytes(v >> 16);
}
inline std::string floatBytes(float f) {
    return le32Bytes(std::bit_cast<uint32_t>(f));
}

struct Texture {
    std::string name;
    bool embedded = false;
};
// A version 30 map, its texture lump last: any cut of it loses a lump the full read needs.
inline std::string bspBytes(std::string_view entities, const std::vector<Texture>& textures = {},
                            bool swapped = false, const std::map<int, std::string>& more = {}) {
    std::string lumps[15];
    lumps[swapped ? 1 : 0] = std::string(entities) + '\0';
    lumps[swapped ? 0 : 1] = std::string(20, '\x01');
    for (const auto& [i, lump] : more) lumps[i == 1 && swapped ? 0 : i] = lump;
    std::string& lump = lumps[2];
    lump = le32Bytes(uint32_t(textures.size()));
    std::string miptex;
    for (const Texture& t : textures) {
        lump += le32Bytes(uint32_t(4 + 4 * textures.size() + miptex.size()));
        std::string name = t.name;
        name.resize(16, '\0');
        miptex += name + le32Bytes(16) + le32Bytes(16);
        for (uint32_t i = 0; i < 4; ++i) miptex += le32Bytes(t.embedded ? 40 + i * 256 : 0);
    }
    lump += miptex;
    std::string header = le32Bytes(30), body;
    uint32_t ranges[15][2] = {};
    for (int i : {0, 1, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 2}) {
        if (lumps[i].empty() && i > 2) continue;
        ranges[i][0] = uint32_t(4 + 15 * 8 + body.size());
        ranges[i][1] = uint32_t(lumps[i].size());
        body += lumps[i];
    }
    for (const auto& r : ranges) header += le32Bytes(r[0]) + le32Bytes(r[1]);
    return header + body;
}
// A face given by its corners and the normal of the side it is seen from.
struct Face {
    std::vector<std::array<float, 3>> corners;
    std::array<float, 3> normal;
};
// The six faces of a box, seen from inside (a room) or from outside (a block).
inline std::vector<Face> box(std::array<float, 3> lo, std::array<float, 3> hi, bool room) {
    const float in = room ? 1.f : -1.f;
    auto p = [&](bool x, bool y, bool z) {
        return std::array<float, 3>{x ? hi[0] : lo[0], y ? hi[1] : lo[1], z ? hi[2] : lo[2]};
    };
    return {
        {{p(0, 0, 0), p(1, 0, 0), p(1, 1, 0), p(0, 1, 0)}, {0, 0, in}},
        {{p(0, 0, 1), p(0, 1, 1), p(1, 1, 1), p(1, 0, 1)}, {0, 0, -in}},
        {{p(0, 0, 0), p(0, 1, 0), p(0, 1, 1), p(0, 0, 1)}, {in, 0, 0}},
        {{p(1, 0, 0), p(1, 0, 1), p(1, 1, 1), p(1, 1, 0)}, {-in, 0, 0}},
        {{p(0, 0, 0), p(0, 0, 1), p(1, 0, 1), p(1, 0, 0)}, {0, in, 0}},
        {{p(0, 1, 0), p(1, 1, 0), p(1, 1, 1), p(0, 1, 1)}, {0, -in, 0}},
    };
}
// The geometry lumps of `world` and one brush `entity`; as compilers do, every other face lies
// on the back of its plane and every other edge is used reversed.
inline std::map<int, std::string> geometryLumps(const std::vector<Face>& world,
                                                const std::vector<Face>& entity = {}) {
    std::string planes, vertices, faces, edges(4, '\0'), surfedges;
    uint32_t vertexCount = 0, edgeCount = 1, surfedgeCount = 0, faceCount = 0;
    for (const auto* part : {&world, &entity})
        for (const Face& f : *part) {
            const bool back = faceCount % 2;
            const auto& c0 = f.corners[0];
            const float dist = f.normal[0] * c0[0] + f.normal[1] * c0[1] + f.normal[2] * c0[2];
            const float sign = back ? -1.f : 1.f;
            planes += floatBytes(sign * f.normal[0]) + floatBytes(sign * f.normal[1]) +
                      floatBytes(sign * f.normal[2]) + floatBytes(sign * dist) + le32Bytes(5);
            faces += le16Bytes(faceCount) + le16Bytes(back) + le32Bytes(surfedgeCount) +
                     le32Bytes(uint32_t(f.corners.size())) + le32Bytes(0) + le32Bytes(~0u);
            const uint32_t n = uint32_t(f.corners.size());
            for (uint32_t i = 0; i < n; ++i) {
                for (float v : f.corners[i]) vertices += floatBytes(v);
                const uint32_t a = vertexCount + i, b = vertexCount + (i + 1) % n;
                const bool reversed = i % 2;
                edges += reversed ? le16Bytes(b) + le16Bytes(a) : le16Bytes(a) + le16Bytes(b);
                surfedges += le32Bytes(reversed ? uint32_t(-int32_t(edgeCount)) : edgeCount);
                ++edgeCount;
            }
            vertexCount += n;
            surfedgeCount += n;
            ++faceCount;
        }
    std::string models;
    for (const auto& [first, count] :
         {std::pair(size_t(0), world.size()), std::pair(world.size(), entity.size())})
        models += std::string(56, '\0') + le32Bytes(uint32_t(first)) + le32Bytes(uint32_t(count));
    return {{1, planes}, {3, vertices}, {7, faces}, {12, edges}, {13, surfedges}, {14, models}};
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
