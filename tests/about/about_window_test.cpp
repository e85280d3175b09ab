#include "about/about_window.h"

#include <QtTest>

#include "about/secret_window.h"
#include "launcher/main_window.h"
#include "test_app.h"
#include "ui_about_window.h"
#include "ui_main_window.h"

using namespace skyloom;
using namespace skyloom::test;

class AboutWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestApp> app;
    MainWindow* main = nullptr;

    // Opened as a player does: from the main window's "?" menu.
    AboutWindow* open(const std::string& ini) {
        app = std::make_unique<TestApp>();
        app->writeIni(ini);
        main = qobject_cast<MainWindow*>(app->windows.show("sp"));
        main->ui().mnuHelpitmAbout->trigger();
        return app->windows.find<AboutWindow>("frmAbout");
    }

    AboutWindow* openConfigured() {
        return open("[MISC]\r\nuser=Nightjar \r\ncompany=Clan of the Loom\r\ntfc=true\r\n");
    }

private slots:
    void cleanup() {
        main = nullptr;
        app.reset();
    }

    void f1_opensAboutOverDisabledMainWindow() {
        app = std::make_unique<TestApp>();
        app->writeIni("[MISC]\r\ntfc=true\r\n");
        main = qobject_cast<MainWindow*>(app->windows.show("sp"));
        QApplication::setActiveWindow(main);
        QVERIFY(QTest::qWaitForWindowActive(main));
        QTest::keyClick(main, Qt::Key_F1);
        auto* w = app->windows.find<AboutWindow>("frmAbout");
        QVERIFY(w);
        QVERIFY(w->isVisible());
        QVERIFY(!w->isModal());
        QVERIFY(main->isVisible());
        QVERIFY(!main->isEnabled());
        QCOMPARE(main->ui().mnuHelpitmAbout->text(), QString("&About ..."));
        QCOMPARE(main->ui().mnuHelp->actions(), QList<QAction*>({main->ui().mnuHelpitmAbout}));
    }

    void load_showsProductAndStoredUser() {
        auto& ui = openConfigured()->ui();
        QCOMPARE(app->windows.find("frmAbout")->windowTitle(), QString("About the Skyloom "));
        QCOMPARE(ui.Label1->text(), QString("Skyloom 2.1"));
        QCOMPARE(ui.Label2->text(),
                 QString("Map launcher, Deathmatch maker and map Adnvanced Option Launcher for "
                         "Half-Life."));
        QCOMPARE(ui.Label4->text(), QString("This copy is lisenced to :"));
        QCOMPARE(ui.lblUser->text(), QString("Nightjar"));  // GetPPS trims the value
        QCOMPARE(ui.lblComp->text(), QString("Clan of the Loom"));
        QCOMPARE(ui.Label5->text(), QString("Official sites :"));
        QCOMPARE(ui.cmdOK->text(), QString("OK"));
        // Our own sites, in the reserved example domain.
        for (QLabel* site : {ui.Label7, ui.Label6})
            QVERIFY2(site->text().startsWith("http://") && site->text().endsWith(".example/"),
                     qPrintable(site->text()));
        for (QWidget* inPanel : std::initializer_list<QWidget*>{ui.Label7, ui.Label6, ui.Label5,
                                                                ui.lblComp, ui.lblUser})
            QCOMPARE(inPanel->parentWidget(), static_cast<QWidget*>(ui.Picture2));
        QVERIFY(ui.Picture1->pixmap().width() > 0);
        QVERIFY(app->desktop.messages.empty());
    }

    void load_missingKeysShowError() {
        auto& ui = open("[MISC]\r\ntfc=true\r\n")->ui();
        QCOMPARE(ui.lblUser->text(), QString("error"));
        QCOMPARE(ui.lblComp->text(), QString("error"));
        QVERIFY(app->desktop.messages.empty());
    }

    void ok_enablesMainWindowAndUnloads() {
        auto* w = openConfigured();
        QTest::mouseClick(w->ui().cmdOK, Qt::LeftButton);
        QVERIFY(main->isEnabled());
        TestApp::processDeletes();
        QVERIFY(!app->windows.isLoaded("frmAbout"));
        QVERIFY(!app->ended);
    }

    void closeBox_enablesMainWindowToo() {
        openConfigured()->close();
        QVERIFY(main->isEnabled());
        TestApp::processDeletes();
        QVERIFY(!app->windows.isLoaded("frmAbout"));
        QVERIFY(!app->ended);
    }

    void userName_click_teasesAndChangesNothing() {
        auto& ui = openConfigured()->ui();
        QTest::mouseClick(ui.lblUser, Qt::LeftButton);
        QCOMPARE(app->desktop.messages.size(), size_t(1));
        const auto& m = app->desktop.messages[0];
        QCOMPARE(m.text,
                 QString(" It's your name, right ? So why did you click, stupid guy !!! :)"));
        QCOMPARE(m.title, QString("Stupid guy"));
        QCOMPARE(m.buttons, MessageButtons::Ok);
        QCOMPARE(m.icon, MessageIcon::Critical);
        QCOMPARE(ui.lblUser->text(), QString("Nightjar"));
        QCOMPARE(ui.lblComp->text(), QString("Clan of the Loom"));
        QVERIFY(!main->isEnabled());
        // The company and the sites do not answer clicks.
        QTest::mouseClick(ui.lblComp, Qt::LeftButton);
        QTest::mouseClick(ui.Label7, Qt::LeftButton);
        QCOMPARE(app->desktop.messages.size(), size_t(1));
    }

    void picture_opensHiddenWindowThatOutlivesAbout() {
        auto* w = openConfigured();
        QTest::mouseClick(w->ui().Picture1, Qt::LeftButton);
        auto* secret = app->windows.find<SecretWindow>("secret");
        QVERIFY(secret && secret->isVisible());
        QVERIFY(!secret->isModal());
        QVERIFY(w->isVisible());

        // A second click brings the same window to the front without restarting the scroll.
        secret->timer().stop();
        for (int i = 0; i < 5; ++i) secret->Timer1_Timer();
        const int top = secret->creditsTop();
        QTest::mouseClick(w->ui().Picture1, Qt::LeftButton);
        QCOMPARE(app->windows.find<SecretWindow>("secret"), secret);
        QCOMPARE(secret->creditsTop(), top);

        QTest::mouseClick(w->ui().cmdOK, Qt::LeftButton);
        TestApp::processDeletes();
        QVERIFY(!app->windows.isLoaded("frmAbout"));
        QVERIFY(app->windows.isLoaded("secret") && secret->isVisible());
        QVERIFY(main->isEnabled());
    }
};

QTEST_MAIN(AboutWindowTest)
#include "about_window_test.moc"
