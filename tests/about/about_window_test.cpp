#include "about/about_window.h"

#include <QtTest>
#include <QtWidgets>

#include "about/secret_window.h"
#include "test_app.h"

using namespace skyloom;
using namespace skyloom::test;

class AboutWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestApp> app;
    QWidget* main = nullptr;
    QWidget* about = nullptr;

    // Opened over the main window, which its "?" menu disables.
    void open(const std::string& misc = "user=Nightjar \r\ncompany=Loom Clan\r\n") {
        app = std::make_unique<TestApp>();
        app->add<AboutWindow>("frmAbout");
        app->add<SecretWindow>("secret");
        app->writeIni("[MISC]\r\ntfc=true\r\n" + misc);
        main = app->windows.show("sp");
        about = app->windows.show("frmAbout");
        app->windows.setEnabled("sp", false);
    }
    template <class T = QLabel>
    T* ui(const char* name, QWidget* window = nullptr) {
        return (window ? window : about)->findChild<T*>(name);
    }
    bool aboutGoneAndMainEnabled() {
        TestApp::processDeletes();
        return !app->windows.isLoaded("frmAbout") && main->isEnabled() && !app->ended;
    }

private slots:
    // Over a disabled main window, enabled again however About closes; only the name answers.
    void about_showsStoredUserAndTeasesOnTheName() {
        for (const char* close : {"OK", "Escape", "frame"}) {
            open();
            QVERIFY(about->isVisible() && !about->isModal() && !main->isEnabled());
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
            QCOMPARE(app->desktop.messages.size(), size_t(1));
            const auto& m = app->desktop.messages[0];
            QCOMPARE(m.text, " It's your name, right ? So why did you click, stupid guy !!! :)");
            QVERIFY(m.title == "Stupid guy" && m.icon == MessageIcon::Critical);
            if (*close == 'O') QTest::mouseClick(ui<QPushButton>("cmdOK"), Qt::LeftButton);
            if (*close == 'E') QTest::keyClick(about, Qt::Key_Escape);
            if (*close == 'f') about->close();
            QVERIFY2(aboutGoneAndMainEnabled(), close);
        }
    }

    // The picture opens the credits once; they rise from below, 27 twips a tick drawn at 15 a
    // pixel, and start again once wholly past the top.
    void picture_opensScrollingCredits() {
        open();
        QTest::mouseClick(ui("Picture1"), Qt::LeftButton);
        auto* w = app->windows.find<SecretWindow>("secret");
        QVERIFY(w && w->isVisible() && !w->isModal() && w->timer().isActive());
        w->timer().stop();
        QLabel* lbl = ui("lbl", w);
        QVERIFY(lbl->text() == ui<QPlainTextEdit>("txt", w)->toPlainText() && lbl->y() == 212);
        for (int i = 0; i < 3; ++i) w->scrollCredits();
        QCOMPARE(lbl->y(), 206);
        QTest::mouseClick(ui("Picture1"), Qt::LeftButton);
        QVERIFY(app->windows.find("secret") == w && w->creditsTop() == 3180 - 3 * 27);
        int before = w->creditsTop(), misdrawn = 0;  // above the top too, a pixel rounds down
        while (w->scrollCredits(), w->creditsTop() < before)
            before = w->creditsTop(), misdrawn += lbl->y() != qFloor(before / 15.0);
        const int past = before + lbl->height() * 15;  // the last top before the restart
        QVERIFY(w->creditsTop() == 3180 && past >= 0 && past < 27 && misdrawn == 0);
        QTest::mouseClick(ui<QPushButton>("cmdOK"), Qt::LeftButton);
        QVERIFY(aboutGoneAndMainEnabled() && w->isVisible());
    }
};

QTEST_MAIN(AboutWindowTest)
#include "about_window_test.moc"
