// Every window, on the screen of laptop_screen.json at 1.5 times the default font or at twice the
// scale: no text cut, no control over another or outside its window, no scroll bar where the window
// could grow instead; outside markup shown as text; fields on one line; Tab in reading order.
#include <QtTest>
#include <QtWidgets>

#include "app/register_windows.h"
#include "map_bytes.h"
#include "test_app.h"

using namespace skyloom;
using namespace skyloom::test;

namespace {
const bool kDoubleScale = qEnvironmentVariableIsSet("QT_SCALE_FACTOR");
const std::string kMark = "<img src=probe.png>";
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
    // A line that may be cut (a command) gives the whole in its tooltip and to a screen reader.
    if (auto* label = qobject_cast<QLabel*>(control);
        label && !label->text().isEmpty() && label->pixmap().isNull() &&
        label->accessibleDescription() != label->text() &&
        (label->wordWrap() ? label->heightForWidth(label->width()) > label->height() : small))
        return QStringLiteral("cuts its text");
    if ((control->inherits("QAbstractButton") || control->inherits("QComboBox")) && small)
        return QStringLiteral("cuts its text");
    const QFontMetrics metrics = control->fontMetrics();
    if (auto* box = qobject_cast<QGroupBox*>(control);
        box && metrics.horizontalAdvance(box->title()) + metrics.height() > box->width())
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
// Whether outside text holding markup shows as text, drawn as a label or a tooltip draws it.
bool showsMarkAsText(const QString& text, Qt::TextFormat format) {
    QLabel shown;
    shown.setTextFormat(format);
    shown.setText(text);
    shown.grab();
    QTextDocument document;
    document.setHtml(text);
    const bool rich =
        format == Qt::RichText || (format == Qt::AutoText && Qt::mightBeRichText(text));
    return (rich ? document.toPlainText() : text).contains(kMark.c_str());
}
}  // namespace
class WindowWalkTest : public QObject {
    Q_OBJECT
    int marked = 0, fields = 0;
private slots:
    void initTestCase() {
        QFont font = QApplication::font();
        font.setPointSizeF(font.pointSizeF() * (kDoubleScale ? 1 : 1.5));
        QApplication::setFont(font);
    }
    void cleanupTestCase() { QVERIFY(marked >= 6 && fields > 20); }
    void everyWindow_showsAllItsTextInside_data() {
        QTest::addColumn<QString>("name");
        for (const char* name : kWindowNames) QTest::newRow(name) << QString::fromLatin1(name);
    }
    // Outside text (settings, a folder's and a map file's name, a map's title, the master) holds
    // markup. A line break or tab in a field becomes a blank. Tab reaches every named control.
    void everyWindow_showsAllItsTextInside() {
        QFETCH(QString, name);
        TestApp app;
        registerWindows(app.context);
        const std::string game = app.makeFolder(kMark + "/valve/maps", {kMark + ".bsp", "a.bsp"});
        writeFile(game + "/titled.bsp",
                  bspBytes("{\n\"classname\" \"worldspawn\"\n\"message\" \"" + kMark + "\"\n}\n"));
        const std::string root = app.folder() + "/" + kMark;
        app.writeIni("[MISC]\r\nfirstuse=no\r\ntfc=true\r\nuser=" + kMark + "\r\ncompany=" + kMark +
                     "\r\n[GAMEDIR]\r\nprogram=" + root + "/hl.exe\r\nmaps=" + game +
                     "\r\ntfcmaps=" + game + "\r\nvalve=" + root + "/valve\r\ndds=" + root +
                     "\r\n[SERVERS]\r\nmaster=" + kMark + "\r\n");
        QWidget* w = app.windows.show(name);
        QVERIFY(QTest::qWaitForWindowExposed(w));
        if (name == "DM") {  // started, so that how friends join shows under the form
            w->findChild<QLineEdit*>("SelMap")->setText("a");
            w->findChild<QLineEdit*>("maxplayersvalue")->setText("8");
            w->findChild<QPushButton*>("Command1")->click();
            QVERIFY(app.games.starts.size() == 1 && w->findChild<QLabel*>("joinHelp"));
        }
        const QRect screen = w->screen()->availableGeometry();
        QCOMPARE(screen.size(), kDoubleScale ? QSize(683, 384) : QSize(1366, 768));
        QVERIFY2(screen.contains(w->frameGeometry()), qPrintable(name + " is too big"));
        QVERIFY(name != "config" || w->maximumWidth() > screen.width());  // widened for paths
        QStringList flaws;
        const auto check = [&](QWidget* c, const QString& text, Qt::TextFormat format) {
            if (!text.contains("probe")) return;
            ++marked;
            if (!showsMarkAsText(text, format)) flaws << c->objectName() + " shows markup";
        };
        // Each page of a tab widget, the first last: the controls of the others are hidden.
        const auto tabs = w->findChildren<QTabWidget*>();
        for (int page = tabs.isEmpty() ? 0 : tabs.front()->count() - 1; page >= 0; --page) {
            if (!tabs.isEmpty()) tabs.front()->setCurrentIndex(page);
            QTest::qWait(200);
            w->grab();
            // A window that could take more of the screen neither scrolls nor cuts a field.
            const QSize room = screen.size() - w->frameGeometry().size() - QSize(16, 48);  // frame
            const bool wider = room.width() > 0 && w->maximumWidth() > w->width();
            const bool taller = room.height() > 0 && w->maximumHeight() > w->height();
            for (QScrollArea* area : w->findChildren<QScrollArea*>())
                if ((wider && area->horizontalScrollBar()->isVisible()) ||
                    (taller && area->verticalScrollBar()->isVisible()))
                    flaws << area->objectName() + " scrolls";
            for (QLineEdit* field : w->findChildren<QLineEdit*>())
                if (wider && field->isVisible() && !field->hasFocus() &&
                    field->fontMetrics().horizontalAdvance(field->text()) + 8 > field->width())
                    flaws << field->objectName() + " cuts its text";
            for (QWidget* c : w->findChildren<QWidget*>()) {
                check(c, c->toolTip(), Qt::AutoText);
                if (auto* label = qobject_cast<QLabel*>(c))
                    check(c, label->text(), label->textFormat());
                if (auto* view = qobject_cast<QAbstractItemView*>(c); view && view->model())
                    for (int row = 0; row < view->model()->rowCount(); ++row)
                        check(c, view->model()->index(row, 0).data(Qt::ToolTipRole).toString(),
                              Qt::AutoText);
                if (!isControl(c) || !c->isVisibleTo(w) || insideAnotherControl(c, w)) continue;
                if (const QString f = flaw(c); !f.isEmpty()) flaws << c->objectName() + " " + f;
            }
        }
        QVERIFY2(flaws.isEmpty(), qPrintable(name + ": " + flaws.join(", ")));
        // A scroll bar only where the window cannot grow on the screen; at its smallest it may
        // scroll up and down, never sideways.
        const auto scrolls = [&](bool atSmallest) {
            for (auto* area : w->findChildren<QScrollArea*>())
                if (area->horizontalScrollBar()->isVisible() ||
                    (!atSmallest && area->verticalScrollBar()->isVisible() &&
                     w->frameGeometry().height() < screen.height() * 3 / 4))
                    return true;
            return false;
        };
        QVERIFY2(!scrolls(false), qPrintable(name + " scrolls with room to grow"));
        // The Deathmatch Maker's groups and buttons are in sight even at twice the scale: only the
        // text of how friends join may scroll.
        for (auto* area : w->findChildren<QScrollArea*>(name == "DM" ? "scrollControls" : "-"))
            for (QWidget* c : area->widget()->findChildren<QWidget*>())
                if ((qobject_cast<QPushButton*>(c) || qobject_cast<QGroupBox*>(c)) &&
                    c->isVisibleTo(w) &&
                    !area->viewport()->rect().contains(
                        QRect(c->mapTo(area->viewport(), QPoint()), c->size())))
                    flaws << c->objectName() + " is out of sight";
        QVERIFY2(flaws.isEmpty(), qPrintable(name + ": " + flaws.join(", ")));
        QApplication::setActiveWindow(w);
        QVERIFY(QTest::qWaitForWindowActive(w));
        for (QLineEdit* field : w->findChildren<QLineEdit*>()) {
            if (qobject_cast<QAbstractSpinBox*>(field->parentWidget())) continue;  // digits
            const bool room = field->maxLength() >= 9;  // some fields hold 3 characters
            field->setText(room ? "a\r\nb\nc\rd\te\x1b" : "a\tb");
            QCOMPARE(field->text(), QString(room ? "a b c d e " : "a b"));
            ++fields;
        }
        const auto what = [&](auto* c) { return name + ": " + (c ? c->objectName() : "none"); };
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
        w->resize(w->minimumSize());
        QTest::qWait(50);
        QVERIFY2(!scrolls(true), qPrintable(name + " scrolls sideways at its smallest"));
    }
};

QTEST_MAIN(WindowWalkTest)
#include "window_walk_test.moc"
