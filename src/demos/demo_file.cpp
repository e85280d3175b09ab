#include "demos/demo_file.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>

namespace skyloom {
namespace {

uint32_t le32(const char* p) {
    const auto* b = reinterpret_cast<const unsigned char*>(p);
    return uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
}

int32_t int32At(const std::string& bytes, size_t at) {
    return static_cast<int32_t>(le32(bytes.data() + at));
}

float floatAt(const std::string& bytes, size_t at) {
    const uint32_t raw = le32(bytes.data() + at);
    float value;
    std::memcpy(&value, &raw, sizeof value);
    return value;
}

// A NUL-padded field; a field with no NUL is whole.
std::string paddedText(const std::string& bytes, size_t at, size_t length) {
    const char* begin = bytes.data() + at;
    return std::string(begin, std::find(begin, begin + length, '\0'));
}

DemoReading unreadable(std::string why) {
    return {std::nullopt, std::move(why)};
}

class SpanBytes final : public DemoBytes {
public:
    explicit SpanBytes(std::span<const char> bytes) : bytes_(bytes) {}
    uint64_t size() const override { return bytes_.size(); }
    bool read(uint64_t offset, size_t length, std::string& out) const override {
        if (offset > bytes_.size() || length > bytes_.size() - offset) return false;
        out.assign(bytes_.data() + offset, length);
        return true;
    }

private:
    std::span<const char> bytes_;
};

class FileBytes final : public DemoBytes {
public:
    explicit FileBytes(std::FILE* file) : file_(file) {
        if (std::fseek(file_, 0, SEEK_END) == 0)
            if (const long end = std::ftell(file_); end > 0) size_ = uint64_t(end);
    }
    uint64_t size() const override { return size_; }
    bool read(uint64_t offset, size_t length, std::string& out) const override {
        if (offset > size_ || length > size_ - offset) return false;
        out.resize(length);
        return std::fseek(file_, long(offset), SEEK_SET) == 0 &&
               std::fread(out.data(), 1, length, file_) == length;
    }

private:
    std::FILE* file_;
    uint64_t size_ = 0;
};

}  // namespace

DemoReading readDemo(const DemoBytes& bytes) {
    std::string header;
    if (!bytes.read(0, kDemoHeaderSize, header))
        return unreadable("cut short: a demo's header alone takes 544 bytes");
    if (header.compare(0, 8, std::string("HLDEMO\0\0", 8)) != 0)
        return unreadable("not a demo of this game (it does not begin with HLDEMO)");
    DemoInfo info;
    info.demoProtocol = int32At(header, 8);
    info.networkProtocol = int32At(header, 12);
    info.map = paddedText(header, 16, 260);
    info.game = paddedText(header, 276, 260);
    info.mapCrc = le32(header.data() + 536);
    const int64_t directory = int32At(header, 540);
    if (info.demoProtocol != 5)
        return unreadable("recorded with demo protocol " + std::to_string(info.demoProtocol) +
                          ", where the game plays protocol 5");
    if (directory == 0) return unreadable("no directory: the recording did not finish");
    std::string count;
    if (directory < int64_t(kDemoHeaderSize) || !bytes.read(uint64_t(directory), 4, count))
        return unreadable("its directory lies outside the file");
    const int32_t entries = int32At(count, 0);
    if (entries < 1 || entries > kMaxDemoEntries)
        return unreadable("its directory claims " + std::to_string(entries) + " entries");
    std::string table;
    if (!bytes.read(uint64_t(directory) + 4, size_t(entries) * kDemoEntrySize, table))
        return unreadable("cut short: its directory runs past the end of the file");
    double longest = 0, playback = 0;
    for (int32_t i = 0; i < entries; ++i) {
        const float time = floatAt(table, size_t(i) * kDemoEntrySize + 76);
        if (!std::isfinite(time) || time < 0 || time > 1e7f)
            return unreadable("its directory gives a length that is no number of seconds");
        longest = std::max(longest, double(time));
        if (i == 1) playback = time;
    }
    // The game's own layout: loading, then playback. Another layout: its longest track.
    info.seconds = entries == 2 ? playback : longest;
    return {std::move(info), {}};
}

DemoReading readDemo(std::span<const char> file) {
    return readDemo(SpanBytes(file));
}

DemoReading readDemoFile(const std::string& path) {
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                               &std::fclose);
    if (!file) return unreadable("it cannot be opened");
    return readDemo(FileBytes(file.get()));
}

std::string demoLengthText(double seconds) {
    const auto whole = static_cast<long long>(std::max(0.0, seconds));
    char text[32];
    std::snprintf(text, sizeof text, "%lld:%02lld", whole / 60, whole % 60);
    return text;
}

std::string demoInfoText(const DemoInfo& info) {
    char length[32];
    std::snprintf(length, sizeof length, "%.1f", info.seconds);
    return "map\t" + info.map + "\ngame\t" + info.game + "\nlength\t" + length + "\nprotocol\t" +
           std::to_string(info.networkProtocol) + "\n";
}

}  // namespace skyloom
