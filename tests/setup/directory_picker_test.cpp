#include "setup/directory_picker.h"

#include "setup/configuration_window.h"
#include "setup/folder_lists.h"
#include "setup/paths_page.h"
#include "setup/paths_panel.h"
#include "setup_test_support.h"
#include "ui_directory_picker.h"
#include "ui_paths_panel.h"

using namespace skyloom;
using namespace skyloom::test;

namespace {

QTreeWidgetItem* itemNamed(QTreeWidget* list, const QString& name) {
    const auto found = list->findItems(name, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.constFirst();
}

QPoint centreOf(QTreeWidget* list, QTreeWidgetItem* item) {
    return list->visualItemRect(item).center();
}

}  // namespace

class DirectoryPickerTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestApp> app;

    // The wizard's paths page and the configuration window, both open, their fields marked.
    void openBothReceivers() {
        app = std::make_unique<TestApp>();
        app->writeIni("[MISC]\ntfc=true\n");
        app->windows.show("firstuseconfig");
        app->windows.show("config");
        for (const char* window : {"firstuseconfig", "config"})
            for (const char* field : {"txtMaps", "TFCmaps"})
                app->windows.find(window)->findChild<QLineEdit*>(field)->setText("untouched");
    }

    QString field(const char* window, const char* name) {
        return app->windows.find(window)->findChild<QLineEdit*>(name)->text();
    }

    DirectoryPicker* picker(const char* name) { return app->windows.find<DirectoryPicker>(name); }

private slots:
    void cleanup() { app.reset(); }

    void load_startsAtTheRootWithTheRootVolumeFirst() {
        openBothReceivers();
        auto& ui = open<DirectoryPicker>(*app, "configtfc")->ui();
        QCOMPARE(ui.drve->itemText(0), QString("/"));
        QCOMPARE(ui.drve->root(), QString("/"));
        QCOMPARE(ui.rep->folder(), QString("/"));
        QCOMPARE(ui.rep->currentItem()->text(0), QString("/"));
        QCOMPARE(ui.Command1->text(), QString("OK"));
        QVERIFY(ui.Command1->isDefault());
        QCOMPARE(ui.Command2->text(), QString("Cancel"));
        QVERIFY(!ui.drve->accessibleName().isEmpty() && !ui.rep->accessibleName().isEmpty());
    }

    void eachPicker_deliversTheRootToItsReceiver_data() {
        QTest::addColumn<QString>("picker");
        QTest::addColumn<QString>("caption");  // set by the opener; empty keeps the design's
        QTest::addColumn<QString>("designCaption");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("field");
        QTest::newRow("DirMaps from the wizard") << "DirMaps" << kWizardMapsCaption << "Half-Life"
                                                 << "firstuseconfig"
                                                 << "txtMaps";
        QTest::newRow("DirMaps from the configuration") << "DirMaps"
                                                        << "Where are your Half-Life maps ?"
                                                        << "Half-Life"
                                                        << "config"
                                                        << "txtMaps";
        QTest::newRow("DirMaps with its design caption") << "DirMaps"
                                                         << ""
                                                         << "Half-Life"
                                                         << "config"
                                                         << "txtMaps";
        QTest::newRow("DirMaps with a caption almost the wizard's")
            << "DirMaps"
            << "First configuration - maps directory"
            << "Half-Life"
            << "config"
            << "txtMaps";
        QTest::newRow("DirMapsTFC") << "DirMapsTFC"
                                    << "Where are installed your TFC maps ?"
                                    << "Half-Life"
                                    << "config"
                                    << "TFCmaps";
        QTest::newRow("configtfc") << "configtfc"
                                   << ""
                                   << "First configuration - TFC maps directory"
                                   << "firstuseconfig"
                                   << "TFCmaps";
    }
    void eachPicker_deliversTheRootToItsReceiver() {
        QFETCH(QString, picker);
        QFETCH(QString, caption);
        QFETCH(QString, designCaption);
        QFETCH(QString, window);
        QFETCH(QString, field);
        openBothReceivers();
        QWidget* w = app->windows.show(picker);
        QCOMPARE(w->windowTitle(), designCaption);
        if (!caption.isEmpty()) w->setWindowTitle(caption);
        click(qobject_cast<DirectoryPicker*>(w)->ui().Command1);  // OK without moving
        TestApp::processDeletes();

        QVERIFY(!app->windows.isLoaded(picker));
        for (const char* receiver : {"firstuseconfig", "config"})
            for (const char* name : {"txtMaps", "TFCmaps"}) {
                const bool target = window == receiver && field == name;
                QCOMPARE(this->field(receiver, name), target ? QString("/") : QString("untouched"));
            }
    }

    void ok_deliversTheOpenFolderNotTheHighlightedOne() {
        openBothReceivers();
        const QString games = QString::fromStdString(app->makeFolder("games"));
        app->makeFolder("games/valve/maps");
        app->makeFolder("games/tfc");
        auto& ui = open<DirectoryPicker>(*app, "DirMapsTFC")->ui();
        QVERIFY(ui.rep->setFolder(games + "/"));
        QCOMPARE(ui.rep->folder(), games);  // no trailing separator
        QVERIFY(itemNamed(ui.rep, "tfc") && itemNamed(ui.rep, "valve"));

        QTreeWidgetItem* valve = itemNamed(ui.rep, "valve");
        QTest::mouseClick(ui.rep->viewport(), Qt::LeftButton, {}, centreOf(ui.rep, valve));
        QCOMPARE(ui.rep->currentItem(), valve);  // highlighted only
        QCOMPARE(ui.rep->folder(), games);

        QTest::mouseDClick(ui.rep->viewport(), Qt::LeftButton, {}, centreOf(ui.rep, valve));
        QCOMPARE(ui.rep->folder(), games + "/valve");
        QVERIFY(itemNamed(ui.rep, "maps"));
        QVERIFY(!itemNamed(ui.rep, "tfc"));  // the open folder's sisters are not listed

        click(ui.Command1);
        QCOMPARE(field("config", "TFCmaps"), games + "/valve");
    }

    void keyboard_enterOpensTheHighlightedFolderThenConfirms() {
        openBothReceivers();
        const QString games = QString::fromStdString(app->makeFolder("games/valve"));
        auto* p = open<DirectoryPicker>(*app, "configtfc");
        auto& ui = p->ui();
        ui.rep->setFolder(QFileInfo(games).path());
        ui.rep->setFocus();
        ui.rep->setCurrentItem(itemNamed(ui.rep, "valve"));
        QTest::keyClick(ui.rep, Qt::Key_Return);
        QCOMPARE(ui.rep->folder(), games);
        QVERIFY(app->windows.isLoaded("configtfc"));
        QTest::keyClick(ui.rep, Qt::Key_Return);  // on the open folder: the default button
        TestApp::processDeletes();
        QVERIFY(!app->windows.isLoaded("configtfc"));
        QCOMPARE(field("firstuseconfig", "TFCmaps"), games);
    }

    void cancelAndEscape_changeNothing() {
        openBothReceivers();
        click(open<DirectoryPicker>(*app, "DirMapsTFC")->ui().Command2);
        TestApp::processDeletes();
        QVERIFY(!app->windows.isLoaded("DirMapsTFC"));
        QTest::keyClick(open<DirectoryPicker>(*app, "configtfc"), Qt::Key_Escape);
        TestApp::processDeletes();
        QVERIFY(!app->windows.isLoaded("configtfc"));
        QCOMPARE(field("config", "TFCmaps"), QString("untouched"));
        QCOMPARE(field("firstuseconfig", "TFCmaps"), QString("untouched"));
    }

    void ok_afterTheReceiverClosedDeliversNothing() {
        openBothReceivers();
        auto* p = open<DirectoryPicker>(*app, "DirMapsTFC");
        app->windows.unload("config");
        click(p->ui().Command1);
        TestApp::processDeletes();
        QVERIFY(!app->windows.isLoaded("DirMapsTFC"));
        QVERIFY(!app->windows.isLoaded("config"));  // not reopened behind the player's back
        QCOMPARE(app->windows.loadedCount(), 1);
    }

    void unreadableVolume_isReportedAndTheListsStay() {
        openBothReceivers();
        const QString games = QString::fromStdString(app->makeFolder("games"));
        const QString gone = games + "/cdrom";
        auto& ui = open<DirectoryPicker>(*app, "DirMaps")->ui();
        ui.drve->setRoots({"/", games, gone});
        QVERIFY(ui.rep->setFolder(games));
        ui.drve->showRootOf(games);
        QCOMPARE(ui.drve->root(), games);

        ui.drve->setCurrentIndex(2);
        QCOMPARE(app->desktop.messages.size(), size_t(1));
        const auto& m = app->desktop.messages[0];
        QCOMPARE(m.title, "Lecteur " + gone);
        QCOMPARE(m.text, gone + "/ n'est pas accessible.\r\n\r\nLe périphérique n'est pas prêt.");
        QCOMPARE(m.buttons, MessageButtons::Ok);
        QCOMPARE(m.icon, MessageIcon::Critical);
        QCOMPARE(ui.rep->folder(), games);
        QCOMPARE(ui.drve->root(), games);  // back to the volume the folder list shows

        ui.drve->setCurrentIndex(0);  // a readable volume opens at its root
        QCOMPARE(ui.rep->folder(), QString("/"));
        QCOMPARE(app->desktop.messages.size(), size_t(1));
    }
};

QTEST_MAIN(DirectoryPickerTest)
#include "directory_picker_test.moc"
