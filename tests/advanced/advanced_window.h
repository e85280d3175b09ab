#pragma once

#include <QStyleOptionSlider>
#include <QtTest>

#include "advanced/advanced_launcher.h"
#include "test_app.h"
#include "ui_advanced_launcher.h"

// What the advanced window's tests share: opening it as the main window's menu does, and
// driving its controls with the mouse.
namespace skyloom::test {

inline const QString kProgram = QStringLiteral("/games/Half Life/hl.exe");

inline AdvancedLauncher* openAdvanced(TestApp& app,
                                      const std::string& ini = "[MISC]\r\ntfc=true\r\n[GAMEDIR]\r\nprogram=" +
                                                               kProgram.toStdString() + "\r\n") {
    app.writeIni(ini);
    return qobject_cast<AdvancedLauncher*>(app.windows.show(QStringLiteral("frmAdvanced")));
}

// Clicks near the left edge: a box or option button takes clicks on its mark and caption only.
inline void click(QWidget* w) {
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(8, w->height() / 2));
}

// Clicks the list's item of this text.
inline void choose(QListWidget* list, const QString& text) {
    const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
    QVERIFY2(found.size() == 1, qPrintable(text));
    list->scrollToItem(found.first());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(found.first()).center());
}

inline QPoint handleCentre(const QSlider* slider) {
    QStyleOptionSlider opt;
    opt.initFrom(slider);
    opt.orientation = slider->orientation();
    opt.minimum = slider->minimum();
    opt.maximum = slider->maximum();
    opt.sliderPosition = slider->sliderPosition();
    opt.sliderValue = slider->value();
    opt.tickPosition = slider->tickPosition();
    opt.tickInterval = slider->tickInterval();
    opt.subControls = QStyle::SC_SliderGroove | QStyle::SC_SliderHandle;
    return slider->style()
        ->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderHandle, slider)
        .center();
}

// Keys reach only the active window.
inline void activate(QWidget* w) {
    QApplication::setActiveWindow(w);
    QVERIFY(QTest::qWaitForWindowActive(w));
}

}  // namespace skyloom::test
