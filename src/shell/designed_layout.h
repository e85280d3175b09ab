#pragma once

class QMainWindow;
class QWidget;

namespace skyloom {

// Lays out the controls of `container` and of the boxes and tab pages in it as they were drawn:
// controls that begin at the same column or row, within a few pixels, share it, and each spans
// the columns and rows its drawn rectangle covers. The sizes then come from the desktop's font,
// and the lists and text fields take what the window gains when it grows.
void layOutAsDrawn(QWidget* container);

// Sets the widget's font `times` the desktop's size, so a heading follows the desktop's font.
void enlargeFont(QWidget* widget, double times);

// Makes a window drawn at a fixed size resizable: its controls laid out as drawn, its smallest
// size the one that shows them all. On a screen too small for that, the window fits the screen
// and its controls scroll.
void makeResizable(QMainWindow* window);

}  // namespace skyloom
