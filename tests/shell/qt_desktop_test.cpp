#include "shell/qt_desktop.h"

#include <QtTest>
#include <QtWidgets>

using namespace skyloom;

// The real message box and dialogs: every window test uses the fake.
class QtDesktopTest : public QObject {
    Q_OBJECT
    QtDesktop desktop;
    // Lets `player` act on the modal dialog once it is up.
    void whenUp(const std::function<void(QWidget*)>& player) {
        QTimer::singleShot(0, this, [player] { player(QApplication::activeModalWidget()); });
    }
private slots:
    // Outside markup in the text shows as it is.
    void message_showsWhatItIsGivenAndAnswersWhatThePlayerPressed() {
        using B = QMessageBox;
        const std::tuple<MessageButtons, Qt::Key, MessageAnswer, int> rows[] = {
            {MessageButtons::OkCancel, Qt::Key_Escape, MessageAnswer::Cancel, B::Ok | B::Cancel},
            {MessageButtons::OkCancel, Qt::Key_Return, MessageAnswer::Ok, B::Ok | B::Cancel},
            {MessageButtons::YesNo, Qt::Key_Escape, MessageAnswer::No, B::Yes | B::No},
            {MessageButtons::YesNo, Qt::Key_Return, MessageAnswer::Yes, B::Yes | B::No},
            {MessageButtons::Ok, Qt::Key_Return, MessageAnswer::Ok, B::Ok},
        };
        for (const auto& [buttons, press, expected, shownButtons] : rows) {
            QString shown;
            whenUp([&](QWidget* w) {
                auto* box = qobject_cast<B*>(w);
                shown = QString("%1|%2|%3|%4|%5")
                            .arg(box->text(), box->windowTitle())
                            .arg(int(box->icon()))
                            .arg(int(box->standardButtons()))
                            .arg(int(box->textFormat()));
                QTest::keyClick(box, press);
            });
            QCOMPARE(desktop.message(nullptr, "<b>Sure</b> ?", "Reset all settings", buttons,
                                     MessageIcon::Exclamation),
                     expected);
            QCOMPARE(shown, QString("<b>Sure</b> ?|Reset all settings|%1|%2|%3")
                                .arg(int(B::Warning))
                                .arg(shownButtons)
                                .arg(int(Qt::PlainText)));
        }
    }
};

QTEST_MAIN(QtDesktopTest)
#include "qt_desktop_test.moc"
