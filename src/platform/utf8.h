#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace skyloom {

// The length of the UTF-8 character that starts `text` and its code point in `c`; 0 when it
// does not start one (a stray or cut byte, an overlong form, a surrogate, beyond U+10FFFF).
std::size_t decodeUtf8(std::string_view text, char32_t& c);

void appendUtf8(std::string& out, char32_t c);

// The one rule for text from outside (map titles, server and player names, addresses, paths)
// wherever it is shown or printed: one line, drawn as it reads.
// Dropped: direction overrides, isolates and marks, and the invisible characters that make
// look-alike names (zero-width ones, word joiners, the byte-order mark, tags, soft hyphens).
bool hiddenInLine(char32_t c);
// Made a blank: control characters and line or paragraph separators.
bool breaksLine(char32_t c);

// Bytes as one line of valid UTF-8 by that rule; bytes that are not UTF-8 become U+FFFD.
std::string oneLine(std::string_view bytes);

// The same for a terminal: a text longer than `longest` characters keeps `longest - 1` of them
// and ends in "…".
std::string terminalLine(std::string_view bytes, std::size_t longest = 200);

}  // namespace skyloom
