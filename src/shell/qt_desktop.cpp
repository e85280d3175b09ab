#include "shell/qt_desktop.h"

#include <QApplication>
#include <QFileDialog>
#include <QFontMetrics>
#include <QInputDialog>
#include <QListView>
#include <QMessageBox>
#include <algorithm>

#include "shell/single_line_fields.h"

namespace skyloom {

QString qtNameFilter(const QString& filter) {
    const qsizetype bar = filter.indexOf(QLatin1Char('|'));
    if (bar < 0) return filter;
    const QString description = filter.left(bar).trimmed();
    const QString pattern = QLatin1Char('(') + filter.mid(bar + 1).trimmed() + QLatin1Char(')');
    // "Program (hl.exe) | hl.exe" already shows its pattern once.
    return description.endsWith(pattern) ? description : description + QLatin1Char(' ') + pattern;
}

MessageAnswer QtDesktop::message(QWidget* parent, const QString& text, const QString& title,
                                 MessageButtons buttons, MessageIcon icon) {
    QMessageBox box(parent);
    // Texts quote paths and names from outside: markup in them is shown, never rendered.
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    box.setWindowTitle(title);
    switch (icon) {
        case MessageIcon::None:
            box.setIcon(QMessageBox::NoIcon);
            break;
        case MessageIcon::Information:
            box.setIcon(QMessageBox::Information);
            break;
        case MessageIcon::Exclamation:
            box.setIcon(QMessageBox::Warning);
            break;
        case MessageIcon::Critical:
            box.setIcon(QMessageBox::Critical);
            break;
    }
    if (buttons == MessageButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setEscapeButton(QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        return box.exec() == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
    }
    if (buttons == MessageButtons::OkCancel) {
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setEscapeButton(QMessageBox::Cancel);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

std::optional<QString> QtDesktop::openFile(QWidget* parent, const QString& title,
                                           const QString& filter) {
    // The home folder rather than wherever the program was started from.
    QFileDialog dialog(parent, title, QDir::homePath());
    // A game installed under another name (hl_linux, a script) can still be chosen.
    dialog.setNameFilters({qtNameFilter(filter), QStringLiteral("All files (*)")});
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFilter(dialog.filter() & ~QDir::CaseSensitive);  // "hl.exe" matches "HL.EXE"
    // Wine prefixes live in hidden folders (~/.wine).
    dialog.setFilter(dialog.filter() | QDir::Hidden);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

std::optional<int> QtDesktop::chooseItem(QWidget* parent, const QString& title,
                                         const QString& label, const QStringList& items) {
    QInputDialog dialog(parent);
    dialog.setWindowTitle(title);
    dialog.setLabelText(label);
    dialog.setComboBoxItems(items);
    dialog.setOption(QInputDialog::UseListViewForComboBoxItems);
    // Lines such as whole paths are read in full, without scrolling sideways.
    int widest = 0;
    for (const QString& item : items)
        widest = std::max(widest, dialog.fontMetrics().horizontalAdvance(item));
    dialog.resize(std::min(widest + 64, 900), dialog.sizeHint().height());
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    // By the line chosen, not its text: two names may look alike.
    const auto* list = dialog.findChild<QListView*>();
    const qsizetype index = list && list->currentIndex().isValid()
                                ? list->currentIndex().row()
                                : items.indexOf(dialog.textValue());
    return index < 0 ? std::nullopt : std::optional<int>(static_cast<int>(index));
}

namespace {

// A one-line field with the guard of every other text field.
std::optional<QString> askLine(QWidget* parent, const QString& title, const QString& label,
                               QLineEdit::EchoMode echo) {
    QInputDialog dialog(parent);
    dialog.setWindowTitle(title);
    dialog.setLabelText(label);
    dialog.setTextEchoMode(echo);
    keepFieldsOnOneLine(&dialog);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.textValue();
}

}  // namespace

std::optional<QString> QtDesktop::askText(QWidget* parent, const QString& title,
                                          const QString& label) {
    return askLine(parent, title, label, QLineEdit::Normal);
}

std::optional<QString> QtDesktop::askSecret(QWidget* parent, const QString& title,
                                            const QString& label) {
    return askLine(parent, title, label, QLineEdit::Password);
}

void QtDesktop::alert(QWidget* window) {
    window->raise();
    QApplication::alert(window);
}

}  // namespace skyloom
