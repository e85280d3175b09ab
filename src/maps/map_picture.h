#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "maps/byte_source.h"
#include "maps/map_geometry.h"

namespace skyloom {

constexpr int kMapPictureSize = 256;

struct MapPicture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba;  // rows from the north, 4 bytes a pixel
};

// The map seen from above, fitted to size×size pixels with its proportions kept: floors filled,
// lighter the higher they are; walls as dark lines; transparent elsewhere. Ceilings are left out,
// as is what lies under a floor. Nothing when the map has no floor and no wall, or when drawing
// it would take many times the work of a real map.
std::optional<MapPicture> drawMapPicture(const MapGeometry& geometry, int size = kMapPictureSize);

// The picture of a map file; nothing when it cannot be read or shows nothing.
std::optional<MapPicture> mapPicture(const ByteSource& file);

}  // namespace skyloom
