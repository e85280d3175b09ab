// Every window the program registers, walked on a 1366x768 screen at 1.5 times the default font,
// and (window_walk_double_scale_test) at QT_SCALE_FACTOR=2: no text cut, no control over
// another or outside its window; fields on one line, Tab in reading order, outside markup shown
// as text.
#include <sys/inotify.h>
#include <unistd.h>

#include <QtTest>
#include <QtWidgets>

#include "app/register_windows.h"
#include "map_bytes.h"
#include "test_app.h"

using namespace skyloom;
using namespace skyloom::test;

namespace {
const bool kDoubleScale = qEnvironmentVariableIsSet("QT_SCALE_FACTOR");
const char* const kWindows[] = {
    "splash",         "sp",           "DM",     "frmAdvanced", "firstuse1",  "firstuse2",
    "firstuseconfig", "firstusedone", "config", "DirMaps",     "DirMapsTFC", "configtfc",
    "connect",        "frmAbout",     "secret"};

// Whether `a` is read after `b` (rows top down, then left to right) under their common parent.
bool readAfter(const QWidget* a, const QWidget* b) {
    if (a->isAncestorOf(b) || b->isAncestorOf(a)) return false;
    while (!a->parentWidget()->isAncestorOf(b)) a = a->parentWidget();
    while (!b->parentWidget()->isAncestorOf(a)) b = b->parentWidget();
    const QRect ra = a->geometry(), rb = b->geometry();
    const bool sameRow = ra.top() < rb.bottom() && rb.top() < ra.bottom();
    return sameRow ? ra.left() > rb.left() : ra.top() > rb.top();
}

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
    const QSize needed = control->minimumSizeHint();  // the whole text, mnemonics aside
    const bool small = needed.width() > control->width() || needed.height() > control->height();
    if (auto* label = qobject_cast<QLabel*>(control);
        label && !label->text().isEmpty() && label->pixmap().isNull() &&
        (label->wordWrap() ? label->heightForWidth(label->width()) > label->height() : small))
        return QStringLiteral("cuts its text");
    if ((control->inherits("QAbstractButton") || control->inherits("QComboBox")) && small)
        return QStringLiteral("cuts its text");
    if (auto* box = qobject_cast<QGroupBox*>(control);
        box &&
        control->fontMetrics().horizontalAdvance(box->title()) + control->fontMetrics().height() >
            box->width())
        return QStringLiteral("cuts its title");
    return {};
}

bool isControl(QWidget* w) {
    for (const char* kind :
         {"QLabel", "QAbstractButton", "QLineEdit", "QComboBox", "QAbstractItemView", "QGroupBox",
          "QAbstractSlider", "QTabWidget", "QPlainTextEdit", "QTextEdit"})
        if (w->inherits(kind)) return true;
    return false;
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
private slots:
    void initTestCase() {
        if (kDoubleScale) return;
        QFont font = QApplication::font();
        font.setPointSizeF(font.pointSizeF() * 1.5);
        QApplication::setFont(font);
    }
    void everyWindow_showsAllItsTextInside_data() {
        QTest::addColumn<QString>("name");
        for (const char* name : kWindows) QTest::newRow(name) << QString::fromLatin1(name);
    }
    void everyWindow_showsAllItsTextInside() {
        QFETCH(QString, name);
        TestApp app;
        registerWindows(app.context);
        const std::string maps = app.makeFolder("valve/maps", {"crossfire.bsp", "datacore.bsp"});
        app.writeIni("[MISC]\ntfc=true\nfirstuse=no\n[GAMEDIR]\nprogram=" + app.folder() +
                     "/hl.exe\nmaps=" + maps + "\nvalve=" + app.folder() +
                     "/valve/\n[SERVERS]\nmaster=127.0.0.1:9\n");  // no name to look up
        QVERIFY(app.windows.knows(name));
        QWidget* window = app.windows.show(name);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QTest::qWait(50);
        const QRect screen = window->screen()->availableGeometry();
        QCOMPARE(screen.size(), kDoubleScale ? QSize(683, 384) : QSize(1366, 768));
        QVERIFY2(screen.contains(window->frameGeometry()), qPrintable(name + " is too big"));
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
        QVERIFY2(flaws.isEmpty(), qPrintable(name + ": " + flaws.join(", ")));
    }
    // Outside text (settings values, a folder's and a map file's name, a map's title, the
    // master's address) that holds markup shows as text in every label and tooltip, and the file
    // its markup names is never opened. A line break or tab in a field would end a command, a
    // line or an argument: it becomes a blank. Tab reaches every control in reading order, each
    // with a name that hides no text.
    void everyWindowShowsMarkupAsTextKeepsFieldsOnOneLineAndReadsInOrder() {
        TestApp app;
        registerWindows(app.context);
        const std::string mark = "<img src=probe.png>";
        const std::string game = app.makeFolder(mark + "/valve/maps", {mark + ".bsp"});
        writeFile(game + "/titled.bsp",
                  bspBytes("{\n\"classname\" \"worldspawn\"\n\"message\" \"" + mark + "\"\n}\n"));
        const std::string root = app.folder() + "/" + mark;
        app.writeIni("[MISC]\r\nfirstuse=no\r\ntfc=true\r\nuser=" + mark + "\r\ncompany=" + mark +
                     "\r\n[GAMEDIR]\r\nprogram=" + root + "/hl.exe\r\nmaps=" + game +
                     "\r\ntfcmaps=" + game + "\r\nvalve=" + root + "/valve\r\ndds=" + root +
                     "\r\n[SERVERS]\r\nmaster=" + mark + "\r\n");
        const QString probe = QString::fromStdString(app.folder()) + "/probe.png";
        QImage(4, 4, QImage::Format_RGB32).save(probe);
        const QString current = QDir::currentPath();
        QDir::setCurrent(QString::fromStdString(app.folder()));
        const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        ::inotify_add_watch(watch, probe.toUtf8(), IN_OPEN);
        int marked = 0, fields = 0;
        const auto check = [&](const QString& where, const QString& text, Qt::TextFormat format) {
            if (!text.contains("probe")) return;
            ++marked;
            QLabel shown;  // as a label or a tooltip draws it
            shown.setTextFormat(format);
            shown.setText(text);
            shown.grab();
            const bool rich =
                format == Qt::RichText || (format == Qt::AutoText && Qt::mightBeRichText(text));
            QTextDocument document;
            document.setHtml(text);
            QVERIFY2((rich ? document.toPlainText() : text).contains(mark.c_str()),
                     qPrintable(where));
        };
        const auto walk = [&](QWidget* w, const QString& name) {
            w->grab();
            for (QWidget* c : w->findChildren<QWidget*>()) {
                const QString where = name + ": " + c->objectName();
                check(where + " tooltip", c->toolTip(), Qt::AutoText);
                if (auto* label = qobject_cast<QLabel*>(c))
                    check(where, label->text(), label->textFormat());
                if (auto* view = qobject_cast<QAbstractItemView*>(c); view && view->model())
                    for (int row = 0; row < view->model()->rowCount(); ++row)
                        check(where + " row tooltip",
                              view->model()->index(row, 0).data(Qt::ToolTipRole).toString(),
                              Qt::AutoText);
            }
        };
        for (const char* name : kWindows) {
            QWidget* w = app.windows.show(name);
            walk(w, name);
            for (QTabWidget* tabs : w->findChildren<QTabWidget*>())  // each tab on screen
                for (int i = tabs->count() - 1; i >= 0; --i, QTest::qWait(200), walk(w, name))
                    tabs->setCurrentIndex(i);
            QApplication::setActiveWindow(w);
            QVERIFY(QTest::qWaitForWindowActive(w));
            for (QLineEdit* field : w->findChildren<QLineEdit*>()) {
                if (qobject_cast<QAbstractSpinBox*>(field->parentWidget())) continue;  // digits
                const bool room = field->maxLength() >= 9;  // some fields hold 3 characters
                field->setText(room ? "a\r\nb\nc\rd\te\x1b" : "a\tb");
                QCOMPARE(field->text(), QString(room ? "a b c d e " : "a b"));
                ++fields;
            }
            const auto what = [name](const QWidget* c) {
                return QString(name) + ": " + (c ? c->objectName() : "no control");
            };
            for (QLabel* label : w->findChildren<QLabel*>())
                QVERIFY2(!label->pixmap().isNull() || label->accessibleName().isEmpty(),
                         qPrintable(what(label) + " hides its text"));
            QList<QWidget*> reached;
            if (!QApplication::focusWidget()) QTest::keyClick(w, Qt::Key_Tab);
            for (QWidget* f = QApplication::focusWidget(); f && !reached.contains(f);
                 f = QApplication::focusWidget()) {
                QVERIFY2(!spokenName(f).isEmpty(), qPrintable(what(f) + " has no name"));
                reached << f;
                QTest::keyClick(f, Qt::Key_Tab);
            }
            if (QWidget* f = QApplication::focusWidget(); f != reached.value(0))
                QFAIL(qPrintable(what(f) + " keeps Tab"));  // else the circle closes
            QStringList backwards;  // around the circle only once: from the last to the first
            for (qsizetype i = 0, n = reached.size(); i < n; ++i)
                if (readAfter(reached[i], reached[(i + 1) % n]))
                    backwards << what(reached[(i + 1) % n]) + " after " + reached[i]->objectName();
            QVERIFY2(backwards.size() <= 1, qPrintable(backwards.join("; ")));
            for (QWidget* c : w->findChildren<QWidget*>())
                if ((c->focusPolicy() & Qt::TabFocus) && c->isVisibleTo(w) && c->isEnabled() &&
                    !c->focusProxy())
                    QVERIFY2(reached.contains(c), qPrintable(what(c) + " is out of Tab's reach"));
            app.windows.unloadAll();
            TestApp::processDeletes();
        }
        QDir::setCurrent(current);
        inotify_event event{};
        QVERIFY2(::read(watch, &event, sizeof event) < 0, "the markup's file was opened");
        ::close(watch);
        QVERIFY(marked >= 6 && fields > 20);
    }
};

int main(int argc, char* argv[]) {
    // A 1366x768 screen, the smallest common laptop's.
    QTemporaryFile screen;
    if (screen.open()) {
        screen.write(R"({"screens": [{"name": "laptop", "x": 0, "y": 0, "width": 1366,
                     "height": 768, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
        screen.flush();
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screen.fileName().toLocal8Bit());
    }
    QApplication application(argc, argv);
    WindowWalkTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "window_walk_test.moc"
