#pragma once

class QWidget;

namespace skyloom {

// The system colours that the windows use as backgrounds of their fields.
enum class SystemColour { WindowBackground, ButtonFace, Menu, ScrollBar };

// Paints the field's background in the colour, enabled or not.
void setBackground(QWidget* field, SystemColour colour);

}  // namespace skyloom
