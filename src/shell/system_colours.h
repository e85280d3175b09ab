#pragma once

class QWidget;

namespace skyloom {

// The system colours that the windows use as backgrounds of their fields.
enum class SystemColour { WindowBackground, ButtonFace, Menu, ScrollBar };

// Paints the field's background in the colour, enabled or not.
void setBackground(QWidget* field, SystemColour colour);

// Sets the widget's font `times` the desktop's size, so a heading follows the desktop's font.
void enlargeFont(QWidget* widget, double times);

}  // namespace skyloom
