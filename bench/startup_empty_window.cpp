// The yardstick for start-up: the least a Qt Widgets program does before its window maps.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.resize(611, 360);
    window.show();
    return QApplication::exec();
}
