#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace skyloom {

// A desktop shortcut that starts a preset: a desktop entry running `skyloom --preset NAME`.

// Whether the text holds a C0 or C1 control character or DEL (C1 as UTF-8 or as a single byte).
bool holdsControlCharacter(std::string_view text);

// One argument of an Exec key: always in double quotes, escaped by the Desktop Entry rules, its
// `%` doubled. Desktops that hand Exec to /bin/sh would glob or split anything left bare.
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

// The Skyloom a shortcut starts: "skyloom" when PATH finds this one, else its absolute path; and
// the settings file it was started with by --settings, if any.
struct ShortcutTarget {
    std::string program = "skyloom";
    std::optional<std::string> settings;
};

// Why no valid desktop entry can start this preset (a name or path that is not UTF-8 or holds a
// control character, a program whose path holds both '%' and '='), in words; nothing when one
// can.
std::optional<std::string> shortcutProblem(std::string_view presetName,
                                           const ShortcutTarget& target);

// The whole desktop entry. A program whose path holds '%' is started through `env`.
std::string shortcutText(std::string_view presetName, const ShortcutTarget& target = {});

}  // namespace skyloom
