#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

class QHeaderView;
class QSplitter;
class QWidget;

namespace skyloom {

// What windows remember between starts in Skyloom's state file (never in skyloom.ini): their
// sizes and places, column widths, a box's state. A value that is missing or damaged reads as
// nothing, and the window keeps its designed state.
std::optional<QByteArray> rememberedValue(const QString& key);
// False when the state file could not be written; nothing a player has to be told.
bool remember(const QString& key, const QByteArray& value);

// Gives the window the size and place it had when it was last hidden, closed or unloaded, and
// keeps them the next time; by the window's object name.
void rememberGeometry(QWidget* window);
// The same for a header's columns (their widths and order), under `key`.
void rememberColumns(QHeaderView* header, const QString& key);
// The same for a splitter's sizes.
void rememberSplitter(QSplitter* splitter, const QString& key);
// The same for any part of a window: `restore` is given what was kept under `key`, if anything,
// and what `save` gives is kept each time `window` is hidden.
void rememberPart(QWidget* window, const QString& key,
                  const std::function<void(const QByteArray&)>& restore,
                  std::function<QByteArray()> save);

// Columns and sizes as kept: plain numbers, never Qt's own states, which a damaged file can
// crash on reading. Restoring what does not fit the header or splitter changes nothing and
// gives false.
QByteArray columnsState(const QHeaderView* header);
bool restoreColumns(QHeaderView* header, const QByteArray& state);
QByteArray splitterState(const QSplitter* splitter);
bool restoreSplitter(QSplitter* splitter, const QByteArray& state);

}  // namespace skyloom
