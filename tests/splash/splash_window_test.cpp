#include "splash/splash_window.h"

#include <QtTest>

#include "test_app.h"

using namespace skyloom;
using namespace skyloom::test;

class SplashWindowTest : public QObject {
    Q_OBJECT

private slots:
    void closeWaitsForTheTimer() {
        TestApp app;
        auto* splash = qobject_cast<SplashWindow*>(app.windows.show("splash"));
        QCOMPARE(splash->timer().interval(), 3000);
        splash->close();
        TestApp::processDeletes();
        QVERIFY(splash->isVisible() && splash->timer().isActive());
    }

    // The wizard for exactly firstuse=yes or no file; a missing --settings file opens the setup.
    void tickOpensTheWizardOnFirstStart() {
        const std::tuple<std::string, bool, QString> cases[] = {
            {"", false, "firstuse1"},
            {"", true, "config"},
            {"[MISC]\nfirstuse=Yes\ntfc=true\n", false, "sp"},
            {"[MISC]\nfirstuse=yes\n", true, "firstuse1"},
        };
        for (const auto& [ini, chosen, next] : cases) {
            TestApp app;
            app.settings = Settings(app.iniPath(), chosen);
            if (!ini.empty()) app.writeIni(ini);
            qobject_cast<SplashWindow*>(app.windows.show("splash"))->Timer1_Timer();
            QVERIFY2(app.windows.isLoaded(next) && app.windows.find(next)->isVisible(),
                     ini.c_str());
            TestApp::processDeletes();
            QVERIFY(!app.windows.isLoaded("splash") && !app.ended);
        }
    }
};

QTEST_MAIN(SplashWindowTest)
#include "splash_window_test.moc"
