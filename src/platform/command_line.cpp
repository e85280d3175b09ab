#include "platform/command_line.h"

#include <cstdio>

#include "platform/utf8.h"

namespace skyloom {
namespace {

bool isBlank(char c) {
    return isArgumentSeparator(c);
}

std::string codePoint(char32_t c) {
    char text[16];
    std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(c));
    return text;
}

// Characters that show as nothing or as a blank.
bool isInvisible(char32_t c) {
    return c == 0x85 || (c >= 0x2000 && c <= 0x200F) || (c >= 0x2028 && c <= 0x202F) ||
           (c >= 0x205F && c <= 0x206F) || c == 0x3000 || c == 0xFEFF || c == 0x1680 ||
           c == 0x180E || (c >= 0x80 && c < 0xA0) || c == 0xAD;
}

}  // namespace

bool isArgumentSeparator(char c) {
    return kArgumentSeparators.find(c) != std::string_view::npos;
}

bool isControlCharacter(char c) {
    const auto b = static_cast<unsigned char>(c);
    return b < 0x20 || b == 0x7F;
}

std::string nameOfCharacter(std::string_view text) {
    if (text.empty()) return "nothing";
    switch (text.front()) {
        case ' ':
            return "a blank";
        case '\t':
            return "a tab";
        case '\r':
            return "a line break (CR)";
        case '\n':
            return "a line break (LF)";
        default:
            break;
    }
    char32_t c = 0;
    const size_t length = decodeUtf8(text, c);
    if (length == 0) {
        char byte[8];
        std::snprintf(byte, sizeof byte, "0x%02X", static_cast<unsigned char>(text.front()));
        return std::string("a byte that is not text (") + byte + ")";
    }
    if (c < 0x20 || c == 0x7F) return "a control character (" + codePoint(c) + ")";
    if (c == 0xA0) return "a no-break space (U+00A0)";
    if (isInvisible(c)) return "an invisible character (" + codePoint(c) + ")";
    if (c < 0x80) return std::string("the character ") + text.front();
    return "the character " + std::string(text.substr(0, length)) + " (" + codePoint(c) + ")";
}

std::vector<std::string> splitArguments(std::string_view text) {
    std::vector<std::string> args;
    size_t i = 0;
    const size_t n = text.size();
    while (true) {
        while (i < n && isBlank(text[i])) ++i;
        if (i >= n) break;
        std::string arg;
        bool quoted = false;
        while (i < n && (quoted || !isBlank(text[i]))) {
            if (text[i] == '\\') {
                size_t slashes = 0;
                while (i < n && text[i] == '\\') {
                    ++slashes;
                    ++i;
                }
                if (i < n && text[i] == '"') {
                    arg.append(slashes / 2, '\\');
                    if (slashes % 2 == 1) {
                        arg += '"';
                        ++i;
                    }
                    // an even count leaves the quote to toggle quoting below
                } else {
                    arg.append(slashes, '\\');
                }
                continue;
            }
            if (text[i] == '"') {
                if (quoted && i + 1 < n && text[i + 1] == '"') {
                    arg += '"';  // "" inside quotes is a literal quote
                    i += 2;
                    continue;
                }
                quoted = !quoted;
                ++i;
                continue;
            }
            arg += text[i++];
        }
        args.push_back(std::move(arg));
    }
    return args;
}

ProgramArguments sortArguments(const std::vector<std::string>& arguments,
                               const std::vector<std::string>& withValue,
                               const std::vector<std::string>& flags) {
    const auto named = [](const std::vector<std::string>& names, std::string_view name) {
        for (const std::string& n : names)
            if (n == name) return true;
        return false;
    };
    ProgramArguments sorted;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--") {
            sorted.own.insert(sorted.own.end(), arguments.begin() + long(i), arguments.end());
            break;
        }
        if (argument.size() < 2 || argument[0] != '-') {
            sorted.own.push_back(argument);
            continue;
        }
        const bool twoDashes = argument[1] == '-';
        const std::string_view body = std::string_view(argument).substr(twoDashes ? 2 : 1);
        const std::string_view name = body.substr(0, body.find('='));
        const bool inlineValue = name.size() < body.size();
        std::vector<std::string>* to = nullptr;
        bool takesNext = false;
        if (twoDashes && named(withValue, name))
            to = &sorted.own, takesNext = !inlineValue;
        else if ((twoDashes && named(flags, name)) || argument == "-h" || argument == "-?" ||
                 argument == "-v")
            to = &sorted.own;
        else if (name == "platform" || name == "style")
            to = &sorted.toolkit, takesNext = !inlineValue;
        else if (name == "reverse" && !inlineValue)
            to = &sorted.toolkit;
        if (!to) {
            if (sorted.unknown.empty()) sorted.unknown = argument;
            continue;
        }
        if (to == &sorted.toolkit) {  // as the toolkit reads them: the name, then the value
            to->push_back("-" + std::string(name));
            if (inlineValue) to->emplace_back(body.substr(name.size() + 1));
        } else {
            to->push_back(argument);
        }
        if (takesNext && i + 1 < arguments.size()) to->push_back(arguments[++i]);
    }
    return sorted;
}

}  // namespace skyloom
