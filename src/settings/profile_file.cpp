#include "settings/profile_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "platform/ascii.h"
#include "platform/atomic_file.h"
#include "settings/profile_encoding.h"

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

struct Line {
    size_t begin;  // first byte
    size_t end;    // one past the last byte before the line break
    size_t next;   // first byte of the following line
};

// A line ends at LF, CR LF or a lone CR, as on Windows.
std::vector<Line> splitLines(std::string_view text) {
    std::vector<Line> lines;
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t at = text.find_first_of("\r\n", pos);
        if (at == std::string_view::npos) {
            lines.push_back({pos, text.size(), text.size()});
            break;
        }
        const bool crlf = text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n';
        lines.push_back({pos, at, at + (crlf ? 2 : 1)});
        pos = at + (crlf ? 2 : 1);
    }
    return lines;
}

// New lines end as the file's first line does; a file without one gets the platform's.
std::string_view lineBreakOf(std::string_view text) {
    const size_t at = text.find_first_of("\r\n");
    if (at == std::string_view::npos || text[at] == '\n') return "\n";
    return text.substr(at + 1, 1) == "\n" ? "\r\n" : "\r";
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
    std::vector<size_t> entries;   // line indexes of the key, the first one counts
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
            if (sameIgnoringAsciiCase(p.name, section)) {
                loc.header = i;
                loc.lastContent = i;
            }
            continue;
        }
        if (!loc.header) continue;
        if (!trim(raw).empty()) loc.lastContent = i;
        if (p.kind == Kind::Entry && sameIgnoringAsciiCase(p.name, key)) loc.entries.push_back(i);
    }
    return loc;
}

enum class LoadState { Missing, Read, Unreadable, TooLarge };

struct Loaded {
    LoadState state = LoadState::Missing;
    std::string bytes;
    std::string problem;  // why it cannot serve, in words for a message box
};

std::string cannotRead(const std::string& file, const std::string& why) {
    return "Cannot read " + file + ": " + why;
}

std::string tooLarge(const std::string& file, unsigned long long size) {
    return file + " is not a settings file: it holds " + std::to_string(size) +
           " bytes, more than the " + std::to_string(kMaxProfileFileBytes) +
           " (1 MiB) a settings file may hold.";
}

// Reads a whole file, but never more than a settings file may hold: the size is checked before
// anything is read, and the read stops at the limit if the file grows meanwhile.
Loaded loadProfile(const std::string& file) {
    // Non-blocking, so a FIFO in the file's place cannot hang the start.
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        if (errno == ENOENT) return {};
        return {LoadState::Unreadable, {}, cannotRead(file, std::strerror(errno))};
    }
    Loaded result{LoadState::Read, {}, {}};
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        result = {LoadState::Unreadable, {}, cannotRead(file, std::strerror(errno))};
    } else if (S_ISDIR(st.st_mode)) {
        result = {LoadState::Unreadable, {}, cannotRead(file, std::strerror(EISDIR))};
    } else if (!S_ISREG(st.st_mode)) {
        result = {LoadState::Unreadable, {}, cannotRead(file, "it is not a regular file")};
    } else if (static_cast<unsigned long long>(st.st_size) > kMaxProfileFileBytes) {
        result = {LoadState::TooLarge, {}, tooLarge(file, st.st_size)};
    } else {
        std::string& data = result.bytes;
        data.reserve(static_cast<size_t>(st.st_size));
        char chunk[16384];
        while (data.size() <= kMaxProfileFileBytes) {
            const ssize_t n = ::read(fd, chunk, sizeof chunk);
            if (n == 0) break;
            if (n > 0) {
                data.append(chunk, static_cast<size_t>(n));
            } else if (errno != EINTR) {
                result = {LoadState::Unreadable, {}, cannotRead(file, std::strerror(errno))};
                break;
            }
        }
        if (result.state == LoadState::Read && data.size() > kMaxProfileFileBytes)
            result = {LoadState::TooLarge, {}, tooLarge(file, data.size())};
    }
    ::close(fd);
    return result;
}

bool forgesLines(std::string_view s) {
    return s.find_first_of("\r\n", 0) != std::string_view::npos ||
           s.find('\0') != std::string_view::npos;
}

// Why a write must be refused before the file is touched: what it writes would not read back.
std::optional<std::string> refusal(std::string_view section, std::string_view key,
                                   std::optional<std::string_view> value) {
    if (forgesLines(section) || forgesLines(key) || (value && forgesLines(*value)))
        return "A setting may not hold a line break.";
    auto blankAtAnEnd = [](std::string_view s) { return trim(s).size() != s.size(); };
    if (blankAtAnEnd(section) || section.find(']') != std::string_view::npos || blankAtAnEnd(key) ||
        key.find('=') != std::string_view::npos ||
        (!key.empty() && (key.front() == '[' || key.front() == ';')))
        return "Invalid setting name.";
    return std::nullopt;
}

// Read-only by its mode bits (as a player's "chmod -w" leaves it), not by access(), which says
// yes to root for every file.
bool isReadOnly(const std::string& file) {
    struct stat st {};
    if (::stat(file.c_str(), &st) != 0) return false;
    return (st.st_mode & 0222) == 0 || ::access(file.c_str(), W_OK) != 0;
}

}  // namespace

std::optional<std::string> findProfileValue(std::string_view text, std::string_view section,
                                            std::string_view key) {
    auto lines = splitLines(text);
    Location loc = locate(text, lines, section, key);
    if (loc.entries.empty()) return std::nullopt;
    const Line& l = lines[loc.entries.front()];
    return std::string(parseLine(text.substr(l.begin, l.end - l.begin)).value);
}

std::map<std::string, std::string> profileSectionValues(std::string_view text,
                                                        std::string_view section) {
    std::map<std::string, std::string> values;
    bool inside = false, seen = false;
    for (const Line& l : splitLines(text)) {
        const Parsed p = parseLine(text.substr(l.begin, l.end - l.begin));
        if (p.kind == Kind::Section) {
            if (inside) break;  // as locate(): the first matching section counts
            inside = seen = !seen && sameIgnoringAsciiCase(p.name, section);
        } else if (inside && p.kind == Kind::Entry) {
            values.emplace(asciiLowered(p.name), std::string(p.value));
        }
    }
    return values;
}

std::vector<std::string> profileSections(std::string_view text) {
    std::vector<std::string> names;
    for (const Line& l : splitLines(text)) {
        const Parsed p = parseLine(text.substr(l.begin, l.end - l.begin));
        if (p.kind != Kind::Section) continue;
        bool known = false;
        for (const std::string& name : names) known = known || sameIgnoringAsciiCase(name, p.name);
        if (!known) names.emplace_back(p.name);
    }
    return names;
}

std::string removeProfileSection(std::string_view text, std::string_view name) {
    std::string out;
    bool removing = false;
    // Whole lines go, from a header to the next one: no line break is split, so none can join.
    for (const Line& l : splitLines(text)) {
        const Parsed p = parseLine(text.substr(l.begin, l.end - l.begin));
        if (p.kind == Kind::Section) removing = sameIgnoringAsciiCase(p.name, name);
        if (!removing) out += text.substr(l.begin, l.next - l.begin);
    }
    return out;
}

std::string setProfileValue(std::string_view text, std::string_view section, std::string_view key,
                            std::optional<std::string_view> value, std::string_view newline) {
    auto lines = splitLines(text);
    Location loc = locate(text, lines, section, key);
    std::string out(text);

    if (!loc.header) {
        if (!value) return out;
        if (!lines.empty() && lines.back().next == lines.back().end) out += newline;
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

    if (!value) {
        // Every copy goes, or the next one would be read in its place. A lone CR before the
        // line and an LF after it would meet as one CR LF and swallow a line: the line before
        // ends with CR LF instead, which nothing before it can join.
        for (auto at = loc.entries.rbegin(); at != loc.entries.rend(); ++at) {
            const Line& l = lines[*at];
            out.erase(l.begin, l.next - l.begin);
            if (l.begin > 0 && out[l.begin - 1] == '\r' && l.begin < out.size() &&
                out[l.begin] == '\n')
                out.insert(l.begin, 1, '\n');
        }
        return out;
    }

    if (!loc.entries.empty()) {
        const Line& l = lines[loc.entries.front()];
        std::string_view raw = text.substr(l.begin, l.end - l.begin);
        std::string_view t = trim(raw);
        std::string keptKey(trim(t.substr(0, t.find('='))));
        return out.replace(l.begin, l.end - l.begin, keptKey + "=" + std::string(*value));
    }

    const Line& after = lines[loc.lastContent];
    std::string insert;
    if (after.next == after.end) insert += newline;  // the file ended without a line break
    insert += key;
    insert += '=';
    insert += *value;
    insert += newline;
    // A new line ending in a lone CR before an LF would take that LF as its own.
    if (insert.back() == '\r' && after.next < out.size() && out[after.next] == '\n') insert += '\n';
    return out.insert(after.next, insert);
}

std::optional<std::string> readProfileValue(const std::string& file, std::string_view section,
                                            std::string_view key) {
    Loaded loaded = loadProfile(file);
    if (loaded.state != LoadState::Read) return std::nullopt;
    return findProfileValue(decodeProfile(loaded.bytes).text, section, key);
}

std::string readProfileText(const std::string& file) {
    Loaded loaded = loadProfile(file);
    if (loaded.state != LoadState::Read) return {};
    return decodeProfile(loaded.bytes).text;
}

std::optional<std::string> profileFileProblem(const std::string& file) {
    Loaded loaded = loadProfile(file);
    if (loaded.state == LoadState::Unreadable || loaded.state == LoadState::TooLarge)
        return loaded.problem;
    return std::nullopt;
}

ProfileWriteResult writeProfileValues(const std::string& file,
                                      const std::vector<ProfileChange>& changes) {
    for (const ProfileChange& c : changes) {
        const auto value = c.value ? std::optional<std::string_view>(*c.value) : std::nullopt;
        if (auto refused = refusal(c.section, c.key, value)) return {false, *refused};
    }
    return updateProfileValues(file, [&changes](std::string_view) { return changes; });
}

ProfileWriteResult updateProfileValues(
    const std::string& file,
    const std::function<std::vector<ProfileChange>(std::string_view text)>& changesFor) {
    // The lock spans the read, so a write by another instance in between is not lost.
    FileUpdate update(file);
    if (update.error()) return {false, "Cannot write " + file + ": " + *update.error()};
    const Loaded old = loadProfile(update.target());
    if (old.state == LoadState::Unreadable || old.state == LoadState::TooLarge)
        return {false, old.problem};
    const bool exists = old.state == LoadState::Read;
    if (exists && isReadOnly(update.target()))
        return {false, "Cannot write " + file + ": the file is read-only"};

    const ProfileText decoded = decodeProfile(old.bytes);
    if (encodeProfile(decoded.text, decoded.encoding) != old.bytes)
        return {false, "Cannot write " + file + ": its UTF-16 text is damaged"};
    const std::vector<ProfileChange> changes = changesFor(decoded.text);
    for (const ProfileChange& c : changes) {
        const auto value = c.value ? std::optional<std::string_view>(*c.value) : std::nullopt;
        if (auto refused = refusal(c.section, c.key, value)) return {false, *refused};
    }
    std::string updated = decoded.text;
    for (const ProfileChange& c : changes) {
        const auto value = c.value ? std::optional<std::string_view>(*c.value) : std::nullopt;
        if (c.key.empty() && !value) {
            updated = removeProfileSection(updated, c.section);
            continue;
        }
        updated = setProfileValue(updated, c.section, c.key, value, lineBreakOf(decoded.text));
    }
    if (updated == decoded.text) return {};
    const std::optional<std::string> bytes = encodeProfile(updated, decoded.encoding);
    if (!bytes) return {false, "Cannot write " + file + ": a UTF-16 file holds only UTF-8 text"};
    // A write never makes a file that the next start would refuse.
    if (bytes->size() > kMaxProfileFileBytes)
        return {false, "Cannot write " + file + ": it would hold " + std::to_string(bytes->size()) +
                           " bytes, more than the " + std::to_string(kMaxProfileFileBytes) +
                           " (1 MiB) a settings file may hold."};

    if (auto error = update.replace(*bytes)) return {false, "Cannot write " + file + ": " + *error};
    return {};
}

}  // namespace skyloom
