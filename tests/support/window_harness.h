#pragma once

#include <QtTest>
#include <QtWidgets>

#include "shell/map_file_list.h"
#include "test_app.h"

namespace skyloom::test {

// The program, the window under test, its controls by object name and the boxes it showed.
class WindowHarness : public QObject {
protected:
    std::unique_ptr<TestApp> app;
    QWidget* w = nullptr;
    template <class T = QAbstractButton>
    T* ctl(const char* name) const {
        T* found = name ? w->findChild<T*>(name) : w->findChild<T*>();
        if (!found) qFatal("no control %s", name ? name : "");
        return found;
    }
    QLineEdit* edit(const char* name) const { return ctl<QLineEdit>(name); }
    QCheckBox* check(const char* name) const { return ctl<QCheckBox>(name); }
    QAction* act(const char* name) const { return ctl<QAction>(name); }
    MapFileList* list() const { return ctl<MapFileList>(nullptr); }
    static void click(QWidget* control) { QTest::mouseClick(control, Qt::LeftButton); }
    // As the mouse sends it: a click, then the second press.
    void doubleClickMap(int row) const {
        QListView* view = list()->view();
        const QPoint at = view->visualRect(view->model()->index(row, 0)).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
    }
    // The only box since the last call: OK alone, this text, title, icon and window (else w's).
    void expectMessage(const QString& text, const QString& title, MessageIcon icon,
                       std::optional<QString> over = {}) {
        const auto shown = std::exchange(app->desktop.messages, {});
        QCOMPARE(shown.size(), size_t(1));
        QVERIFY2(shown[0].text.contains(text), qPrintable(shown[0].text));
        QVERIFY(shown[0].title == title && shown[0].icon == icon &&
                shown[0].buttons == MessageButtons::Ok &&
                shown[0].window == over.value_or(w->objectName()));
    }
};
}  // namespace skyloom::test
