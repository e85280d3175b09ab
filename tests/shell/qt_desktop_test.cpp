#include "shell/qt_desktop.h"

#include <QtTest>
#include <QtWidgets>

#include "shell/sky.h"

using namespace skyloom;

// The real message box and file dialog: every window test uses the fake.
class QtDesktopTest : public QObject {
    Q_OBJECT
    // Lets `player` act on the modal dialog once it is up.
    void whenUp(const std::function<void(QWidget*)>& player) {
        QTimer::singleShot(0, this, [player] { player(QApplication::activeModalWidget()); });
    }
private slots:
    // The sky every picture shares: its colour at the top and at the horizon; only the night's
    // has stars, and only up high.
    void sky_glowsAtItsHorizonAndOnlyTheNightHasStars() {
        const std::tuple<Sky, QColor, QColor> rows[] = {{Sky::Dusk, {12, 18, 48}, {190, 90, 30}},
                                                        {Sky::Night, {6, 8, 30}, {60, 30, 70}}};
        for (const auto& [sky, top, horizon] : rows) {
            QImage image(345, 200, QImage::Format_RGB32);
            QPainter p(&image);
            paintSky(p, image.rect(), sky, 0.7);
            p.end();
            for (const auto& [y, c] : {std::pair(0, top), std::pair(140, horizon)}) {
                const QColor at = image.pixelColor(344, y);
                QVERIFY(std::abs(at.red() - c.red()) + std::abs(at.blue() - c.blue()) < 6);
            }
            int upper = 0, lower = 0;
            for (int y = 0; y < 200; ++y)
                for (int x = 0; x < 345; ++x)
                    (y < 100 ? upper : lower) += image.pixelColor(x, y).blue() > 110;
            QVERIFY(lower == 0 && (upper > 0) == (sky == Sky::Night));
        }
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
                shown = QString("%1|%2|%3|%4")
                            .arg(box->text(), box->windowTitle())
                            .arg(int(box->icon()))
                            .arg(int(box->standardButtons()));
                if (press == "Escape" || press == "Return")
                    QTest::keyClick(box, press == "Escape" ? Qt::Key_Escape : Qt::Key_Return);
                else
                    box->button(press == "OK" ? QMessageBox::Ok : QMessageBox::Cancel)->click();
            });
            QCOMPARE(desktop.message(nullptr, "Are you sure ?", "Reset all settings", buttons,
                                     MessageIcon::Exclamation),
                     expected);
            const bool cancel = buttons == MessageButtons::OkCancel;
            QCOMPARE(shown, QString("Are you sure ?|Reset all settings|%1|%2")
                                .arg(int(QMessageBox::Warning))
                                .arg(QMessageBox::Ok | (cancel ? int(QMessageBox::Cancel) : 0)));
        }
    }
    // A filter as the program writes it ("Name | pattern") becomes Qt's, all files added.
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
    // The line chosen counts, not its text: two names that look alike stay two. A typed or
    // pasted control character becomes a blank, as in every other field.
    void chooseAndAsk_answerTheLineChosenAndTheTextKeptOnOneLine() {
        QtDesktop desktop;
        whenUp([](QWidget* w) {
            auto* list = w->findChild<QListView*>();
            list->setCurrentIndex(list->model()->index(1, 0));
            QTest::keyClick(w, Qt::Key_Return);
        });
        QCOMPARE(
            desktop.chooseItem(nullptr, "Delete preset", "Preset:", {"caf\u00e9", "caf\u00e9"}),
            std::optional<int>(1));
        whenUp([](QWidget* w) {
            w->findChild<QLineEdit*>()->insert(
                "a\x1B[1mb\x0B"
                "c");
            QTest::keyClick(w, Qt::Key_Return);
        });
        QCOMPARE(desktop.askText(nullptr, "Save as preset", "Name of the preset:"),
                 std::optional<QString>("a [1mb c"));
    }
};

QTEST_MAIN(QtDesktopTest)
#include "qt_desktop_test.moc"
