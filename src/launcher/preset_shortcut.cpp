#include "launcher/preset_shortcut.h"

#include <cstdint>

#include "platform/program_info.h"

namespace skyloom {

std::string desktopExecArgument(std::string_view argument) {
    constexpr std::string_view reserved = " \t\n\"'\\><~|&;$*?#()`";
    const bool quote =
        argument.empty() || argument.find_first_of(reserved) != std::string_view::npos;
    std::string out = quote ? "\"" : "";
    for (const char c : argument) {
        if (c == '%') out += '%';
        if (quote && (c == '"' || c == '`' || c == '$' || c == '\\')) out += '\\';
        out += c;
    }
    return quote ? out + '"' : out;
}

std::string desktopStringValue(std::string_view value) {
    std::string out;
    for (const char c : value) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\t')
            out += "\\t";
        else if (c == '\r')
            out += "\\r";
        else if (c == ' ' && out.empty())
            out += "\\s";  // a leading blank would be trimmed
        else
            out += c;
    }
    return out;
}

std::string shortcutFileName(std::string_view presetName) {
    constexpr std::string_view hex = "0123456789ABCDEF";
    std::string id;
    for (const char c : presetName) {
        const auto byte = static_cast<unsigned char>(c);
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
            c == '-') {
            id += c;
        } else {
            id += '_';
            id += hex[byte >> 4];
            id += hex[byte & 15];
        }
    }
    // A file name holds 255 bytes: a longer id keeps its start and a hash of the whole name.
    constexpr size_t kLongest = 180;
    if (id.size() > kLongest) {
        std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
        for (const char c : presetName)
            hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
        id.resize(kLongest - 17);
        id += '-';
        for (int shift = 60; shift >= 0; shift -= 4) id += hex[(hash >> shift) & 15];
    }
    return std::string(kAppId) + ".preset-" + id + ".desktop";
}

std::string shortcutFolder(std::string_view xdgDataHome, std::string_view home) {
    if (!xdgDataHome.empty() && xdgDataHome.front() == '/')
        return std::string(xdgDataHome) + "/applications";
    if (home.empty() || home.front() != '/') return {};
    return std::string(home) + "/.local/share/applications";
}

std::string shortcutText(std::string_view presetName) {
    return "[Desktop Entry]\nType=Application\nName=" + desktopStringValue(presetName) +
           "\nComment=Starts the Skyloom preset " + desktopStringValue(presetName) +
           "\nExec=" + desktopStringValue("skyloom --preset " + desktopExecArgument(presetName)) +
           "\nIcon=" + std::string(kAppId) + "\nTerminal=false\nCategories=Game;\n";
}

}  // namespace skyloom
