#include "shell/window_memory.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>

#include "platform/atomic_file.h"
#include "platform/settings_place.h"

namespace skyloom {

namespace {

constexpr std::size_t kMaxBytes = 64 * 1024;

std::string stateFolder() {
    std::string state = qEnvironmentVariable("XDG_STATE_HOME").toStdString();
    if (state.empty() || state.front() != '/') {
        const std::string home = QDir::homePath().toStdString();
        if (home.empty() || home == "/") return {};
        state = home + "/.local/state";
    }
    return state + "/skyloom/";
}

// A regular file's first bytes; a FIFO or a device at the name is never waited on.
std::string readSmallFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) return {};
    struct stat st {};
    std::string bytes;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        bytes.resize(kMaxBytes);
        const ssize_t n = ::read(fd, bytes.data(), bytes.size());
        bytes.resize(static_cast<std::size_t>(std::max<ssize_t>(n, 0)));
    }
    ::close(fd);
    return bytes;
}

}  // namespace

WindowMemory::WindowMemory(const QString& window) {
    const std::string folder = stateFolder();
    if (folder.empty()) return;
    path_ = folder + window.toStdString() + ".layout";
    parts_ = parse(readSmallFile(path_));
}

std::map<std::string, QByteArray> WindowMemory::parse(std::string_view bytes) {
    std::map<std::string, QByteArray> parts;
    for (std::size_t from = 0; from < bytes.size() && parts.size() < 64;) {
        std::size_t end = bytes.find('\n', from);
        if (end == std::string_view::npos) end = bytes.size();
        const std::string_view line = bytes.substr(from, end - from);
        from = end + 1;
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos || equals == 0 || equals > 32) continue;
        const auto decoded = QByteArray::fromBase64Encoding(
            QByteArray(line.data() + equals + 1, static_cast<qsizetype>(line.size() - equals - 1)),
            QByteArray::AbortOnBase64DecodingErrors);
        if (decoded) parts[std::string(line.substr(0, equals))] = *decoded;
    }
    return parts;
}

QByteArray WindowMemory::part(const std::string& name) const {
    const auto it = parts_.find(name);
    return it == parts_.end() ? QByteArray() : it->second;
}

bool WindowMemory::save() const {
    if (path_.empty() || makeFolderFor(path_)) return false;
    std::string text;
    for (const auto& [name, bytes] : parts_)
        text += name + '=' + bytes.toBase64().toStdString() + '\n';
    if (text.size() > kMaxBytes) return false;
    return !replaceFileAtomically(path_, text, FileUpdate::Links::Replace);
}

}  // namespace skyloom
