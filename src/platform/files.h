#pragma once

#include <filesystem>

namespace skyloom {

// Whether a path names a folder or a regular file, following links; an unreadable or missing
// path is neither, never an exception.
inline bool isFolder(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

inline bool isFile(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

}  // namespace skyloom
