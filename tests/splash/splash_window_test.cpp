#include "splash/splash_window.h"

#include <QLabel>
#include <QtTest>

#include "test_app.h"

using namespace skyloom;
using namespace skyloom::test;

class SplashWindowTest : public QObject {
    Q_OBJECT

private slots:
    void opensBorderlessWithItsPictureAndIgnoresThePlayer() {
        TestApp app;
        auto* splash = qobject_cast<SplashWindow*>(app.windows.show("splash"));
        QVERIFY(splash->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(splash->size(), QSize(611, 360));
        QTRY_COMPARE(splash->findChild<QLabel*>("Picture1")->pixmap().size(), QSize(611, 360));
        QCOMPARE(splash->timer().interval(), 3000);
        QTest::mouseClick(splash->findChild<QLabel*>("Picture1"), Qt::LeftButton);
        QTest::keyClick(splash, Qt::Key_Escape);
        splash->close();
        TestApp::processDeletes();
        QVERIFY(splash->isVisible() && splash->timer().isActive());
        QVERIFY(!app.windows.isLoaded("sp"));
    }

    // The wizard for exactly firstuse=yes, or for no file where the program looks by itself.
    void tickOpensTheWizardOnFirstStart_data() {
        QTest::addColumn<QString>("ini");
        QTest::addColumn<bool>("chosen");  // named by --settings
        QTest::addColumn<QString>("next");
        QTest::newRow("no file") << "" << false << "firstuse1";
        QTest::newRow("chosen file missing") << "" << true << "config";  // the main window behind
        QTest::newRow("empty file") << "\n" << false << "config";
        for (const char* v : {"Yes", "YES", "no", "error"})
            QTest::newRow(v) << QString("[MISC]\nfirstuse=%1\ntfc=true\n").arg(v) << false << "sp";
        QTest::newRow("yes") << "[MISC]\nfirstuse=yes\n" << true << "firstuse1";
    }
    void tickOpensTheWizardOnFirstStart() {
        QFETCH(QString, ini);
        QFETCH(bool, chosen);
        QFETCH(QString, next);
        TestApp app;
        app.settings = Settings(app.iniPath(), chosen);
        if (!ini.isEmpty()) app.writeIni(ini.toStdString());
        qobject_cast<SplashWindow*>(app.windows.show("splash"))->Timer1_Timer();
        QVERIFY(app.windows.isLoaded(next) && app.windows.find(next)->isVisible());
        TestApp::processDeletes();
        QVERIFY(!app.windows.isLoaded("splash") && !app.ended);
    }
};

QTEST_MAIN(SplashWindowTest)
#include "splash_window_test.moc"
