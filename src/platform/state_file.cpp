#include "platform/state_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/atomic_file.h"
#include "platform/settings_place.h"

namespace skyloom {
namespace {

constexpr size_t kMaxBytes = 256 * 1024, kMaxLines = 500;

bool isValueText(std::string_view value) {
    for (const char c : value)
        if (c < 0x20 || c > 0x7E) return false;
    return true;
}

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

}  // namespace

bool isStateKey(std::string_view key) {
    if (key.empty() || key.size() > 100) return false;
    for (const char c : key)
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
              c == '.' || c == '_' || c == '-'))
            return false;
    return true;
}

std::string stateFilePath(std::string_view xdgStateHome, std::string_view home) {
    // A relative XDG_STATE_HOME is invalid and is ignored, as the XDG rules say.
    if (!xdgStateHome.empty() && xdgStateHome.front() == '/')
        return std::string(xdgStateHome) + "/skyloom/state";
    if (home.empty()) return {};
    return std::string(home) + "/.local/state/skyloom/state";
}

std::string stateFilePath() {
    return stateFilePath(environment("XDG_STATE_HOME"), environment("HOME"));
}

StateValues parseStateFile(std::string_view bytes) {
    StateValues values;
    bytes = bytes.substr(0, kMaxBytes);
    for (size_t lines = 0; lines < kMaxLines; ++lines) {
        const size_t end = bytes.find('\n');
        if (end == std::string_view::npos) break;  // a last line without its end was cut short
        const std::string_view line = bytes.substr(0, end);
        bytes.remove_prefix(end + 1);
        const size_t equals = line.find('=');
        if (equals == std::string_view::npos) continue;
        const std::string_view key = line.substr(0, equals), value = line.substr(equals + 1);
        if (isStateKey(key) && isValueText(value)) values[std::string(key)] = value;
    }
    return values;
}

std::string stateFileText(const StateValues& values) {
    std::string text;
    for (const auto& [key, value] : values) text.append(key).append("=").append(value) += '\n';
    return text;
}

std::string readFileStart(const std::string& path, size_t maxBytes) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return {};
    std::string bytes(maxBytes, '\0');
    size_t size = 0;
    struct stat info {};
    const bool regular = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    while (regular && size < bytes.size()) {
        const ssize_t got = ::read(fd, bytes.data() + size, bytes.size() - size);
        if (got <= 0) {
            if (got < 0) size = 0;
            break;
        }
        size += size_t(got);
    }
    ::close(fd);
    bytes.resize(size);
    return bytes;
}

StateValues readStateFile(const std::string& path) {
    return parseStateFile(readFileStart(path, kMaxBytes));
}

std::optional<std::string> writeStateValue(const std::string& path, const std::string& key,
                                           const std::string& value) {
    if (path.empty()) return "no place for the state file";
    if (!isStateKey(key) || !isValueText(value)) return "not a state value";
    if (auto error = makeFolderFor(path)) return error;
    FileUpdate update(path, FileUpdate::Links::Replace);
    if (update.error()) return update.error();
    StateValues values = readStateFile(path);
    values[key] = value;
    return update.replace(stateFileText(values));
}

}  // namespace skyloom
