#include "app/qt_desktop.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>
#include <functional>

using namespace skyloom;

// The real message boxes and file dialog, answered as a player would: every window test uses the
// fake, so only this proves that OK means OK.
class QtDesktopTest : public QObject {
    Q_OBJECT

    // Runs `player` on the dialog of type T once it is up, while `open` waits for it.
    template <typename T, typename R>
    R answer(const std::function<R()>& open, const std::function<void(T*)>& player) {
        bool seen = false;
        QTimer::singleShot(0, this, [&] {
            auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            seen = true;
            player(dialog);
        });
        const R result = open();
        if (!seen) qWarning("no dialog");
        return result;
    }

private slots:
    void barFiltersBecomeQtFilters() {
        QCOMPARE(qtNameFilter("Half-Life Program (hl.exe) | hl.exe"),
                 QString("Half-Life Program (hl.exe)"));
        QCOMPARE(qtNameFilter("Maps | *.bsp"), QString("Maps (*.bsp)"));
        QCOMPARE(qtNameFilter("All (*)"), QString("All (*)"));
    }

    void message_showsWhatItIsGivenAndAnswersWhatThePlayerPressed() {
        // {buttons, what the player does, answer}
        const std::tuple<MessageButtons, const char*, MessageAnswer> rows[] = {
            {MessageButtons::OkCancel, "OK", MessageAnswer::Ok},
            {MessageButtons::OkCancel, "Cancel", MessageAnswer::Cancel},
            {MessageButtons::OkCancel, "Escape", MessageAnswer::Cancel},
            {MessageButtons::OkCancel, "Return", MessageAnswer::Ok},
            {MessageButtons::Ok, "OK", MessageAnswer::Ok},
        };
        QtDesktop desktop;
        for (const auto& [buttons, press, expected] : rows) {
            QString shown;
            const MessageAnswer a = answer<QMessageBox, MessageAnswer>(
                [&] {
                    return desktop.message(nullptr, "Are you sure ?", "Reset all settings", buttons,
                                           MessageIcon::Exclamation);
                },
                [&](QMessageBox* box) {
                    shown = box->text() + "|" + box->windowTitle() + "|" +
                            QString::number(box->icon()) + "|" +
                            QString::number(box->standardButtons());
                    const QString p = press;
                    if (p == "Escape" || p == "Return")
                        QTest::keyClick(box, p == "Escape" ? Qt::Key_Escape : Qt::Key_Return);
                    else
                        box->button(p == "OK" ? QMessageBox::Ok : QMessageBox::Cancel)->click();
                });
            QCOMPARE(a, expected);
            const int standard = buttons == MessageButtons::Ok
                                     ? QMessageBox::Ok
                                     : QMessageBox::Ok | QMessageBox::Cancel;
            QCOMPARE(shown, "Are you sure ?|Reset all settings|" +
                                QString::number(QMessageBox::Warning) + "|" +
                                QString::number(standard));
        }
    }

    void openFile_givesTheChosenFileOrNothing() {
        QTemporaryDir dir;
        const QString file = dir.filePath("HL.EXE");
        QVERIFY(QFile(file).open(QIODevice::WriteOnly));
        QtDesktop desktop;
        for (const bool accept : {true, false}) {
            QString shown;
            const std::optional<QString> chosen = answer<QFileDialog, std::optional<QString>>(
                [&] {
                    return desktop.openFile(nullptr, "Choose your Half-Life executable",
                                            "Half-Life executable (hl.exe) | hl.exe");
                },
                [&](QFileDialog* dialog) {
                    shown = dialog->windowTitle() + "|" + dialog->nameFilters().join(";");
                    dialog->setDirectory(dir.path());
                    dialog->selectFile(file);
                    QDialog* asDialog = dialog;  // accept() is protected in QFileDialog
                    accept ? asDialog->accept() : asDialog->reject();
                });
            QCOMPARE(shown, "Choose your Half-Life executable|Half-Life executable (hl.exe)");
            QCOMPARE(chosen, accept ? std::optional<QString>(file) : std::nullopt);
        }
    }
};

QTEST_MAIN(QtDesktopTest)
#include "qt_desktop_test.moc"
