#include "shell/window_memory.h"

#include <QEvent>
#include <QHeaderView>
#include <QSplitter>
#include <QWidget>
#include <vector>

#include "platform/state_file.h"

namespace skyloom {
namespace {

// Saves what `save` gives when the watched widget is hidden, which every way of closing or
// unloading a window does before it is destroyed.
class SaveOnHide final : public QObject {
public:
    SaveOnHide(QWidget* watched, QString key, std::function<QByteArray()> save)
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
    std::function<QByteArray()> save_;
};

constexpr int kMaxSize = 100000;  // pixels: more is damage

// "a,b,c" as numbers from 0 to kMaxSize, exactly `count` of them.
std::optional<std::vector<int>> numbers(const QByteArray& text, qsizetype count) {
    const QList<QByteArray> parts = text.split(',');
    if (parts.size() != count) return std::nullopt;
    std::vector<int> out;
    for (const QByteArray& part : parts) {
        bool ok = false;
        const int n = part.toInt(&ok);
        if (!ok || n < 0 || n > kMaxSize) return std::nullopt;
        out.push_back(n);
    }
    return out;
}

QByteArray joined(const std::vector<int>& values) {
    QByteArray out;
    for (int v : values) out += (out.isEmpty() ? "" : ",") + QByteArray::number(v);
    return out;
}

}  // namespace

// Each column in the order shown: its index, then its width.
QByteArray columnsState(const QHeaderView* header) {
    std::vector<int> values;
    for (int shown = 0; shown < header->count(); ++shown) {
        const int column = header->logicalIndex(shown);
        values.insert(values.end(), {column, header->sectionSize(column)});
    }
    return joined(values);
}

bool restoreColumns(QHeaderView* header, const QByteArray& state) {
    const int count = header->count();
    const auto values = numbers(state, 2 * qsizetype{count});
    if (!values || count == 0) return false;
    std::vector<bool> seen(count);
    for (int shown = 0; shown < count; ++shown) {
        const int column = (*values)[2 * shown];
        if (column >= count || seen[column]) return false;
        seen[column] = true;
    }
    for (int shown = 0; shown < count; ++shown) {
        const int column = (*values)[2 * shown];
        header->moveSection(header->visualIndex(column), shown);
        header->resizeSection(column,
                              std::max((*values)[2 * shown + 1], header->minimumSectionSize()));
    }
    return true;
}

QByteArray splitterState(const QSplitter* splitter) {
    const QList<int> sizes = splitter->sizes();
    return joined(std::vector<int>(sizes.begin(), sizes.end()));
}

bool restoreSplitter(QSplitter* splitter, const QByteArray& state) {
    const auto sizes = numbers(state, splitter->count());
    if (!sizes || splitter->count() == 0) return false;
    splitter->setSizes(QList<int>(sizes->begin(), sizes->end()));
    return true;
}

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

void rememberPart(QWidget* window, const QString& key,
                  const std::function<void(const QByteArray&)>& restore,
                  std::function<QByteArray()> save) {
    if (const auto value = rememberedValue(key)) restore(*value);
    new SaveOnHide(window, key, std::move(save));
}

void rememberGeometry(QWidget* window) {
    // restoreGeometry checks what it is given and keeps a place on a screen that is there.
    rememberPart(
        window, window->objectName() + QStringLiteral(".geometry"),
        [window](const QByteArray& geometry) { window->restoreGeometry(geometry); },
        [window] { return window->saveGeometry(); });
}

void rememberColumns(QHeaderView* header, const QString& key) {
    rememberPart(
        header->window(), key, [header](const QByteArray& state) { restoreColumns(header, state); },
        [header] { return columnsState(header); });
}

void rememberSplitter(QSplitter* splitter, const QString& key) {
    rememberPart(
        splitter->window(), key,
        [splitter](const QByteArray& state) { restoreSplitter(splitter, state); },
        [splitter] { return splitterState(splitter); });
}

}  // namespace skyloom
