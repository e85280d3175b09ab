#include "shell/window_registry.h"

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
    }

    void handOversNeverEndTheProgram_theLastUnloadDoes() {
        QPointer<QWidget> a = windows->show("a");
        windows->show("b");
        windows->unload("a");
        test::TestApp::processDeletes();
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
        test::TestApp::processDeletes();
        QVERIFY(ends == 0 && windows->isLoaded("a") && !windows->isLoaded("b"));
        windows->find("a")->close();
        test::TestApp::processDeletes();
        QCOMPARE(ends, 1);
    }
};

QTEST_MAIN(WindowRegistryTest)
#include "window_registry_test.moc"
