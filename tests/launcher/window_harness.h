#pragma once

#include <QtTest>
#include <QtWidgets>

#include "test_app.h"

namespace skyloom::test {

// What the window tests share: the program, the window under test, its controls by object name
// and the message boxes it showed.
class WindowHarness : public QObject {
protected:
    std::unique_ptr<TestApp> app;
    QWidget* w = nullptr;

    template <class T = QAbstractButton>
    T* ctl(const char* name) const {
        T* found = w->findChild<T*>(name);
        if (!found) qFatal("no control %s", name);
        return found;
    }
    static void click(QWidget* control) { QTest::mouseClick(control, Qt::LeftButton); }
    static QColor base(QWidget* w) { return w->palette().color(QPalette::Base); }
    static QColor system(QPalette::ColorRole role) { return qApp->palette().color(role); }
    // The only box since the last call: OK alone, holding this text, with this title and icon.
    void expectMessage(const QString& text, const QString& title, MessageIcon icon) {
        const auto shown = std::exchange(app->desktop.messages, {});
        QCOMPARE(shown.size(), size_t(1));
        QVERIFY2(shown[0].text.contains(text), qPrintable(shown[0].text));
        QCOMPARE(shown[0].title, title);
        QVERIFY(shown[0].icon == icon && shown[0].buttons == MessageButtons::Ok);
    }
};

}  // namespace skyloom::test
