#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace skyloom {

// One read-change-replace of a file, safe against crashes and against other processes doing the
// same. While alive it holds a lock on the file's folder: the file itself gets a new inode with
// every replacement, so a lock on it would not keep out a writer that opened the old one. A
// symbolic link is followed, so the replacement lands on its target and the link stays.
class FileUpdate {
public:
    // `Replace`: a link at the path is itself replaced by a new file (mode `newMode`), never
    // followed.
    enum class Links { Follow, Replace };
    explicit FileUpdate(const std::string& path, Links links = Links::Follow,
                        unsigned newMode = 0644);
    ~FileUpdate();
    FileUpdate(const FileUpdate&) = delete;
    FileUpdate& operator=(const FileUpdate&) = delete;

    // Why the file cannot be updated (its folder cannot be opened or locked), or nothing.
    const std::optional<std::string>& error() const { return error_; }

    // The file that is replaced: the path with its symbolic links followed.
    const std::string& target() const { return target_; }

    // Writes `bytes` to the one temporary file beside the target, flushes it, renames it over the
    // target and flushes the folder, so a crash or a power cut keeps the old or the new file and
    // a full disk keeps the old one. An existing file keeps its permissions when links are
    // followed. Returns why it failed.
    std::optional<std::string> replace(std::string_view bytes);

private:
    std::string target_;
    std::string temporary_;
    int folder_ = -1;
    bool follow_ = true;
    unsigned newMode_ = 0644;
    std::optional<std::string> error_;
};

// The calls that make a replacement last; a test puts its own in to see their order.
struct DurableCalls {
    int (*fsync)(int fd);
    int (*rename)(const char* from, const char* to);
};
DurableCalls& durableCalls();

// Replaces a file's content as one step (see FileUpdate::replace). Returns why it failed.
std::optional<std::string> replaceFileAtomically(
    const std::string& path, std::string_view bytes,
    FileUpdate::Links links = FileUpdate::Links::Follow);

}  // namespace skyloom
