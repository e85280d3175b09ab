#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace skyloom {

// How a settings file stores its text: 8-bit (with or without a UTF-8 byte-order mark, which
// some editors write) or UTF-16 with its mark (what Windows' Notepad calls "Unicode").
enum class ProfileEncoding { Plain, Utf8Mark, Utf16Le, Utf16Be };

struct ProfileText {
    ProfileEncoding encoding = ProfileEncoding::Plain;
    std::string text;  // without the mark; UTF-16 becomes UTF-8
};

ProfileText decodeProfile(std::string_view bytes);

// The bytes of a text in an encoding, mark included; nothing when the text cannot be stored in
// it (UTF-16 holds only valid UTF-8).
std::optional<std::string> encodeProfile(std::string_view text, ProfileEncoding encoding);

// The length of the UTF-8 character that starts `s`, or 0 when `s` does not start with one.
size_t utf8CharacterLength(std::string_view s);

// How many bytes of `s` its first `characters` characters take. A byte that starts no valid
// UTF-8 character counts as one character, so Latin-1 text is cut as it is shown.
size_t utf8PrefixBytes(std::string_view s, size_t characters);

}  // namespace skyloom
