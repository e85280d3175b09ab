#include "setup/configuration_window.h"

#include <QClipboard>

#include "launcher/main_window.h"
#include "setup/paths_panel.h"
#include "setup_test_support.h"
#include "ui_configuration_window.h"
#include "ui_main_window.h"
#include "ui_paths_panel.h"

using namespace skyloom;
using namespace skyloom::test;

namespace {

// Shortcuts reach only the active window.
void activate(QWidget* w) {
    QApplication::setActiveWindow(w);
    QVERIFY(QTest::qWaitForWindowActive(w));
}

}  // namespace

class ConfigurationWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestApp> app;
    std::string maps;     // a maps folder holding two maps
    std::string tfcMaps;  // and a TFC one holding one

    TestApp& fresh(const std::string& ini) {
        app = std::make_unique<TestApp>();
        maps = app->makeFolder("valve/maps", {"crossfire.bsp", "boot_camp.bsp"});
        tfcMaps = app->makeFolder("tfc/maps", {"2fort.bsp"});
        if (!ini.empty()) app->writeIni(ini);
        return *app;
    }

    std::string configured() const {
        return "[MISC]\nfirstuse=no\nuser=Tester\ntfc=true\n[GAMEDIR]\ntfcmaps=/old/tfc\n"
               "program=/old/hl.exe\nmaps=/old/maps\nvalve=/old/\ntfcdir=/oldtfc/\ndds=/o/\n";
    }

    ConfigurationWindow* config() { return app->windows.find<ConfigurationWindow>("config"); }
    MainWindow* mainWindow() { return app->windows.find<MainWindow>("sp"); }

    // The main window's load finds no configuration: it reports it, opens `config` and hides.
    ConfigurationWindow* openFromConfigurationError() {
        fresh("[GAMEDIR]\ntfcmaps=/kept/tfc\n");
        app->windows.show("sp");
        return config();
    }

    ConfigurationWindow* openFromMenu() {
        fresh(configured());
        open<MainWindow>(*app, "sp")->ui().mnuEdititmConfig->trigger();
        TestApp::processDeletes();
        return config();
    }

    void fillIn(ConfigurationWindow* w, bool tfc) {
        auto& p = w->paths().ui();
        p.program->setText("/new/hl.exe");
        p.txtMaps->setText(QString::fromStdString(maps));
        p.TFCmaps->setText(QString::fromStdString(tfcMaps));
        if (p.chkTFC->isChecked() != tfc) click(p.chkTFC);
    }

private slots:
    void cleanup() { app.reset(); }

    void configurationError_opensTheWindowOverTheHiddenMainWindow() {
        auto* w = openFromConfigurationError();
        QCOMPARE(app->desktop.messages.size(), size_t(1));
        QCOMPARE(app->desktop.messages[0].title, QString("Configuration error"));
        QVERIFY(w && w->isVisible());
        QVERIFY(mainWindow() && !mainWindow()->isVisible());

        auto& ui = w->ui();
        auto& p = w->paths().ui();
        QCOMPARE(w->windowTitle(), QString("Configuration"));
        QCOMPARE(p.frmHLC->title(), QString("Half-Life :"));
        QCOMPARE(p.Label1->text(), QString("Program :"));
        QCOMPARE(p.lblMaps->text(), QString("Maps dir : "));
        QCOMPARE(p.frmTFC->title(), QString("Team Fortress Classic "));
        QCOMPARE(p.chkTFC->text(), QString("&Team Fortress Classic is intalled"));
        QCOMPARE(p.tfcCaption->text(), QString("TFC maps dir : "));
        QCOMPARE(ui.cmdOK->text(), QString("Ok"));
        QCOMPARE(ui.cmdOK->toolTip(), QString("Saves parameters in \"skyloom.ini\""));
        QVERIFY(ui.cmdOK->isDefault());
        QCOMPARE(ui.Command3->text(), QString("Cancel"));
        QCOMPARE(ui.Command3->toolTip(), QString());
        // No tfc key: unticked and grey, whatever tfcmaps holds.
        QCOMPARE(p.program->text(), QString("error"));
        QCOMPARE(p.TFCmaps->text(), QString("/kept/tfc"));
        QVERIFY(!p.chkTFC->isChecked());
        QVERIFY(!p.TFCmaps->isEnabled());
        QCOMPARE(baseOf(p.TFCmaps), systemColour(QPalette::Mid));
    }

    void configurationError_okSavesAndTheMainWindowShowsWhatWasSaved_data() {
        QTest::addColumn<bool>("tfc");
        QTest::newRow("with TFC") << true;
        QTest::newRow("without TFC") << false;
    }
    void configurationError_okSavesAndTheMainWindowShowsWhatWasSaved() {
        QFETCH(bool, tfc);
        auto* w = openFromConfigurationError();
        MainWindow* hidden = mainWindow();
        fillIn(w, tfc);
        QTest::keyClick(w->paths().ui().program, Qt::Key_Return);  // Enter is Ok
        TestApp::processDeletes();

        QCOMPARE(app->readIni(), "[GAMEDIR]\ntfcmaps=" + tfcMaps + "\nprogram=/new/hl.exe\nmaps=" +
                                     maps + "\n[MISC]\ntfc=" + (tfc ? "true" : "false") + "\n");
        QVERIFY(!app->windows.isLoaded("config"));
        QCOMPARE(mainWindow(), hidden);  // shown again, not loaded anew
        QVERIFY(hidden->isVisible());
        QCOMPARE(hidden->ui().dirFichiers->fileNames(),
                 QStringList({"boot_camp.bsp", "crossfire.bsp"}));
        QCOMPARE(hidden->ui().optTFC->isEnabled(), tfc);
        QVERIFY(hidden->ui().optDM->isChecked());
        QCOMPARE(app->desktop.messages.size(), size_t(1));
    }

    void menu_opensTheWindowAndOkWritesTheFourKeysOnly() {
        auto* w = openFromMenu();
        QVERIFY(w && w->isVisible());
        QVERIFY(!app->windows.isLoaded("sp"));
        auto& p = w->paths().ui();
        QCOMPARE(p.program->text(), QString("/old/hl.exe"));
        QCOMPARE(p.txtMaps->text(), QString("/old/maps"));
        QCOMPARE(p.TFCmaps->text(), QString("/old/tfc"));
        QVERIFY(p.chkTFC->isChecked() && p.TFCmaps->isEnabled());

        fillIn(w, false);
        p.txtMaps->setText("");  // no checks here: written empty
        click(w->ui().cmdOK);
        TestApp::processDeletes();
        QCOMPARE(app->readIni(),
                 "[MISC]\nfirstuse=no\nuser=Tester\ntfc=false\n[GAMEDIR]\ntfcmaps=" + tfcMaps +
                     "\nprogram=/new/hl.exe\nmaps=\nvalve=/old/\n"
                     "tfcdir=/oldtfc/\ndds=/o/\n");
        QVERIFY(!app->windows.isLoaded("config"));
        QVERIFY(mainWindow() && mainWindow()->isVisible());
        QVERIFY(!mainWindow()->ui().optTFC->isEnabled());
    }

    void cancel_writesNothingAndBringsBackTheMainWindow() {
        auto* w = openFromConfigurationError();
        MainWindow* hidden = mainWindow();
        const std::string before = app->readIni();
        fillIn(w, true);
        click(w->ui().Command3);
        TestApp::processDeletes();
        QCOMPARE(app->readIni(), before);
        QVERIFY(!app->windows.isLoaded("config"));
        QCOMPARE(mainWindow(), hidden);
        QVERIFY(hidden->isVisible());

        w = openFromMenu();
        fillIn(w, false);
        click(w->ui().Command3);
        TestApp::processDeletes();
        QCOMPARE(app->readIni(), configured());
        QVERIFY(mainWindow() && mainWindow()->isVisible());
        QCOMPARE(mainWindow()->ui().dirFichiers->folder(), QString("/old/maps"));
    }

    void frameClose_actsAsCancel() {
        auto* w = openFromConfigurationError();
        const std::string before = app->readIni();
        fillIn(w, true);
        QTest::keyClick(w, Qt::Key_Escape);  // no cancel role: Escape does nothing
        QVERIFY(w->isVisible());
        w->close();
        TestApp::processDeletes();
        QCOMPARE(app->readIni(), before);
        QVERIFY(!app->windows.isLoaded("config"));
        QVERIFY(mainWindow()->isVisible());
        QVERIFY(!app->ended);
    }

    void browseButtons_openTheirPickersWithTheirCaptions() {
        auto* w = openFromMenu();
        auto& p = w->paths().ui();
        app->desktop.files = {std::nullopt};
        click(p.Command2);  // cancelled: the path stays
        QCOMPARE(p.program->text(), QString("/old/hl.exe"));
        QCOMPARE(app->desktop.fileDialogs[0].title, QString("Choose your Half-Life executable"));
        QCOMPARE(app->desktop.fileDialogs[0].filter,
                 QString("Half-Life executable (hl.exe) | hl.exe"));

        click(p.cmdMaps);
        QCOMPARE(app->windows.find("DirMaps")->windowTitle(),
                 QString("Where are your Half-Life maps ?"));
        click(p.cmdTFCMaps);
        QCOMPARE(app->windows.find("DirMapsTFC")->windowTitle(),
                 QString("Where are installed your TFC maps ?"));
        QVERIFY(w->isVisible());
    }

    void failedWrite_isReportedAndTheWindowStays() {
        auto* w = openFromMenu();
        makeSettingsUnwritable(*app);
        fillIn(w, true);
        click(w->ui().cmdOK);
        TestApp::processDeletes();
        QCOMPARE(app->desktop.messages.size(), size_t(1));
        QCOMPARE(app->desktop.messages[0].title, QString("Settings not saved"));
        QVERIFY(app->desktop.messages[0].text.contains(QString::fromStdString(app->iniPath())));
        QVERIFY(config() && config()->isVisible());
        QVERIFY(!app->windows.isLoaded("sp"));
    }

    void editMenu_configurationComesFirstWithCtrlC() {
        fresh(configured());
        auto& ui = open<MainWindow>(*app, "sp")->ui();
        QCOMPARE(ui.mnuEdit->actions().value(0), ui.mnuEdititmConfig);
        QCOMPARE(ui.mnuEdit->actions().value(1), ui.mnuEdititmReset);
        QCOMPARE(ui.mnuEdititmConfig->text(), QString("&Configuration"));
        QCOMPARE(ui.mnuEdititmConfig->shortcut(), QKeySequence("Ctrl+C"));
    }

    void ctrlC_copiesASelectionAndOtherwiseOpensTheConfiguration() {
        fresh(configured());
        auto* w = open<MainWindow>(*app, "sp");
        activate(w);
        QLineEdit* field = w->ui().txtSelMap;
        field->setText("crossfire.bsp");
        field->setFocus();
        field->selectAll();
        QGuiApplication::clipboard()->clear();
        QTest::keyClick(field, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("crossfire.bsp"));
        QVERIFY(!app->windows.isLoaded("config"));

        field->deselect();
        QTest::keyClick(field, Qt::Key_C, Qt::ControlModifier);
        TestApp::processDeletes();
        QVERIFY(config() && config()->isVisible());
        QVERIFY(!app->windows.isLoaded("sp"));
    }
};

QTEST_MAIN(ConfigurationWindowTest)
#include "configuration_window_test.moc"
