// The Internet tab against a fake master on loopback listing 500 or 2,000 fake servers
// (127.0.0.1 + i, Linux routes all of 127/8 to the loopback interface), each answering INFO: from
// the tab's first showing until the progress line says every server answered. The fakes live in
// a child process, so only the window's memory is measured here.
#include <benchmark/benchmark.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QEventLoop>
#include <QLabel>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "connect/connection_tool.h"
#include "fake_a2s_server.h"
#include "fake_desktop.h"
#include "fake_game_starter.h"
#include "process_memory.h"
#include "served_run.h"

namespace {

using skyloom::bench::resetPeak;
using skyloom::bench::statusKb;

constexpr int kMost = 2000;
constexpr quint16 kPort = 47115;
quint16 masterPorts[2];  // listing 500 and 2,000
long idleKb = 0;         // the program before any window: what the peak is measured above

QHostAddress serverAddress(int i) {
    return QHostAddress(0x7F000001u + static_cast<quint32>(i));
}

void InternetTab(benchmark::State& state) {
    const int servers = static_cast<int>(state.range(0));
    const int gapMs = static_cast<int>(state.range(1));
    QTemporaryDir dir;
    skyloom::test::FakeDesktop desktop;  // nothing asks the player anything
    skyloom::test::FakeGameStarter games;
    const skyloom::InstallSearch installs;
    skyloom::WindowRegistry windows([] {});
    const skyloom::Settings settings(dir.path().toStdString() + "/skyloom.ini");
    std::ofstream(settings.filePath())
        << "[SERVERS]\r\nmaster=127.0.0.1:" << masterPorts[servers == kMost] << "\r\n";
    skyloom::ServerNetwork network;
    network.masterPageGapMs = gapMs;
    const skyloom::AppContext context{windows, desktop, games, settings, network, installs};
    const QString done = QStringLiteral("%1 of %1 servers answered")
                             .arg(QLocale(QLocale::English).toString(servers));
    double peakMb = 0;
    for (auto _ : state) {
        resetPeak();
        {
            skyloom::ConnectionTool window(context);
            window.show();
            window.findChild<QTabWidget*>("tabSources")->setCurrentIndex(2);
            QEventLoop loop;
            QTimer poll;
            QObject::connect(&poll, &QTimer::timeout, [&] {
                if (window.findChild<QLabel*>("lblProgress")->text() == done) loop.quit();
            });
            poll.start(10);
            QTimer::singleShot(60000, &loop, &QEventLoop::quit);
            loop.exec();
            state.counters["rows"] =
                window.findChild<QAbstractItemView*>("lstServers")->model()->rowCount();
        }
        peakMb = std::max(peakMb, (statusKb("VmHWM:") - idleKb) / 1024.0);
    }
    state.counters["peak_MB_above_idle"] = peakMb;
}
// A master that answers every page at once, then one that allows a request a second, as real
// ones do: 2,000 servers come in 9 pages of 231, so the list alone takes 8 seconds.
BENCHMARK(InternetTab)
    ->Args({500, 0})
    ->Args({kMost, 0})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
BENCHMARK(InternetTab)
    ->Args({kMost, 1000})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);

// The fakes' side: binds every address and two masters, tells their ports, answers until killed.
[[noreturn]] void serve(int argc, char** argv, int ready) {
    QCoreApplication app(argc, argv);
    std::vector<std::unique_ptr<skyloom::test::FakeA2sServer>> fakes;
    std::vector<QString> listed;
    for (int i = 0; i < kMost; ++i) {
        fakes.push_back(std::make_unique<skyloom::test::FakeA2sServer>(
            skyloom::test::FakeA2sServer::Mode::Plain, serverAddress(i), kPort));
        listed.push_back(fakes.back()->address());
    }
    // A real master's page: as many entries as fit a 1,400-byte datagram.
    skyloom::test::FakeMaster few({listed.begin(), listed.begin() + 500}, 231), all(listed, 231);
    quint16 ports[2] = {few.address().section(':', 1).toUShort(),
                        all.address().section(':', 1).toUShort()};
    if (fakes.back()->port() != kPort) ports[0] = 0;
    (void)::write(ready, ports, sizeof ports);
    QCoreApplication::exec();
    _exit(0);
}

}  // namespace

int main(int argc, char** argv) {
    int pipeFds[2];
    if (::pipe(pipeFds) != 0) return 1;
    const pid_t child = ::fork();
    if (child == 0) serve(argc, argv, pipeFds[1]);
    if (::read(pipeFds[0], masterPorts, sizeof masterPorts) != sizeof masterPorts ||
        masterPorts[0] == 0) {
        std::fprintf(stderr, "could not bind the fake servers on port %d\n", kPort);
        ::kill(child, SIGTERM);
        return 1;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    idleKb = statusKb("VmRSS:");
    return skyloom::bench::runThenStop(argc, argv, child);
}
