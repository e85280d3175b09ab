#pragma once

class QWidget;

namespace skyloom {

// Every text field of the window turns a line break it is given (pasted, typed or set) into a
// blank: a line break in a value would end a console command or a line of a file it goes into.
void keepFieldsOnOneLine(QWidget* window);

}  // namespace skyloom
