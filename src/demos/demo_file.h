#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace skyloom {

// What a demo's header and directory say: only those are read, never the recorded frames.
struct DemoInfo {
    int32_t demoProtocol = 0;
    int32_t networkProtocol = 0;
    std::string map;   // as recorded, NUL padding dropped
    std::string game;  // the game folder it was recorded in
    uint32_t mapCrc = 0;
    double seconds = 0;  // the playback's track time
};

// A demo's information, or why the file is not a demo the game can play, in words.
struct DemoReading {
    std::optional<DemoInfo> info;
    std::string problem;
};

inline constexpr size_t kDemoHeaderSize = 544;
inline constexpr size_t kDemoEntrySize = 92;
// The game writes two entries (loading, playback); a few more are tolerated. More is no demo,
// and keeps a read to a few kilobytes.
inline constexpr int32_t kMaxDemoEntries = 32;
// What reading one file may cost at most: the header, the count and the entries.
inline constexpr size_t kDemoReadBudget = kDemoHeaderSize + 4 + kMaxDemoEntries * kDemoEntrySize;

// Reads `length` bytes at `offset` of a file `size` bytes long into `out`; false when it cannot.
class DemoBytes {
public:
    virtual ~DemoBytes() = default;
    virtual uint64_t size() const = 0;
    virtual bool read(uint64_t offset, size_t length, std::string& out) const = 0;
};

DemoReading readDemo(const DemoBytes& bytes);
// The whole file in memory.
DemoReading readDemo(std::span<const char> file);
// The file at `path`, reading its header and directory only.
DemoReading readDemoFile(const std::string& path);

// `m:ss`, the seconds rounded down (a 59.9 s demo does not last a minute).
std::string demoLengthText(double seconds);

// `skyloom --demo-info`'s lines: map, game, length (seconds, one decimal), protocol, each a name,
// a tab and the value.
std::string demoInfoText(const DemoInfo& info);

}  // namespace skyloom
