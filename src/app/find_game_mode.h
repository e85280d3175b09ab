#pragma once

namespace skyloom {

// `skyloom --find-game`: prints the installs found on this machine, one a line, or the places
// looked in on standard error. Needs no display. Returns the exit status.
int runFindGame();

}  // namespace skyloom
