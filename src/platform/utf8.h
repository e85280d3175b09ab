#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace skyloom {

// The length of the UTF-8 character that starts `text` and its code point in `c`; 0 when it
// does not start one (a stray or cut byte, an overlong form, a surrogate, beyond U+10FFFF).
std::size_t decodeUtf8(std::string_view text, char32_t& c);

void appendUtf8(std::string& out, char32_t c);

}  // namespace skyloom
