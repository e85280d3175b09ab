#pragma once

class QMainWindow;

namespace skyloom {

// Lets a main window whose form lays out its controls grow and shrink: on a screen too small for
// its smallest size, the window fits the screen and its controls scroll.
void makeResizable(QMainWindow* window);

}  // namespace skyloom
