#include "platform/atomic_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace skyloom {
namespace {

namespace fs = std::filesystem;

std::string errorText(int err) {
    return std::string(std::strerror(err));
}

// Follows symbolic links as open() would, also to a target that does not exist yet.
std::optional<fs::path> followLinks(fs::path path, int& err) {
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(path, ec))) return path;
        fs::path to = fs::read_symlink(path, ec);
        if (ec) {
            err = ec.value();
            return std::nullopt;
        }
        path = to.is_absolute() ? to : path.parent_path() / to;
    }
    err = ELOOP;
    return std::nullopt;
}

}  // namespace

DurableCalls& durableCalls() {
    static DurableCalls calls{::fsync, ::rename};
    return calls;
}

FileUpdate::FileUpdate(const std::string& path, Links links, unsigned newMode)
    : target_(path), follow_(links == Links::Follow), newMode_(newMode) {
    int err = 0;
    const std::optional<fs::path> target = follow_ ? followLinks(path, err) : fs::path(path);
    if (!target) {
        error_ = errorText(err);
        return;
    }
    target_ = target->string();
    // One fixed name, so a write killed half-way leaves one file that the next write removes.
    temporary_ = target_ + ".tmp";
    const fs::path parent = target->parent_path();
    const std::string folder = parent.empty() ? std::string(".") : parent.string();
    folder_ = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder_ < 0) {
        error_ = errorText(errno);
        return;
    }
    while (::flock(folder_, LOCK_EX) != 0) {
        if (errno == EINTR) continue;
        error_ = errorText(errno);
        return;
    }
    ::unlink(temporary_.c_str());
}

FileUpdate::~FileUpdate() {
    if (folder_ >= 0) ::close(folder_);  // releases the lock
}

std::optional<std::string> FileUpdate::replace(std::string_view bytes) {
    if (error_) return error_;
    mode_t mode = static_cast<mode_t>(newMode_);
    struct stat st {};
    if (follow_ && ::stat(target_.c_str(), &st) == 0) mode = st.st_mode & 07777;

    const int fd =
        ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) return errorText(errno);
    int err = 0;
    const char* p = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            err = errno;
            break;
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    if (err == 0 && ::fchmod(fd, mode) != 0) err = errno;
    if (err == 0 && durableCalls().fsync(fd) != 0) err = errno;
    if (::close(fd) != 0 && err == 0) err = errno;
    if (err == 0 && durableCalls().rename(temporary_.c_str(), target_.c_str()) != 0) err = errno;
    if (err != 0) {
        ::unlink(temporary_.c_str());
        return errorText(err);
    }
    // The rename itself lives in the folder: without this a power cut may undo it.
    if (durableCalls().fsync(folder_) != 0 && errno != EINVAL) return errorText(errno);
    return std::nullopt;
}

std::optional<std::string> replaceFileAtomically(const std::string& path, std::string_view bytes,
                                                 FileUpdate::Links links) {
    FileUpdate update(path, links);
    return update.replace(bytes);
}

}  // namespace skyloom
