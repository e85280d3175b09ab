#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace skyloom {

// Cuts and folders of the paths the settings file keeps. Values are UTF-8 bytes; folders come
// from the separators in them, never from a count of characters.

// Everything before the last separator: the folder of a file named by its path. Nothing when the
// path holds no separator; "/" for a file at the root.
std::optional<std::string> folderPart(std::string_view path);

// The folder holding the path's last component, ending in one separator so a file name can
// follow directly. Separators at the end do not count ("/hl/valve/maps/" gives "/hl/valve/").
// Empty when the path names no folder above its last component.
std::string parentFolder(std::string_view path);

}  // namespace skyloom
