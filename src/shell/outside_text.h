#pragma once

#include <QString>
#include <string>

class QLabel;

namespace skyloom {

// Text that comes from outside (map files, settings, server answers) is shown as plain text
// wherever it appears: markup in a map's title must not draw pictures, nor open the files it
// names.

// Bytes as the player reads them: UTF-8 when they are, else each byte a Latin-1 character.
QString shownText(const std::string& bytes);

// The same as one line by the rule server names follow (oneLine() in platform/utf8.h): for
// titles, names and paths shown in rows, labels and the status line.
QString shownLine(const std::string& bytes);
QString shownLine(const QString& text);

// For places where Qt guesses between plain and rich text (tooltips, item descriptions): the
// text as rich text that shows exactly the plain text, line breaks kept.
QString asPlainTip(const QString& text);

// The same beside a picture of our own, given as a URL (empty: none).
QString tipWithPicture(const QString& text, const QString& pictureUrl);

// Sets a label's text, never read as markup.
void setPlainText(QLabel* label, const QString& text);

}  // namespace skyloom
