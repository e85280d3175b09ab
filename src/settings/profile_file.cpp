#include "settings/profile_file.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/atomic_file.h"

namespace skyloom {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

char lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

struct Line {
    size_t begin;  // first byte
    size_t end;    // one past the last byte before the line break
    size_t next;   // first byte of the following line
};

std::vector<Line> splitLines(std::string_view text) {
    std::vector<Line> lines;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t nl = text.find('\n', pos);
        if (nl == std::string_view::npos) {
            lines.push_back({pos, text.size(), text.size()});
            break;
        }
        size_t end = (nl > pos && text[nl - 1] == '\r') ? nl - 1 : nl;
        lines.push_back({pos, end, nl + 1});
        pos = nl + 1;
    }
    return lines;
}

enum class Kind { Other, Section, Entry };

struct Parsed {
    Kind kind = Kind::Other;
    std::string_view name;   // section or key name
    std::string_view value;  // entries only, trimmed, quotes removed
};

Parsed parseLine(std::string_view line) {
    std::string_view t = trim(line);
    if (t.empty() || t.front() == ';') return {};
    if (t.front() == '[') {
        t.remove_prefix(1);
        size_t close = t.find(']');
        if (close != std::string_view::npos) t = t.substr(0, close);
        return {Kind::Section, trim(t), {}};
    }
    size_t eq = t.find('=');
    if (eq == std::string_view::npos) return {};
    std::string_view value = trim(t.substr(eq + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return {Kind::Entry, trim(t.substr(0, eq)), value};
}

// Where a section and one of its keys stand in a text.
struct Location {
    std::optional<size_t> header;  // line index of the section header
    std::optional<size_t> entry;   // line index of the key
    size_t lastContent = 0;        // last non-blank line of the section (or its header)
};

Location locate(std::string_view text, const std::vector<Line>& lines, std::string_view section,
                std::string_view key) {
    Location loc;
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string_view raw = text.substr(lines[i].begin, lines[i].end - lines[i].begin);
        Parsed p = parseLine(raw);
        if (p.kind == Kind::Section) {
            if (loc.header) break;  // the first matching section is the one that counts
            if (sameName(p.name, section)) {
                loc.header = i;
                loc.lastContent = i;
            }
            continue;
        }
        if (!loc.header) continue;
        if (!trim(raw).empty()) loc.lastContent = i;
        if (p.kind == Kind::Entry && !loc.entry && sameName(p.name, key)) loc.entry = i;
    }
    return loc;
}

std::optional<std::string> readWholeFile(const std::string& file, int* error = nullptr) {
    std::FILE* f = std::fopen(file.c_str(), "rb");
    if (!f) {
        if (error) *error = errno;
        return std::nullopt;
    }
    std::string data;
    char buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) data.append(buf, n);
    bool failed = std::ferror(f) != 0;
    int err = errno;
    std::fclose(f);
    if (failed) {
        if (error) *error = err;
        return std::nullopt;
    }
    return data;
}

bool forgesLines(std::string_view s) {
    return s.find_first_of("\r\n", 0) != std::string_view::npos ||
           s.find('\0') != std::string_view::npos;
}

}  // namespace

std::optional<std::string> findProfileValue(std::string_view text, std::string_view section,
                                            std::string_view key) {
    auto lines = splitLines(text);
    Location loc = locate(text, lines, section, key);
    if (!loc.entry) return std::nullopt;
    const Line& l = lines[*loc.entry];
    return std::string(parseLine(text.substr(l.begin, l.end - l.begin)).value);
}

std::string setProfileValue(std::string_view text, std::string_view section, std::string_view key,
                            std::optional<std::string_view> value, std::string_view newline) {
    auto lines = splitLines(text);
    Location loc = locate(text, lines, section, key);
    std::string out(text);

    if (!loc.header) {
        if (!value) return out;
        if (!out.empty() && out.back() != '\n') out += newline;
        out += '[';
        out += section;
        out += ']';
        out += newline;
        out += key;
        out += '=';
        out += *value;
        out += newline;
        return out;
    }

    if (loc.entry) {
        const Line& l = lines[*loc.entry];
        if (!value) return out.erase(l.begin, l.next - l.begin);
        std::string_view raw = text.substr(l.begin, l.end - l.begin);
        std::string_view t = trim(raw);
        std::string keptKey(trim(t.substr(0, t.find('='))));
        return out.replace(l.begin, l.end - l.begin, keptKey + "=" + std::string(*value));
    }

    if (!value) return out;
    const Line& after = lines[loc.lastContent];
    std::string insert;
    if (after.next == after.end) insert += newline;  // the file ended without a line break
    insert += key;
    insert += '=';
    insert += *value;
    insert += newline;
    return out.insert(after.next, insert);
}

std::optional<std::string> readProfileValue(const std::string& file, std::string_view section,
                                            std::string_view key) {
    auto text = readWholeFile(file);
    if (!text) return std::nullopt;
    return findProfileValue(*text, section, key);
}

ProfileWriteResult writeProfileValue(const std::string& file, std::string_view section,
                                     std::string_view key, std::optional<std::string_view> value) {
    if (forgesLines(section) || forgesLines(key) || (value && forgesLines(*value)))
        return {false, "A setting may not hold a line break."};
    if (section.find(']') != std::string_view::npos || key.find('=') != std::string_view::npos)
        return {false, "Invalid setting name."};

    int err = 0;
    std::string old;
    bool exists = false;
    struct stat st {};
    if (::stat(file.c_str(), &st) == 0) {
        auto text = readWholeFile(file, &err);
        if (!text) return {false, "Cannot read " + file + ": " + std::strerror(err)};
        old = std::move(*text);
        exists = true;
    }

    std::string_view newline = "\n";
    if (exists && old.find("\r\n") != std::string::npos) newline = "\r\n";
    std::string updated = setProfileValue(old, section, key, value, newline);
    if (exists && updated == old) return {};
    if (!exists && updated.empty()) return {};

    if (auto error = replaceFileAtomically(file, updated))
        return {false, "Cannot write " + file + ": " + *error};
    return {};
}

}  // namespace skyloom
