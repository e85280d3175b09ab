#include "shell/window_registry.h"

#include <QtTest>
#include <QtWidgets>

#include "shell/start_status.h"
#include "test_app.h"

using namespace skyloom;

namespace {
struct Probe final : QWidget, LoadOnShow {
    void loadOnShow() override {
        ++loads;
        visibleAtLoad = isVisible();
    }
    int loads = 0;
    bool visibleAtLoad = false;
};
}  // namespace

class WindowRegistryTest : public QObject {
    Q_OBJECT
private slots:
    // Each window exists once and loads once, on screen when shown. A hand-over never ends the
    // program, nor a hidden window; the last unload or frame close does.
    void eachWindowOnce_onlyTheLastWindowGoneEndsTheProgram_startsShowAsText() {
        int ends = 0, created = 0;
        WindowRegistry windows([&] { ++ends; });
        for (const char* name : {"a", "b"})
            windows.add(name, [&] {
                ++created;
                return new Probe;
            });
        auto* a = static_cast<Probe*>(windows.show("a"));
        QVERIFY(a->isVisible() && a->visibleAtLoad);
        QCOMPARE(windows.show("a"), a);
        auto* b = static_cast<Probe*>(windows.load("b"));
        QVERIFY(!b->isVisible());
        QCOMPARE(windows.show("b"), b);
        QVERIFY(created == 2 && a->loads + b->loads == 2);
        QPointer<QWidget> gone = a;
        windows.unload("a");
        test::TestApp::processDeletes();
        QVERIFY(gone.isNull() && ends == 0);
        QVERIFY(windows.show("a") && created == 3);  // built anew
        windows.unload("a");
        windows.unload("b");
        QCOMPARE(ends, 1);
        windows.show("a");
        windows.setVisible("a", false);
        windows.show("b")->close();
        test::TestApp::processDeletes();
        QVERIFY(ends == 1 && windows.isLoaded("a") && !windows.isLoaded("b"));
        windows.find("a")->close();
        test::TestApp::processDeletes();
        QCOMPARE(ends, 2);
        // A started command shows on the status line as text, whatever markup, line breaks or
        // direction overrides it holds, its secret masked by its place, not by what precedes it.
        test::TestApp app;
        app.writeIni("[GAMEDIR]\nprogram=/g/<img src=x.png>/hl\u202E.exe\n");
        QMainWindow window;
        StartStatusLine* line = addStartStatusLine(&window);
        app.games.result.output = "To /s/\u202Egame.log\r.";  // one line each, drawn as they read
        StartRequest request;
        request.start.arguments = {"+map", "<b>", "+password", "+password", "<i>"};
        request.start.secret = {3};
        QVERIFY(startGame(app.context, &window, line, request));
        QCOMPARE(line->text(),
                 "Started: \"/g/<img src=x.png>/hl.exe\" +map <b> +password ******** "
                 "<i>\nTo /s/game.log .");
        QLabel plain(line->text());
        plain.setTextFormat(Qt::PlainText);
        QCOMPARE(line->sizeHint().width(), plain.sizeHint().width());
    }
};

QTEST_MAIN(WindowRegistryTest)
#include "window_registry_test.moc"
