#include <QtTest>

#include "app/window_registry.h"

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

void processDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

}  // namespace

class WindowRegistryTest : public QObject {
    Q_OBJECT

    int ends = 0;
    int created = 0;
    std::unique_ptr<WindowRegistry> windows;

private slots:
    void init() {
        ends = 0;
        created = 0;
        windows = std::make_unique<WindowRegistry>([this] { ++ends; });
        for (const char* name : {"a", "b"})
            windows->add(name, [this] {
                ++created;
                return new Probe;
            });
    }
    void cleanup() { windows.reset(); }

    void show_createsEachWindowOnceAndRunsItsLoadOnScreen() {
        QWidget* a = windows->show("a");
        QCOMPARE(a->objectName(), QString("a"));
        QVERIFY(a->isVisible());
        QCOMPARE(windows->show("a"), a);
        QCOMPARE(created, 1);
        auto* probe = static_cast<Probe*>(a);
        QCOMPARE(probe->loads, 1);
        QVERIFY(probe->visibleAtLoad);
        QVERIFY(windows->show("unknown") == nullptr);
        QVERIFY(!windows->knows("unknown"));
    }

    void load_createsWithoutShowing() {
        QWidget* b = windows->load("b");
        QVERIFY(b && !b->isVisible());
        QCOMPARE(static_cast<Probe*>(b)->loads, 1);
        QCOMPARE(windows->show("b"), b);
        QCOMPARE(static_cast<Probe*>(b)->loads, 1);
        QVERIFY(b->isVisible());
    }

    void handOver_neverEndsTheProgram_lastUnloadDoes() {
        windows->show("a");
        windows->show("b");
        windows->unload("a");
        processDeletes();
        QCOMPARE(ends, 0);
        QVERIFY(!windows->isLoaded("a"));
        windows->unload("b");
        QCOMPARE(ends, 1);
        processDeletes();
        QCOMPARE(windows->loadedCount(), 0);
    }

    void unloadedWindowIsBuiltAnew() {
        QPointer<QWidget> first = windows->show("a");
        windows->show("b");
        windows->unload("a");
        processDeletes();
        QVERIFY(first.isNull());
        windows->show("a");
        QCOMPARE(created, 3);
    }

    void hiddenWindowKeepsTheProgramAlive() {
        windows->show("a");
        windows->setVisible("a", false);
        windows->show("b")->close();
        processDeletes();
        QCOMPARE(ends, 0);
        QVERIFY(windows->isLoaded("a"));
        QVERIFY(!windows->isLoaded("b"));
        windows->setVisible("a", true);
        QVERIFY(windows->find("a")->isVisible());
    }

    void closingTheLastWindowByItsFrameEndsTheProgram() {
        windows->show("a")->close();
        processDeletes();
        QCOMPARE(ends, 1);
    }

    void setEnabledActsOnLoadedWindowsOnly() {
        windows->setEnabled("a", false);
        QVERIFY(!windows->isLoaded("a"));
        windows->show("a");
        windows->setEnabled("a", false);
        QVERIFY(!windows->find("a")->isEnabled());
        windows->setEnabled("a", true);
        QVERIFY(windows->find("a")->isEnabled());
    }

    void unloadAllEndsOnce() {
        windows->show("a");
        windows->show("b");
        windows->unloadAll();
        QCOMPARE(ends, 1);
        QCOMPARE(windows->loadedCount(), 0);
    }
};

QTEST_MAIN(WindowRegistryTest)
#include "window_registry_test.moc"
