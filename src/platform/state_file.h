#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace skyloom {

// Skyloom's state file: what the windows remember between starts that is no setting (their sizes
// and places, column widths, a few boxes), as "key=value" lines. Keys are letters, digits, '.',
// '_' and '-'; values are printable ASCII (binary values come base64-encoded).
using StateValues = std::map<std::string, std::string, std::less<>>;

// `$XDG_STATE_HOME/skyloom/state`, else `$HOME/.local/state/skyloom/state`; empty when neither is
// known.
std::string stateFilePath(std::string_view xdgStateHome, std::string_view home);
// The path for this process's environment.
std::string stateFilePath();

// The lines that are whole and well-formed; a damaged line is passed over, and only the first
// 256 KiB and 500 lines are read, so a damaged file costs nothing but what it held.
StateValues parseStateFile(std::string_view bytes);
std::string stateFileText(const StateValues& values);
bool isStateKey(std::string_view key);

// The first `maxBytes` of a regular file; empty when it is missing, unreadable or not a regular
// file (a FIFO is never waited on).
std::string readFileStart(const std::string& path, size_t maxBytes);

// What the state file holds at `path` (nothing when it is missing or unreadable).
StateValues readStateFile(const std::string& path);
// Sets one value in the file at `path`, keeping the others; the file is replaced whole and never
// written through a link. Gives why it failed.
std::optional<std::string> writeStateValue(const std::string& path, const std::string& key,
                                           const std::string& value);

}  // namespace skyloom
