#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace skyloom {

// Replaces a file's content as one step: a temporary file beside it is written, flushed and
// renamed over the old one, so a crash or a full disk never leaves half a file. An existing file
// keeps its permissions. Returns why it failed, or nothing on success.
std::optional<std::string> replaceFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace skyloom
