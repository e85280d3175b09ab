#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace skyloom {

// One key of Valve's text KeyValues: either a string value or a block of keys.
struct VdfNode {
    std::string key;
    std::string value;
    std::vector<VdfNode> children;
    bool block = false;

    // The first child whose key matches without regard to case (KeyValues keys ignore case).
    const VdfNode* find(std::string_view name) const;
};

// Steam's own files are a few kilobytes; these caps keep a damaged or hostile file cheap.
inline constexpr std::size_t kVdfMaxBytes = 1 << 20;
inline constexpr std::size_t kVdfMaxDepth = 32;
inline constexpr std::size_t kVdfMaxNodes = 50000;

// Reads text KeyValues ("key" "value", "key" { ... }, // comments, \\ \" \n \t escapes, optional
// [$CONDITION] tags, which are skipped), after a UTF-8 byte-order mark if there is one. The
// top-level keys are the children of the block returned. Anything malformed or past a cap gives
// nothing.
std::optional<VdfNode> parseVdf(std::string_view text);

}  // namespace skyloom
