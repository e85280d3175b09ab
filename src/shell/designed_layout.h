#pragma once

class QMainWindow;

namespace skyloom {

// Lets a main window whose form lays out its controls grow and shrink: on a screen too small for
// its smallest size, the window fits the screen and its controls scroll.
void makeResizable(QMainWindow* window);

// Sizes a window made resizable again once its controls grew: it takes the height they need, as
// far as the screen allows, and what no longer fits scrolls.
void refitResizable(QMainWindow* window);

}  // namespace skyloom
