#include "deathmatch_test_app.h"
#include "launcher/main_window.h"
#include "ui_main_window.h"

using namespace skyloom;
using namespace skyloom::test;

namespace {

// Shortcuts reach only the active window.
void activate(QWidget* w) {
    QApplication::setActiveWindow(w);
    QVERIFY(QTest::qWaitForWindowActive(w));
}

QColor baseOf(QWidget* w) {
    return w->palette().color(QPalette::Base);
}
QColor system(QPalette::ColorRole role) {
    return QApplication::palette().color(role);
}

struct Box {
    QCheckBox* box;
    const char* caption;
    const char* tooltip;
};

std::vector<Box> optionBoxes(Ui::DeathmatchMaker& ui) {
    return {
        {ui.sv_cheats, "Allow cheats", "Allow cheats during the Deathmatches games"},
        {ui.dl, "Allow downloading", "Users can download maps, skins, models, sounds, etc ..."},
        {ui.mp_flashlight, "Allow flashlight", "The flashlight is allowed"},
        {ui.ul, "Allow uploading", "Users can upload maps, skins, models, sounds, etc ..."},
        {ui.mp_autocrosshair, "Disable auto crosshair", "Turns off Multi-player autoaiming"},
        {ui.mp_forcerespawn, "Force respawn", "Are players forcd to respawn after dying?"},
        {ui.chase_active, "Chase view", "Enable chase view"},
        {ui.mp_friendlyfire, "Friendly fire", "Teammates cannot hurt each other during team play "},
        {ui.falldamage, "Disable fall damages", "Wether or not players take damage they falling"},
        {ui.mp_footsteps, "Foot steps sound", "Do players footsteps make sound ? "},
        {ui.mp_weaponstay, "Weapons stay",
         "Determines wether or not weapons stay or not after you've dying"},
        {ui.cl_download_ingame, "Disable download during game", ""},
    };
}

struct Field {
    QLineEdit* field;
    const char* text;
    int maxLength;
    const char* tooltip;
    QLabel* label;
    const char* caption;
};

std::vector<Field> fields(Ui::DeathmatchMaker& ui) {
    const int none = QLineEdit().maxLength();
    return {
        {ui.maxplayersvalue, "32", 3, "", ui.maxplayers, "Max. players : "},
        {ui.partyname, "My party - Skyloom", none, "", ui.Label1, "Party name : "},
        {ui.sv_gravityvalue, "800", 4, "Set the gravity (default : 800)", ui.sv_gravity,
         "Gravity : "},
        {ui.maxspectatorsvalue, "0", 4, "Set maximum number of spectators", ui.sv_maxspectators,
         "Max spectators : "},
        {ui.fraglimitvalue, "0", 4, "Set the frag limit. Type \"0\" for no frag limit",
         ui.fraglimit, "Frag limit : "},
        {ui.timelimitvalue, "0", 4, "Set the time limit. Type \"0\" for no time limit",
         ui.timelimit, "Time limit :"},
        {ui.maxpingvalue, "500", 4, "", ui.maxping, "Max. ping : "},
    };
}

}  // namespace

class DeathmatchMakerTest : public QObject {
    Q_OBJECT

    std::unique_ptr<DeathmatchApp> dm;

    DeathmatchMaker* open() {
        dm = std::make_unique<DeathmatchApp>();
        return dm->open();
    }

    void expectInitialState(DeathmatchMaker* w) {
        auto& ui = w->ui();
        QCOMPARE(w->windowTitle(), QString("Half-Life Deathmatch Maker"));
        QCOMPARE(w->objectName(), QString("DM"));
        QCOMPARE(ui.opt->title(), QString("Options"));
        QCOMPARE(ui.Frame1->title(), QString("First map selection"));
        QCOMPARE(ui.param->title(), QString("Additionals parameters"));
        for (const Box& b : optionBoxes(ui)) {
            QVERIFY2(!b.box->isChecked(), b.caption);
            QCOMPARE(b.box->text(), QString(b.caption));
            QCOMPARE(b.box->toolTip(), QString(b.tooltip));
        }
        for (const Field& f : fields(ui)) {
            QCOMPARE(f.field->text(), QString(f.text));
            QCOMPARE(f.field->maxLength(), f.maxLength);
            QCOMPARE(f.field->toolTip(), QString(f.tooltip));
            QCOMPARE(f.label->text(), QString(f.caption));
            QCOMPARE(f.label->buddy(), static_cast<QWidget*>(f.field));
            QVERIFY(f.field->isEnabled());
        }
        QCOMPARE(ui.password->text(), QString("Password :"));
        QVERIFY(!ui.password->isChecked());
        QCOMPARE(ui.passwordvalue->text(), QString());
        QCOMPARE(ui.passwordvalue->maxLength(), 8);
        QCOMPARE(ui.passwordvalue->echoMode(), QLineEdit::Normal);
        QVERIFY(!ui.passwordvalue->isEnabled());
        QCOMPARE(baseOf(ui.passwordvalue), system(QPalette::Mid));
        QCOMPARE(ui.Label2->text(), QString("Select here the first map you want to launch. Then "
                                            "exec \"skyloom.cfg\" in the console."));
        QCOMPARE(ui.cmdMapSel->text(), QString("Select this map"));
        QCOMPARE(ui.SelMap->text(), QString());
        QVERIFY(!ui.SelMap->isReadOnly());
        QCOMPARE(ui.maps->fileNames(), QStringList({"Arena.BSP", "crossfire.bsp"}));
        QCOMPARE(ui.cmdHelp->text(), QString("Help"));
        QCOMPARE(ui.save->text(), QString("Save "));
        QCOMPARE(ui.save->toolTip(), QString("Save to \"skyloom.cfg\""));
        QCOMPARE(ui.Command1->text(), QString("Save and Launch"));
        QCOMPARE(ui.Command1->toolTip(), QString("Save to \"skyloom.cfg\" and launch Half-Life"));
    }

private slots:
    void cleanup() { dm.reset(); }

    void load_showsInitialState() {
        auto* w = open();
        expectInitialState(w);
        auto& ui = w->ui();
        QCOMPARE(ui.mnuFile->title(), QString("&File"));
        QCOMPARE(ui.mnuFile->actions(), QList<QAction*>({ui.mnuFileitmSkyloom}));
        QCOMPARE(ui.mnuFileitmSkyloom->text(), QString("&Skyloom"));
        QCOMPARE(ui.mnuFileitmSkyloom->shortcut(), QKeySequence("Ctrl+H"));
        QVERIFY(dm->messages().empty());
    }

    void load_withoutMapFolder_listsNothingSilently_data() {
        QTest::addColumn<QString>("maps");
        QTest::newRow("missing folder") << "maps=/no/such/folder\r\n";
        QTest::newRow("no maps key") << "";
    }
    void load_withoutMapFolder_listsNothingSilently() {
        QFETCH(QString, maps);
        dm = std::make_unique<DeathmatchApp>();
        // A folder named like the missing-value text must not stand in for the map folder.
        dm->app->makeFolder("error", {"trap.bsp"});
        const QString previous = QDir::currentPath();
        QDir::setCurrent(QString::fromStdString(dm->app->folder()));
        const auto restore = qScopeGuard([&] { QDir::setCurrent(previous); });
        auto* w = dm->open("[GAMEDIR]\r\n" + maps.toStdString());
        QVERIFY(w->ui().maps->fileNames().isEmpty());
        QVERIFY(dm->messages().empty());
        QVERIFY(w->isVisible());
    }

    void password_enablesAndRecoloursKeepingText() {
        auto& ui = open()->ui();
        QTest::mouseClick(ui.password, Qt::LeftButton);
        QVERIFY(ui.passwordvalue->isEnabled());
        QCOMPARE(baseOf(ui.passwordvalue), system(QPalette::Base));
        QTest::keyClicks(ui.passwordvalue, "frag it");
        QTest::mouseClick(ui.password, Qt::LeftButton);
        QVERIFY(!ui.passwordvalue->isEnabled());
        QCOMPARE(baseOf(ui.passwordvalue), system(QPalette::Mid));
        QCOMPARE(ui.passwordvalue->text(), QString("frag it"));  // shown in clear, kept
        QTest::keyClick(ui.password, Qt::Key_Space);
        QVERIFY(ui.passwordvalue->isEnabled());
        QCOMPARE(ui.passwordvalue->text(), QString("frag it"));
    }

    void cmdMapSel_takesSelectedMapWithoutExtension() {
        auto& ui = open()->ui();
        ui.maps->selectFileName("Arena.BSP");
        QCOMPARE(ui.SelMap->text(), QString());  // selecting alone changes nothing
        QTest::mouseClick(ui.cmdMapSel, Qt::LeftButton);
        QCOMPARE(ui.Frame1->title(), QString("First map selection (Arena.BSP)"));
        QCOMPARE(ui.SelMap->text(), QString("Arena"));

        ui.SelMap->selectAll();
        QTest::keyClicks(ui.SelMap, "stalkyard");  // the player may type any name
        QCOMPARE(ui.SelMap->text(), QString("stalkyard"));

        ui.maps->clearSelection();
        QTest::mouseClick(ui.cmdMapSel, Qt::LeftButton);
        QCOMPARE(ui.Frame1->title(), QString("First map selection ()"));
        QCOMPARE(ui.SelMap->text(), QString("stalkyard"));
    }

    void cmdHelp_explainsTheServerFile() {
        auto& ui = open()->ui();
        QTest::mouseClick(ui.cmdHelp, Qt::LeftButton);
        QCOMPARE(dm->messages().size(), size_t(1));
        const auto& m = dm->messages()[0];
        QCOMPARE(m.text, QString("The Half-Life Deathmatch Maker allow you to configure your "
                                 "server. When you click on save, the skyloom.cfg file is created "
                                 "in your Valve directory. To use it, launch a server, then type "
                                 "exec skyloom.cfg in the console."));
        QCOMPARE(m.title, QString("Help"));
        QCOMPARE(m.buttons, MessageButtons::Ok);
        QCOMPARE(m.icon, MessageIcon::Information);
    }

    void inputs_haveAccessibleNames() {
        auto& ui = open()->ui();
        for (QWidget* c : std::initializer_list<QWidget*>{ui.maps, ui.SelMap, ui.passwordvalue})
            QVERIFY2(!c->accessibleName().isEmpty(), qPrintable(c->objectName()));
    }

    void tabOrder_walksEachGroupThenTheButtons() {
        auto* w = open();
        auto& ui = w->ui();
        // clang-format off
        const std::vector<QWidget*> expected = {
            ui.sv_cheats, ui.dl, ui.mp_flashlight, ui.ul, ui.mp_autocrosshair, ui.mp_forcerespawn,
            ui.chase_active, ui.maxplayersvalue, ui.partyname, ui.mp_friendlyfire, ui.falldamage,
            ui.mp_footsteps, ui.mp_weaponstay, ui.cl_download_ingame,
            ui.maps, ui.cmdMapSel, ui.SelMap,
            ui.sv_gravityvalue, ui.maxspectatorsvalue, ui.fraglimitvalue, ui.timelimitvalue,
            ui.maxpingvalue, ui.password,  // the password field is skipped while disabled
            ui.cmdHelp, ui.save, ui.Command1,
        };
        // clang-format on
        std::vector<QWidget*> order;
        QWidget* next = ui.sv_cheats;
        do {
            if (next->isEnabled() && (next->focusPolicy() & Qt::TabFocus)) order.push_back(next);
            next = next->nextInFocusChain();
        } while (next != ui.sv_cheats && order.size() <= expected.size());
        QCOMPARE(order, expected);
    }

    void mainWindowMenu_opensDeathmatchMakerInItsPlace() {
        dm = std::make_unique<DeathmatchApp>();
        dm->app->writeIni(dm->configuredIni());
        auto* sp = qobject_cast<MainWindow*>(dm->app->windows.show("sp"));
        activate(sp);
        QTest::keyClick(sp, Qt::Key_D, Qt::ControlModifier);
        TestApp::processDeletes();
        QVERIFY(!dm->app->windows.isLoaded("sp"));
        auto* w = dm->app->windows.find<DeathmatchMaker>("DM");
        QVERIFY(w && w->isVisible());
        QVERIFY(!dm->app->ended);
    }

    void menuSkyloom_returnsToMainWindowAndReopensFresh() {
        auto* w = open();
        auto& ui = w->ui();
        QTest::mouseClick(ui.sv_cheats, Qt::LeftButton);
        QTest::mouseClick(ui.password, Qt::LeftButton);
        QTest::keyClicks(ui.passwordvalue, "secret");
        ui.partyname->setText("Other party");
        ui.maps->selectFileName("crossfire.bsp");
        QTest::mouseClick(ui.cmdMapSel, Qt::LeftButton);

        activate(w);
        ui.partyname->setFocus();  // the shortcut works from inside a field too
        QTest::keyClick(ui.partyname, Qt::Key_H, Qt::ControlModifier);
        TestApp::processDeletes();
        QVERIFY(!dm->app->windows.isLoaded("DM"));
        QVERIFY(dm->app->windows.find("sp")->isVisible());
        QVERIFY(!dm->app->ended);

        expectInitialState(qobject_cast<DeathmatchMaker*>(dm->app->windows.show("DM")));
    }

    void closeBox_endsTheProgram() {
        auto* w = open();
        w->close();
        TestApp::processDeletes();
        QVERIFY(dm->app->ended);
    }
};

QTEST_MAIN(DeathmatchMakerTest)
#include "deathmatch_maker_test.moc"
