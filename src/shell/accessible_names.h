#pragma once

class QComboBox;
class QString;
class QWidget;

namespace skyloom {

// Gives a control a caption a screen reader speaks before its own text: a hidden label that has
// it as its buddy, unless a label beside it already has. For values shown apart from their
// captions, whose own names must stay their values.
void giveCaption(QWidget* control, const QString& caption);

// Gives a combo box the name a screen reader speaks. On Linux Qt speaks a combo box's current
// text as its name and takes what the box is for from a label that has the box as its buddy, so
// a window without such a label beside the box gets a hidden one; an editable box's text field
// is named too.
void nameComboBox(QComboBox* box, const QString& name);

// Makes Tab go through the window's controls as the window is read: rows top to bottom, columns
// left to right within a row, a box's controls together. The windows' controls were made in no
// particular order, and a screen reader follows Tab.
void orderTabsAsRead(QWidget* window);

}  // namespace skyloom
