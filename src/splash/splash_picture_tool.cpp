// Draws the splash picture into a PNG at build time: the splash then shows it without loading
// the fonts its text needs, which the first window would otherwise pay for in memory.
#include <QGuiApplication>
#include <QPixmap>

#include "splash/splash_window.h"

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    if (argc != 2) return 2;
    return skyloom::splashPicture().save(QString::fromLocal8Bit(argv[1]), "PNG") ? 0 : 1;
}
