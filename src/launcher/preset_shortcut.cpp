#include "launcher/preset_shortcut.h"

#include <cstdint>

#include "platform/program_info.h"
#include "platform/utf8.h"

namespace skyloom {

bool holdsControlCharacter(std::string_view text) {
    for (size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const bool c1 = byte == 0xC2 && i + 1 < text.size() &&
                        static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
                        static_cast<unsigned char>(text[i + 1]) < 0xA0;
        if (byte < 0x20 || byte == 0x7F || c1) return true;
    }
    return false;
}

std::optional<std::string> shortcutProblem(std::string_view presetName,
                                           const ShortcutTarget& target) {
    const auto utf8 = [](std::string_view text) {
        char32_t c = 0;
        for (size_t at = 0, length = 0; at < text.size(); at += length)
            if ((length = decodeUtf8(text.substr(at), c)) == 0) return false;
        return true;
    };
    if (!utf8(presetName))
        return "A desktop shortcut's name must be UTF-8 text, and this preset's is not.";
    if (holdsControlCharacter(presetName))
        return "A desktop shortcut's name cannot hold a control character.";
    const std::string settings = target.settings.value_or("");
    for (const std::string& path : {target.program, settings}) {
        const std::string named = "A desktop shortcut cannot name " + oneLine(path) + ": its path ";
        if (!utf8(path)) return named + "is not UTF-8 text.";
        if (holdsControlCharacter(path)) return named + "holds a control character.";
    }
    // Started through env (see shortcutText), which takes a word holding '=' for a setting.
    if (target.program.find('%') != std::string::npos &&
        target.program.find('=') != std::string::npos)
        return "A desktop shortcut cannot start " + target.program +
               ": desktops cannot start a program whose path holds both '%' and '='.";
    return std::nullopt;
}

std::string desktopExecArgument(std::string_view argument) {
    std::string out = "\"";
    for (const char c : argument) {
        if (c == '%') out += '%';
        if (c == '"' || c == '`' || c == '$' || c == '\\') out += '\\';
        out += c;
    }
    return out + '"';
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

std::string shortcutText(std::string_view presetName, const ShortcutTarget& target) {
    // A program's path holding '%' is written "%%" as the rules ask, but GLib looks for the
    // program by the path before it undoes that and so drops the entry: env is found instead,
    // and is given the path undone.
    std::string exec = target.program.find('%') == std::string::npos ? std::string() : "env ";
    exec += desktopExecArgument(target.program);
    if (target.settings) exec += " \"--settings\" " + desktopExecArgument(*target.settings);
    exec += " \"--preset\" " + desktopExecArgument(presetName);
    return "[Desktop Entry]\nType=Application\nName=" + desktopStringValue(presetName) +
           "\nComment=Starts the Skyloom preset " + desktopStringValue(presetName) +
           "\nExec=" + desktopStringValue(exec) + "\nIcon=" + std::string(kAppId) +
           "\nTerminal=false\nCategories=Game;\n";
}

}  // namespace skyloom
