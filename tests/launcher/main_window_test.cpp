#include "launcher/main_window.h"

#include <QScreen>
#include <QtTest>

#include "test_app.h"
#include "ui_main_window.h"

using namespace skyloom;
using namespace skyloom::test;

namespace {

QColor baseOf(QWidget* w) {
    return w->palette().color(QPalette::Base);
}
QColor system(QPalette::ColorRole role) {
    return QApplication::palette().color(role);
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestApp> app;

    MainWindow* open(const std::string& ini) {
        app = std::make_unique<TestApp>();
        if (!ini.empty()) app->writeIni(ini);
        return qobject_cast<MainWindow*>(app->windows.show("sp"));
    }
    MainWindow* openWithMaps() {
        app = std::make_unique<TestApp>();
        const std::string maps = app->makeFolder(
            "valve/maps", {"crossfire.bsp", "Bounce.BSP", "boot_camp.bsp", "readme.txt"});
        const std::string tfc = app->makeFolder("tfc/maps", {"2fort.bsp", "well.bsp"});
        app->writeIni("[MISC]\ntfc=true\n[GAMEDIR]\nmaps=" + maps + "\ntfcmaps=" + tfc + "\n");
        return qobject_cast<MainWindow*>(app->windows.show("sp"));
    }
    const FakeDesktop::Message& onlyMessage() {
        [&] { QCOMPARE(app->desktop.messages.size(), size_t(1)); }();
        return app->desktop.messages.back();
    }

private slots:
    void cleanup() { app.reset(); }

    // Static captions, geometry, menus and tab order are the .ui file's and the e2e tests'.
    void load_showsTheDesignState() {
        auto* w = openWithMaps();
        auto& ui = w->ui();
        QCOMPARE(w->windowTitle(), QString("Skyloom - Deathmatch Game"));
        QVERIFY(ui.optTFC->isEnabled() && !w->closeAfterLaunch() && ui.parameters->isHidden());
        QCOMPARE(baseOf(ui.txtCustom), system(QPalette::Window));
        QCOMPARE(ui.txtSelMap->toolTip(), QString("No map currently selected"));
        QCOMPARE(ui.dirFichiers->fileNames(),
                 QStringList({"boot_camp.bsp", "Bounce.BSP", "crossfire.bsp"}));
        QVERIFY(app->desktop.messages.empty());
        QCOMPARE(w->focusWidget(), ui.launch);
        QVERIFY((w->frameGeometry().center() - w->screen()->availableGeometry().center())
                    .manhattanLength() <= 4);  // the frame's border aside
        const std::pair<const char*, bool> tfcFlags[] = {
            {"false", false}, {"False", true}, {"", true}};
        for (const auto& [tfc, enabled] : tfcFlags)
            QCOMPARE(open(std::string("[MISC]\ntfc=") + tfc + "\n")->ui().optTFC->isEnabled(),
                     enabled);
    }

    // A file that is there but cannot serve is reported for what it is, never as unconfigured
    // (the configuration window could not save over it either).
    void load_withoutSettings_reportsWhy_data() {
        QTest::addColumn<QString>("ini");  // "/" makes skyloom.ini a folder
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("configOpened");
        QTest::newRow("no tfc key") << "[GAMEDIR]\nmaps=/nowhere\n"
                                    << "You did not configure completly the Skyloom"
                                    << "Configuration error" << true;
        QTest::newRow("unreadable") << "/"
                                    << "%1: Is a directory"
                                    << "Settings not read" << false;
        QTest::newRow("oversized") << QString(1048577, ';') << "%1 is not a settings file: it "
                                   << "Settings not read" << false;
    }
    void load_withoutSettings_reportsWhy() {
        QFETCH(QString, ini);
        QFETCH(QString, text);
        app = std::make_unique<TestApp>();
        if (ini == "/")
            QDir().mkpath(QString::fromStdString(app->iniPath()));
        else
            app->writeIni(ini.toStdString());
        auto* w = qobject_cast<MainWindow*>(app->windows.show("sp"));
        QVERIFY2(onlyMessage().text.contains(text.arg(QString::fromStdString(app->iniPath()))),
                 qPrintable(onlyMessage().text));
        QTEST(onlyMessage().title, "title");
        QTEST(app->windows.isLoaded("config"), "configOpened");
        QFETCH(bool, configOpened);  // hidden, not flashing behind the box, when config opens
        QCOMPARE(onlyMessage().parentShown, !configOpened);
        QVERIFY(w->ui().optTFC->isEnabled());
        QVERIFY(w->ui().dirFichiers->fileNames().isEmpty());
        if (configOpened) return;
        app->windows.unload("sp");  // the main window comes back: the box does not
        app->windows.show("sp");
        QCOMPARE(app->desktop.messages.size(), size_t(1));
    }

    void gameTypes_applyTheirTable() {
        auto* w = openWithMaps();
        auto& ui = w->ui();
        const auto mapControls = std::initializer_list<QWidget*>{
            ui.launch, ui.confirmMap, ui.dirFichiers, ui.SelMap,  ui.txtCommand,
            ui.cheats, ui.console,    ui.dev,         ui.numeric, ui.chkAdd};
        auto check = [&](const char* title, int maps, const char* mode, bool difficulty,
                         bool custom) {
            QCOMPARE(w->windowTitle(), QString(title));
            QCOMPARE(ui.dirFichiers->fileNames().size(), maps);
            if (mode)
                QCOMPARE(
                    ui.txtSelMap->toolTip(),
                    QString("No map currently selected (you are currently in %1 mode)").arg(mode));
            QCOMPARE(ui.cmbDifficult->isEnabled(), difficulty);
            QCOMPARE(ui.txtCustom->isEnabled(), custom);
            QCOMPARE(ui.launchCustom->isEnabled(), custom);
            for (QWidget* c : mapControls) QCOMPARE(c->isEnabled(), !custom);
            QCOMPARE(baseOf(ui.txtCustom), system(custom ? QPalette::Base : QPalette::Button));
            for (QWidget* f : {ui.parameters, ui.txtSelMap, ui.txtCommand})
                QCOMPARE(baseOf(f), system(custom ? QPalette::Button : QPalette::Base));
        };
        QTest::mouseClick(ui.optTFC, Qt::LeftButton);
        check("Skyloom - Team Fortress Classic game", 2, "TFC", false, false);
        QTest::mouseClick(ui.optSP, Qt::LeftButton);
        check("Skyloom - Single player game", 3, "SP", true, false);
        QTest::mouseClick(ui.optCustom, Qt::LeftButton);
        check("Skyloom - Single player game", 3, nullptr, false, true);
        QTest::mouseClick(ui.optDM, Qt::LeftButton);
        check("Skyloom - Deathmatch game", 3, "DM", false, false);
    }

    void confirmMap_takesTheSelectionOrNothing() {
        auto& ui = openWithMaps()->ui();
        ui.dirFichiers->selectFileName("crossfire.bsp");
        QCOMPARE(ui.txtSelMap->text(), QString());
        QTest::mouseClick(ui.confirmMap, Qt::LeftButton);
        QCOMPARE(ui.txtSelMap->text(), QString("crossfire.bsp"));
        QCOMPARE(ui.txtSelMap->toolTip(), QString("The map currently selected is crossfire.bsp"));
        QTest::mouseClick(ui.optTFC, Qt::LeftButton);
        QCOMPARE(ui.txtSelMap->text(), QString("crossfire.bsp"));
        ui.dirFichiers->clearSelection();
        QTest::mouseClick(ui.confirmMap, Qt::LeftButton);
        QCOMPARE(ui.txtSelMap->text(), QString());
        QCOMPARE(ui.txtSelMap->toolTip(), QString("The map currently selected is "));
    }

    void options_fillThePreview_chkAddShowsParameters() {
        auto& ui = openWithMaps()->ui();
        QTest::mouseClick(ui.numeric, Qt::LeftButton);
        QCOMPARE(ui.txtCommand->text(), QString("  -numericping"));
        for (QCheckBox* b : {ui.dev, ui.console, ui.cheats}) QTest::mouseClick(b, Qt::LeftButton);
        QCOMPARE(ui.txtCommand->text(), QString("  -sv_cheats 1 -console -dev -numericping"));
        for (QCheckBox* b : {ui.cheats, ui.console, ui.dev, ui.numeric})
            QTest::mouseClick(b, Qt::LeftButton);
        QCOMPARE(ui.txtCommand->text(), QString(" "));
        QTest::mouseClick(ui.chkAdd, Qt::LeftButton);
        QVERIFY(ui.parameters->isVisible());
        QTest::keyClicks(ui.parameters, " -zone 4096");
        QTest::mouseClick(ui.chkAdd, Qt::LeftButton);
        QVERIFY(ui.parameters->isHidden());
        QCOMPARE(ui.parameters->text(), QString(" -zone 4096"));
        QCOMPARE(ui.txtCommand->text(), QString(" "));  // nothing else refreshes the preview
    }

    void resetAll_okRestoresTheLoadStateCancelChangesNothing() {
        auto* w = openWithMaps();
        auto& ui = w->ui();
        QTest::mouseClick(ui.optSP, Qt::LeftButton);
        ui.cmbDifficult->setCurrentText("Hard");
        QTest::mouseClick(ui.chkAdd, Qt::LeftButton);
        QTest::keyClicks(ui.parameters, "-zone 4096");
        for (QCheckBox* b : {ui.cheats, ui.console, ui.dev, ui.numeric})
            QTest::mouseClick(b, Qt::LeftButton);
        ui.txtSelMap->setText("crossfire.bsp");
        ui.txtCustom->setText("cstrike");

        app->desktop.answers.push_back(MessageAnswer::Cancel);
        ui.mnuEdititmReset->trigger();
        QVERIFY(ui.console->isChecked() && ui.optSP->isChecked());
        QCOMPARE(ui.txtCommand->text(), QString("  -sv_cheats 1 -console -dev -numericping"));

        ui.mnuEdititmReset->trigger();
        const auto& m = app->desktop.messages.at(1);
        QCOMPARE(m.text + "|" + m.title, QString("Are you sure ?|Reset all settings"));
        QVERIFY(m.buttons == MessageButtons::OkCancel && m.icon == MessageIcon::None);
        QCOMPARE(ui.parameters->text() + ui.txtSelMap->text() + ui.txtCommand->text(), QString());
        QVERIFY(ui.parameters->isHidden());
        for (QCheckBox* b : {ui.cheats, ui.console, ui.dev, ui.numeric, ui.chkAdd})
            QVERIFY(!b->isChecked());
        QVERIFY(ui.optDM->isChecked() && !ui.cmbDifficult->isEnabled());
        QCOMPARE(w->windowTitle(), QString("Skyloom - Deathmatch game"));
        QCOMPARE(ui.cmbDifficult->currentText() + ui.txtCustom->text(), QString("Hardcstrike"));
        QCOMPARE(ui.txtSelMap->toolTip(), QString("No map currently selected"));
    }

    void menus_mapCycleEditorAndCloseBox() {
        auto* w = openWithMaps();
        w->ui().mnuFileMapcleItm->trigger();
        QCOMPARE(onlyMessage().text, QString("The Map Cycle Editor is not implemented yet"));
        QCOMPARE(onlyMessage().title, QString("Ooops"));
        QCOMPARE(onlyMessage().icon, MessageIcon::Information);
        QVERIFY(w->isVisible() && !app->ended);
        w->close();  // Ctrl+Q: the e2e tests
        TestApp::processDeletes();
        QVERIFY(app->ended);
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
