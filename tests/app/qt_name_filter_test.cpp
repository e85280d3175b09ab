#include <QtTest>

#include "app/qt_desktop.h"

class QtNameFilterTest : public QObject {
    Q_OBJECT
private slots:
    void barFiltersBecomeQtFilters() {
        using skyloom::qtNameFilter;
        QCOMPARE(qtNameFilter("Half-Life Program (hl.exe) | hl.exe"),
                 QString("Half-Life Program (hl.exe)"));
        QCOMPARE(qtNameFilter("Maps | *.bsp"), QString("Maps (*.bsp)"));
        QCOMPARE(qtNameFilter("All (*)"), QString("All (*)"));
    }
};

QTEST_GUILESS_MAIN(QtNameFilterTest)
#include "qt_name_filter_test.moc"
