#pragma once

#include <cstdint>
#include <cstdio>
#include <span>
#include <string>

namespace skyloom {

// Bounded reads from a file or from bytes in memory: the map readers never see more than they
// ask for, and a read past the end is a failure, not a short answer.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual uint64_t size() const = 0;
    // Replaces `out` with `length` bytes from `offset`; false when they are not all there.
    virtual bool read(uint64_t offset, size_t length, std::string& out) const = 0;
};

class MemorySource final : public ByteSource {
public:
    explicit MemorySource(std::span<const char> bytes) : bytes_(bytes) {}
    uint64_t size() const override { return bytes_.size(); }
    bool read(uint64_t offset, size_t length, std::string& out) const override;

private:
    std::span<const char> bytes_;
};

class FileSource final : public ByteSource {
public:
    // `Refuse`: a symbolic link at the path is not followed and nothing is open.
    enum class Links { Follow, Refuse };
    explicit FileSource(const std::string& path, Links links = Links::Follow);
    ~FileSource() override;
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;

    bool isOpen() const { return file_ != nullptr; }
    uint64_t size() const override { return size_; }
    bool read(uint64_t offset, size_t length, std::string& out) const override;

private:
    std::FILE* file_ = nullptr;
    uint64_t size_ = 0;
};

// Little-endian integers, as every file of the game stores them.
inline uint32_t le32(const char* p) {
    const auto* b = reinterpret_cast<const unsigned char*>(p);
    return uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
}

}  // namespace skyloom
