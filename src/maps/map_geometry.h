#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "maps/byte_source.h"

namespace skyloom {

struct MapPoint {
    float x = 0, y = 0, z = 0;
};

// A face of the map: a convex polygon and its plane, the normal turned to the side it is seen
// from.
struct MapFace {
    uint32_t first = 0;  // into MapGeometry::points
    uint32_t count = 0;
    MapPoint normal;
    float dist = 0;
};

struct MapGeometry {
    std::vector<MapPoint> points;
    std::vector<MapFace> faces;
};

// The faces of a version 30 map's world (its brush entities, such as doors and triggers, left
// out). Nothing when the file is not such a map or its world's faces lie past the face lump.
// Faces with an index that points nowhere, or a corner or plane that is not a finite number
// within the world, are left out.
// Each lump is read only up to a cap above what compilers write: a hostile map costs at most
// about 25 MB.
std::optional<MapGeometry> readMapGeometry(const ByteSource& file);

}  // namespace skyloom
