#include "splash/splash_window.h"

#include <QtTest>

#include "test_app.h"

using namespace skyloom;
using namespace skyloom::test;

class SplashWindowTest : public QObject {
    Q_OBJECT
private slots:
    // The splash only before the wizard (firstuse=yes, or no file); closing it waits for its three
    // seconds, a click or a key on it goes on at once; else the main window first.
    void firstWindow_isTheSplashOnlyBeforeTheWizard() {
        const std::tuple<std::string, bool, QString, const char*> cases[] = {
            {"", false, "firstuse1", "key"},
            {"", true, "sp", ""},  // a missing --settings file: the main window opens the setup
            {"[MISC]\nfirstuse=Yes\ntfc=true\n", false, "sp", ""},
            {"[MISC]\nfirstuse=yes\n", true, "firstuse1", "click"},
            {"[MISC]\nfirstuse=yes\n", false, "firstuse1", "tick"},
        };
        for (const auto& [ini, chosen, next, how] : cases) {
            TestApp app;
            app.add<SplashWindow>("splash");
            app.settings = Settings(app.iniPath(), chosen);
            if (!ini.empty()) app.writeIni(ini);
            openFirstWindow(app.context);
            auto* splash = app.windows.find<SplashWindow>("splash");
            QCOMPARE(splash != nullptr, *how != 0);
            if (splash) {
                QVERIFY(!app.windows.isLoaded(next) && splash->timer().interval() == 3000);
                splash->close();
                TestApp::processDeletes();
                QVERIFY(splash->isVisible() && splash->timer().isActive());
                if (how == std::string("key")) QTest::keyClick(splash, Qt::Key_Space);
                if (how == std::string("click")) QTest::mouseClick(splash, Qt::LeftButton);
                if (how == std::string("tick")) splash->moveOn();
            }
            QVERIFY2(app.windows.isLoaded(next) && app.windows.find(next)->isVisible(),
                     ini.c_str());
            TestApp::processDeletes();
            QVERIFY(!app.windows.isLoaded("splash") && !app.ended);
        }
    }
};

QTEST_MAIN(SplashWindowTest)
#include "splash_window_test.moc"
