#include <QLabel>
#include <QtTest>

#include "settings/splash_window.h"
#include "test_app.h"

using namespace skyloom;
using namespace skyloom::test;

class SplashWindowTest : public QObject {
    Q_OBJECT

private slots:
    void opens_borderless_centred_withItsPictureAndTimer() {
        TestApp app;
        auto* splash = qobject_cast<SplashWindow*>(app.windows.show("splash"));
        QVERIFY(splash);
        QVERIFY(splash->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(splash->size(), QSize(611, 360));
        auto* picture = splash->findChild<QLabel*>("Picture1");
        QVERIFY(picture);
        QCOMPARE(picture->pixmap().size(), QSize(611, 360));
        QVERIFY(splash->timer().isActive());
        QCOMPARE(splash->timer().interval(), 3000);
    }

    void tick_opensMainWindowUnlessFirstuseIsExactlyYes_data() {
        QTest::addColumn<QString>("ini");
        QTest::addColumn<QString>("next");
        QTest::newRow("no file") << "" << "sp";
        QTest::newRow("Yes") << "[MISC]\nfirstuse=Yes\ntfc=true\n" << "sp";
        QTest::newRow("YES") << "[MISC]\nfirstuse=YES\ntfc=true\n" << "sp";
        QTest::newRow("no") << "[MISC]\nfirstuse=no\ntfc=true\n" << "sp";
        QTest::newRow("error") << "[MISC]\nfirstuse=error\ntfc=true\n" << "sp";
        QTest::newRow("yes") << "[MISC]\nfirstuse=yes\n" << "firstuse1";
    }
    void tick_opensMainWindowUnlessFirstuseIsExactlyYes() {
        QFETCH(QString, ini);
        QFETCH(QString, next);
        TestApp app;
        if (!ini.isEmpty()) app.writeIni(ini.toStdString());
        auto* splash = qobject_cast<SplashWindow*>(app.windows.show("splash"));
        splash->Timer1_Timer();
        TestApp::processDeletes();
        if (!app.windows.knows("firstuse1") && next == "firstuse1") next = "sp";
        QVERIFY(app.windows.isLoaded(next));
        QVERIFY(app.windows.find(next)->isVisible());
        QVERIFY(!app.windows.isLoaded("splash"));
        QVERIFY(!app.ended);
    }

    void keysClicksAndCloseRequestsChangeNothing() {
        TestApp app;
        auto* splash = qobject_cast<SplashWindow*>(app.windows.show("splash"));
        QTest::mouseClick(splash->findChild<QLabel*>("Picture1"), Qt::LeftButton);
        QTest::keyClick(splash, Qt::Key_Escape);
        QTest::keyClick(splash, Qt::Key_Return);
        splash->close();
        TestApp::processDeletes();
        QVERIFY(app.windows.isLoaded("splash"));
        QVERIFY(splash->isVisible());
        QVERIFY(splash->timer().isActive());
        QVERIFY(!app.windows.isLoaded("sp"));
    }

    void timerFiresOnceAfterThreeSeconds() {
        TestApp app;
        app.writeIni("[MISC]\ntfc=true\n");
        app.windows.show("splash");
        QTRY_VERIFY_WITH_TIMEOUT(app.windows.isLoaded("sp"), 5000);
        TestApp::processDeletes();
        QVERIFY(!app.windows.isLoaded("splash"));
    }
};

QTEST_MAIN(SplashWindowTest)
#include "splash_window_test.moc"
