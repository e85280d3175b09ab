#include "launcher/main_window.h"

#include <QAbstractItemModelTester>
#include <QTextDocument>
#include <filesystem>

#include "demos/demo_list.h"
#include "launcher/presets.h"
#include "map_bytes.h"
#include "window_harness.h"

using namespace skyloom;
using namespace skyloom::test;

// The Demos window's stand-in: the mod folder of each place it is handed.
struct DemosProbe final : QWidget, DemoPlaceTaker {
    explicit DemosProbe(QStringList& places) : places_(places) {}
    void listDemosOf(const DemoPlace& place) override { places_ << place.mod.c_str(); }
    QStringList& places_;
};

class MainWindowTest : public WindowHarness {
    QStringList places;
    Q_OBJECT

    void openWithMaps(const std::string& tfc = "true") {
        app = std::make_unique<TestApp>();
        app->add<MainWindow>("sp");
        app->windows.add("demos", [this] { return new DemosProbe(places); });
        app->writeIni("[MISC]\ntfc=" + tfc + "\n[GAMEDIR]\nmaps=" +
                      app->makeFolder("valve/maps", {"crossfire.bsp", "Bounce.BSP", "boot_camp.bsp",
                                                     "readme.txt", "C1A0.bsp"}) +
                      "\ntfcmaps=" + app->makeFolder("tfc/maps", {"2fort.bsp", "well.bsp"}) + "\n");
        w = app->windows.show("sp");
    }
    MainWindow* window() const { return qobject_cast<MainWindow*>(w); }
    // The program as the settings hold it, in its folder, with these arguments.
    void expectStart(const std::string& arguments, std::string held = "") {
        if (held.empty()) held = app->folder() + "/hl/hl.exe";
        QCOMPARE(app->games.starts.size(), size_t(1));
        const auto& [started, program, in, state] = app->games.starts[0];
        QCOMPARE(started, held + " " + arguments);
        QCOMPARE(program, held);
        QVERIFY(in == held.substr(0, held.rfind('/')) && state == WindowState::Maximized);
    }
    void setSpMediumConsoleZone() {
        click(ctl("optSP"));
        ctl<QComboBox>("cmbDifficult")->setCurrentText("Medium");
        click(check("console"));
        click(check("chkAdd"));
        QTest::keyClicks(edit("parameters"), " -zone 4096");
    }

    // A TFC install for Wine whose maps come from the mod, its add-on and its downloads.
    void openWithInstall(const std::string& mapsFolder = "tfc/maps",
                         const char* program = nullptr) {
        dropApp();
        app = std::make_unique<TestApp>();
        app->add<MainWindow>("sp");
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
        writeFile(hl + "tfc_downloads/maps/dl.bsp",
                  bspBytes(std::string("{\"message\" \"\u202E") + kMarkup +
                               "\u200B\" \"model\" \"models/x.mdl\"}",
                           {}, false, geometryLumps(box({0, 0, 0}, {512, 256, 128}, true))));
        app->makeFolder("hl/tfc/Models", {"X.MDL"});
        app->makeFolder("hl/cartes_\xe9t\xe9/maps");
        writeFile(hl + "cartes_\xe9t\xe9/maps/caf\xe9.bsp", bspBytes("{\"message\" \"Caf\xe9\"}"));
        app->writeIni(
            "[MISC]\ntfc=true\n[GAMEDIR]\nprogram=" + (program ? program : hl + "hl.exe") +
            "\nmaps=" + (mapsFolder.empty() ? "" : hl + mapsFolder) + "\n");
        w = app->windows.show("sp");
    }
    static constexpr const char* kMarkup = "<img src=/etc/passwd><font size=7 color=red>Big";
    QString describe(int row, int role) const {
        return list()->view()->model()->index(row, 0).data(role).toString();
    }
    // The rows the list shows, marked "!" when they lack files, "x" when they cannot be read.
    QString rows() const {
        const auto image = [](const QIcon& icon) { return icon.pixmap(16).toImage(); };
        const QImage lacks = image(w->style()->standardIcon(QStyle::SP_MessageBoxWarning));
        QStringList shown;
        const QAbstractItemModel* model = list()->view()->model();
        for (int row = 0; row < model->rowCount(); ++row) {
            const QModelIndex index = model->index(row, 0);
            const QIcon icon = index.data(Qt::DecorationRole).value<QIcon>();
            const QString mark = icon.isNull() ? "" : image(icon) == lacks ? "!" : "x";
            shown << mark + index.data().toString();
        }
        return shown.join(" | ");
    }

    // Qt cannot name the Latin-1 files to remove them.
    void dropApp() {
        const std::string folder = app ? app->folder() : "";
        app.reset();
        if (!folder.empty()) std::filesystem::remove_all(folder);
    }

private slots:
    void cleanup() { dropApp(); }

    void maps_comeFromTheModsFoldersWithTitlesAndMissingFiles() {
        openWithInstall();
        // The list and its search as the window has them keep Qt's rules for models throughout.
        auto* found = qobject_cast<QSortFilterProxyModel*>(list()->view()->model());
        const QAbstractItemModelTester::FailureReportingMode qtTest =
            QAbstractItemModelTester::FailureReportingMode::QtTest;
        QAbstractItemModelTester filteredTester(found, qtTest),
            sourceTester(found->sourceModel(), qtTest);
        QCOMPARE(list()->fileNames(), QStringList({"2fort.bsp", "bad.bsp", "dl.bsp"}));
        // Titles after the names; marked: the map that lacks files, the one that cannot be read.
        const QString all =
            QString("!2fort.bsp \u2014 Two Forts | xbad.bsp | dl.bsp \u2014 ") + kMarkup;
        QTRY_COMPARE(rows(), all);
        // Ctrl+F reaches the search, by title or by name; Esc clears it; Enter takes the first
        // map found, a click the map clicked.
        QLineEdit* search = list()->search();
        QCOMPARE(spokenName(search) + spokenName(list()->view()),
                 QString("Search mapsAvaible maps"));
        QApplication::setActiveWindow(w);
        QVERIFY(QTest::qWaitForWindowActive(w));
        QTest::keyClick(w, Qt::Key_F, Qt::ControlModifier);
        QVERIFY(search->hasFocus());
        QTest::keyClicks(search, "FORTS");
        QCOMPARE(rows(), QString("!2fort.bsp \u2014 Two Forts"));
        QTest::keyClick(search, Qt::Key_Escape);
        QCOMPARE(rows() + search->text(), all);
        QTest::keyClicks(search, "dl");
        QTest::keyClick(search, Qt::Key_Return);  // the first map found
        QCOMPARE(edit("txtSelMap")->text(), QString("dl.bsp"));
        click(ctl("launch"));
        expectStart("+deathmatch 1 +map dl");
        QTest::keyClick(search, Qt::Key_Escape);
        QListView* view = list()->view();  // one click chooses
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                          view->visualRect(view->model()->index(0, 0)).center());
        QCOMPARE(edit("txtSelMap")->text(), QString("2fort.bsp"));
        const QString first = "Two Forts\nMissing: a.wad, b.wad, c.wad, d.wad, e.wad and 2 more";
        for (int role : {int(Qt::ToolTipRole), int(Qt::AccessibleDescriptionRole)}) {
            QTRY_COMPARE(describe(0, role), first);
            QTRY_COMPARE(describe(1, role), QString("unreadable map"));
        }
        // A title's markup is shown as text, without its direction override and zero-width
        // space, the room's picture beside it once drawn.
        QTRY_COMPARE(describe(2, Qt::AccessibleDescriptionRole), QString(kMarkup));
        QTRY_VERIFY(describe(2, Qt::ToolTipRole).contains("<img"));
        const QString pictured = describe(2, Qt::ToolTipRole);
        QTextDocument shown;
        shown.setHtml(pictured);
        QVERIFY2(shown.toPlainText().replace(QChar(0xA0), u' ').contains(kMarkup) &&
                     pictured.section('"', 1, 1).startsWith("data:image/png"),
                 qPrintable(pictured));
        // Latin-1 names: shown as themselves, given as bytes.
        openWithInstall("cartes_\xe9t\xe9/maps");
        QCOMPARE(list()->fileNames(), QStringList({"caf\u00e9.bsp"}));
        QTRY_COMPARE(describe(0, Qt::ToolTipRole), QString("Caf\u00e9"));
        list()->selectMap("caf\xe9.bsp");
        click(ctl("confirmMap"));
        QCOMPARE(edit("txtSelMap")->toolTip(),
                 QString("The map currently selected is caf\u00e9.bsp"));
        click(ctl("optTFC"));
        click(ctl("launch"));
        expectStart("-game tfc +map caf\xe9");
    }

    // The one box (No, then Yes), the map and the game's folder; unloadable names start nothing.
    void launch_checksTheMapThenStartsItInTheGameFolder() {
        const struct {
            const char *map, *box, *started;
            const char* program = nullptr;  // the install's
        } rows[] = {{"", "No map selected !", nullptr},
                    {"x +exec evil.bsp", "Map name", nullptr},
                    {"2fort.bsp", "Missing files", "2fort"},
                    {"dl.bsp", nullptr, "dl"},
                    {"gone.bsp", nullptr, "gone"},
                    {"gone.bsp", nullptr, "gone", "/g/Half-Life/hl.sh"},
                    {"gone.bsp", "Configuration incomplete", nullptr, "hl.exe"},
                    {"", "No map selected !", nullptr, ""}};  // the map is asked for first
        for (const auto& [map, box, started, program] : rows) {
            openWithInstall("tfc/maps", program);
            app->games.result.output = "To game.log.";
            setSpMediumConsoleZone();
            click(check("chkAdd"));
            edit("txtSelMap")->setText(map);
            for (const MessageAnswer answer : {MessageAnswer::No, MessageAnswer::Yes}) {
                app->desktop.answers = {answer};
                click(ctl("launch"));
                const auto shown = std::exchange(app->desktop.messages, {});
                QCOMPARE(shown.size(), size_t(box != nullptr));
                if (box) QCOMPARE(shown[0].title, QString(box));
                // The box names the menu that holds the configuration.
                for (const QMenu* menu : w->findChildren<QMenu*>())
                    if (box && std::string(box) == "Configuration incomplete" &&
                        menu->actions().contains(act("mnuEdititmConfig")))
                        QVERIFY(shown[0].text.contains(menu->title().remove('&') + " > " +
                                                       act("mnuEdititmConfig")->iconText()));
                const std::string line = "+map " + std::string(started ? started : "") +
                                         " +set skill 1 -zone 4096 -console";
                if (started && (answer == MessageAnswer::Yes || !box)) {
                    const std::string held = program ? program : app->folder() + "/hl/hl.exe";
                    expectStart(line, held);
                    QCOMPARE(
                        ctl<QLabel>("startStatus")->text(),
                        QString::fromStdString("Started: " + held + " " + line + "\nTo game.log."));
                } else
                    QVERIFY(app->games.starts.empty());
                app->games.starts.clear();
                if (!box || !started) break;
            }
        }
        QVERIFY(w->isVisible());
    }

    // Closing waits for a start: a failed one, or a custom mod without folder, keeps the window.
    void closeAfterLaunch_closesOnlyOnceTheGameStarted() {
        // The box names what was tried as the settings hold it: hl.sh, never an hl.exe.
        openWithInstall("tfc/maps", "/g/Half-Life/hl.sh");
        edit("txtSelMap")->setText("bad.bsp");
        app->games.result = {false, "No such file."};
        click(ctl("launch"));
        expectMessage(
            "Program: /g/Half-Life/hl.sh\nTried: /g/Half-Life/hl.sh +deathmatch 1 +map "
            "bad\nReason: No such file.",
            "Skyloom", MessageIcon::Critical);
        openWithInstall();
        act("mnuEdititm")->trigger();
        edit("txtSelMap")->setText("dl.bsp");
        app->games.result = {false, "No such file.", {{"steam", "-applaunch", "70", "+map", "x"}}};
        click(ctl("launch"));
        const QString failed =
            QString::fromStdString("Program: " + app->folder() +
                                   "/hl/hl.exe\n"
                                   "Tried: steam -applaunch 70 +map x\nReason: ");
        expectMessage(failed + "No such file.", "Skyloom", MessageIcon::Critical);
        // A game that is not there: the box offers the configuration window.
        app->games.result.missing = true;
        click(ctl("launch"));
        const auto offered = std::exchange(app->desktop.messages, {});
        QVERIFY(offered.size() == 1 && offered[0].buttons == MessageButtons::YesNo &&
                offered[0].text.contains(failed) &&
                offered[0].text.endsWith("Open the configuration window to choose the game?"));
        QVERIFY(app->windows.find("config")->isVisible() &&
                ctl<QLabel>("startStatus")->text().isEmpty());
        app->windows.unload("config");
        app->games = {};
        click(check("dev"));
        click(ctl("optCustom"));
        click(ctl("launchCustom"));
        expectMessage("You must specify a custom mod's folder", "OOoops", MessageIcon::Information);
        QVERIFY(app->games.starts.empty() && app->windows.isLoaded("sp") && !app->ended);
        QTest::keyClicks(edit("txtCustom"), "my mod");
        click(ctl("launchCustom"));
        expectStart("-game my mod");
        QVERIFY(!app->windows.isLoaded("sp") && app->ended);
    }

    // `--preset` (which starts the same command as Fill) is the command line's test, in app.
    void presets_saveFillStartAndDeleteThroughWindowAndCommandLine() {
        enum class Act { Save, Fill, Shortcut, Delete };
        // Quoted parameters start as those words, no more; the name's & is no shortcut.
        const char* const duel = "+map dl +set skill 1 +exec my.cfg -console";
        const char* const fort = "+map 2fort +set skill 1 +exec my.cfg -console";
        const struct {
            Act act;
            const char *name, *started, *box;
        } rows[] = {
            {Act::Save, "duel", nullptr, nullptr},
            {Act::Save, "a]b", nullptr, "Preset not saved"},
            {Act::Save,
             "a\x1B"
             "b",
             nullptr, "Preset not saved"},
            {Act::Fill, "duel", duel, nullptr},
            {Act::Save, "R&D", nullptr, nullptr},
            {Act::Fill, "R&D", fort, "Missing files"},
            {Act::Save, "Duel", nullptr, "Save as preset"},  // replaces "duel"
            {Act::Shortcut, "Duel", nullptr, "Create desktop shortcut"},
            {Act::Delete, "Duel", nullptr, "Delete preset"},  // and its shortcut
        };
        openWithInstall();
        qputenv("XDG_DATA_HOME", QByteArray::fromStdString(app->folder() + "/data"));
        const std::string shortcut =
            app->folder() + "/data/applications/io.github.skyloom.Skyloom.preset-Duel.desktop";
        setSpMediumConsoleZone();
        edit("parameters")->setText(R"("+exec" "my.cfg")");
        edit("txtSelMap")->setText("dl.bsp");
        for (const auto& row : rows) {
            const QString name = QString::fromUtf8(row.name);
            switch (row.act) {
                case Act::Save:
                    if (name == "R&D") edit("txtSelMap")->setText("2fort.bsp");
                    app->desktop.texts.push_back(name);
                    act("mnuFileitmSavePreset")->trigger();
                    break;
                case Act::Fill:
                    act("mnuEdititmReset")->trigger();
                    app->desktop.messages.clear();
                    emit ctl<QMenu>("mnuPresets")->aboutToShow();
                    for (QAction* item : ctl<QMenu>("mnuPresets")->actions())
                        if (item->iconText() == name) item->trigger();
                    click(ctl("launch"));
                    break;
                case Act::Shortcut:
                case Act::Delete: {
                    const auto names = presetNames(app->settings.text());
                    const auto at = std::find(names.begin(), names.end(), row.name);
                    app->desktop.choices.push_back(int(at - names.begin()));
                    // A link in its place is replaced after asking, never written through.
                    const std::string victim = app->folder() + "/victim";
                    if (row.act == Act::Shortcut) {
                        app->settings = Settings(app->iniPath(), true);  // as under --settings
                        writeFile(victim, "mine");
                        std::filesystem::create_directories(app->folder() + "/data/applications");
                        std::filesystem::create_symlink(victim, shortcut);
                    }
                    (row.act == Act::Delete ? act("mnuPresetsitmDelete")
                                            : act("mnuPresetsitmShortcut"))
                        ->trigger();
                    QCOMPARE(std::filesystem::exists(shortcut), row.act == Act::Shortcut);
                    if (row.act == Act::Delete) break;
                    QVERIFY(readFile(victim) == "mine" && !std::filesystem::is_symlink(shortcut));
                    QVERIFY(app->desktop.messages.size() == 2 &&
                            app->desktop.messages[0].text.startsWith("There is a file "));
                    app->desktop.messages.erase(app->desktop.messages.begin());
                    // The Skyloom that made it (PATH does not find it here), with its settings.
                    const std::string exec =
                        "\nExec=\"" + QCoreApplication::applicationFilePath().toStdString() +
                        "\" \"--settings\" \"" + app->iniPath() + "\" \"--preset\" \"Duel\"\n";
                    QVERIFY(readFile(shortcut).find(exec) != std::string::npos);
                    break;
                }
            }
            const auto& starts = app->games.starts;
            QVERIFY2(row.started
                         ? starts.size() == 1 &&
                               starts[0].commandLine == app->folder() + "/hl/hl.exe " + row.started
                         : starts.empty(),
                     row.name);
            const auto& boxes = app->desktop.messages;
            QVERIFY2(row.box ? boxes.size() == 1 && boxes[0].title == row.box : boxes.empty(),
                     qPrintable(boxes.empty() ? name : boxes[0].text));
            app->games.starts.clear();
            app->desktop.messages.clear();
        }
        QCOMPARE(app->desktop.textDialogs,
                 QStringList(5, "sp: Save as preset: Name of the preset:"));
        QCOMPARE(app->desktop.lists, QStringList({"sp: Create desktop shortcut: Preset:",
                                                  "sp: Delete preset: Preset:"}));
        const std::string ini = app->readIni();
        QVERIFY(ini.find("[PRESET R&D]") != std::string::npos &&
                ini.find("uel") == std::string::npos);
        qunsetenv("XDG_DATA_HOME");
    }

    // Static captions, looks, geometry and tab order are the window walk's and the e2e tests'.
    void load_showsTheDesignStateOrWhyItCannot_typesApplyTheirTable_resetRestoresIt() {
        openWithMaps();
        QVERIFY(ctl("optTFC")->isEnabled() && !window()->closeAfterLaunch() &&
                edit("parameters")->isHidden() && app->desktop.messages.empty());
        QCOMPARE(list()->fileNames(),
                 QStringList({"boot_camp.bsp", "Bounce.BSP", "C1A0.bsp", "crossfire.bsp"}));
        const auto mapControls = std::initializer_list<QWidget*>{
            ctl("launch"),      ctl("confirmMap"), list(),           ctl<QWidget>("SelMap"),
            edit("txtCommand"), check("cheats"),   check("console"), check("dev"),
            check("numeric"),   check("chkAdd")};
        const std::tuple<const char*, const char*, int, const char*, bool, bool> types[] = {
            {"optTFC", "Skyloom - Team Fortress Classic game", 2, "TFC", false, false},
            {"optSP", "Skyloom - Single player game", 4, "SP", true, false},
            {"optCustom", "Skyloom - Single player game", 4, nullptr, false, true},
            {"optDM", "Skyloom - Deathmatch game", 3, "DM", false, false}};
        for (const auto& [option, title, maps, mode, difficulty, custom] : types) {
            click(ctl(option));
            // The campaign's maps are left out of Deathmatch only.
            QVERIFY2(w->windowTitle() == title && list()->view()->model()->rowCount() == maps &&
                         check("showSinglePlayer")->isVisibleTo(w) == (maps == 3),
                     option);
            if (mode)
                QCOMPARE(
                    edit("txtSelMap")->toolTip(),
                    QString("No map currently selected (you are currently in %1 mode)").arg(mode));
            QVERIFY(ctl<QComboBox>("cmbDifficult")->isEnabled() == difficulty &&
                    edit("txtCustom")->isEnabled() == custom &&
                    ctl("launchCustom")->isEnabled() == custom);
            for (QWidget* c : mapControls) QCOMPARE(c->isEnabled(), !custom);
            act("mnuFileitmDemos")->trigger();  // the Demos window lists this type's folder
        }
        QCOMPARE(places, QStringList({"tfc", "valve", "", "valve"}));
        QCOMPARE(act("mnuFileitmDemos")->shortcut(), QKeySequence("Ctrl+E"));
        // The box and the window's size come back at the next start.
        click(check("showSinglePlayer"));
        w->resize(w->size() + QSize(24, 12));
        const QSize size = w->size();
        app->windows.unload("sp");
        TestApp::processDeletes();
        w = app->windows.show("sp");
        QVERIFY(check("showSinglePlayer")->isChecked() && w->size() == size &&
                list()->view()->model()->rowCount() == 4);
        // A maps folder that goes away is told once, its rows gone with it.
        std::filesystem::rename(app->folder() + "/valve/maps", app->folder() + "/valve/old");
        QApplication::setActiveWindow(nullptr);
        QApplication::setActiveWindow(w);
        QTRY_COMPARE(list()->view()->model()->rowCount(), 0);
        QVERIFY(ctl<QLabel>("mapsGone")->isVisible() &&
                ctl<QLabel>("mapsGone")
                    ->text()
                    .endsWith("/valve/maps is gone: its maps are listed again when it is back and "
                              "the window opens anew."));
        const std::pair<const char*, bool> tfcFlags[] = {
            {"false", false}, {"False", true}, {"", true}};
        for (const auto& [tfc, enabled] : tfcFlags) {
            openWithMaps(tfc);
            QCOMPARE(ctl("optTFC")->isEnabled(), enabled);
        }
        // A settings file there that cannot serve is reported as such, never as unconfigured.
        const std::tuple<std::string, const char*, const char*, bool> rows[] = {
            {"[GAMEDIR]\nmaps=/nowhere\n", "You did not configure completly the Skyloom",
             "Configuration error", true},
            {"/", "%1: Is a directory", "Settings not read", false}};  // skyloom.ini a folder
        for (const auto& [ini, text, title, configOpened] : rows) {
            app = std::make_unique<TestApp>();
            app->add<MainWindow>("sp");
            if (ini == "/")
                QDir().mkpath(QString::fromStdString(app->iniPath()));
            else
                app->writeIni(ini);
            w = app->windows.show("sp");
            expectMessage(QString(text).arg(QString::fromStdString(app->iniPath())), title,
                          configOpened ? MessageIcon::None : MessageIcon::Exclamation,
                          configOpened ? "" : "sp");  // over the window unless it is hidden
            QCOMPARE(app->windows.isLoaded("config"), configOpened);
            QVERIFY(ctl("optTFC")->isEnabled() && list()->fileNames().isEmpty());
        }
        // Options fill the preview in their own order; parameters keep their text while hidden;
        // Reset all brings back the load state.
        openWithMaps();
        click(ctl("optSP"));
        ctl<QComboBox>("cmbDifficult")->setCurrentText("Hard");
        for (QCheckBox* b : {check("numeric"), check("dev"), check("console"), check("cheats")})
            click(b);
        QCOMPARE(edit("txtCommand")->text(), QString("  -sv_cheats 1 -console -dev -numericping"));
        click(check("chkAdd"));
        QTest::keyClicks(edit("parameters"), " -zone 4096");
        click(check("chkAdd"));
        QVERIFY(edit("parameters")->isHidden());
        QCOMPARE(edit("parameters")->text(), QString(" -zone 4096"));
        click(check("chkAdd"));
        edit("txtSelMap")->setText("crossfire.bsp");
        edit("txtCustom")->setText("cstrike");
        app->desktop.answers.push_back(MessageAnswer::Cancel);
        act("mnuEdititmReset")->trigger();
        QVERIFY(check("console")->isChecked() && ctl("optSP")->isChecked());
        act("mnuEdititmReset")->trigger();
        QVERIFY(app->desktop.messages.at(1).buttons == MessageButtons::OkCancel);
        QCOMPARE(
            edit("parameters")->text() + edit("txtSelMap")->text() + edit("txtCommand")->text(),
            QString());
        for (QCheckBox* b : w->findChildren<QCheckBox*>()) QVERIFY(!b->isChecked());
        QVERIFY(ctl("optDM")->isChecked() && edit("parameters")->isHidden());
        QCOMPARE(ctl<QComboBox>("cmbDifficult")->currentText() + edit("txtCustom")->text(),
                 QString("Hardcstrike"));
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
