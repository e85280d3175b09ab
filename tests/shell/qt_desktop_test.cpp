#include "shell/qt_desktop.h"

#include "shell/sky.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>
#include <functional>

using namespace skyloom;

// The real message box and file dialog, answered as a player would: every window test uses the
// fake, so only this proves that OK means OK.
class QtDesktopTest : public QObject {
    Q_OBJECT

    // Lets `player` act on the modal dialog once it is up.
    void whenUp(const std::function<void(QWidget*)>& player) {
        QTimer::singleShot(0, this, [player] { player(QApplication::activeModalWidget()); });
    }

private slots:
    // The sky every picture shares: its colours at the top, the horizon and the bottom, and the
    // night's stars only in its upper half.
    void sky_glowsAtItsHorizonAndOnlyTheNightHasStars() {
        const std::tuple<Sky, qreal, QList<QColor>, int> cases[] = {
            {Sky::Dusk, 0.6, {{12, 18, 48}, {190, 90, 30}, {40, 20, 10}}, 0},
            {Sky::Night, 0.7, {{6, 8, 30}, {60, 30, 70}, {120, 50, 20}}, 40},
        };
        for (const auto& [sky, horizon, colours, stars] : cases) {
            QImage image(345, 200, QImage::Format_RGB32);
            QPainter p(&image);
            paintSky(p, image.rect(), sky, horizon);
            p.end();
            const int rows[] = {0, int(horizon * 200), 199};
            for (int i = 0; i < 3; ++i) {
                const QColor c = image.pixelColor(344, rows[i]);
                QVERIFY2(std::abs(c.red() - colours[i].red()) + std::abs(c.blue() - colours[i].blue()) < 6,
                         qPrintable(c.name()));
            }
            int upper = 0, lower = 0;
            for (int y = 0; y < 200; ++y)
                for (int x = 0; x < 345; ++x)
                    (y < 100 ? upper : lower) += image.pixelColor(x, y).blue() > 110;
            QVERIFY(upper >= stars && upper <= stars * 4 && lower == 0);
        }
    }

    void barFiltersBecomeQtFilters() {
        QCOMPARE(qtNameFilter("Half-Life Program (hl.exe) | hl.exe"),
                 QString("Half-Life Program (hl.exe)"));
        QCOMPARE(qtNameFilter("Maps | *.bsp"), QString("Maps (*.bsp)"));
        QCOMPARE(qtNameFilter("All (*)"), QString("All (*)"));
    }

    void message_showsWhatItIsGivenAndAnswersWhatThePlayerPressed() {
        // {buttons, the key or button the player presses, answer}
        const std::tuple<MessageButtons, QString, MessageAnswer> rows[] = {
            {MessageButtons::OkCancel, "OK", MessageAnswer::Ok},
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
            QCOMPARE(shown, "Choose your Half-Life executable|Half-Life executable (hl.exe);All files (*)");
        }
    }
};

QTEST_MAIN(QtDesktopTest)
#include "qt_desktop_test.moc"
