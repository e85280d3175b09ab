#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QString>
#include <memory>
#include <string>

template <typename T>
class QFutureWatcher;

namespace skyloom {

class ByteSource;
class MapFileCache;

// A map's picture as a PNG data URL for a tooltip; empty when the map cannot be read or shows
// nothing.
std::string mapPictureUrl(const ByteSource& file);

// Pictures of maps for tooltips, drawn off the window's thread into the listing's map cache:
// the window's thread never touches the files.
class MapPictures final : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~MapPictures() override;

    // The picture of the map at `path` as a PNG data URL, or empty: while it is being drawn
    // (`drawn` follows) or when the map has none.
    QString url(const std::string& path);
    // The maps are listed anew: the pictures are those of this listing's cache.
    void follow(std::shared_ptr<MapFileCache> cache);

signals:
    void drawn(const QByteArray& path);

private:
    std::shared_ptr<MapFileCache> cache_;
    QHash<QByteArray, QFutureWatcher<void>*> drawing_;
};

}  // namespace skyloom
