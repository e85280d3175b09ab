#pragma once

#include <string>

namespace skyloom {

// Twips are what the credits' positions are kept in; screens get pixels at 15 twips each.
inline constexpr int kTwipsPerPixel = 15;

// How far the credits move up on each tick of the hidden window's timer.
inline constexpr int kCreditsStepTwips = 27;

// The credits of the hidden window, lines ended by carriage return and line feed.
std::string creditsText();

// The credits' top after one tick: 27 twips higher, or back at `restartTop` (the bottom of the
// picture) once the whole text has passed above the top edge, i.e. its top is below minus its
// height. A top exactly at minus the height is still on its way out.
int nextCreditsTop(int top, int height, int restartTop);

// Pixels for drawing, rounded down so that a text above the top edge leaves it smoothly.
int twipsToPixels(int twips);

}  // namespace skyloom
