#pragma once

#include <string>

class QWidget;

namespace skyloom {

// Every text field of the window turns a line break or any other control character it is given
// (pasted, typed or set) into a blank: a line break in a value would end a console command or a
// line of a file it goes into, and a tab would split a game argument.
void keepFieldsOnOneLine(QWidget* window);

// Stored bytes as such a field holds them once they are set in it, in UTF-8: what a window
// would start with them.
std::string asFieldHoldsIt(const std::string& bytes);

}  // namespace skyloom
