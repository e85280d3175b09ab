#pragma once
// Demos laid out as the game records them: header, the two segments' frames, then the directory
// (count and entries) at the end, so its offset is the file's size less 188.
#include <cstdint>
#include <string>
#include <vector>

#include "map_bytes.h"

namespace skyloom::test {

inline std::string padded(const std::string& text, size_t size) {
    return (text + std::string(size, '\0')).substr(0, size);
}
// `times`: each entry's track time; `frames`: bytes of recorded frames before the directory.
inline std::string demoBytes(const std::string& map, const std::string& game,
                             const std::vector<float>& times = {0.5f, 83.4f}, size_t frames = 1000,
                             int32_t protocol = 5) {
    std::string bytes = std::string("HLDEMO\0\0", 8) + le32Bytes(uint32_t(protocol)) +
                        le32Bytes(48) + padded(map, 260) + padded(game, 260) +
                        le32Bytes(0xdeadbeef) + le32Bytes(uint32_t(544 + frames));
    bytes += std::string(frames, '\x05') + le32Bytes(uint32_t(times.size()));
    for (size_t i = 0; i < times.size(); ++i)
        bytes += le32Bytes(uint32_t(i)) + padded(i ? "Playback" : "LOADING", 64) + le32Bytes(0) +
                 le32Bytes(uint32_t(-1)) + floatBytes(times[i]) + le32Bytes(100) + le32Bytes(544) +
                 le32Bytes(uint32_t(frames));
    return bytes;
}

}  // namespace skyloom::test
