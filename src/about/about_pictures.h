#pragma once

#include <QPixmap>

namespace skyloom {

// The About window's emblem, drawn by the program itself.
QPixmap aboutPicture();

// The hidden window's 345 x 210 background, reduced to 256 colours.
QPixmap creditsPicture();

}  // namespace skyloom
