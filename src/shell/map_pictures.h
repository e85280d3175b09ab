#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QString>
#include <cstdint>
#include <string>

template <typename T>
class QFutureWatcher;

namespace skyloom {

// A map's picture as a PNG data URL for a tooltip; empty when the map cannot be read or shows
// nothing. Reads the file: call it off the window's thread.
QString mapPictureUrl(const std::string& path);

// Pictures of maps, drawn off the window's thread and kept by path until the maps are listed
// again: the window's thread never touches the files.
class MapPictures final : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~MapPictures() override;

    // The picture of the map at `path`, or empty: while it is being drawn (`drawn` follows)
    // or when the map has none.
    QString url(const std::string& path);
    // Drops the pictures drawn: the maps are listed anew and may have changed.
    void forget();

signals:
    void drawn(const QByteArray& path);

private:
    struct Entry {
        QString url;
        QFutureWatcher<QString>* drawing = nullptr;
    };
    QHash<QByteArray, Entry> entries_;
};

}  // namespace skyloom
