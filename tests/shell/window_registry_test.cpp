#include "shell/window_registry.h"

#include <QAbstractSpinBox>
#include <QLineEdit>
#include <QtTest>

#include "test_app.h"

using namespace skyloom;

namespace {

class Probe final : public QWidget, public FormLoad {
public:
    void Form_Load() override {
        ++loads;
        visibleAtLoad = isVisible();
    }
    int loads = 0;
    bool visibleAtLoad = false;
};

void processDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace

class WindowRegistryTest : public QObject {
    Q_OBJECT

    int ends = 0;
    int created = 0;
    std::unique_ptr<WindowRegistry> windows;

private slots:
    void init() {
        ends = created = 0;
        windows = std::make_unique<WindowRegistry>([this] { ++ends; });
        for (const char* name : {"a", "b"})
            windows->add(name, [this] { return ++created, new Probe; });
    }
    void cleanup() { windows.reset(); }

    void eachWindowExistsOnceAndLoadsOnce() {
        auto* a = static_cast<Probe*>(windows->show("a"));
        QCOMPARE(a->objectName(), QString("a"));
        QVERIFY(a->isVisible() && a->visibleAtLoad);
        QCOMPARE(windows->show("a"), a);
        auto* b = static_cast<Probe*>(windows->load("b"));
        QVERIFY(!b->isVisible());
        QCOMPARE(windows->show("b"), b);
        QCOMPARE(created, 2);
        QCOMPARE(a->loads + b->loads, 2);
        QVERIFY(windows->show("unknown") == nullptr && !windows->knows("unknown"));
        windows->setEnabled("a", false);
        QVERIFY(!a->isEnabled());
    }

    void handOversNeverEndTheProgram_theLastUnloadDoes() {
        QPointer<QWidget> a = windows->show("a");
        windows->show("b");
        windows->unload("a");
        processDeletes();
        QVERIFY(a.isNull() && ends == 0);
        windows->show("a");
        QCOMPARE(created, 3);  // built anew
        windows->unload("a");
        windows->unload("b");
        QCOMPARE(ends, 1);
        windows->show("a");
        windows->show("b");
        windows->unloadAll();
        QVERIFY(ends == 2 && windows->loadedCount() == 0);
    }

    void hiddenWindowKeepsTheProgramAlive_frameCloseUnloads() {
        windows->show("a");
        windows->setVisible("a", false);
        windows->show("b")->close();
        processDeletes();
        QVERIFY(ends == 0 && windows->isLoaded("a") && !windows->isLoaded("b"));
        windows->setVisible("a", true);
        QVERIFY(windows->find("a")->isVisible());
        windows->find("a")->close();
        processDeletes();
        QCOMPARE(ends, 1);
    }

    // A line break or a tab pasted or set into any text field of any window would end a console
    // command, a line of a file or a game argument: it becomes a blank, CR LF a single one.
    void everyTextFieldOfEveryWindowTurnsControlCharactersIntoBlanks() {
        test::TestApp app;
        app.writeIni("[MISC]\r\ntfc=true\r\n");
        int fields = 0;
        for (const char* name : {"splash", "sp", "DM", "frmAdvanced", "firstuse1", "firstuse2",
                                 "firstuseconfig", "firstusedone", "config", "DirMaps",
                                 "DirMapsTFC", "configtfc", "connect", "frmAbout", "secret"}) {
            QWidget* w = app.windows.load(name);
            QVERIFY2(w, name);
            for (QLineEdit* field : w->findChildren<QLineEdit*>()) {
                if (qobject_cast<QAbstractSpinBox*>(field->parentWidget())) continue;  // digits
                const bool room = field->maxLength() >= 9;  // some fields hold 3 characters
                field->setText(room ? "a\r\nb\nc\rd\te\x1b" : "a\tb");
                QCOMPARE(field->text(), QString(room ? "a b c d e " : "a b"));
                ++fields;
            }
        }
        QVERIFY(fields > 20);
    }
};

QTEST_MAIN(WindowRegistryTest)
#include "window_registry_test.moc"
