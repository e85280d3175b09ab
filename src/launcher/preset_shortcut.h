#pragma once

#include <string>
#include <string_view>

namespace skyloom {

// A desktop shortcut that starts a preset: a desktop entry running `skyloom --preset NAME`.

// One argument of an Exec key, quoted when it holds a reserved character, its `%` doubled.
std::string desktopExecArgument(std::string_view argument);

// A value with the escapes every string value of a desktop entry takes (\\ \n \t \r \s).
std::string desktopStringValue(std::string_view value);

// "io.github.skyloom.Skyloom.preset-<name>.desktop", each byte of the name that a desktop-file id
// cannot hold written "_XX" (its hex value; "_" itself too, so two names never share a file), cut
// to a length every file system takes.
std::string shortcutFileName(std::string_view presetName);

// The folder shortcuts go in: `$XDG_DATA_HOME/applications`, or `~/.local/share/applications`
// when it is unset or relative; empty when neither is known.
std::string shortcutFolder(std::string_view xdgDataHome, std::string_view home);

// The whole desktop entry.
std::string shortcutText(std::string_view presetName);

}  // namespace skyloom
