#include "maps/byte_source.h"

#include <cstring>

namespace skyloom {

bool MemorySource::read(uint64_t offset, size_t length, std::string& out) const {
    if (offset > bytes_.size() || length > bytes_.size() - offset) return false;
    out.assign(bytes_.data() + offset, length);
    return true;
}

// Close-on-exec ("e"): a game started while a map is read must not inherit it.
FileSource::FileSource(const std::string& path) : file_(std::fopen(path.c_str(), "rbe")) {
    if (!file_) return;
    std::setvbuf(file_, nullptr, _IONBF, 0);  // reads are few and sized: no copy through a buffer
    if (fseeko(file_, 0, SEEK_END) == 0) {
        const off_t end = ftello(file_);
        if (end > 0) size_ = static_cast<uint64_t>(end);
    }
}

FileSource::~FileSource() {
    if (file_) std::fclose(file_);
}

bool FileSource::read(uint64_t offset, size_t length, std::string& out) const {
    if (!file_ || offset > size_ || length > size_ - offset) return false;
    out.resize(length);
    if (fseeko(file_, static_cast<off_t>(offset), SEEK_SET) != 0) return false;
    return std::fread(out.data(), 1, length, file_) == length;
}

}  // namespace skyloom
