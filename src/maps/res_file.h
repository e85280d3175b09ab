#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace skyloom {

// The mod-relative paths a `maps/<map>.res` lists. Comments (`//`), absolute paths and entries
// a server refuses to send (holding `\`, `:` or `..`) are left out.
std::vector<std::string> parseResFile(std::string_view text);

// The `fallback_dir` a mod's liblist.gam names; "valve" when it names none or names something
// that is not a folder beside the mod's.
std::string fallbackDir(std::string_view liblist);

}  // namespace skyloom
