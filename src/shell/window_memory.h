#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

class QHeaderView;
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

}  // namespace skyloom
