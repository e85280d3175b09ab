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

    void load_showsTheDesignState() {
        auto* w = openWithMaps();
        auto& ui = w->ui();
        QCOMPARE(w->windowTitle(), QString("Skyloom - Deathmatch Game"));
        QCOMPARE(w->centralWidget()->size(), QSize(556, 338));
        QCOMPARE(ui.txtSelMap->geometry(), QRect(8, 272, 121, 21));
        QCOMPARE(ui.launch->geometry(), QRect(448, 296, 89, 25));
        QVERIFY(ui.optDM->isChecked() && ui.optTFC->isEnabled() && ui.parameters->isHidden());
        QVERIFY(!ui.cmbDifficult->isEnabled() && !ui.txtCustom->isEnabled());
        QVERIFY(!ui.launchCustom->isEnabled() && !w->closeAfterLaunch());
        QCOMPARE(ui.cmbDifficult->currentText(), QString());
        QCOMPARE(baseOf(ui.txtCustom), system(QPalette::Window));
        QCOMPARE(ui.txtSelMap->toolTip(), QString("No map currently selected"));
        QCOMPARE(ui.dirFichiers->fileNames(),
                 QStringList({"boot_camp.bsp", "Bounce.BSP", "crossfire.bsp"}));
        QVERIFY(app->desktop.messages.empty());

        QStringList chain;
        const QStringList tabOrder{
            "launch",      "dev",        "console", "cheats",    "optDM",      "cmbDifficult",
            "dirFichiers", "txtCommand", "chkAdd",  "txtSelMap", "confirmMap", "parameters",
            "optSP",       "numeric",    "optTFC",  "optCustom", "txtCustom",  "launchCustom"};
        for (QWidget* at = ui.launch->nextInFocusChain(); chain.size() < tabOrder.size() - 1;
             at = at->nextInFocusChain())
            if (tabOrder.contains(at->objectName())) chain << at->objectName();
        QCOMPARE(QStringList("launch") + chain, tabOrder);
        QCOMPARE(ui.SelMap->buddy(), static_cast<QWidget*>(ui.txtSelMap));
        // Centred, ready to launch; the difficulty named for a screen reader, never growing.
        QCOMPARE(w->focusWidget(), ui.launch);
        QVERIFY((w->frameGeometry().center() - w->screen()->availableGeometry().center())
                    .manhattanLength() <= 4);  // the frame's border aside
        QCOMPARE(spokenName(ui.cmbDifficult) + "|" + spokenName(ui.cmbDifficult->lineEdit()),
                 QString("Difficulty|Difficulty"));
        QTest::mouseClick(ui.optSP, Qt::LeftButton);
        QTest::keyClicks(ui.cmbDifficult, "Nightmare");
        QTest::keyClick(ui.cmbDifficult, Qt::Key_Return);
        QVERIFY(ui.cmbDifficult->count() == 3 && ui.cmbDifficult->currentText() == "Nightmare");
        for (QWidget* c : std::initializer_list<QWidget*>{
                 ui.parameters, ui.dirFichiers, ui.cmbDifficult, ui.txtCustom, ui.txtCommand})
            QVERIFY2(!c->accessibleName().isEmpty(), qPrintable(c->objectName()));

        auto captions = [](QMenu* menu) {
            QStringList list;
            for (QAction* a : menu->actions()) list << a->text() + " " + a->shortcut().toString();
            return list;
        };
        QCOMPARE(ui.mnuHelp->title(), QString("&?"));
        QCOMPARE(captions(ui.mnuHelp), QStringList("&About ... F1"));
        QCOMPARE(
            captions(ui.mnuFichier),
            QStringList({"&Deathmatch Maker ... Ctrl+D", "&Advanced HL Option Launcher Ctrl+A",
                         "&Map Cycle Editor ... ", "&Connect to a server ... ", "&Quit Ctrl+Q"}));
        QCOMPARE(captions(ui.mnuEdit), QStringList({"&Configuration Ctrl+C", "&Reset all Ctrl+R",
                                                    "C&lose Skyloom after launch "}));
    }

    void load_tfcFlag_data() {
        QTest::addColumn<QString>("tfc");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("false") << "tfc=false" << false;
        QTest::newRow("False") << "tfc=False" << true;
        QTest::newRow("empty") << "tfc=" << true;
    }
    void load_tfcFlag() {
        QFETCH(QString, tfc);
        QFETCH(bool, enabled);
        QCOMPARE(open("[MISC]\n" + tfc.toStdString() + "\n")->ui().optTFC->isEnabled(), enabled);
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

        QApplication::setActiveWindow(w);
        QVERIFY(QTest::qWaitForWindowActive(w));
        QTest::keyClick(w, Qt::Key_R, Qt::ControlModifier);
        QCOMPARE(app->desktop.messages.size(), size_t(2));
        const auto& m = app->desktop.messages.back();
        QCOMPARE(m.text + "|" + m.title, QString("Are you sure ?|Reset all settings"));
        QCOMPARE(m.buttons, MessageButtons::OkCancel);
        QCOMPARE(m.icon, MessageIcon::None);
        QCOMPARE(ui.parameters->text() + ui.txtSelMap->text() + ui.txtCommand->text(), QString());
        QVERIFY(ui.parameters->isHidden());
        for (QCheckBox* b : {ui.cheats, ui.console, ui.dev, ui.numeric, ui.chkAdd})
            QVERIFY(!b->isChecked());
        QVERIFY(ui.optDM->isChecked() && !ui.cmbDifficult->isEnabled());
        QCOMPARE(w->windowTitle(), QString("Skyloom - Deathmatch game"));
        QCOMPARE(ui.cmbDifficult->currentText() + ui.txtCustom->text(), QString("Hardcstrike"));
        QCOMPARE(ui.txtSelMap->toolTip(), QString("No map currently selected"));
    }

    void menus_mapCycleEditorQuitAndCloseBox() {
        auto* w = openWithMaps();
        w->ui().mnuFileMapcleItm->trigger();
        QCOMPARE(onlyMessage().text, QString("The Map Cycle Editor is not implemented yet"));
        QCOMPARE(onlyMessage().title, QString("Ooops"));
        QCOMPARE(onlyMessage().icon, MessageIcon::Information);
        QVERIFY(w->isVisible() && !app->ended);
        w->close();
        TestApp::processDeletes();
        QVERIFY(app->ended);

        w = openWithMaps();
        QApplication::setActiveWindow(w);
        QVERIFY(QTest::qWaitForWindowActive(w));
        QTest::keyClick(w, Qt::Key_Q, Qt::ControlModifier);
        QVERIFY(app->ended && !app->windows.isLoaded("sp"));
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
