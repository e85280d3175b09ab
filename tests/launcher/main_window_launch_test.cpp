#include <QTextDocument>
#include <QtTest>
#include <QtWidgets>
#include <filesystem>

#include "../maps/map_bytes.h"
#include "app/preset_mode.h"
#include "launcher/main_window.h"
#include "launcher/presets.h"
#include "test_app.h"

using namespace skyloom;
using namespace skyloom::test;

class MainWindowLaunchTest : public QObject {
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

    void open(const std::string& program = "/games/Half-Life/hl.exe") {
        app = std::make_unique<TestApp>();
        app->writeIni("[MISC]\ntfc=true\n[GAMEDIR]\nprogram=" + program + "\n");
        w = qobject_cast<MainWindow*>(app->windows.show("sp"));
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
        w = qobject_cast<MainWindow*>(app->windows.show("sp"));
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
        QCOMPARE(ctl<MapFileList>("dirFichiers")->fileNames(), QStringList({"2fort.bsp", "bad.bsp", "dl.bsp"}));
        QCOMPARE(ctl<QGroupBox>("frm3")->toolTip(), QString());
        const QString first = "Two Forts\nMissing: a.wad, b.wad, c.wad, d.wad, e.wad and 2 more";
        for (int role : {int(Qt::ToolTipRole), int(Qt::AccessibleDescriptionRole)}) {
            QCOMPARE(describe(ctl<MapFileList>("dirFichiers"), 0, role), first);
            QCOMPARE(describe(ctl<MapFileList>("dirFichiers"), 1, role), QString("unreadable map"));
        }
        // A title's markup is shown as text: no picture, no file opened.
        QCOMPARE(describe(ctl<MapFileList>("dirFichiers"), 2, Qt::AccessibleDescriptionRole), QString(kMarkup));
        const QString tip = describe(ctl<MapFileList>("dirFichiers"), 2, Qt::ToolTipRole);
        QTextDocument shown;
        shown.setHtml(tip);
        QVERIFY2(tip.startsWith("<p>&lt;img") && shown.toPlainText().replace(QChar(0xA0), u' ') == kMarkup,
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
        QCOMPARE(describe(ctl<MapFileList>("dirFichiers"), 0, Qt::ToolTipRole), QString("Caf\u00e9"));
        ctl<MapFileList>("dirFichiers")->selectMap("caf\xe9.bsp");
        QTest::mouseClick(ctl("confirmMap"), Qt::LeftButton);
        QCOMPARE(ctl<QLineEdit>("txtSelMap")->text(), QString("caf\u00e9.bsp"));
        QTest::mouseClick(ctl("launch"), Qt::LeftButton);
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
        w->reloadPaths();
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
        QTest::mouseClick(ctl("launch"), Qt::LeftButton);
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
        QTest::mouseClick(ctl("launch"), Qt::LeftButton);
        expectMessage(text, title, MessageIcon::Exclamation);
        QVERIFY(app->games.starts.empty());
        app->desktop.messages.clear();

        QTest::mouseClick(ctl<QRadioButton>("optSP"), Qt::LeftButton);
        ctl<QComboBox>("cmbDifficult")->setCurrentText("Medium");
        QTest::mouseClick(ctl<QCheckBox>("console"), Qt::LeftButton);
        QTest::mouseClick(ctl<QCheckBox>("chkAdd"), Qt::LeftButton);
        QTest::keyClicks(ctl<QLineEdit>("parameters"), " -zone 4096");
        QTest::mouseClick(ctl<QCheckBox>("chkAdd"), Qt::LeftButton);  // hidden parameters still count
        ctl<QLineEdit>("txtSelMap")->setText("c1a0-x.bsp");
        QTest::mouseClick(ctl("launch"), Qt::LeftButton);
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
            QTest::mouseClick(ctl("launch"), Qt::LeftButton);
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
        QVERIFY(w->closeAfterLaunch());
        ctl<QLineEdit>("txtSelMap")->setText("crossfire.bsp");
        app->games.result = {false, "hl.exe", "No such file.", "steam -applaunch 70 +map x"};
        QTest::mouseClick(ctl("launch"), Qt::LeftButton);
        expectMessage("Program: hl.exe\nTried: steam -applaunch 70 +map x\nReason: No such file.",
                      "Skyloom", MessageIcon::Critical);
        QVERIFY(app->windows.isLoaded("sp") && !app->ended);
        app->games.result = {};
        QTest::mouseClick(ctl("launch"), Qt::LeftButton);
        QVERIFY(!app->windows.isLoaded("sp") && app->ended);
    }

    void launchCustom_needsAFolderThenStartsTheMod() {
        open();
        QTest::mouseClick(ctl<QCheckBox>("dev"), Qt::LeftButton);
        QTest::mouseClick(ctl<QRadioButton>("optCustom"), Qt::LeftButton);
        ctl<QAction>("mnuEdititm")->trigger();
        QTest::mouseClick(ctl("launchCustom"), Qt::LeftButton);
        expectMessage("You must specify a custom mod's folder", "OOoops", MessageIcon::Information);
        QVERIFY(app->games.starts.empty() && app->windows.isLoaded("sp"));
        QTest::keyClicks(ctl<QLineEdit>("txtCustom"), "my mod");
        QTest::mouseClick(ctl("launchCustom"), Qt::LeftButton);
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
        QTest::mouseClick(ctl<QRadioButton>("optSP"), Qt::LeftButton);
        ctl<QComboBox>("cmbDifficult")->setCurrentText("Medium");
        QTest::mouseClick(ctl<QCheckBox>("console"), Qt::LeftButton);
        QTest::mouseClick(ctl<QCheckBox>("chkAdd"), Qt::LeftButton);
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
                    QVERIFY(ctl<QRadioButton>("optSP")->isChecked() && ctl<QLineEdit>("parameters")->isVisible());
                    QTest::mouseClick(ctl("launch"), Qt::LeftButton);
                    break;
                }
                case Act::Shortcut:
                case Act::Delete: {
                    const auto names = presetNames(app->settings.text());
                    const auto at = std::find(names.begin(), names.end(), row.name);
                    app->desktop.choices.push_back(int(at - names.begin()));
                    (row.act == Act::Delete ? ctl<QAction>("mnuPresetsitmDelete") : ctl<QAction>("mnuPresetsitmShortcut"))
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
        QVERIFY(ini.find("[PRESET 2fort]") != std::string::npos && ini.find("uel") == std::string::npos);
        qunsetenv("XDG_DATA_HOME");
    }
};

QTEST_MAIN(MainWindowLaunchTest)
#include "main_window_launch_test.moc"
