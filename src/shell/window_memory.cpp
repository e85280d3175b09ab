#include "shell/window_memory.h"

#include <QEvent>
#include <QHeaderView>
#include <QWidget>

#include "platform/state_file.h"

namespace skyloom {
namespace {

// Saves what `save` gives when the watched widget is hidden, which every way of closing or
// unloading a window does before it is destroyed.
template <class Save>
class SaveOnHide final : public QObject {
public:
    SaveOnHide(QWidget* watched, QString key, Save save)
        : QObject(watched), key_(std::move(key)), save_(std::move(save)) {
        watched->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Hide && !static_cast<QWidget*>(watched)->isMinimized())
            remember(key_, save_());
        return QObject::eventFilter(watched, event);
    }

private:
    QString key_;
    Save save_;
};

}  // namespace

std::optional<QByteArray> rememberedValue(const QString& key) {
    const StateValues values = readStateFile(stateFilePath());
    const auto it = values.find(key.toStdString());
    if (it == values.end()) return std::nullopt;
    auto decoded = QByteArray::fromBase64Encoding(QByteArray::fromStdString(it->second),
                                                  QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded) return std::nullopt;
    return *decoded;
}

bool remember(const QString& key, const QByteArray& value) {
    return !writeStateValue(stateFilePath(), key.toStdString(), value.toBase64().toStdString());
}

void rememberGeometry(QWidget* window) {
    const QString key = window->objectName() + QStringLiteral(".geometry");
    // restoreGeometry checks what it is given and keeps a place on a screen that is there.
    if (const auto geometry = rememberedValue(key)) window->restoreGeometry(*geometry);
    new SaveOnHide(window, key, [window] { return window->saveGeometry(); });
}

void rememberColumns(QHeaderView* header, const QString& key) {
    if (const auto state = rememberedValue(key)) header->restoreState(*state);
    new SaveOnHide(header->window(), key, [header] { return header->saveState(); });
}

}  // namespace skyloom
