#pragma once

class QWidget;

namespace skyloom {

// Every text field of the window turns a line break or any other control character it is given
// (pasted, typed or set) into a blank: a line break in a value would end a console command or a
// line of a file it goes into, and a tab would split a game argument.
void keepFieldsOnOneLine(QWidget* window);

}  // namespace skyloom
