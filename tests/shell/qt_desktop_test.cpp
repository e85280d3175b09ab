#include "shell/qt_desktop.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>
#include <functional>

using namespace skyloom;

// The real message box and file dialog: every window test uses the fake.
class QtDesktopTest : public QObject {
    Q_OBJECT

    // Lets `player` act on the modal dialog once it is up.
    void whenUp(const std::function<void(QWidget*)>& player) {
        QTimer::singleShot(0, this, [player] { player(QApplication::activeModalWidget()); });
    }

private slots:
    void barFiltersBecomeQtFilters() {
        QCOMPARE(qtNameFilter("Maps | *.bsp"), QString("Maps (*.bsp)"));
        QCOMPARE(qtNameFilter("All (*)"), QString("All (*)"));
    }

    void message_showsWhatItIsGivenAndAnswersWhatThePlayerPressed() {
        const std::tuple<MessageButtons, QString, MessageAnswer> rows[] = {
            {MessageButtons::OkCancel, "Cancel", MessageAnswer::Cancel},
            {MessageButtons::OkCancel, "Escape", MessageAnswer::Cancel},
            {MessageButtons::OkCancel, "Return", MessageAnswer::Ok},
            {MessageButtons::Ok, "OK", MessageAnswer::Ok},
        };
        QtDesktop desktop;
        for (const auto& [buttons, press, expected] : rows) {
            QString shown;
            whenUp([&](QWidget* w) {
                auto* box = qobject_cast<QMessageBox*>(w);
                shown = box->text() + "|" + box->windowTitle() + "|" +
                        QString::number(box->icon()) + "|" +
                        QString::number(box->standardButtons());
                if (press == "Escape" || press == "Return")
                    QTest::keyClick(box, press == "Escape" ? Qt::Key_Escape : Qt::Key_Return);
                else
                    box->button(press == "OK" ? QMessageBox::Ok : QMessageBox::Cancel)->click();
            });
            QCOMPARE(desktop.message(nullptr, "Are you sure ?", "Reset all settings", buttons,
                                     MessageIcon::Exclamation),
                     expected);
            const int standard =
                QMessageBox::Ok |
                (buttons == MessageButtons::OkCancel ? QMessageBox::Cancel : QMessageBox::NoButton);
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
            whenUp([&](QWidget* w) {
                auto* dialog = qobject_cast<QFileDialog*>(w);
                shown = dialog->windowTitle() + "|" + dialog->nameFilters().join(";");
                dialog->selectFile(file);
                QDialog* asDialog = dialog;  // accept() is protected in QFileDialog
                accept ? asDialog->accept() : asDialog->reject();
            });
            QCOMPARE(desktop.openFile(nullptr, "Choose your Half-Life executable",
                                      "Half-Life executable (hl.exe) | hl.exe"),
                     accept ? std::optional<QString>(file) : std::nullopt);
            QCOMPARE(
                shown,
                "Choose your Half-Life executable|Half-Life executable (hl.exe);All files (*)");
        }
    }
};

QTEST_MAIN(QtDesktopTest)
#include "qt_desktop_test.moc"
