// The Demos window over a game folder of demos: the rows and their notes, search and sort, the
// starts it makes, rename and delete, and the keyboard.
#include "demo_window/demo_window.h"

#include <sys/time.h>

#include <QAbstractItemModelTester>

#include "demo_bytes.h"
#include "platform/files.h"
#include "shell/start_status.h"
#include "window_harness.h"

using namespace skyloom;
using namespace skyloom::test;

class DemoWindowTest : public WindowHarness {
    Q_OBJECT
    std::string game;
    QTreeView* view() const { return ctl<QTreeView>("demos"); }
    QAbstractItemModel* rows() const { return view()->model(); }
    QString cell(int row, int column) const { return rows()->index(row, column).data().toString(); }
    QStringList column(int c) const {
        QStringList all;
        for (int row = 0; row < rows()->rowCount(); ++row) all << cell(row, c);
        return all;
    }
    void put(const std::string& name, const std::string& bytes, long time) const {
        const std::string path = game + "/" + name;
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        writeFile(path, bytes);
        const timeval times[2] = {{time, 0}, {time, 0}};
        ::utimes(path.c_str(), times);
    }
    void open(const DemoPlace& place) {
        w = app->windows.show("demos");
        // The demos and what the view shows of them, searched and sorted, keep Qt's rules.
        auto* shown = qobject_cast<QSortFilterProxyModel*>(rows());
        for (QAbstractItemModel* m : {rows(), shown->sourceModel()})
            new QAbstractItemModelTester(m, QAbstractItemModelTester::FailureReportingMode::QtTest,
                                         w);
        dynamic_cast<DemoPlaceTaker*>(w)->listDemosOf(place);
        QTRY_VERIFY(ctl<QLabel>("listed")->text().contains("demo(s)"));
    }
    void select(const QString& name) const {
        view()->setCurrentIndex(rows()->index(column(0).indexOf(name), 0));
    }

private slots:
    void init() {
        app = std::make_unique<TestApp>();
        app->add<DemoWindow>("demos");
        game = app->folder() + "/game";
        app->writeIni("[GAMEDIR]\r\nprogram=" + game + "/hl.exe\r\n");
        writeFile(app->makeFolder("game/valve/maps") + "/crossfire.bsp",
                  bspBytes("{\n\"classname\" \"worldspawn\"\n\"message\" \"Crossfire <b>\"\n}\n"));
        put("valve/demos/a.dem", demoBytes("crossfire", "valve", {1, 83.4f}, 40000), 5000);
        put("valve/b.dem", demoBytes("nowhere", "valve", {1, 9.5f}), 4000);
        put("valve_downloads/c.dem", demoBytes("crossfire", "tfc", {1, 600}, 10), 3000);
        put("valve/bad.dem", "HLDEMO\0", 2000);
        put("valve/my run.dem", demoBytes("crossfire", "VALVE"), 1000);
    }
    void cleanup() { app.reset(); }

    // Newest first; map and title; the reasons a row is marked, in its note and tooltip.
    void rowsShowEachDemoAndWhyItIsMarked_playStartsTheChosenGameOnIt() {
        open({game, "valve"});
        QCOMPARE(column(0),
                 QStringList({"demos/a.dem", "b.dem", "c.dem", "bad.dem", "my run.dem"}));
        QCOMPARE(column(1),
                 QStringList({"crossfire — Crossfire <b>", "nowhere", "crossfire — Crossfire <b>",
                              "", "crossfire — Crossfire <b>"}));
        QCOMPARE(column(2), QStringList({"valve", "valve", "tfc", "", "VALVE"}));
        QCOMPARE(column(3), QStringList({"1:23", "0:09", "10:00", "", "1:23"}));
        QCOMPARE(column(6),
                 QStringList({"", "Map nowhere not installed", "Recorded in tfc, not valve",
                              "Unreadable: cut short: a demo's header alone takes 544 bytes",
                              "The game cannot load a name that holds a blank: rename it"}));
        QVERIFY(rows()->index(1, 0).data(Qt::ToolTipRole).toString().contains("not installed"));
        QVERIFY(cell(0, 5) != cell(1, 5));  // sizes
        // Each column sorts by its value both ways: lengths and sizes as numbers.
        const std::pair<int, QString> firsts[] = {
            {0, "b.dem"},      {1, "bad.dem"}, {2, "bad.dem"},    {3, "bad.dem"},
            {4, "my run.dem"}, {5, "bad.dem"}, {6, "demos/a.dem"}};
        for (const auto& [c, first] : firsts) {
            view()->sortByColumn(c, Qt::AscendingOrder);
            QCOMPARE(cell(0, 0), first);
            view()->sortByColumn(c, Qt::DescendingOrder);
            QVERIFY(cell(0, 0) != first || c == 6);
        }
        view()->sortByColumn(3, Qt::DescendingOrder);
        QCOMPARE(column(3).first(), "10:00");
        // The search takes the name and the map, as typed.
        QTest::keyClicks(edit("search"), "CROSS");
        QCOMPARE(rows()->rowCount(), 3);
        edit("search")->setText("CROSSfire — cross");
        QCOMPARE(rows()->rowCount(), 3);
        edit("search")->setText("demos/");
        QCOMPARE(column(0), QStringList({"demos/a.dem"}));
        edit("search")->clear();
        // The chosen game's start with the demo's name relative to its mod folder; Enter, a
        // double click and the buttons; the start told at the foot.
        const std::tuple<const char*, const char*, const char*, std::string> cases[] = {
            {"play", "demos/a.dem", "valve", "hl.exe +playdemo demos/a"},
            {"playControls", "c.dem", "valve", "hl.exe +viewdemo c"},
            {"enter", "b.dem", "valve", "hl.exe +playdemo b"},
            {"double", "demos/a.dem", "valve", "hl.exe +playdemo demos/a"},
            {"play", "x.dem", "tfc", "hl.exe -game tfc +playdemo x"},
        };
        for (const auto& [how, name, mod, line] : cases) {
            if (std::string(mod) != "valve")
                put(std::string(mod) + "/x.dem", demoBytes("a", "b"), 1);
            open({game, mod});
            select(name);
            const QRect at = view()->visualRect(view()->currentIndex());
            if (how == std::string("enter"))
                QTest::keyClick(view(), Qt::Key_Return);
            else if (how == std::string("double")) {  // as the mouse sends it
                QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, at.center());
                QTest::mouseDClick(view()->viewport(), Qt::LeftButton, {}, at.center());
            } else
                click(ctl(how));
            QVERIFY2(app->games.starts.size() == 1, how);
            const auto start = std::exchange(app->games.starts, {}).front();
            QCOMPARE(start.commandLine, game + "/" + line);  // the program the settings hold
            QCOMPARE(start.workingFolder, std::optional(game));
            QVERIFY(w->findChild<StartStatusLine*>()->text().startsWith(
                QString::fromStdString("Started: " + game + "/hl.exe")));
        }
    }

    // An unreadable file is never started; a name the game cannot load offers Rename, which
    // refuses such names and names taken, then renames the file alone; Delete trashes it alone.
    void refusedNamesAreRenamedInPlace_andDeleteTrashesTheFileAlone() {
        open({game, "valve"});
        select("bad.dem");
        click(ctl("play"));
        expectMessage("bad.dem is not a demo the game can play: cut short", "Demo",
                      MessageIcon::Exclamation);
        select("my run.dem");
        app->desktop.texts = {"run;2", "b", "sub/x", "run2"};
        app->desktop.answers = {MessageAnswer::Yes};
        click(ctl("play"));
        QVERIFY(app->games.starts.empty());
        const auto shown = std::exchange(app->desktop.messages, {});
        QCOMPARE(shown.size(), size_t(2));
        QVERIFY(shown[0].text.contains("holds a blank.\nRename it?") &&
                shown[0].buttons == MessageButtons::YesNo);
        QVERIFY(shown[1].text.contains("holds the character ;"));
        click(ctl("rename"));
        expectMessage("A file called b.dem is already there.", "Rename demo",
                      MessageIcon::Exclamation);
        click(ctl("rename"));
        expectMessage("without folders", "Rename demo", MessageIcon::Exclamation);
        click(ctl("rename"));
        QVERIFY(app->desktop.messages.empty());
        QVERIFY(isFile(game + "/valve/run2.dem") && !isFile(game + "/valve/my run.dem"));
        QCOMPARE(cell(view()->currentIndex().row(), 0), "run2.dem");
        QCOMPARE(cell(view()->currentIndex().row(), 6), "");
        click(ctl("play"));
        QCOMPARE(app->games.starts.at(0).commandLine, game + "/hl.exe +playdemo run2");
        QCOMPARE(app->desktop.textDialogs,
                 QStringList(4, "demos: Rename demo: New name for my run.dem:"));
        // Delete asks first; only the chosen file goes. Escape closes the window.
        qputenv("XDG_DATA_HOME", QByteArray::fromStdString(app->makeFolder("data")));
        select("b.dem");
        app->desktop.answers = {MessageAnswer::No, MessageAnswer::Yes};
        click(ctl("remove"));
        QVERIFY(isFile(game + "/valve/b.dem"));
        click(ctl("remove"));
        QVERIFY(!isFile(game + "/valve/b.dem") && isFile(game + "/valve/bad.dem"));
        QCOMPARE(app->desktop.messages.size(), size_t(2));
        QCOMPARE(app->desktop.messages[0].text, "Move b.dem to the trash?");
        QCOMPARE(rows()->rowCount(), 4);
        QVERIFY(!column(0).contains("b.dem"));
        QTest::keyClick(view(), Qt::Key_Escape);
        app->processDeletes();
        QVERIFY(!app->windows.isLoaded("demos"));
    }
};

QTEST_MAIN(DemoWindowTest)
#include "demo_window_test.moc"
