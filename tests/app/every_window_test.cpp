// Every window the program registers, walked: fields on one line, Tab in reading order, outside
// markup shown as text.
#include <sys/inotify.h>
#include <unistd.h>

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTextDocument>
#include <QtTest>

#include "app/register_windows.h"
#include "map_bytes.h"
#include "test_app.h"

using namespace skyloom;

namespace {

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

}  // namespace

class EveryWindowTest : public QObject {
    Q_OBJECT

private slots:
    // A line break or tab in a field would end a command, a line or an argument: it becomes a
    // blank. Tab reaches every control in reading order, each with a name that hides no text.
    void everyWindowKeepsFieldsOnOneLineAndReadsInOrder() {
        test::TestApp app;
        registerWindows(app.context);
        app.writeIni("[MISC]\r\ntfc=true\r\n");
        int fields = 0;
        for (const char* name : kWindows) {
            QWidget* w = app.windows.show(name);
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
                QVERIFY2(!test::spokenName(f).isEmpty(), qPrintable(what(f) + " has no name"));
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
            test::TestApp::processDeletes();
        }
        QVERIFY(fields > 20);
    }

    // Outside text (settings values, a folder's and a map file's name, a map's title, the
    // master's address) that holds markup shows as text in every label and tooltip of every
    // window, and the file its markup names is never opened.
    void everyWindowShowsOutsideMarkupAsText() {
        test::TestApp app;
        registerWindows(app.context);
        const QString mark = "<img src=probe.png>";
        const std::string game =
            app.makeFolder(mark.toStdString() + "/valve/maps", {mark.toStdString() + ".bsp"});
        test::writeFile(game + "/titled.bsp",
                        test::bspBytes("{\n\"classname\" \"worldspawn\"\n\"message\" \"" +
                                       mark.toStdString() + "\"\n}\n"));
        const std::string root = app.folder() + "/" + mark.toStdString();
        app.writeIni("[MISC]\nfirstuse=no\ntfc=true\nuser=" + mark.toStdString() +
                     "\ncompany=" + mark.toStdString() + "\n[GAMEDIR]\nprogram=" + root +
                     "/hl.exe\nmaps=" + game + "\ntfcmaps=" + game + "\nvalve=" + root +
                     "/valve\ndds=" + root + "\n[SERVERS]\nmaster=" + mark.toStdString() + "\n");
        const QString probe = QString::fromStdString(app.folder()) + "/probe.png";
        QImage(4, 4, QImage::Format_RGB32).save(probe);
        const QString current = QDir::currentPath();
        QDir::setCurrent(QString::fromStdString(app.folder()));
        const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        ::inotify_add_watch(watch, probe.toUtf8(), IN_OPEN);
        int marked = 0;
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
            QVERIFY2((rich ? document.toPlainText() : text).contains(mark), qPrintable(where));
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
                for (int i = 0; i < tabs->count(); ++i, QTest::qWait(200), walk(w, name))
                    tabs->setCurrentIndex(i);
            app.windows.unloadAll();
            test::TestApp::processDeletes();
        }
        QDir::setCurrent(current);
        inotify_event event{};
        QVERIFY2(::read(watch, &event, sizeof event) < 0, "the markup's file was opened");
        ::close(watch);
        QVERIFY(marked >= 6);
    }
};

QTEST_MAIN(EveryWindowTest)
#include "every_window_test.moc"
