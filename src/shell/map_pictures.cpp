#include "shell/map_pictures.h"

#include <QBuffer>
#include <QFutureWatcher>
#include <QImage>
#include <QtConcurrent/QtConcurrentRun>

#include "maps/map_check.h"
#include "maps/map_picture.h"

namespace skyloom {
std::string mapPictureUrl(const ByteSource& file) {
    const auto picture = mapPicture(file);
    if (!picture) return {};
    const QImage image(picture->rgba.data(), picture->width, picture->height, picture->width * 4,
                       QImage::Format_RGBA8888);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) return {};
    return "data:image/png;base64," + png.toBase64().toStdString();
}

MapPictures::~MapPictures() {
    follow(nullptr);
}

void MapPictures::follow(std::shared_ptr<MapFileCache> cache) {
    // Those not begun are not drawn; one being drawn ends unseen.
    for (QFutureWatcher<void>* watcher : std::as_const(drawing_)) watcher->future().cancel();
    drawing_.clear();
    cache_ = std::move(cache);
}

QString MapPictures::url(const std::string& path) {
    if (!cache_) return {};
    if (const auto kept = cache_->keptPicture(path)) return QString::fromStdString(*kept);
    const QByteArray key = QByteArray::fromStdString(path);
    if (drawing_.contains(key)) return {};
    auto* watcher = new QFutureWatcher<void>(this);
    drawing_.insert(key, watcher);
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, key] {
        if (drawing_.value(key) == watcher) drawing_.remove(key);
        watcher->deleteLater();
        if (!watcher->isCanceled()) emit drawn(key);
    });
    watcher->setFuture(
        QtConcurrent::run([cache = cache_, path] { (void)cache->picture(path, mapPictureUrl); }));
    return {};
}

}  // namespace skyloom
