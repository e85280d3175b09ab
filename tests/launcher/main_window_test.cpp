#include "launcher/main_window.h"

#include <QScreen>
#include <QtTest>
#include <QtWidgets>

#include "test_app.h"

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
    MainWindow* w = nullptr;
    // A control of the window by its object name.
    template <class T = QAbstractButton>
    T* ctl(const char* name) const {
        T* found = w->findChild<T*>(name);
        if (!found) qFatal("no control %s", name);
        return found;
    }

    MainWindow* open(const std::string& ini) {
        app = std::make_unique<TestApp>();
        if (!ini.empty()) app->writeIni(ini);
        return w = qobject_cast<MainWindow*>(app->windows.show("sp"));
    }
    MainWindow* openWithMaps() {
        app = std::make_unique<TestApp>();
        const std::string maps = app->makeFolder(
            "valve/maps", {"crossfire.bsp", "Bounce.BSP", "boot_camp.bsp", "readme.txt"});
        const std::string tfc = app->makeFolder("tfc/maps", {"2fort.bsp", "well.bsp"});
        app->writeIni("[MISC]\ntfc=true\n[GAMEDIR]\nmaps=" + maps + "\ntfcmaps=" + tfc + "\n");
        return w = qobject_cast<MainWindow*>(app->windows.show("sp"));
    }
    const FakeDesktop::Message& onlyMessage() {
        [&] { QCOMPARE(app->desktop.messages.size(), size_t(1)); }();
        return app->desktop.messages.back();
    }

private slots:
    void cleanup() { app.reset(); }

    // Static captions, geometry, menus and tab order are the .ui file's and the e2e tests'.
    void load_showsTheDesignState() {
        w = openWithMaps();
        QCOMPARE(w->windowTitle(), QString("Skyloom - Deathmatch Game"));
        QVERIFY(ctl<QRadioButton>("optTFC")->isEnabled() && !w->closeAfterLaunch() && ctl<QLineEdit>("parameters")->isHidden());
        QCOMPARE(baseOf(ctl<QLineEdit>("txtCustom")), system(QPalette::Window));
        QCOMPARE(ctl<QLineEdit>("txtSelMap")->toolTip(), QString("No map currently selected"));
        QCOMPARE(ctl<MapFileList>("dirFichiers")->fileNames(),
                 QStringList({"boot_camp.bsp", "Bounce.BSP", "crossfire.bsp"}));
        QVERIFY(app->desktop.messages.empty());
        QCOMPARE(w->focusWidget(), ctl("launch"));
        QVERIFY((w->frameGeometry().center() - w->screen()->availableGeometry().center())
                    .manhattanLength() <= 4);  // the frame's border aside
        const std::pair<const char*, bool> tfcFlags[] = {
            {"false", false}, {"False", true}, {"", true}};
        for (const auto& [tfc, enabled] : tfcFlags)
            QCOMPARE((open(std::string("[MISC]\ntfc=") + tfc + "\n"), ctl<QRadioButton>("optTFC"))->isEnabled(),
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
        w = qobject_cast<MainWindow*>(app->windows.show("sp"));
        QVERIFY2(onlyMessage().text.contains(text.arg(QString::fromStdString(app->iniPath()))),
                 qPrintable(onlyMessage().text));
        QTEST(onlyMessage().title, "title");
        QTEST(app->windows.isLoaded("config"), "configOpened");
        QFETCH(bool, configOpened);  // hidden, not flashing behind the box, when config opens
        QCOMPARE(onlyMessage().parentShown, !configOpened);
        QVERIFY(ctl<QRadioButton>("optTFC")->isEnabled());
        QVERIFY(ctl<MapFileList>("dirFichiers")->fileNames().isEmpty());
        if (configOpened) return;
        app->windows.unload("sp");  // the main window comes back: the box does not
        app->windows.show("sp");
        QCOMPARE(app->desktop.messages.size(), size_t(1));
    }

    void gameTypes_applyTheirTable() {
        w = openWithMaps();
        const auto mapControls = std::initializer_list<QWidget*>{
            ctl("launch"), ctl("confirmMap"), ctl<MapFileList>("dirFichiers"), ctl<QWidget>("SelMap"),  ctl<QLineEdit>("txtCommand"),
            ctl<QCheckBox>("cheats"), ctl<QCheckBox>("console"),    ctl<QCheckBox>("dev"),         ctl<QCheckBox>("numeric"), ctl<QCheckBox>("chkAdd")};
        auto check = [&](const char* title, int maps, const char* mode, bool difficulty,
                         bool custom) {
            QCOMPARE(w->windowTitle(), QString(title));
            QCOMPARE(ctl<MapFileList>("dirFichiers")->fileNames().size(), maps);
            if (mode)
                QCOMPARE(
                    ctl<QLineEdit>("txtSelMap")->toolTip(),
                    QString("No map currently selected (you are currently in %1 mode)").arg(mode));
            QCOMPARE(ctl<QComboBox>("cmbDifficult")->isEnabled(), difficulty);
            QCOMPARE(ctl<QLineEdit>("txtCustom")->isEnabled(), custom);
            QCOMPARE(ctl("launchCustom")->isEnabled(), custom);
            for (QWidget* c : mapControls) QCOMPARE(c->isEnabled(), !custom);
            QCOMPARE(baseOf(ctl<QLineEdit>("txtCustom")), system(custom ? QPalette::Base : QPalette::Button));
            for (QWidget* f : {ctl<QLineEdit>("parameters"), ctl<QLineEdit>("txtSelMap"), ctl<QLineEdit>("txtCommand")})
                QCOMPARE(baseOf(f), system(custom ? QPalette::Button : QPalette::Base));
        };
        QTest::mouseClick(ctl<QRadioButton>("optTFC"), Qt::LeftButton);
        check("Skyloom - Team Fortress Classic game", 2, "TFC", false, false);
        QTest::mouseClick(ctl<QRadioButton>("optSP"), Qt::LeftButton);
        check("Skyloom - Single player game", 3, "SP", true, false);
        QTest::mouseClick(ctl<QRadioButton>("optCustom"), Qt::LeftButton);
        check("Skyloom - Single player game", 3, nullptr, false, true);
        QTest::mouseClick(ctl<QRadioButton>("optDM"), Qt::LeftButton);
        check("Skyloom - Deathmatch game", 3, "DM", false, false);
    }

    void confirmMap_takesTheSelectionOrNothing() {
        openWithMaps();
        ctl<MapFileList>("dirFichiers")->selectMap("crossfire.bsp");
        QCOMPARE(ctl<QLineEdit>("txtSelMap")->text(), QString());
        QTest::mouseClick(ctl("confirmMap"), Qt::LeftButton);
        QCOMPARE(ctl<QLineEdit>("txtSelMap")->text(), QString("crossfire.bsp"));
        QCOMPARE(ctl<QLineEdit>("txtSelMap")->toolTip(), QString("The map currently selected is crossfire.bsp"));
        QTest::mouseClick(ctl<QRadioButton>("optTFC"), Qt::LeftButton);
        QCOMPARE(ctl<QLineEdit>("txtSelMap")->text(), QString("crossfire.bsp"));
        ctl<MapFileList>("dirFichiers")->clearSelection();
        QTest::mouseClick(ctl("confirmMap"), Qt::LeftButton);
        QCOMPARE(ctl<QLineEdit>("txtSelMap")->text(), QString());
        QCOMPARE(ctl<QLineEdit>("txtSelMap")->toolTip(), QString("The map currently selected is "));
    }

    void options_fillThePreview_chkAddShowsParameters() {
        openWithMaps();
        QTest::mouseClick(ctl<QCheckBox>("numeric"), Qt::LeftButton);
        QCOMPARE(ctl<QLineEdit>("txtCommand")->text(), QString("  -numericping"));
        for (QCheckBox* b : {ctl<QCheckBox>("dev"), ctl<QCheckBox>("console"), ctl<QCheckBox>("cheats")}) QTest::mouseClick(b, Qt::LeftButton);
        QCOMPARE(ctl<QLineEdit>("txtCommand")->text(), QString("  -sv_cheats 1 -console -dev -numericping"));
        for (QCheckBox* b : {ctl<QCheckBox>("cheats"), ctl<QCheckBox>("console"), ctl<QCheckBox>("dev"), ctl<QCheckBox>("numeric")})
            QTest::mouseClick(b, Qt::LeftButton);
        QCOMPARE(ctl<QLineEdit>("txtCommand")->text(), QString(" "));
        QTest::mouseClick(ctl<QCheckBox>("chkAdd"), Qt::LeftButton);
        QVERIFY(ctl<QLineEdit>("parameters")->isVisible());
        QTest::keyClicks(ctl<QLineEdit>("parameters"), " -zone 4096");
        QTest::mouseClick(ctl<QCheckBox>("chkAdd"), Qt::LeftButton);
        QVERIFY(ctl<QLineEdit>("parameters")->isHidden());
        QCOMPARE(ctl<QLineEdit>("parameters")->text(), QString(" -zone 4096"));
        QCOMPARE(ctl<QLineEdit>("txtCommand")->text(), QString(" "));  // nothing else refreshes the preview
    }

    void resetAll_okRestoresTheLoadStateCancelChangesNothing() {
        w = openWithMaps();
        QTest::mouseClick(ctl<QRadioButton>("optSP"), Qt::LeftButton);
        ctl<QComboBox>("cmbDifficult")->setCurrentText("Hard");
        QTest::mouseClick(ctl<QCheckBox>("chkAdd"), Qt::LeftButton);
        QTest::keyClicks(ctl<QLineEdit>("parameters"), "-zone 4096");
        for (QCheckBox* b : {ctl<QCheckBox>("cheats"), ctl<QCheckBox>("console"), ctl<QCheckBox>("dev"), ctl<QCheckBox>("numeric")})
            QTest::mouseClick(b, Qt::LeftButton);
        ctl<QLineEdit>("txtSelMap")->setText("crossfire.bsp");
        ctl<QLineEdit>("txtCustom")->setText("cstrike");

        app->desktop.answers.push_back(MessageAnswer::Cancel);
        ctl<QAction>("mnuEdititmReset")->trigger();
        QVERIFY(ctl<QCheckBox>("console")->isChecked() && ctl<QRadioButton>("optSP")->isChecked());
        QCOMPARE(ctl<QLineEdit>("txtCommand")->text(), QString("  -sv_cheats 1 -console -dev -numericping"));

        ctl<QAction>("mnuEdititmReset")->trigger();
        const auto& m = app->desktop.messages.at(1);
        QCOMPARE(m.text + "|" + m.title, QString("Are you sure ?|Reset all settings"));
        QVERIFY(m.buttons == MessageButtons::OkCancel && m.icon == MessageIcon::None);
        QCOMPARE(ctl<QLineEdit>("parameters")->text() + ctl<QLineEdit>("txtSelMap")->text() + ctl<QLineEdit>("txtCommand")->text(), QString());
        QVERIFY(ctl<QLineEdit>("parameters")->isHidden());
        for (QCheckBox* b : {ctl<QCheckBox>("cheats"), ctl<QCheckBox>("console"), ctl<QCheckBox>("dev"), ctl<QCheckBox>("numeric"), ctl<QCheckBox>("chkAdd")})
            QVERIFY(!b->isChecked());
        QVERIFY(ctl<QRadioButton>("optDM")->isChecked() && !ctl<QComboBox>("cmbDifficult")->isEnabled());
        QCOMPARE(w->windowTitle(), QString("Skyloom - Deathmatch game"));
        QCOMPARE(ctl<QComboBox>("cmbDifficult")->currentText() + ctl<QLineEdit>("txtCustom")->text(), QString("Hardcstrike"));
        QCOMPARE(ctl<QLineEdit>("txtSelMap")->toolTip(), QString("No map currently selected"));
    }

    void menus_mapCycleEditorAndCloseBox() {
        w = openWithMaps();
        ctl<QAction>("mnuFileMapcleItm")->trigger();
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
