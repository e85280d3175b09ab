#include "maps/map_picture.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace skyloom {
namespace {

// The steepest slope a player can walk on: anything flatter is floor, anything steeper is wall,
// and what faces down is ceiling.
constexpr float kFloor = 0.7f;
constexpr int kMargin = 2;  // the outer walls stay inside the picture
constexpr uint8_t kLowest = 110, kHighest = 235, kWall = 24;
// The work allowed (pixels filled, edges crossed, line steps), in pictures' worth of pixels: real
// maps stay far below, and a hostile one of huge overlapping faces gets no picture rather than
// seconds of drawing.
constexpr uint64_t kWorkPerPixel = 64;

struct Bounds {
    float minX = std::numeric_limits<float>::max(), maxX = std::numeric_limits<float>::lowest();
    float minY = minX, maxY = maxX, minZ = minX, maxZ = maxX;
    void add(const MapPoint& p) {
        minX = std::min(minX, p.x), maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y), maxY = std::max(maxY, p.y);
        minZ = std::min(minZ, p.z), maxZ = std::max(maxZ, p.z);
    }
    bool empty() const { return minX > maxX; }
};

bool isFloor(const MapFace& f) {
    return f.normal.z > kFloor;
}

bool isWall(const MapFace& f) {
    return std::fabs(f.normal.z) <= kFloor;
}

class Canvas {
public:
    Canvas(const Bounds& world, int size) : world_(world) {
        const float extent = std::max({world.maxX - world.minX, world.maxY - world.minY, 1.f});
        scale_ = float(size - 2 * kMargin) / extent;
        width_ = std::min(size, int(std::ceil((world.maxX - world.minX) * scale_)) + 2 * kMargin);
        height_ = std::min(size, int(std::ceil((world.maxY - world.minY) * scale_)) + 2 * kMargin);
        depth_.assign(size_t(width_) * size_t(height_), -std::numeric_limits<float>::infinity());
        wall_.assign(depth_.size(), 0);
        budget_ = kWorkPerPixel * uint64_t(size) * uint64_t(size);
    }

    bool overBudget() const { return work_ > budget_; }

    float column(float x) const { return kMargin + (x - world_.minX) * scale_; }
    float row(float y) const { return kMargin + (world_.maxY - y) * scale_; }

    // Fills a convex floor, each pixel at the height of its plane where the floor is higher
    // than what is there.
    void fill(const MapFace& face, const MapPoint* points) {
        float top = std::numeric_limits<float>::max(),
              bottom = std::numeric_limits<float>::lowest();
        float low = top, high = bottom;
        for (uint32_t i = 0; i < face.count; ++i) {
            top = std::min(top, row(points[i].y)), bottom = std::max(bottom, row(points[i].y));
            low = std::min(low, points[i].z), high = std::max(high, points[i].z);
        }
        const int firstRow = std::max(0, int(std::ceil(top - 0.5f)));
        const int lastRow = std::min(height_ - 1, int(std::ceil(bottom - 0.5f)) - 1);
        for (int r = firstRow; r <= lastRow; ++r) {
            const float centre = float(r) + 0.5f;
            work_ += face.count;
            float left = std::numeric_limits<float>::max(),
                  right = std::numeric_limits<float>::lowest();
            for (uint32_t i = 0; i < face.count; ++i) {
                const MapPoint& a = points[i];
                const MapPoint& b = points[(i + 1) % face.count];
                const float ra = row(a.y), rb = row(b.y);
                if ((ra <= centre) == (rb <= centre)) continue;
                const float c =
                    column(a.x) + (centre - ra) / (rb - ra) * (column(b.x) - column(a.x));
                left = std::min(left, c), right = std::max(right, c);
            }
            if (left > right) continue;  // a row that only touches a corner
            const int firstColumn = std::max(0, int(std::ceil(left - 0.5f)));
            const int lastColumn = std::min(width_ - 1, int(std::ceil(right - 0.5f)) - 1);
            const float y = world_.maxY - (centre - kMargin) / scale_;
            work_ += uint64_t(std::max(0, lastColumn - firstColumn + 1));
            for (int c = firstColumn; c <= lastColumn; ++c) {
                const float x = world_.minX + (float(c) + 0.5f - kMargin) / scale_;
                const float z = std::clamp(
                    (face.dist - face.normal.x * x - face.normal.y * y) / face.normal.z, low, high);
                float& d = depth_[size_t(r) * size_t(width_) + size_t(c)];
                if (z > d) d = z;
            }
        }
    }

    // Draws a wall's outline where it is not under a floor.
    void outline(const MapFace& face, const MapPoint* points) {
        for (uint32_t i = 0; i < face.count; ++i) {
            const MapPoint& a = points[i];
            const MapPoint& b = points[(i + 1) % face.count];
            const float ca = column(a.x), ra = row(a.y), cb = column(b.x), rb = row(b.y);
            const int steps = int(std::ceil(std::max(std::fabs(cb - ca), std::fabs(rb - ra))));
            work_ += uint64_t(steps) + 1;
            for (int s = 0; s <= steps; ++s) {
                const float t = steps ? float(s) / float(steps) : 0.f;
                const int c = int(ca + t * (cb - ca)), r = int(ra + t * (rb - ra));
                if (c < 0 || r < 0 || c >= width_ || r >= height_) continue;
                const size_t at = size_t(r) * size_t(width_) + size_t(c);
                if (a.z + t * (b.z - a.z) >= depth_[at] - 1.f) wall_[at] = 1;
            }
        }
    }

    MapPicture picture(float lowest, float highest) const {
        MapPicture out{width_, height_, std::vector<uint8_t>(depth_.size() * 4, 0)};
        const float range = highest > lowest ? highest - lowest : 1.f;
        for (size_t i = 0; i < depth_.size(); ++i) {
            uint8_t* px = out.rgba.data() + i * 4;
            if (wall_[i]) {
                px[0] = px[1] = px[2] = kWall;
            } else if (std::isfinite(depth_[i])) {
                const float t = highest > lowest ? (depth_[i] - lowest) / range : 0.5f;
                px[0] = px[1] = px[2] = uint8_t(kLowest + t * (kHighest - kLowest));
            } else {
                continue;
            }
            px[3] = 255;
        }
        return out;
    }

private:
    Bounds world_;
    float scale_ = 1;
    int width_ = 0, height_ = 0;
    std::vector<float> depth_;
    std::vector<uint8_t> wall_;
    uint64_t work_ = 0, budget_ = 0;
};

}  // namespace

std::optional<MapPicture> drawMapPicture(const MapGeometry& geometry, int size) {
    Bounds world, floors;
    for (const MapFace& face : geometry.faces) {
        if (!isFloor(face) && !isWall(face)) continue;
        for (uint32_t i = 0; i < face.count; ++i) {
            world.add(geometry.points[face.first + i]);
            if (isFloor(face)) floors.add(geometry.points[face.first + i]);
        }
    }
    if (world.empty() || size <= 2 * kMargin) return std::nullopt;
    Canvas canvas(world, size);
    for (const MapFace& face : geometry.faces) {
        if (isFloor(face)) canvas.fill(face, &geometry.points[face.first]);
        if (canvas.overBudget()) return std::nullopt;
    }
    for (const MapFace& face : geometry.faces) {
        if (isWall(face)) canvas.outline(face, &geometry.points[face.first]);
        if (canvas.overBudget()) return std::nullopt;
    }
    return floors.empty() ? canvas.picture(0, 0) : canvas.picture(floors.minZ, floors.maxZ);
}

std::optional<MapPicture> mapPicture(const ByteSource& file) {
    const auto geometry = readMapGeometry(file);
    return geometry ? drawMapPicture(*geometry) : std::nullopt;
}

}  // namespace skyloom
