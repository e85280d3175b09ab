// The main window: game types, maps, options, launching and presets.
#include "launcher/main_window.h"

#include <QScreen>
#include <QTextDocument>
#include <filesystem>

#include "../maps/map_bytes.h"
#include "app/preset_mode.h"
#include "launcher/presets.h"
#include "window_harness.h"

using namespace skyloom;
using namespace skyloom::test;

class MainWindowTest : public WindowHarness {
    Q_OBJECT

    void openIni(const std::string& ini) {
        app = std::make_unique<TestApp>();
        if (!ini.empty()) app->writeIni(ini);
        w = app->windows.show("sp");
    }
    void openWithMaps() {
        app = std::make_unique<TestApp>();
        const std::string maps = app->makeFolder(
            "valve/maps", {"crossfire.bsp", "Bounce.BSP", "boot_camp.bsp", "readme.txt"});
        const std::string tfc = app->makeFolder("tfc/maps", {"2fort.bsp", "well.bsp"});
        app->writeIni("[MISC]\ntfc=true\n[GAMEDIR]\nmaps=" + maps + "\ntfcmaps=" + tfc + "\n");
        w = app->windows.show("sp");
    }
    MainWindow* window() const { return qobject_cast<MainWindow*>(w); }
    const FakeDesktop::Message& onlyMessage() {
        [&] { QCOMPARE(app->desktop.messages.size(), size_t(1)); }();
        return app->desktop.messages.back();
    }
    void open(const std::string& program = "/games/Half-Life/hl.exe") {
        app = std::make_unique<TestApp>();
        app->writeIni("[MISC]\ntfc=true\n[GAMEDIR]\nprogram=" + program + "\n");
        w = app->windows.show("sp");
    }
    void expectStart(size_t n, const std::string& line, const char* folder = "/games/Half-Life") {
        QCOMPARE(app->games.starts.size(), n);
        QCOMPARE(app->games.starts.back().commandLine, line);
        QCOMPARE(app->games.starts.back().workingFolder, std::optional<std::string>(folder));
        QCOMPARE(app->games.starts.back().state, WindowState::Maximized);
    }

    // A TFC install for Wine whose maps come from the mod, its add-on and its downloads.
    void openWithInstall(const std::string& mapsFolder = "tfc/maps") {
        dropApp();
        app = std::make_unique<TestApp>();
        const std::string hl = app->folder() + "/hl/";
        app->makeFolder("hl/tfc/maps");
        writeFile(hl + "hl.exe", "MZ");
        writeFile(hl + "tfc/maps/2fort.bsp",
                  bspBytes("{\"message\" \"Two Forts\" \"wad\" \"a.wad;b.wad;c.wad;d.wad;e.wad;"
                           "f.wad;g.wad\"}",
                           {{"FROM_A_WAD"}}));
        writeFile(hl + "tfc/maps/bad.bsp", "not a map");
        // A downloaded name with tabs would become more arguments: never listed.
        app->makeFolder("hl/tfc_downloads/maps", {"2FORT.bsp", "x\t+exec\tevil.bsp"});
        // Complete as Wine finds files, whatever their case; its title is markup; a room.
        writeFile(hl + "tfc_downloads/maps/dl.bsp", dlMap(box({0, 0, 0}, {512, 256, 128}, true)));
        app->makeFolder("hl/tfc/Models", {"X.MDL"});
        app->makeFolder("hl/cartes_\xe9t\xe9/maps");
        writeFile(hl + "cartes_\xe9t\xe9/maps/caf\xe9.bsp", bspBytes("{\"message\" \"Caf\xe9\"}"));
        app->writeIni("[MISC]\ntfc=true\n[GAMEDIR]\nprogram=" + hl +
                      "hl.exe\nmaps=" + (mapsFolder.empty() ? "" : hl + mapsFolder) + "\n");
        w = app->windows.show("sp");
    }
    static std::string dlMap(const std::vector<Face>& world) {
        return bspBytes(std::string("{\"message\" \"") + kMarkup + "\" \"model\" \"models/x.mdl\"}",
                        {}, false, geometryLumps(world));
    }
    static constexpr const char* kMarkup = "<img src=/etc/passwd><font size=7 color=red>Big";
    static QString describe(MapFileList* list, int row, int role) {
        return list->model()->index(row, 0).data(role).toString();
    }

    // Qt cannot name the Latin-1 files to remove them.
    void dropApp() {
        if (app) std::filesystem::remove_all(app->folder());
        app.reset();
    }

private slots:
    void cleanup() { dropApp(); }

    void maps_comeFromTheModsFoldersWithTitlesAndMissingFiles() {
        openWithInstall();
        QCOMPARE(ctl<MapFileList>("dirFichiers")->fileNames(),
                 QStringList({"2fort.bsp", "bad.bsp", "dl.bsp"}));
        QCOMPARE(ctl<QGroupBox>("frm3")->toolTip(), QString());
        const QString first = "Two Forts\nMissing: a.wad, b.wad, c.wad, d.wad, e.wad and 2 more";
        for (int role : {int(Qt::ToolTipRole), int(Qt::AccessibleDescriptionRole)}) {
            QCOMPARE(describe(ctl<MapFileList>("dirFichiers"), 0, role), first);
            QCOMPARE(describe(ctl<MapFileList>("dirFichiers"), 1, role), QString("unreadable map"));
        }
        // A title's markup is shown as text: no picture, no file opened.
        QCOMPARE(describe(ctl<MapFileList>("dirFichiers"), 2, Qt::AccessibleDescriptionRole),
                 QString(kMarkup));
        const QString tip = describe(ctl<MapFileList>("dirFichiers"), 2, Qt::ToolTipRole);
        QTextDocument shown;
        shown.setHtml(tip);
        QVERIFY2(tip.startsWith("<p>&lt;img") &&
                     shown.toPlainText().replace(QChar(0xA0), u' ') == kMarkup,
                 qPrintable(tip));
        // Then beside the picture of the room drawn meanwhile, the title still text; drawn again
        // when the map changes.
        for (const QSize size : {QSize(256, 130), QSize(130, 256)}) {
            if (size.height() == 256) {
                std::vector<Face> world = box({0, 0, 0}, {256, 512, 128}, true);
                world.push_back(world.front());
                writeFile(app->folder() + "/hl/tfc_downloads/maps/dl.bsp", dlMap(world));
                QCOMPARE(describe(ctl<MapFileList>("dirFichiers"), 2, Qt::ToolTipRole), tip);
            }
            QTRY_VERIFY(describe(ctl<MapFileList>("dirFichiers"), 2, Qt::ToolTipRole) != tip);
            const QString pictured = describe(ctl<MapFileList>("dirFichiers"), 2, Qt::ToolTipRole);
            shown.setHtml(pictured);
            QVERIFY2(shown.toPlainText().replace(QChar(0xA0), u' ').contains(kMarkup),
                     qPrintable(pictured));
            const QString url = pictured.section('"', 1, 1);
            QVERIFY(url.startsWith("data:image/png;base64,"));
            QCOMPARE(shown.resource(QTextDocument::ImageResource, url).value<QPixmap>().size(),
                     size);
        }
        // A Latin-1 folder and map: listed, shown as themselves, given to the game as bytes.
        openWithInstall("cartes_\xe9t\xe9/maps");
        QCOMPARE(ctl<MapFileList>("dirFichiers")->fileNames(), QStringList({"caf\u00e9.bsp"}));
        QCOMPARE(describe(ctl<MapFileList>("dirFichiers"), 0, Qt::ToolTipRole),
                 QString("Caf\u00e9"));
        ctl<MapFileList>("dirFichiers")->selectMap("caf\xe9.bsp");
        click(ctl("confirmMap"));
        QCOMPARE(ctl<QLineEdit>("txtSelMap")->text(), QString("caf\u00e9.bsp"));
        click(ctl("launch"));
        expectStart(1, "hl.exe +deathmatch 1 +map caf\xe9", (app->folder() + "/hl").c_str());
    }

    void maps_frameSaysWhyTheListIsEmpty_data() {
        QTest::addColumn<QString>("maps");
        QTest::addColumn<QString>("tooltip");
        QTest::newRow("not configured") << ""
                                        << "No maps: the maps folder is not configured";
        QTest::newRow("a file") << "tfc/maps/bad.bsp"
                                << "No maps: %1 is a file, not a folder";
        QTest::newRow("a loop") << "loop"
                                << "No maps: %1 is a loop of symbolic links";
        QTest::newRow("nowhere") << "none/maps"
                                 << "No maps: %1 does not exist";
    }
    void maps_frameSaysWhyTheListIsEmpty() {
        QFETCH(QString, maps);
        QFETCH(QString, tooltip);
        const QString saved = QDir::currentPath();
        openWithInstall(maps.toStdString());
        // The missing key's "error" is no folder, even where one is called so.
        app->makeFolder("error", {"trap.bsp"});
        std::filesystem::create_symlink(app->folder() + "/hl/loop", app->folder() + "/hl/loop");
        QDir::setCurrent(QString::fromStdString(app->folder()));
        if (maps.isEmpty()) app->writeIni("[MISC]\ntfc=true\n");
        window()->reloadPaths();
        QDir::setCurrent(saved);
        QVERIFY(ctl<MapFileList>("dirFichiers")->fileNames().isEmpty());
        if (!maps.isEmpty())
            tooltip = tooltip.arg(QString::fromStdString(app->folder()) + "/hl/" + maps);
        QCOMPARE(ctl<QGroupBox>("frm3")->toolTip(), tooltip);
    }

    void launch_asksBeforeStartingAMapWithMissingFiles_data() {
        QTest::addColumn<QString>("map");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("started");
        QTest::newRow("missing, No") << "2fort.bsp" << true << int(MessageAnswer::No) << false;
        QTest::newRow("missing, Yes") << "2fort.bsp" << true << int(MessageAnswer::Yes) << true;
        QTest::newRow("complete") << "dl.bsp" << false << 0 << true;
        QTest::newRow("unreadable") << "bad.bsp" << false << 0 << true;
        QTest::newRow("not listed") << "gone.bsp" << false << 0 << true;
    }
    void launch_asksBeforeStartingAMapWithMissingFiles() {
        QFETCH(QString, map);
        QFETCH(bool, asked);
        QFETCH(int, answer);
        QFETCH(bool, started);
        openWithInstall();
        ctl<QLineEdit>("txtSelMap")->setText(map);
        if (asked) app->desktop.answers.push_back(MessageAnswer(answer));
        click(ctl("launch"));
        QCOMPARE(app->desktop.messages.size(), size_t(asked));
        if (asked) {
            const auto& box = app->desktop.messages[0];
            QCOMPARE(box.text,
                     QString("The map 2fort needs files that are not installed:\na.wad\n"
                             "b.wad\nc.wad\nd.wad\ne.wad\nf.wad\ng.wad\n\nStart anyway?"));
            QCOMPARE(box.title, QString("Missing files"));
            QVERIFY(box.buttons == MessageButtons::YesNo && box.icon == MessageIcon::Exclamation);
        }
        QCOMPARE(app->games.starts.size(), size_t(started));
    }

    // A typed name the game cannot load starts nothing; parameters never glue to the map.
    void launch_needsALoadableMapThenStartsInTheGameFolder_data() {
        QTest::addColumn<QString>("map");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("title");
        QTest::newRow("none") << ""
                              << "Please select a map"
                              << "No map selected !";
        QTest::newRow("unloadable") << "x +exec evil.bsp"
                                    << "holds a blank"
                                    << "Map name";
        // The paste guard makes a typed tab a blank, which is refused by name.
        QTest::newRow("tab") << "x\t+exec\tevil.bsp"
                             << "holds a blank"
                             << "Map name";
    }
    void launch_needsALoadableMapThenStartsInTheGameFolder() {
        QFETCH(QString, map);
        QFETCH(QString, text);
        QFETCH(QString, title);
        open();
        ctl<QLineEdit>("txtSelMap")->setText(map);
        click(ctl("launch"));
        expectMessage(text, title, MessageIcon::Exclamation);
        QVERIFY(app->games.starts.empty());
        app->desktop.messages.clear();

        click(ctl<QRadioButton>("optSP"));
        ctl<QComboBox>("cmbDifficult")->setCurrentText("Medium");
        click(ctl<QCheckBox>("console"));
        click(ctl<QCheckBox>("chkAdd"));
        QTest::keyClicks(ctl<QLineEdit>("parameters"), " -zone 4096");
        click(ctl<QCheckBox>("chkAdd"));  // hidden parameters still count
        ctl<QLineEdit>("txtSelMap")->setText("c1a0-x.bsp");
        click(ctl("launch"));
        expectStart(1, "hl.exe +map c1a0-x +set skill 1 -zone 4096 -console");
        QVERIFY(w->isVisible());
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
            open(program);
            ctl<QLineEdit>("txtSelMap")->setText("crossfire.bsp");
            click(ctl("launch"));
            if (folder) {
                expectStart(1, "hl.exe +deathmatch 1 +map crossfire", folder);
            } else {
                expectMessage("hl.exe", "Configuration incomplete", MessageIcon::Exclamation);
                QVERIFY(app->games.starts.empty());
            }
        }
    }

    void closeAfterLaunch_closesOnlyOnceTheGameStarted() {
        open();
        ctl<QAction>("mnuEdititm")->trigger();
        QVERIFY(window()->closeAfterLaunch());
        ctl<QLineEdit>("txtSelMap")->setText("crossfire.bsp");
        app->games.result = {false, "hl.exe", "No such file.", "steam -applaunch 70 +map x"};
        click(ctl("launch"));
        expectMessage("Program: hl.exe\nTried: steam -applaunch 70 +map x\nReason: No such file.",
                      "Skyloom", MessageIcon::Critical);
        QVERIFY(app->windows.isLoaded("sp") && !app->ended);
        app->games.result = {};
        click(ctl("launch"));
        QVERIFY(!app->windows.isLoaded("sp") && app->ended);
    }

    void launchCustom_needsAFolderThenStartsTheMod() {
        open();
        click(ctl<QCheckBox>("dev"));
        click(ctl<QRadioButton>("optCustom"));
        ctl<QAction>("mnuEdititm")->trigger();
        click(ctl("launchCustom"));
        expectMessage("You must specify a custom mod's folder", "OOoops", MessageIcon::Information);
        QVERIFY(app->games.starts.empty() && app->windows.isLoaded("sp"));
        QTest::keyClicks(ctl<QLineEdit>("txtCustom"), "my mod");
        click(ctl("launchCustom"));
        expectStart(1, "hl.exe -game my mod");
        QVERIFY(app->ended);
    }
    // Presets through the window and the command line: each row acts, then the game started
    // (command line, or none) and the one box shown (its title, or none) are what it says.
    void presets_saveFillStartAndDeleteThroughWindowAndCommandLine() {
        enum class Act { Save, Fill, Start, Shortcut, Delete };
        struct Row {
            Act act;
            const char* name;
            const char* started;
            const char* box;
            bool gameFails = false;
        };
        const char* const duel = "hl.exe +map dl +set skill 1 -zone 4096 -console";
        const Row rows[] = {
            {Act::Save, "duel", nullptr, nullptr},
            {Act::Save, "", nullptr, "Preset not saved"},
            {Act::Save, "a]b", nullptr, "Preset not saved"},
            {Act::Save, " duel", nullptr, "Preset not saved"},
            {Act::Start, "duel", duel, nullptr},
            {Act::Start, "DUEL", duel, nullptr},
            {Act::Start, "duel", nullptr, "Skyloom", true},
            {Act::Fill, "duel", duel, nullptr},
            {Act::Save, "2fort", nullptr, nullptr},
            {Act::Start, "2fort", "hl.exe +map 2fort +set skill 1 -zone 4096 -console",
             "Missing files"},
            {Act::Save, "Duel", nullptr, "Save as preset"},  // replaces "duel"
            {Act::Shortcut, "Duel", nullptr, "Create desktop shortcut"},
            {Act::Delete, "Duel", nullptr, "Delete preset"},  // and its shortcut
            {Act::Start, "duel", nullptr, "Skyloom"},
            {Act::Fill, "2fort", "hl.exe +map 2fort +set skill 1 -zone 4096 -console",
             "Missing files"},
        };
        openWithInstall();
        qputenv("XDG_DATA_HOME", QByteArray::fromStdString(app->folder() + "/data"));
        const std::string shortcut =
            app->folder() + "/data/applications/io.github.skyloom.Skyloom.preset-Duel.desktop";
        click(ctl<QRadioButton>("optSP"));
        ctl<QComboBox>("cmbDifficult")->setCurrentText("Medium");
        click(ctl<QCheckBox>("console"));
        click(ctl<QCheckBox>("chkAdd"));
        QTest::keyClicks(ctl<QLineEdit>("parameters"), " -zone 4096");
        ctl<QLineEdit>("txtSelMap")->setText("dl.bsp");
        for (const Row& row : rows) {
            const QString name = QString::fromUtf8(row.name);
            app->games.result = {!row.gameFails, "hl.exe", "No such file."};
            switch (row.act) {
                case Act::Save:
                    if (name == "2fort") ctl<QLineEdit>("txtSelMap")->setText("2fort.bsp");
                    app->desktop.texts.push_back(name);
                    ctl<QAction>("mnuFileitmSavePreset")->trigger();
                    break;
                case Act::Start:
                    QCOMPARE(runPreset(app->context, row.name), row.started ? 0 : 1);
                    break;
                case Act::Fill: {
                    ctl<QAction>("mnuEdititmReset")->trigger();
                    app->desktop.messages.clear();
                    emit ctl<QMenu>("mnuPresets")->aboutToShow();
                    for (QAction* item : ctl<QMenu>("mnuPresets")->actions())
                        if (item->text() == name) item->trigger();
                    QVERIFY(ctl<QRadioButton>("optSP")->isChecked() &&
                            ctl<QLineEdit>("parameters")->isVisible());
                    click(ctl("launch"));
                    break;
                }
                case Act::Shortcut:
                case Act::Delete: {
                    const auto names = presetNames(app->settings.text());
                    const auto at = std::find(names.begin(), names.end(), row.name);
                    app->desktop.choices.push_back(int(at - names.begin()));
                    (row.act == Act::Delete ? ctl<QAction>("mnuPresetsitmDelete")
                                            : ctl<QAction>("mnuPresetsitmShortcut"))
                        ->trigger();
                    QCOMPARE(std::filesystem::exists(shortcut), row.act == Act::Shortcut);
                    break;
                }
            }
            const auto& starts = app->games.starts;
            QVERIFY2(row.started ? starts.size() == 1 && starts[0].commandLine == row.started
                                 : starts.empty() || row.gameFails,
                     row.name);
            const auto& boxes = app->desktop.messages;
            QVERIFY2(row.box ? boxes.size() == 1 && boxes[0].title == row.box : boxes.empty(),
                     qPrintable(boxes.empty() ? name : boxes[0].text));
            app->games.starts.clear();
            app->desktop.messages.clear();
        }
        const std::string ini = app->readIni();
        QVERIFY(ini.find("[PRESET 2fort]") != std::string::npos &&
                ini.find("uel") == std::string::npos);
        qunsetenv("XDG_DATA_HOME");
    }

    // Static captions, geometry, menus and tab order are the .ui file's and the e2e tests'.
    void load_showsTheDesignState() {
        openWithMaps();
        QCOMPARE(w->windowTitle(), QString("Skyloom - Deathmatch Game"));
        QVERIFY(ctl<QRadioButton>("optTFC")->isEnabled() && !window()->closeAfterLaunch() &&
                ctl<QLineEdit>("parameters")->isHidden());
        QCOMPARE(base(ctl<QLineEdit>("txtCustom")), system(QPalette::Window));
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
            QCOMPARE((openIni(std::string("[MISC]\ntfc=") + tfc + "\n"), ctl<QRadioButton>("optTFC"))
                         ->isEnabled(),
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
        w = app->windows.show("sp");
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
        openWithMaps();
        const auto mapControls = std::initializer_list<QWidget*>{ctl("launch"),
                                                                 ctl("confirmMap"),
                                                                 ctl<MapFileList>("dirFichiers"),
                                                                 ctl<QWidget>("SelMap"),
                                                                 ctl<QLineEdit>("txtCommand"),
                                                                 ctl<QCheckBox>("cheats"),
                                                                 ctl<QCheckBox>("console"),
                                                                 ctl<QCheckBox>("dev"),
                                                                 ctl<QCheckBox>("numeric"),
                                                                 ctl<QCheckBox>("chkAdd")};
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
            QCOMPARE(base(ctl<QLineEdit>("txtCustom")),
                     system(custom ? QPalette::Base : QPalette::Button));
            for (QWidget* f : {ctl<QLineEdit>("parameters"), ctl<QLineEdit>("txtSelMap"),
                               ctl<QLineEdit>("txtCommand")})
                QCOMPARE(base(f), system(custom ? QPalette::Button : QPalette::Base));
        };
        click(ctl<QRadioButton>("optTFC"));
        check("Skyloom - Team Fortress Classic game", 2, "TFC", false, false);
        click(ctl<QRadioButton>("optSP"));
        check("Skyloom - Single player game", 3, "SP", true, false);
        click(ctl<QRadioButton>("optCustom"));
        check("Skyloom - Single player game", 3, nullptr, false, true);
        click(ctl<QRadioButton>("optDM"));
        check("Skyloom - Deathmatch game", 3, "DM", false, false);
    }

    void confirmMap_takesTheSelectionOrNothing() {
        openWithMaps();
        ctl<MapFileList>("dirFichiers")->selectMap("crossfire.bsp");
        QCOMPARE(ctl<QLineEdit>("txtSelMap")->text(), QString());
        click(ctl("confirmMap"));
        QCOMPARE(ctl<QLineEdit>("txtSelMap")->text(), QString("crossfire.bsp"));
        QCOMPARE(ctl<QLineEdit>("txtSelMap")->toolTip(),
                 QString("The map currently selected is crossfire.bsp"));
        click(ctl<QRadioButton>("optTFC"));
        QCOMPARE(ctl<QLineEdit>("txtSelMap")->text(), QString("crossfire.bsp"));
        ctl<MapFileList>("dirFichiers")->clearSelection();
        click(ctl("confirmMap"));
        QCOMPARE(ctl<QLineEdit>("txtSelMap")->text(), QString());
        QCOMPARE(ctl<QLineEdit>("txtSelMap")->toolTip(), QString("The map currently selected is "));
    }

    void options_fillThePreview_chkAddShowsParameters() {
        openWithMaps();
        click(ctl<QCheckBox>("numeric"));
        QCOMPARE(ctl<QLineEdit>("txtCommand")->text(), QString("  -numericping"));
        for (QCheckBox* b :
             {ctl<QCheckBox>("dev"), ctl<QCheckBox>("console"), ctl<QCheckBox>("cheats")})
            click(b);
        QCOMPARE(ctl<QLineEdit>("txtCommand")->text(),
                 QString("  -sv_cheats 1 -console -dev -numericping"));
        for (QCheckBox* b : {ctl<QCheckBox>("cheats"), ctl<QCheckBox>("console"),
                             ctl<QCheckBox>("dev"), ctl<QCheckBox>("numeric")})
            click(b);
        QCOMPARE(ctl<QLineEdit>("txtCommand")->text(), QString(" "));
        click(ctl<QCheckBox>("chkAdd"));
        QVERIFY(ctl<QLineEdit>("parameters")->isVisible());
        QTest::keyClicks(ctl<QLineEdit>("parameters"), " -zone 4096");
        click(ctl<QCheckBox>("chkAdd"));
        QVERIFY(ctl<QLineEdit>("parameters")->isHidden());
        QCOMPARE(ctl<QLineEdit>("parameters")->text(), QString(" -zone 4096"));
        QCOMPARE(ctl<QLineEdit>("txtCommand")->text(),
                 QString(" "));  // nothing else refreshes the preview
    }

    void resetAll_okRestoresTheLoadStateCancelChangesNothing() {
        openWithMaps();
        click(ctl<QRadioButton>("optSP"));
        ctl<QComboBox>("cmbDifficult")->setCurrentText("Hard");
        click(ctl<QCheckBox>("chkAdd"));
        QTest::keyClicks(ctl<QLineEdit>("parameters"), "-zone 4096");
        for (QCheckBox* b : {ctl<QCheckBox>("cheats"), ctl<QCheckBox>("console"),
                             ctl<QCheckBox>("dev"), ctl<QCheckBox>("numeric")})
            click(b);
        ctl<QLineEdit>("txtSelMap")->setText("crossfire.bsp");
        ctl<QLineEdit>("txtCustom")->setText("cstrike");

        app->desktop.answers.push_back(MessageAnswer::Cancel);
        ctl<QAction>("mnuEdititmReset")->trigger();
        QVERIFY(ctl<QCheckBox>("console")->isChecked() && ctl<QRadioButton>("optSP")->isChecked());
        QCOMPARE(ctl<QLineEdit>("txtCommand")->text(),
                 QString("  -sv_cheats 1 -console -dev -numericping"));

        ctl<QAction>("mnuEdititmReset")->trigger();
        const auto& m = app->desktop.messages.at(1);
        QCOMPARE(m.text + "|" + m.title, QString("Are you sure ?|Reset all settings"));
        QVERIFY(m.buttons == MessageButtons::OkCancel && m.icon == MessageIcon::None);
        QCOMPARE(ctl<QLineEdit>("parameters")->text() + ctl<QLineEdit>("txtSelMap")->text() +
                     ctl<QLineEdit>("txtCommand")->text(),
                 QString());
        QVERIFY(ctl<QLineEdit>("parameters")->isHidden());
        for (QCheckBox* b :
             {ctl<QCheckBox>("cheats"), ctl<QCheckBox>("console"), ctl<QCheckBox>("dev"),
              ctl<QCheckBox>("numeric"), ctl<QCheckBox>("chkAdd")})
            QVERIFY(!b->isChecked());
        QVERIFY(ctl<QRadioButton>("optDM")->isChecked() &&
                !ctl<QComboBox>("cmbDifficult")->isEnabled());
        QCOMPARE(w->windowTitle(), QString("Skyloom - Deathmatch game"));
        QCOMPARE(
            ctl<QComboBox>("cmbDifficult")->currentText() + ctl<QLineEdit>("txtCustom")->text(),
            QString("Hardcstrike"));
        QCOMPARE(ctl<QLineEdit>("txtSelMap")->toolTip(), QString("No map currently selected"));
    }

    void menus_mapCycleEditorAndCloseBox() {
        openWithMaps();
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
