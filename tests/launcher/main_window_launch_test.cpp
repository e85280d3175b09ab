#include <QtTest>

#include "launcher/main_window.h"
#include "test_app.h"
#include "ui_main_window.h"

using namespace skyloom;
using namespace skyloom::test;

class MainWindowLaunchTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestApp> app;
    MainWindow* w = nullptr;

    void open(const std::string& program = "C:\\Games\\Half-Life\\hl.exe") {
        app = std::make_unique<TestApp>();
        const std::string maps = app->makeFolder("maps", {"crossfire.bsp"});
        app->writeIni("[MISC]\ntfc=true\n[GAMEDIR]\nmaps=" + maps + "\nprogram=" + program + "\n");
        w = qobject_cast<MainWindow*>(app->windows.show("sp"));
    }
    const FakeDesktop::Message& onlyMessage() {
        [&] { QCOMPARE(app->desktop.messages.size(), size_t(1)); }();
        return app->desktop.messages.back();
    }

private slots:
    void cleanup() { app.reset(); }

    void launch_withoutMap_asksForOneAndStartsNothing() {
        open();
        QTest::mouseClick(w->ui().launch, Qt::LeftButton);
        const auto& m = onlyMessage();
        QCOMPARE(m.text, QString("Please select a map"));
        QCOMPARE(m.title, QString("No map selected !"));
        QCOMPARE(m.buttons, MessageButtons::Ok);
        QCOMPARE(m.icon, MessageIcon::Exclamation);
        QVERIFY(app->games.starts.empty());
    }

    void launch_startsTheComposedCommandInTheGameFolderMaximized() {
        open();
        auto& ui = w->ui();
        QTest::mouseClick(ui.optSP, Qt::LeftButton);
        ui.cmbDifficult->setCurrentText("Medium");
        QTest::mouseClick(ui.console, Qt::LeftButton);
        ui.txtSelMap->setText("c1a0.bsp");
        QTest::mouseClick(ui.launch, Qt::LeftButton);
        QCOMPARE(app->games.starts.size(), size_t(1));
        const auto& s = app->games.starts[0];
        QCOMPARE(s.commandLine, std::string("hl.exe +map c1a0 +set skill 1 -console"));
        QCOMPARE(s.workingFolder, std::optional<std::string>("C:\\Games\\Half-Life"));
        QCOMPARE(s.state, WindowState::Maximized);
        QVERIFY(app->desktop.messages.empty());
        QVERIFY(w->isVisible());  // stays open without the flag
        QTest::mouseClick(ui.launch, Qt::LeftButton);
        QCOMPARE(app->games.starts.size(), size_t(2));
    }

    void launch_readsProgramCutToFortyNineCharacters() {
        const std::string program = "/a/very/long/path/to/the/game/folder/of/half-life/hl.exe";
        open(program);
        w->ui().txtSelMap->setText("crossfire.bsp");
        QTest::mouseClick(w->ui().launch, Qt::LeftButton);
        QCOMPARE(app->games.starts.at(0).workingFolder, program.substr(0, 49 - 7));
    }

    void launch_withShortProgramSaysConfigurationIsIncomplete() {
        open("hl.exe");
        w->ui().txtSelMap->setText("crossfire.bsp");
        QTest::mouseClick(w->ui().launch, Qt::LeftButton);
        QCOMPARE(onlyMessage().title, QString("Configuration incomplete"));
        QVERIFY(onlyMessage().text.contains("hl.exe"));
        QVERIFY(app->games.starts.empty());
    }

    void launch_closesAfterLaunchWhenFlagged_onlyIfTheGameStarted() {
        open();
        w->ui().mnuEdititm->trigger();
        QVERIFY(w->closeAfterLaunch());
        w->ui().txtSelMap->setText("crossfire.bsp");

        app->games.result = {false, "hl.exe", "No such file."};
        QTest::mouseClick(w->ui().launch, Qt::LeftButton);
        const auto& m = onlyMessage();
        QCOMPARE(m.icon, MessageIcon::Critical);
        QVERIFY(m.text.contains("hl.exe") && m.text.contains("No such file."));
        QVERIFY(app->windows.isLoaded("sp"));
        QVERIFY(!app->ended);

        app->games.result = {};
        QTest::mouseClick(w->ui().launch, Qt::LeftButton);
        QCOMPARE(app->games.starts.size(), size_t(2));
        QVERIFY(!app->windows.isLoaded("sp"));
        QVERIFY(app->ended);
    }

    void closeAfterLaunchFlag_togglesAndIsForgottenWithTheWindow() {
        open();
        QVERIFY(!w->closeAfterLaunch());
        w->ui().mnuEdititm->trigger();
        QVERIFY(w->ui().mnuEdititm->isChecked());
        w->ui().mnuEdititm->trigger();
        QVERIFY(!w->closeAfterLaunch());
        w->ui().mnuEdititm->trigger();
        app->windows.show("splash");  // keeps the program alive while the main window goes
        app->windows.unload("sp");
        TestApp::processDeletes();
        auto* again = qobject_cast<MainWindow*>(app->windows.show("sp"));
        QVERIFY(!again->closeAfterLaunch());
    }

    void launchCustom_needsAFolder() {
        open();
        QTest::mouseClick(w->ui().optCustom, Qt::LeftButton);
        w->ui().mnuEdititm->trigger();
        QTest::mouseClick(w->ui().launchCustom, Qt::LeftButton);
        const auto& m = onlyMessage();
        QCOMPARE(m.text, QString("You must specify a custom mod's folder"));
        QCOMPARE(m.title, QString("OOoops"));
        QCOMPARE(m.icon, MessageIcon::Information);
        QVERIFY(app->games.starts.empty());
        QVERIFY(app->windows.isLoaded("sp"));
    }

    void launchCustom_startsTheModAndClosesWhenFlagged() {
        open();
        auto& ui = w->ui();
        ui.txtSelMap->setText("crossfire.bsp");
        QTest::mouseClick(ui.dev, Qt::LeftButton);
        QTest::mouseClick(ui.optCustom, Qt::LeftButton);
        QTest::keyClicks(ui.txtCustom, "my mod");
        QTest::mouseClick(ui.launchCustom, Qt::LeftButton);
        QCOMPARE(app->games.starts.size(), size_t(1));
        QCOMPARE(app->games.starts[0].commandLine, std::string("hl.exe -game my mod"));
        QCOMPARE(app->games.starts[0].workingFolder, std::optional<std::string>("C:\\Games\\Half-Life"));
        QCOMPARE(app->games.starts[0].state, WindowState::Maximized);
        QVERIFY(app->windows.isLoaded("sp"));

        ui.mnuEdititm->trigger();
        QTest::mouseClick(ui.launchCustom, Qt::LeftButton);
        QCOMPARE(app->games.starts.size(), size_t(2));
        QVERIFY(app->ended);
    }

    void launch_shortMapTextGivesEmptyMapName() {
        open();
        w->ui().txtSelMap->setText("ab");
        QTest::mouseClick(w->ui().launch, Qt::LeftButton);
        QCOMPARE(app->games.starts.at(0).commandLine, std::string("hl.exe +deathmatch 1 +map "));
    }

    void launch_parametersReachTheGameEvenWhenHidden() {
        open();
        auto& ui = w->ui();
        QTest::mouseClick(ui.chkAdd, Qt::LeftButton);
        QTest::keyClicks(ui.parameters, " -zone 4096");
        QTest::mouseClick(ui.chkAdd, Qt::LeftButton);
        ui.txtSelMap->setText("crossfire.bsp");
        QTest::mouseClick(ui.launch, Qt::LeftButton);
        QCOMPARE(app->games.starts.at(0).commandLine,
                 std::string("hl.exe +deathmatch 1 +map crossfire -zone 4096"));
    }
};

QTEST_MAIN(MainWindowLaunchTest)
#include "main_window_launch_test.moc"
