#include "shell/map_pictures.h"

#include <QBuffer>
#include <QFutureWatcher>
#include <QImage>
#include <QtConcurrent/QtConcurrentRun>

#include "maps/map_picture.h"

namespace skyloom {
namespace {

// Enough for the maps a player points at in one sitting; past that, those drawn are dropped.
constexpr qsizetype kKept = 200;

}  // namespace

QString mapPictureUrl(const std::string& path) {
    const FileSource file(path);
    const auto picture = mapPicture(file);
    if (!picture) return {};
    const QImage image(picture->rgba.data(), picture->width, picture->height, picture->width * 4,
                       QImage::Format_RGBA8888);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) return {};
    return QStringLiteral("data:image/png;base64,") + QString::fromLatin1(png.toBase64());
}

MapPictures::~MapPictures() {
    // Pictures not begun are not drawn; the one being drawn ends on its own, unseen.
    for (const Entry& entry : entries_)
        if (entry.drawing) entry.drawing->future().cancel();
}

void MapPictures::forget() {
    // Those not begun are not drawn; one being drawn ends unseen.
    for (const Entry& entry : entries_)
        if (entry.drawing) entry.drawing->future().cancel();
    entries_.clear();
}

QString MapPictures::url(const std::string& path) {
    const QByteArray key = QByteArray::fromStdString(path);
    if (const auto found = entries_.find(key); found != entries_.end()) return found->url;

    if (entries_.size() >= kKept) {
        for (auto it = entries_.begin(); it != entries_.end();)
            it = it->drawing ? std::next(it) : entries_.erase(it);
    }
    auto* watcher = new QFutureWatcher<QString>(this);
    entries_[key] = {{}, watcher};
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, key] {
        auto it = entries_.find(key);
        if (it != entries_.end() && it->drawing == watcher) {
            it->drawing = nullptr;
            it->url = watcher->isCanceled() ? QString() : watcher->result();
        }
        watcher->deleteLater();
        emit drawn(key);
    });
    watcher->setFuture(QtConcurrent::run(mapPictureUrl, path));
    return {};
}

}  // namespace skyloom
