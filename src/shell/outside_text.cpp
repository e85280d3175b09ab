#include "shell/outside_text.h"

#include <QLabel>
#include <QStringDecoder>
#include <QTextDocument>
#include <algorithm>

#include "platform/utf8.h"

namespace skyloom {

QString shownText(const std::string& bytes) {
    const bool ascii =
        std::all_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) == 0; });
    if (ascii) return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    // A Latin-1 name shows as itself rather than as replacement characters.
    if (utf8.hasError())
        text = QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
    return text;
}

QString shownLine(const std::string& bytes) {
    return shownLine(shownText(bytes));
}

QString shownLine(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (const char32_t c : text.toUcs4())
        if (!hiddenInLine(c)) {
            const char32_t shown = breaksLine(c) ? U' ' : c;
            out += QString::fromUcs4(&shown, 1);
        }
    return out;
}

QString asPlainTip(const QString& text) {
    // Only text that Qt would take for markup needs escaping; the rest stays as it is.
    return Qt::mightBeRichText(text) ? Qt::convertFromPlainText(text, Qt::WhiteSpacePre) : text;
}

QString tipWithPicture(const QString& text, const QString& pictureUrl) {
    if (pictureUrl.isEmpty()) return asPlainTip(text);
    const QString shown =
        text.isEmpty() ? QString() : Qt::convertFromPlainText(text, Qt::WhiteSpacePre);
    return QStringLiteral(
               "<table><tr><td><img src=\"%1\"></td><td valign=\"top\">%2</td></tr></table>")
        .arg(pictureUrl.toHtmlEscaped(), shown);
}

void setPlainText(QLabel* label, const QString& text) {
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
}

}  // namespace skyloom
