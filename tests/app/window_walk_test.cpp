// Every window on a 1366x768 screen at 1.5 times the default font, then (in a second run of this
// program) at QT_SCALE_FACTOR=2: no text cut, no control over another or outside its window.
#include <QtTest>
#include <QtWidgets>

#include "app/register_windows.h"
#include "test_app.h"

using namespace skyloom;
using namespace skyloom::test;

namespace {

const bool kDoubleScale = qEnvironmentVariableIsSet("QT_SCALE_FACTOR");

// What is wrong with one control, or nothing.
QString flaw(QWidget* control) {
    const QRect inParent = control->geometry();
    QWidget* parent = control->parentWidget();
    // A control in a scrolled area lies inside what it scrolls, not inside the visible part.
    if (!parent->rect().contains(inParent) && !qobject_cast<QScrollArea*>(parent->parentWidget()))
        return QStringLiteral("lies outside %1").arg(parent->objectName());
    for (QWidget* other : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (other != control && other->isVisible() && !other->isWindow() &&
            other->geometry().intersects(inParent) && control < other)
            return QStringLiteral("overlaps %1").arg(other->objectName());
    const QFontMetrics metrics = control->fontMetrics();
    if (auto* label = qobject_cast<QLabel*>(control);
        label && !label->text().isEmpty() && label->pixmap().isNull()) {
        const QSize needed = label->minimumSizeHint();  // the whole text, mnemonics aside
        const bool cut = label->wordWrap()
                             ? label->heightForWidth(label->width()) > label->height()
                             : needed.width() > label->width() || needed.height() > label->height();
        if (cut) return QStringLiteral("cuts its text");
    }
    if (qobject_cast<QAbstractButton*>(control) || qobject_cast<QComboBox*>(control)) {
        const QSize needed = control->minimumSizeHint();
        if (needed.width() > control->width() || needed.height() > control->height())
            return QStringLiteral("cuts its text");
    }
    if (auto* box = qobject_cast<QGroupBox*>(control);
        box && metrics.horizontalAdvance(box->title()) + metrics.height() > box->width())
        return QStringLiteral("cuts its title");
    return {};
}

bool isControl(QWidget* w) {
    return qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w) ||
           qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) ||
           qobject_cast<QAbstractItemView*>(w) || qobject_cast<QGroupBox*>(w) ||
           qobject_cast<QAbstractSlider*>(w) || qobject_cast<QTabWidget*>(w) ||
           qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QTextEdit*>(w);
}

// Controls inside other controls (a combo box's line, a tab bar's buttons) are theirs to place.
bool insideAnotherControl(QWidget* w, QWidget* window) {
    for (QWidget* p = w->parentWidget(); p && p != window; p = p->parentWidget())
        if (isControl(p) && !qobject_cast<QGroupBox*>(p) && !qobject_cast<QTabWidget*>(p))
            return true;
    return false;
}

}  // namespace

class WindowWalkTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestApp> app;

private slots:
    void initTestCase() {
        if (kDoubleScale) return;
        QFont font = QApplication::font();
        font.setPointSizeF(font.pointSizeF() * 1.5);
        QApplication::setFont(font);
    }

    void everyWindow_showsAllItsTextInsideItself_data() {
        QTest::addColumn<QString>("name");
        for (const char* name : {"splash", "sp", "DM", "frmAdvanced", "firstuse1", "firstuse2",
                                 "firstuseconfig", "firstusedone", "config", "DirMaps",
                                 "DirMapsTFC", "configtfc", "connect", "frmAbout", "secret"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }

    void everyWindow_showsAllItsTextInsideItself() {
        QFETCH(QString, name);
        app = std::make_unique<TestApp>();
        registerWindows(app->context);
        const std::string maps = app->makeFolder("valve/maps", {"crossfire.bsp", "datacore.bsp"});
        app->writeIni("[MISC]\ntfc=true\nfirstuse=no\n[GAMEDIR]\nprogram=" + app->folder() +
                      "/hl.exe\nmaps=" + maps + "\nvalve=" + app->folder() +
                      "/valve/\n[SERVERS]\nmaster=127.0.0.1:9\n");  // no name to look up
        QVERIFY(app->windows.knows(name));
        QWidget* window = app->windows.show(name);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QTest::qWait(50);
        const QRect screen = window->screen()->availableGeometry();
        QCOMPARE(screen.size(), kDoubleScale ? QSize(683, 384) : QSize(1366, 768));
        QVERIFY2(screen.contains(window->frameGeometry()), qPrintable(QStringLiteral("%1 is %2x%3")
                                                                          .arg(name)
                                                                          .arg(window->width())
                                                                          .arg(window->height())));
        QStringList flaws;
        // Every page of a tab widget in turn: the controls of the others are hidden.
        const auto tabs = window->findChildren<QTabWidget*>();
        for (int page = 0; page < (tabs.isEmpty() ? 1 : tabs.front()->count()); ++page) {
            if (!tabs.isEmpty()) tabs.front()->setCurrentIndex(page);
            QCoreApplication::processEvents();
            for (QWidget* control : window->findChildren<QWidget*>()) {
                if (!isControl(control) || !control->isVisibleTo(window) ||
                    insideAnotherControl(control, window))
                    continue;
                if (const QString f = flaw(control); !f.isEmpty())
                    flaws << control->objectName() + " " + f;
            }
        }
        if (const QByteArray shots = qgetenv("SKYLOOM_SCREENSHOTS"); !shots.isEmpty())
            window->grab().save(QStringLiteral("%1/%2-%3.png")
                                    .arg(QString::fromLocal8Bit(shots),
                                         kDoubleScale ? "scale200" : "font150", name));
        QVERIFY2(flaws.isEmpty(), qPrintable(name + ": " + flaws.join(", ")));
        app.reset();
    }

    // The same walk at twice the scale: the factor is read only when a program starts.
    void everyWindow_atDoubleScale() {
        if (kDoubleScale) QSKIP("this is the run at double scale");
        QProcess run;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_SCALE_FACTOR", "2");
        run.setProcessEnvironment(environment);
        run.setProcessChannelMode(QProcess::ForwardedChannels);
        run.start(QCoreApplication::applicationFilePath(),
                  {"everyWindow_showsAllItsTextInsideItself"});
        QVERIFY(run.waitForFinished(120000));
        QCOMPARE(run.exitCode(), 0);
    }
};

int main(int argc, char* argv[]) {
    // A 1366x768 screen, the smallest common laptop's.
    const QString screen = QDir::temp().filePath(
        QStringLiteral("skyloom-walk-%1.json").arg(QCoreApplication::applicationPid()));
    QFile file(screen);
    if (!kDoubleScale && file.open(QIODevice::WriteOnly)) {
        file.write(R"({"screens": [{"name": "laptop", "x": 0, "y": 0, "width": 1366,
                   "height": 768, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
        file.close();
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screen.toLocal8Bit());
    }
    QApplication application(argc, argv);
    WindowWalkTest test;
    const int failed = QTest::qExec(&test, argc, argv);
    if (!kDoubleScale) QFile::remove(screen);
    return failed;
}

#include "window_walk_test.moc"
