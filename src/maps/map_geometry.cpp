#include "maps/map_geometry.h"

#include <bit>
#include <cmath>
#include <string>

#include "maps/bsp_file.h"

namespace skyloom {
namespace {

enum Lump : size_t { kVertices = 3, kFaces = 7, kEdges = 12, kSurfedges = 13, kModels = 14 };

// Vertices and planes are indexed by 16 bits; the rest is capped well above the engine's limits
// (256,000 edges, 512,000 surfedges, 65,535 faces).
constexpr uint64_t kMaxVertices = 1u << 16;
constexpr uint64_t kMaxPlanes = 1u << 16;
constexpr uint64_t kMaxEdges = 1u << 19;
constexpr uint64_t kMaxSurfedges = 1u << 20;
constexpr uint64_t kMaxFaces = 1u << 16;
constexpr uint64_t kMaxPoints = 1u << 20;  // faces may share surfedges: their corners in total
// The engine's world ends at 4,096 units, extended ones at 32,768.
constexpr float kFarthest = 262144.f;
constexpr size_t kFaceSize = 20, kPlaneSize = 20, kModelSize = 64;

uint16_t le16(const char* p) {
    const auto* b = reinterpret_cast<const unsigned char*>(p);
    return uint16_t(b[0] | b[1] << 8);
}

float leFloat(const char* p) {
    return std::bit_cast<float>(le32(p));
}

bool within(float v, float limit) {
    return std::isfinite(v) && std::fabs(v) <= limit;
}

// A lump's first `cap` records of `size` bytes; a trailing part record is ignored. Nothing when
// the lump lies past the file's end.
std::optional<std::string> records(const ByteSource& file, const BspLumps& lumps, size_t lump,
                                   size_t size, uint64_t cap) {
    const auto& range = lumps.range[lump];
    if (!range) return std::nullopt;
    const uint64_t count = std::min<uint64_t>(range->second / size, cap);
    std::string bytes;
    if (!file.read(range->first, size_t(count * size), bytes)) return std::nullopt;
    return bytes;
}

}  // namespace

std::optional<MapGeometry> readMapGeometry(const ByteSource& file) {
    const auto lumps = readBspLumps(file);
    if (!lumps) return std::nullopt;
    const auto vertices = records(file, *lumps, kVertices, 12, kMaxVertices);
    const auto edges = records(file, *lumps, kEdges, 4, kMaxEdges);
    const auto surfedges = records(file, *lumps, kSurfedges, 4, kMaxSurfedges);
    const auto faces = records(file, *lumps, kFaces, kFaceSize, kMaxFaces);
    const auto planes = records(file, *lumps, lumps->planes, kPlaneSize, kMaxPlanes);
    const auto models = records(file, *lumps, kModels, kModelSize, 1);
    if (!vertices || !edges || !surfedges || !faces || !planes || !models) return std::nullopt;
    const size_t vertexCount = vertices->size() / 12, edgeCount = edges->size() / 4;
    const size_t surfedgeCount = surfedges->size() / 4, faceCount = faces->size() / kFaceSize;
    const size_t planeCount = planes->size() / kPlaneSize;

    // The world is the first model; without models, every face is the world's.
    uint64_t first = 0, count = faceCount;
    if (!models->empty()) {
        first = le32(models->data() + 56);
        count = le32(models->data() + 60);
        if (first > faceCount || count > faceCount - first) return std::nullopt;
    }

    auto vertex = [&](size_t i) {
        const char* p = vertices->data() + i * 12;
        return MapPoint{leFloat(p), leFloat(p + 4), leFloat(p + 8)};
    };
    MapGeometry geometry;
    uint64_t corners = 0;  // read, whether their face is kept or not
    geometry.faces.reserve(count);
    for (uint64_t f = first; f < first + count; ++f) {
        const char* face = faces->data() + f * kFaceSize;
        const uint16_t plane = le16(face);
        const bool back = le16(face + 2) != 0;
        const uint64_t firstEdge = le32(face + 4);
        const uint16_t edgeCount16 = le16(face + 8);
        // A face pointing nowhere is left out: one bad face should not cost the whole picture.
        if (plane >= planeCount || firstEdge > surfedgeCount ||
            edgeCount16 > surfedgeCount - firstEdge)
            continue;
        corners += edgeCount16;
        if (corners > kMaxPoints) return std::nullopt;

        const char* p = planes->data() + size_t(plane) * kPlaneSize;
        MapFace out{uint32_t(geometry.points.size()),
                    edgeCount16,
                    {leFloat(p), leFloat(p + 4), leFloat(p + 8)},
                    leFloat(p + 12)};
        bool drawable = edgeCount16 >= 3 && within(out.normal.x, 2) && within(out.normal.y, 2) &&
                        within(out.normal.z, 2) && within(out.dist, 4 * kFarthest);
        if (back) out.normal = {-out.normal.x, -out.normal.y, -out.normal.z}, out.dist = -out.dist;

        for (uint64_t s = firstEdge; s < firstEdge + edgeCount16; ++s) {
            const int64_t signedEdge = int32_t(le32(surfedges->data() + s * 4));
            const uint64_t e = uint64_t(signedEdge < 0 ? -signedEdge : signedEdge);
            // A reversed edge starts at its second vertex.
            const uint16_t v =
                e < edgeCount ? le16(edges->data() + e * 4 + (signedEdge < 0 ? 2 : 0)) : 0xFFFF;
            if (v >= vertexCount) {
                drawable = false;
                break;
            }
            const MapPoint point = vertex(v);
            drawable = drawable && within(point.x, kFarthest) && within(point.y, kFarthest) &&
                       within(point.z, kFarthest);
            geometry.points.push_back(point);
        }
        if (drawable)
            geometry.faces.push_back(out);
        else
            geometry.points.resize(out.first);
    }
    return geometry;
}

}  // namespace skyloom
