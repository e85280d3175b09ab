#pragma once

#include <QByteArray>
#include <QString>
#include <map>
#include <string>

namespace skyloom {

// How a window was arranged when it last closed (its size and place, its columns, what was
// folded away), kept apart from the settings in `$XDG_STATE_HOME/skyloom/<window>.layout`: it is
// the program's memory, not the player's choice. One "part=base64" line per part.
class WindowMemory {
public:
    explicit WindowMemory(const QString& window);  // reads what there is, at most 64 KiB
    QByteArray part(const std::string& name) const;
    void setPart(const std::string& name, const QByteArray& bytes) { parts_[name] = bytes; }
    bool save() const;  // false when the file cannot be written

    // The parts of a file's bytes; lines that are not "name=base64" are passed over.
    static std::map<std::string, QByteArray> parse(std::string_view bytes);

private:
    std::string path_;
    std::map<std::string, QByteArray> parts_;
};

}  // namespace skyloom
