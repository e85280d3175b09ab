#include <QApplication>

#include "app/qt_desktop.h"
#include "app/register_windows.h"
#include "platform/application_folder.h"
#include "platform/process_starter.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Skyloom"));
    // The windows' fixed layouts are drawn for a small dialog font.
    QFont font = QApplication::font();
    font.setPointSizeF(8);
    QApplication::setFont(font);
    // The registry decides when the program ends: a hidden but loaded window keeps it alive.
    QApplication::setQuitOnLastWindowClosed(false);

    skyloom::QtDesktop desktop;
    skyloom::ProcessStarter games;
    const skyloom::Settings settings(skyloom::applicationFolder());
    skyloom::WindowRegistry windows([] { QCoreApplication::quit(); });
    const skyloom::ServerNetwork network = skyloom::systemServerNetwork();
    const skyloom::AppContext context{windows, desktop, games, settings, network};
    skyloom::registerWindows(context);

    windows.show(QStringLiteral("splash"));
    return QApplication::exec();
}
