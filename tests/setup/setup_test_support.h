#pragma once

#include <QAbstractButton>
#include <QtTest>
#include <filesystem>

#include "test_app.h"

namespace skyloom::test {

// Opens a window by its name, as the program does.
template <class T>
T* open(TestApp& app, const char* name) {
    return qobject_cast<T*>(app.windows.show(QString::fromLatin1(name)));
}

inline void click(QAbstractButton* button) {
    QTest::mouseClick(button, Qt::LeftButton);
}

// Puts a folder where the settings file belongs, so that every write to it fails.
inline void makeSettingsUnwritable(TestApp& app) {
    std::filesystem::remove(app.iniPath());
    std::filesystem::create_directory(app.iniPath());
}

inline QColor baseOf(QWidget* w) {
    return w->palette().color(QPalette::Base);
}
inline QColor systemColour(QPalette::ColorRole role) {
    return QApplication::palette().color(role);
}

}  // namespace skyloom::test
