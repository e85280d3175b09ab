#include "shell/system_colours.h"

#include <QApplication>
#include <QPalette>
#include <QWidget>

namespace skyloom {

void setBackground(QWidget* field, SystemColour colour) {
    const QPalette system = QApplication::palette();
    QColor c;
    switch (colour) {
        case SystemColour::WindowBackground:
            c = system.color(QPalette::Active, QPalette::Base);
            break;
        case SystemColour::ButtonFace:
            c = system.color(QPalette::Active, QPalette::Button);
            break;
        case SystemColour::Menu:
            c = system.color(QPalette::Active, QPalette::Window);
            break;
        case SystemColour::ScrollBar:
            c = system.color(QPalette::Active, QPalette::Mid);
            break;
    }
    QPalette p = field->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        p.setColor(group, QPalette::Base, c);
    field->setPalette(p);
}

void enlargeFont(QWidget* widget, double times) {
    QFont font = widget->font();
    font.setPointSizeF(QApplication::font().pointSizeF() * times);
    widget->setFont(font);
}

}  // namespace skyloom
