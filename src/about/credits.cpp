#include "about/credits.h"

namespace skyloom {

std::string creditsText() {
    // Contributors go by their nicknames; the addresses are the project's own.
    return "==========================\r\n"
           "Skyloom 2.0 credits\r\n"
           "==========================\r\n"
           "\r\n"
           "CODERS \r\n"
           "\r\n"
           "Heddle\r\n"
           "\r\n"
           "Bobbin\r\n"
           "\r\n"
           "Shuttle\r\n"
           "\r\n"
           "Treadle\r\n"
           "\r\n"
           "\r\n"
           "MISC\r\n"
           "\r\n"
           "Project leader : Warpthread\r\n"
           "English site : Selvage\r\n"
           "French site : Navette\r\n"
           "2D Artist : Spindlewick\r\n"
           "Generic : Loomhound\r\n"
           "\r\n"
           "\r\n"
           "Official sites \r\n"
           "\r\n"
           "http://skyloom.example/\r\n"
           "http://en.skyloom.example/\r\n"
           "http://fr.skyloom.example/\r\n"
           "\r\n"
           "\r\n"
           "==========================\r\n"
           "Found an error ? Need help ?\r\n"
           "Write to bugs@skyloom.example\r\n"
           "==========================\r\n";
}

int nextCreditsTop(int top, int height, int restartTop) {
    top -= kCreditsStepTwips;
    return top < -height ? restartTop : top;
}

int twipsToPixels(int twips) {
    const int pixels = twips / kTwipsPerPixel;
    return twips % kTwipsPerPixel < 0 ? pixels - 1 : pixels;
}

}  // namespace skyloom
