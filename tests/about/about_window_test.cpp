#include "about/about_window.h"

#include <QAccessible>
#include <QtTest>
#include <QtWidgets>

#include "about/secret_window.h"
#include "launcher/main_window.h"
#include "test_app.h"

using namespace skyloom;
using namespace skyloom::test;

class AboutWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestApp> app;
    MainWindow* main = nullptr;

    struct About {
        QWidget* window;
        CONTROL(QLabel, Label1);
        CONTROL(QLabel, Label2);
        CONTROL(QLabel, Label4);
        CONTROL(QLabel, Label5);
        CONTROL(QLabel, Label6);
        CONTROL(QLabel, Label7);
        CONTROL(QLabel, Picture1);
        CONTROL(QLabel, lblComp);
        CONTROL(QLabel, lblUser);
        CONTROL(QLineEdit, txtSettingsFile);
        CONTROL(QPushButton, cmdOK);
    };
    struct Secret {
        QWidget* window;
        CONTROL(QPushButton, Command1);
        CONTROL(QLineEdit, Text1);
        CONTROL(QLabel, lbl);
        CONTROL(QLabel, pict);
        CONTROL(QPlainTextEdit, txt);
    };

    // Opened as a player does: from the main window's "?" menu.
    About open(const std::string& misc = "user=Nightjar \r\ncompany=Loom Clan\r\n") {
        app = std::make_unique<TestApp>();
        app->writeIni("[MISC]\r\ntfc=true\r\n" + misc);
        main = qobject_cast<MainWindow*>(app->windows.show("sp"));
        main->findChild<QAction*>("mnuHelpitmAbout")->trigger();
        return {app->windows.find("frmAbout")};
    }
    bool aboutGoneAndMainEnabled() {
        TestApp::processDeletes();
        return !app->windows.isLoaded("frmAbout") && main->isEnabled() && !app->ended;
    }

private slots:
    // Over a disabled main window, enabled again however About closes; only the name answers.
    void about_showsStoredUserAndTeasesOnTheName() {
        const About ui = open();
        QWidget* w = app->windows.find("frmAbout");
        QVERIFY(w->isVisible() && !w->isModal() && !main->isEnabled());
        QCOMPARE(
            QVariantList({w->windowTitle(), ui.Label1->text(), ui.Label2->text(), ui.Label4->text(),
                          ui.lblUser->text(), ui.lblComp->text(), ui.Label5->text(),
                          ui.cmdOK->text(), ui.Picture1->pixmap().isNull()}),
            QVariantList({"About the Skyloom ", "Skyloom 2.1",
                          "Map launcher, Deathmatch maker and map Adnvanced Option Launcher "
                          "for Half-Life.",
                          "This copy is lisenced to :", "Nightjar", "Loom Clan",
                          "Official sites :", "OK", false}));
        const auto heard = [](QWidget* c, QAccessible::Text what) {  // as a screen reader does
            return spokenName(c) + " " + QAccessible::queryAccessibleInterface(c)->text(what);
        };
        QCOMPARE(
            QStringList({heard(ui.lblUser, QAccessible::Name), heard(ui.lblComp, QAccessible::Name),
                         heard(ui.txtSettingsFile, QAccessible::Value)}),
            QStringList({"This copy is lisenced to : Nightjar", "Organisation : Loom Clan",
                         "Settings file: " + QString::fromStdString(app->iniPath())}));
        QVERIFY(ui.txtSettingsFile->isReadOnly());
        for (QLabel* site : {ui.Label7, ui.Label6})
            QVERIFY(site->text().startsWith("http://") && site->text().endsWith(".example/"));
        for (QLabel* l : {ui.lblComp, ui.Label7}) QTest::mouseClick(l, Qt::LeftButton);
        QTest::mouseClick(ui.lblUser, Qt::LeftButton);
        QCOMPARE(app->desktop.messages.size(), size_t(1));
        const auto& m = app->desktop.messages[0];
        QCOMPARE(m.text, " It's your name, right ? So why did you click, stupid guy !!! :)");
        QVERIFY(m.title == "Stupid guy" && m.icon == MessageIcon::Critical && !main->isEnabled());
        QTest::mouseClick(ui.cmdOK, Qt::LeftButton);
        QVERIFY(aboutGoneAndMainEnabled());
        const About missing = open("");
        QVERIFY(missing.lblUser->text() == "error" && missing.lblComp->text() == "error");
        app->windows.find("frmAbout")->close();
        QVERIFY(aboutGoneAndMainEnabled());
    }

    // Stored markup shows as typed; a screen reader meets dialogs named by their titles; while
    // About is up the main window cannot be closed; Esc closes About. (Tab: the window walk.)
    void about_isAPlainTextDialogThatHoldsTheMainWindow() {
        const About ui = open("user=<S>Nightjar\r\ncompany=<img src=\"/etc/x.png\">\r\n");
        QCOMPARE(
            QVariantList({ui.lblUser->text(), ui.lblUser->textFormat(), ui.lblComp->textFormat()}),
            QVariantList({"<S>Nightjar", Qt::PlainText, Qt::PlainText}));
        QWidget* w = app->windows.find("frmAbout");
        QTest::mouseClick(ui.Picture1, Qt::LeftButton);
        auto* secret = app->windows.find<SecretWindow>("secret");
        for (QWidget* dialog : {w, static_cast<QWidget*>(secret)}) {
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(dialog);
            QCOMPARE(a->role(), QAccessible::Dialog);
            QCOMPARE(a->text(QAccessible::Name), dialog->windowTitle());
        }
        QVERIFY(!main->close());
        TestApp::processDeletes();
        QVERIFY(app->windows.isLoaded("sp") && !app->ended);
        QTest::keyClick(w, Qt::Key_Escape);
        QVERIFY(aboutGoneAndMainEnabled());
    }

    // The picture opens the credits once: from below it up 27 twips a tick, drawn at 15 a pixel in
    // a yellow the picture lacks, redrawn on Command1, back once below minus their height.
    void picture_opensScrollingCredits() {
        const About ui = open();
        QTest::mouseClick(ui.Picture1, Qt::LeftButton);
        auto* w = app->windows.find<SecretWindow>("secret");
        QVERIFY(w && w->isVisible() && !w->isModal() && w->timer().isActive());
        w->timer().stop();
        const Secret s{w};
        const QFont font = s.lbl->font();
        QCOMPARE(
            QVariantList({w->timer().interval(), w->windowTitle(), w->size(), s.pict->geometry(),
                          s.pict->pixmap().size(), font.family(), font.bold(), font.pointSizeF(),
                          s.lbl->text(), s.lbl->size(), s.lbl->y(), s.Text1->text()}),
            QVariantList({10, "The horrible staff", QSize(342, 208), QRect(0, 0, 346, 212),
                          QSize(345, 210), "Arial", true, 11.25, s.txt->toPlainText(),
                          s.lbl->sizeHint(), 212, QString(19, '_')}));
        QVERIFY(s.txt->toPlainText().contains("Skyloom 2.0 credits"));
        for (int i = 0; i < 3; ++i) w->Timer1_Timer();
        QCOMPARE(s.lbl->y(), 206);
        for (int i = 3; i < 30; ++i) w->Timer1_Timer();
        const QImage shot = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const auto* px = reinterpret_cast<const QRgb*>(shot.constBits());
        QVERIFY(std::count(px, px + shot.width() * shot.height(), qRgb(255, 255, 0)) > 100);
        QTest::mouseClick(ui.Picture1, Qt::LeftButton);
        QVERIFY(app->windows.find("secret") == w && w->creditsTop() == 3180 - 30 * 27);
        s.txt->setPlainText("MISC\nGeneric : Loomhound");
        QTest::mouseClick(s.Command1, Qt::LeftButton);
        QVERIFY(w->timer().isActive() && w->creditsTop() == 3180 - 30 * 27);
        QVERIFY(s.lbl->text() == s.txt->toPlainText() &&
                s.Text1->text() ==
                    s.txt->toPlainText().replace('\n', ' '));  // a text box: one line
        SecretWindow fresh(app->context);
        Secret{&fresh}.txt->setPlainText(s.txt->toPlainText());
        QTest::mouseClick(Secret{&fresh}.Command1, Qt::LeftButton);
        for (int i = 0; i < 30; ++i) fresh.Timer1_Timer();
        QCOMPARE(w->grab().toImage(), fresh.grab().toImage());
        int before = w->creditsTop();
        while (w->Timer1_Timer(), w->creditsTop() < before) before = w->creditsTop();
        const int past = before + s.lbl->height() * 15;  // the last top before the restart
        QVERIFY(w->creditsTop() == 3180 && past >= 0 && past < 27);
        QTest::mouseClick(ui.cmdOK, Qt::LeftButton);
        QVERIFY(aboutGoneAndMainEnabled() && w->isVisible());
    }
};

QTEST_MAIN(AboutWindowTest)
#include "about_window_test.moc"
