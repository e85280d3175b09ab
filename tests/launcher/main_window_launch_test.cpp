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

    Ui::MainWindow& open(const std::string& program = "/games/Half-Life/hl.exe") {
        app = std::make_unique<TestApp>();
        app->writeIni("[MISC]\ntfc=true\n[GAMEDIR]\nprogram=" + program + "\n");
        w = qobject_cast<MainWindow*>(app->windows.show("sp"));
        return w->ui();
    }
    void expectMessage(const QString& text, const QString& title, MessageIcon icon) {
        QCOMPARE(app->desktop.messages.size(), size_t(1));
        QVERIFY2(app->desktop.messages[0].text.contains(text),
                 qPrintable(app->desktop.messages[0].text));
        QCOMPARE(app->desktop.messages[0].title, title);
        QCOMPARE(app->desktop.messages[0].icon, icon);
        QCOMPARE(app->desktop.messages[0].buttons, MessageButtons::Ok);
    }
    void expectStart(size_t n, const std::string& line, const char* folder = "/games/Half-Life") {
        QCOMPARE(app->games.starts.size(), n);
        QCOMPARE(app->games.starts.back().commandLine, line);
        QCOMPARE(app->games.starts.back().workingFolder, std::optional<std::string>(folder));
        QCOMPARE(app->games.starts.back().state, WindowState::Maximized);
    }

private slots:
    void cleanup() { app.reset(); }

    void launch_needsAMapThenStartsInTheGameFolder() {
        auto& ui = open();
        QTest::mouseClick(ui.launch, Qt::LeftButton);
        expectMessage("Please select a map", "No map selected !", MessageIcon::Exclamation);
        QVERIFY(app->games.starts.empty());

        QTest::mouseClick(ui.optSP, Qt::LeftButton);
        ui.cmbDifficult->setCurrentText("Medium");
        QTest::mouseClick(ui.console, Qt::LeftButton);
        QTest::mouseClick(ui.chkAdd, Qt::LeftButton);
        QTest::keyClicks(ui.parameters, " -zone 4096");
        QTest::mouseClick(ui.chkAdd, Qt::LeftButton);  // hidden parameters still count
        ui.txtSelMap->setText("c1a0.bsp");
        QTest::mouseClick(ui.launch, Qt::LeftButton);
        expectStart(1, "hl.exe +map c1a0 +set skill 1 -zone 4096 -console");
        QTest::mouseClick(ui.launch, Qt::LeftButton);
        expectStart(2, "hl.exe +map c1a0 +set skill 1 -zone 4096 -console");
        QVERIFY(w->isVisible());
    }

    // A typed name the game cannot load starts nothing; parameters never glue to the map.
    void launch_refusesAnUnloadableMapName() {
        auto& ui = open();
        ui.txtSelMap->setText("x +exec evil.bsp");
        QTest::mouseClick(ui.launch, Qt::LeftButton);
        expectMessage("holds a blank, a double quote or a ';'", "Map name",
                      MessageIcon::Exclamation);
        QVERIFY(app->games.starts.empty());
        ui.txtSelMap->setText("crossfire-zone.bsp");
        ui.parameters->setText("4096");
        QTest::mouseClick(ui.launch, Qt::LeftButton);
        expectStart(1, "hl.exe +deathmatch 1 +map crossfire-zone 4096");
    }

    void launch_startsInTheFolderPartOfProgramOrSaysConfigurationIsIncomplete() {
        // {program, the folder the game starts in; nothing: no folder, no start}
        const std::pair<const char*, const char*> rows[] = {
            {"/g/Half-Life/hl_linux", "/g/Half-Life"},
            {"/g/hl.sh", "/g"},
            {"/hl.exe", "/"},
            {"hl.exe", nullptr},
            {"", nullptr}};
        for (const auto& [program, folder] : rows) {
            open(program).txtSelMap->setText("crossfire.bsp");
            QTest::mouseClick(w->ui().launch, Qt::LeftButton);
            if (folder) {
                expectStart(1, "hl.exe +deathmatch 1 +map crossfire", folder);
            } else {
                expectMessage("hl.exe", "Configuration incomplete", MessageIcon::Exclamation);
                QVERIFY(app->games.starts.empty());
            }
        }
    }

    void closeAfterLaunch_closesOnlyOnceTheGameStarted() {
        auto& ui = open();
        ui.mnuEdititm->trigger();
        QVERIFY(w->closeAfterLaunch());
        ui.txtSelMap->setText("crossfire.bsp");
        app->games.result = {false, "hl.exe", "No such file.", "steam -applaunch 70 +map x"};
        QTest::mouseClick(ui.launch, Qt::LeftButton);
        expectMessage("Program: hl.exe\nTried: steam -applaunch 70 +map x\nReason: No such file.",
                      "Skyloom", MessageIcon::Critical);
        QVERIFY(app->windows.isLoaded("sp") && !app->ended);
        app->games.result = {};
        QTest::mouseClick(ui.launch, Qt::LeftButton);
        QVERIFY(!app->windows.isLoaded("sp") && app->ended);
    }

    void closeAfterLaunch_isForgottenWithTheWindow() {
        open().mnuEdititm->trigger();
        app->windows.show("splash");  // keeps the program alive meanwhile
        app->windows.unload("sp");
        TestApp::processDeletes();
        QVERIFY(!qobject_cast<MainWindow*>(app->windows.show("sp"))->closeAfterLaunch());
    }

    void launchCustom_needsAFolderThenStartsTheMod() {
        auto& ui = open();
        QTest::mouseClick(ui.dev, Qt::LeftButton);
        QTest::mouseClick(ui.optCustom, Qt::LeftButton);
        ui.mnuEdititm->trigger();
        QTest::mouseClick(ui.launchCustom, Qt::LeftButton);
        expectMessage("You must specify a custom mod's folder", "OOoops", MessageIcon::Information);
        QVERIFY(app->games.starts.empty() && app->windows.isLoaded("sp"));
        QTest::keyClicks(ui.txtCustom, "my mod");
        QTest::mouseClick(ui.launchCustom, Qt::LeftButton);
        expectStart(1, "hl.exe -game my mod");
        QVERIFY(app->ended);
    }
};

QTEST_MAIN(MainWindowLaunchTest)
#include "main_window_launch_test.moc"
