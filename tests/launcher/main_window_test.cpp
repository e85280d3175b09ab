#include <QtTest>

#include "launcher/main_window.h"
#include "test_app.h"
#include "ui_main_window.h"

using namespace skyloom;
using namespace skyloom::test;

namespace {

const char* kConfigured =
    "[MISC]\r\ntfc=true\r\n[GAMEDIR]\r\nprogram=/games/hl/hl.exe\r\n";

// Shortcuts reach only the active window.
void activate(QWidget* w) {
    QApplication::setActiveWindow(w);
    QVERIFY(QTest::qWaitForWindowActive(w));
}

QColor baseOf(QWidget* w) { return w->palette().color(QPalette::Base); }
QColor system(QPalette::ColorRole role) { return QApplication::palette().color(role); }

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestApp> app;

    MainWindow* open(const std::string& ini) {
        app = std::make_unique<TestApp>();
        if (!ini.empty()) app->writeIni(ini);
        return qobject_cast<MainWindow*>(app->windows.show("sp"));
    }

    // A settings file whose maps folders hold a few maps.
    MainWindow* openWithMaps() {
        app = std::make_unique<TestApp>();
        const std::string maps = app->makeFolder("valve/maps", {"crossfire.bsp", "Bounce.BSP",
                                                                 "boot_camp.bsp", "readme.txt"});
        const std::string tfc = app->makeFolder("tfc/maps", {"2fort.bsp", "well.bsp"});
        app->writeIni(std::string(kConfigured) + "maps=" + maps + "\r\ntfcmaps=" + tfc + "\r\n");
        return qobject_cast<MainWindow*>(app->windows.show("sp"));
    }

private slots:
    void cleanup() { app.reset(); }

    void load_showsDesignState() {
        auto* w = openWithMaps();
        auto& ui = w->ui();
        QCOMPARE(w->windowTitle(), QString("Skyloom - Deathmatch Game"));
        QVERIFY(ui.optDM->isChecked());
        QVERIFY(ui.optTFC->isEnabled());
        QVERIFY(!ui.cmbDifficult->isEnabled());
        QCOMPARE(ui.cmbDifficult->currentText(), QString());
        QCOMPARE(ui.cmbDifficult->count(), 3);
        QVERIFY(!ui.txtCustom->isEnabled());
        QCOMPARE(baseOf(ui.txtCustom), system(QPalette::Window));
        QVERIFY(!ui.launchCustom->isEnabled());
        QVERIFY(ui.parameters->isHidden());
        QCOMPARE(ui.txtSelMap->toolTip(), QString("No map currently selected"));
        QCOMPARE(ui.launch->toolTip(), QString("Let's punch it!"));
        QCOMPARE(ui.dirFichiers->fileNames(),
                 QStringList({"boot_camp.bsp", "Bounce.BSP", "crossfire.bsp"}));
        QCOMPARE(w->centralWidget()->size(), QSize(556, 338));
        QCOMPARE(ui.frm1->geometry(), QRect(8, 8, 153, 313));
        QCOMPARE(ui.txtSelMap->geometry(), QRect(8, 272, 121, 21));
        QCOMPARE(ui.launch->geometry(), QRect(448, 296, 89, 25));
        QVERIFY(!w->closeAfterLaunch());
        QVERIFY(app->desktop.messages.empty());
    }

    void load_tfcFlagDecidesTfcOption_data() {
        QTest::addColumn<QString>("tfc");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("false") << "tfc=false" << false;
        QTest::newRow("False") << "tfc=False" << true;
        QTest::newRow("empty") << "tfc=" << true;
        QTest::newRow("missing") << "" << true;
    }
    void load_tfcFlagDecidesTfcOption() {
        QFETCH(QString, tfc);
        QFETCH(bool, enabled);
        auto* w = open("[MISC]\n" + tfc.toStdString() + "\n");
        QCOMPARE(w->ui().optTFC->isEnabled(), enabled);
    }

    void load_withoutTfcKey_reportsConfigurationError() {
        auto* w = open("[GAMEDIR]\nmaps=/nowhere\n");
        QCOMPARE(app->desktop.messages.size(), size_t(1));
        const auto& m = app->desktop.messages[0];
        QCOMPARE(m.text, QString("You did not configure completly the Skyloom"));
        QCOMPARE(m.title, QString("Configuration error"));
        QCOMPARE(m.buttons, MessageButtons::Ok);
        QCOMPARE(m.icon, MessageIcon::None);
        QVERIFY(w->ui().dirFichiers->fileNames().isEmpty());  // missing folder: empty list
        QVERIFY(!app->ended);
    }

    void gameTypes_applyTheirTable() {
        auto* w = openWithMaps();
        auto& ui = w->ui();

        QTest::mouseClick(ui.optTFC, Qt::LeftButton);
        QCOMPARE(w->windowTitle(), QString("Skyloom - Team Fortress Classic game"));
        QCOMPARE(ui.dirFichiers->fileNames(), QStringList({"2fort.bsp", "well.bsp"}));
        QCOMPARE(ui.txtSelMap->toolTip(),
                 QString("No map currently selected (you are currently in TFC mode)"));
        QVERIFY(!ui.cmbDifficult->isEnabled());

        QTest::mouseClick(ui.optSP, Qt::LeftButton);
        QCOMPARE(w->windowTitle(), QString("Skyloom - Single player game"));
        QCOMPARE(ui.dirFichiers->fileNames().size(), 3);
        QCOMPARE(ui.txtSelMap->toolTip(),
                 QString("No map currently selected (you are currently in SP mode)"));
        QVERIFY(ui.cmbDifficult->isEnabled());
        QCOMPARE(baseOf(ui.txtCustom), system(QPalette::Button));

        QTest::mouseClick(ui.optCustom, Qt::LeftButton);
        QCOMPARE(w->windowTitle(), QString("Skyloom - Single player game"));  // unchanged
        QCOMPARE(ui.dirFichiers->fileNames().size(), 3);
        QVERIFY(ui.txtCustom->isEnabled());
        QCOMPARE(baseOf(ui.txtCustom), system(QPalette::Base));
        QVERIFY(ui.launchCustom->isEnabled());
        QVERIFY(!ui.cmbDifficult->isEnabled());
        for (QWidget* c : std::initializer_list<QWidget*>{
                 ui.launch, ui.confirmMap, ui.dirFichiers, ui.SelMap, ui.txtCommand, ui.cheats,
                 ui.console, ui.dev, ui.numeric, ui.chkAdd})
            QVERIFY2(!c->isEnabled(), qPrintable(c->objectName()));
        for (QWidget* f : {ui.parameters, ui.txtSelMap, ui.txtCommand})
            QCOMPARE(baseOf(f), system(QPalette::Button));

        QTest::mouseClick(ui.optDM, Qt::LeftButton);
        QCOMPARE(w->windowTitle(), QString("Skyloom - Deathmatch game"));
        QCOMPARE(ui.txtSelMap->toolTip(),
                 QString("No map currently selected (you are currently in DM mode)"));
        QVERIFY(ui.launch->isEnabled() && ui.confirmMap->isEnabled() && ui.chkAdd->isEnabled());
        QVERIFY(!ui.txtCustom->isEnabled() && !ui.launchCustom->isEnabled());
        for (QWidget* f : {ui.parameters, ui.txtSelMap, ui.txtCommand})
            QCOMPARE(baseOf(f), system(QPalette::Base));
    }

    void confirmMap_takesSelectionOrNothing() {
        auto* w = openWithMaps();
        auto& ui = w->ui();
        ui.dirFichiers->selectFileName("crossfire.bsp");
        QCOMPARE(ui.txtSelMap->text(), QString());  // selecting alone changes nothing
        QTest::mouseClick(ui.confirmMap, Qt::LeftButton);
        QCOMPARE(ui.txtSelMap->text(), QString("crossfire.bsp"));
        QCOMPARE(ui.txtSelMap->toolTip(), QString("The map currently selected is crossfire.bsp"));

        QTest::mouseClick(ui.optTFC, Qt::LeftButton);  // the map stays selected
        QCOMPARE(ui.txtSelMap->text(), QString("crossfire.bsp"));

        ui.dirFichiers->clearSelection();
        QTest::mouseClick(ui.confirmMap, Qt::LeftButton);
        QCOMPARE(ui.txtSelMap->text(), QString());
        QCOMPARE(ui.txtSelMap->toolTip(), QString("The map currently selected is "));
    }

    void optionPreview_followsTheFourBoxes() {
        auto* w = openWithMaps();
        auto& ui = w->ui();
        QTest::mouseClick(ui.numeric, Qt::LeftButton);
        QCOMPARE(ui.txtCommand->text(), QString("  -numericping"));
        for (QCheckBox* b : {ui.cheats, ui.console, ui.dev}) QTest::mouseClick(b, Qt::LeftButton);
        QCOMPARE(ui.txtCommand->text(), QString("  -sv_cheats 1 -console -dev -numericping"));
        for (QCheckBox* b : {ui.cheats, ui.console, ui.dev, ui.numeric})
            QTest::mouseClick(b, Qt::LeftButton);
        QCOMPARE(ui.txtCommand->text(), QString(" "));
        // Nothing else refreshes it.
        QTest::mouseClick(ui.optSP, Qt::LeftButton);
        QTest::mouseClick(ui.chkAdd, Qt::LeftButton);
        QCOMPARE(ui.txtCommand->text(), QString(" "));
    }

    void chkAdd_showsAndHidesParametersKeepingText() {
        auto* w = openWithMaps();
        auto& ui = w->ui();
        QTest::mouseClick(ui.chkAdd, Qt::LeftButton);
        QVERIFY(ui.parameters->isVisible());
        QTest::keyClicks(ui.parameters, " -zone 4096");
        QTest::mouseClick(ui.chkAdd, Qt::LeftButton);
        QVERIFY(ui.parameters->isHidden());
        QCOMPARE(ui.parameters->text(), QString(" -zone 4096"));
    }

    void menus_holdTheirItemsInOrderWithShortcuts() {
        auto* w = openWithMaps();
        auto& ui = w->ui();
        auto captions = [](QMenu* menu) {
            QStringList list;
            for (QAction* a : menu->actions())
                list << a->text() + (a->shortcut().isEmpty() ? "" : " " + a->shortcut().toString());
            return list;
        };
        QCOMPARE(ui.mnuFichier->title(), QString("&File"));
        QCOMPARE(ui.mnuEdit->title(), QString("&Edit"));
        QCOMPARE(ui.mnuHelp->title(), QString("&?"));
        QCOMPARE(captions(ui.mnuFichier),
                 QStringList({"&Deathmatch Maker ... Ctrl+D", "&Advanced HL Option Launcher Ctrl+A",
                              "&Map Cycle Editor ...", "&Quit Ctrl+Q"}));
        QCOMPARE(captions(ui.mnuEdit),
                 QStringList({"&Reset all Ctrl+R", "C&lose Skyloom after launch"}));
        QVERIFY(ui.mnuEdititm->isCheckable() && !ui.mnuEdititm->isChecked());
    }

    void mapCycleEditor_saysNotImplemented() {
        auto* w = openWithMaps();
        w->ui().mnuFileMapcleItm->trigger();
        QCOMPARE(app->desktop.messages.size(), size_t(1));
        QCOMPARE(app->desktop.messages[0].text,
                 QString("The Map Cycle Editor is not implemented yet"));
        QCOMPARE(app->desktop.messages[0].title, QString("Ooops"));
        QCOMPARE(app->desktop.messages[0].icon, MessageIcon::Information);
        QVERIFY(w->isVisible());
    }

    void resetAll_okRestoresLoadStateButKeepsDifficultyText() {
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

        activate(w);
        QTest::keyClick(w, Qt::Key_R, Qt::ControlModifier);

        QCOMPARE(app->desktop.messages.size(), size_t(1));
        QCOMPARE(app->desktop.messages[0].text, QString("Are you sure ?"));
        QCOMPARE(app->desktop.messages[0].title, QString("Reset all settings"));
        QCOMPARE(app->desktop.messages[0].buttons, MessageButtons::OkCancel);
        QCOMPARE(app->desktop.messages[0].icon, MessageIcon::None);
        QCOMPARE(ui.parameters->text(), QString());
        QVERIFY(ui.parameters->isHidden());
        for (QCheckBox* b : {ui.cheats, ui.console, ui.dev, ui.numeric, ui.chkAdd})
            QVERIFY(!b->isChecked());
        QCOMPARE(ui.txtSelMap->text(), QString());
        QCOMPARE(ui.txtCommand->text(), QString());
        QVERIFY(ui.optDM->isChecked() && !ui.optSP->isChecked());
        QCOMPARE(w->windowTitle(), QString("Skyloom - Deathmatch game"));
        QVERIFY(!ui.cmbDifficult->isEnabled());
        QCOMPARE(ui.cmbDifficult->currentText(), QString("Hard"));
        QCOMPARE(ui.txtCustom->text(), QString("cstrike"));
        QCOMPARE(ui.txtSelMap->toolTip(), QString("No map currently selected"));
        QTest::mouseClick(ui.optSP, Qt::LeftButton);  // single player again at once
        QVERIFY(ui.cmbDifficult->isEnabled());
    }

    void resetAll_cancelChangesNothing() {
        auto* w = openWithMaps();
        auto& ui = w->ui();
        QTest::mouseClick(ui.console, Qt::LeftButton);
        ui.txtSelMap->setText("crossfire.bsp");
        app->desktop.answers.push_back(MessageAnswer::Cancel);
        ui.mnuEdititmReset->trigger();
        QVERIFY(ui.console->isChecked());
        QCOMPARE(ui.txtSelMap->text(), QString("crossfire.bsp"));
        QCOMPARE(ui.txtCommand->text(), QString("  -console"));
    }

    void quit_endsTheProgram() {
        auto* w = openWithMaps();
        activate(w);
        QTest::keyClick(w, Qt::Key_Q, Qt::ControlModifier);
        QVERIFY(app->ended);
        QVERIFY(!app->windows.isLoaded("sp"));
    }

    void closeBox_endsTheProgram() {
        auto* w = openWithMaps();
        w->close();
        TestApp::processDeletes();
        QVERIFY(app->ended);
    }

    void tabOrder_followsTheDesign() {
        auto* w = openWithMaps();
        const QStringList expected{"launch", "dev", "console", "cheats", "optDM", "cmbDifficult",
                                   "dirFichiers", "txtCommand", "chkAdd", "txtSelMap", "confirmMap",
                                   "parameters", "optSP", "numeric", "optTFC", "optCustom",
                                   "txtCustom", "launchCustom"};
        QStringList chain;
        QWidget* at = w->ui().launch;
        do {
            if (expected.contains(at->objectName())) chain << at->objectName();
            at = at->nextInFocusChain();
        } while (at != w->ui().launch);
        QCOMPARE(chain, expected);
    }

    void inputs_haveAccessibleNames() {
        auto* w = openWithMaps();
        auto& ui = w->ui();
        QCOMPARE(ui.SelMap->buddy(), static_cast<QWidget*>(ui.txtSelMap));
        for (QWidget* c : std::initializer_list<QWidget*>{ui.parameters, ui.dirFichiers,
                                                          ui.cmbDifficult, ui.txtCustom,
                                                          ui.txtCommand})
            QVERIFY2(!c->accessibleName().isEmpty(), qPrintable(c->objectName()));
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
