#include "maps/byte_source.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

namespace skyloom {

bool MemorySource::read(uint64_t offset, size_t length, std::string& out) const {
    if (offset > bytes_.size() || length > bytes_.size() - offset) return false;
    out.assign(bytes_.data() + offset, length);
    return true;
}

// Close-on-exec: a game started while a map is read must not inherit it. Without blocking: a
// FIFO at a map's or the store's name would hold the reading for good; only a regular file
// is read.
FileSource::FileSource(const std::string& path, Links links) {
    const int flags =
        O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK | (links == Links::Refuse ? O_NOFOLLOW : 0);
    const int fd = ::open(path.c_str(), flags);
    if (fd < 0) return;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || !(file_ = ::fdopen(fd, "rb"))) {
        ::close(fd);
        return;
    }
    std::setvbuf(file_, nullptr, _IONBF, 0);  // reads are few and sized: no copy through a buffer
    if (st.st_size > 0) size_ = static_cast<uint64_t>(st.st_size);
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
