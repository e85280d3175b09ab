#include "about/about_window.h"

#include "about/secret_window.h"
#include "window_harness.h"

using namespace skyloom;
using namespace skyloom::test;

class AboutWindowTest : public WindowHarness {
    Q_OBJECT
    QWidget* main = nullptr;

    // Opened over the main window, which its "?" menu disables.
    void open(const std::string& misc = "user=Nightjar \r\ncompany=Loom Clan\r\n") {
        app = std::make_unique<TestApp>();
        app->add<AboutWindow>("frmAbout");
        app->add<SecretWindow>("secret");
        app->writeIni("[MISC]\r\ntfc=true\r\n" + misc);
        main = app->windows.show("sp");
        w = app->windows.show("frmAbout");
        app->windows.setEnabled("sp", false);
    }
    template <class T = QLabel>
    T* ui(const char* name, QWidget* window = nullptr) {
        return (window ? window : w)->findChild<T*>(name);
    }
    bool aboutGoneAndMainEnabled() {
        TestApp::processDeletes();
        return !app->windows.isLoaded("frmAbout") && main->isEnabled() && !app->ended;
    }

private slots:
    // Over a disabled main window, enabled again however About closes; only the name answers.
    void about_showsStoredUserTeasesOnTheNameAndScrollsCredits() {
        for (const char* close : {"OK", "Escape", "frame"}) {
            open();
            QVERIFY(w->isVisible() && !w->isModal() && !main->isEnabled());
            QCOMPARE(QStringList({ui("Label1")->text(), ui("lblUser")->text(),
                                  ui("lblComp")->text(), ui<QLineEdit>("txtSettingsFile")->text()}),
                     QStringList({"Skyloom 2.1", "Nightjar", "Loom Clan",
                                  QString::fromStdString(app->iniPath())}));
            for (const char* l : {"lblUser", "Picture1"}) {  // dragged off: no click
                QTest::mousePress(ui(l), Qt::LeftButton);
                QTest::mouseRelease(ui(l), Qt::LeftButton, {}, QPoint(-5, -5));
            }
            QVERIFY(app->desktop.messages.empty() && !app->windows.isLoaded("secret"));
            for (const char* l : {"lblComp", "Label7", "lblUser"})
                QTest::mouseClick(ui(l), Qt::LeftButton);
            expectMessage(" It's your name, right ? So why did you click, stupid guy !!! :)",
                          "Stupid guy", MessageIcon::Critical);
            if (*close == 'O') QTest::mouseClick(ui<QPushButton>("cmdOK"), Qt::LeftButton);
            if (*close == 'E') QTest::keyClick(w, Qt::Key_Escape);
            if (*close == 'f') w->close();
            QVERIFY2(aboutGoneAndMainEnabled(), close);
        }
        // The picture opens the credits once; they rise from below, 27 twips a tick drawn at 15 a
        // pixel, and start again once wholly past the top.
        open();
        QTest::mouseClick(ui("Picture1"), Qt::LeftButton);
        auto* credits = app->windows.find<SecretWindow>("secret");
        QVERIFY(credits && credits->isVisible() && !credits->isModal() &&
                credits->timer().isActive());
        credits->timer().stop();
        QLabel* lbl = ui("lbl", credits);
        QVERIFY(lbl->text() == ui<QPlainTextEdit>("txt", credits)->toPlainText() &&
                lbl->y() == 212);
        for (int i = 0; i < 3; ++i) credits->scrollCredits();
        QCOMPARE(lbl->y(), 206);
        QTest::mouseClick(ui("Picture1"), Qt::LeftButton);
        QVERIFY(app->windows.find("secret") == credits && credits->creditsTop() == 3180 - 3 * 27);
        int before = credits->creditsTop(), misdrawn = 0;  // above the top too, a pixel rounds down
        for (credits->scrollCredits(); credits->creditsTop() < before; credits->scrollCredits()) {
            before = credits->creditsTop();
            misdrawn += lbl->y() != qFloor(before / 15.0);
        }
        const int past = before + lbl->height() * 15;  // the last top before the restart
        QVERIFY(credits->creditsTop() == 3180 && past >= 0 && past < 27 && misdrawn == 0);
        QTest::mouseClick(ui<QPushButton>("cmdOK"), Qt::LeftButton);
        QVERIFY(aboutGoneAndMainEnabled() && credits->isVisible());
    }
};

QTEST_MAIN(AboutWindowTest)
#include "about_window_test.moc"
