#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace skyloom {

// The characters that separate arguments: the splitter's and every check that keeps a value in
// one argument take them from here.
inline constexpr std::string_view kArgumentSeparators = " \t";

bool isArgumentSeparator(char c);
// A C0 control character or DEL: nothing a player means to pass to the game.
bool isControlCharacter(char c);

// The character that starts `text` (a whole UTF-8 character, or one byte that is not UTF-8) named
// so a player can see it in a message: "a blank", "a tab", "a no-break space (U+00A0)",
// "the character ;".
std::string nameOfCharacter(std::string_view text);

// Splits arguments by the Microsoft C runtime's rules: blanks separate, double quotes group,
// 2n backslashes before a quote give n and toggle quoting, 2n+1 give n and a literal quote.
std::vector<std::string> splitArguments(std::string_view text);

// A program's arguments (less its name) taken apart into its own and the toolkit's (`-platform
// NAME`, `-style NAME`, `-reverse`, with one or two dashes, a value also after '='), and the
// first option that is neither, as typed. A value of one of its own options (`withValue`, named
// without dashes) is never taken for an option, nor is anything after "--".
struct ProgramArguments {
    std::vector<std::string> own;
    std::vector<std::string> toolkit;
    std::string unknown;
};
ProgramArguments sortArguments(const std::vector<std::string>& arguments,
                               const std::vector<std::string>& withValue,
                               const std::vector<std::string>& flags);

}  // namespace skyloom
