#pragma once

class QComboBox;
class QString;

namespace skyloom {

// Gives a combo box the name a screen reader speaks. On Linux Qt speaks a combo box's current
// text as its name and takes what the box is for from a label that has the box as its buddy, so
// a window without such a label beside the box gets a hidden one; an editable box's text field
// is named too.
void nameComboBox(QComboBox* box, const QString& name);

}  // namespace skyloom
