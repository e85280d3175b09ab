// The yardsticks for start-up: the least a Qt Widgets program does before its window maps, and
// the same with one line of text, which makes Qt read the font configuration first.
#include <QApplication>
#include <QLineEdit>
#include <QWidget>
#include <cstring>

int main(int argc, char* argv[]) {
    const bool text = argc > 1 && std::strcmp(argv[1], "--text") == 0;
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    QWidget window;
    window.resize(611, 360);
    if (text) (new QLineEdit(QStringLiteral("crossfire"), &window))->move(8, 8);
    window.show();
    return QApplication::exec();
}
