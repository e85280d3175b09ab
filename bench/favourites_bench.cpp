// The favourites tab with 1,000 favourites in the settings, each a fake server on its own port of
// 127.0.0.1: from opening the window until the last of them has answered. The fakes live in a
// child process, so the window's event loop has only its own work.
#include <benchmark/benchmark.h>
#include <signal.h>
#include <unistd.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <memory>
#include <vector>

#include "connect/connection_tool.h"
#include "fake_a2s_server.h"
#include "fake_desktop.h"
#include "fake_game_starter.h"
#include "served_run.h"
#include "servers/server_querier.h"

namespace {

constexpr int kFavourites = 1000;
std::array<quint16, kFavourites> ports;

void FavouritesTab(benchmark::State& state) {
    QTemporaryDir dir;
    skyloom::test::FakeDesktop desktop;
    skyloom::test::FakeGameStarter games;
    const skyloom::InstallSearch installs;
    skyloom::WindowRegistry windows([] {});
    const skyloom::Settings settings(dir.path().toStdString() + "/skyloom.ini");
    {
        std::ofstream out(settings.filePath());
        out << "[SERVERS]\r\n";
        for (int i = 0; i < kFavourites; ++i)
            out << "server" << i + 1 << "=127.0.0.1:" << ports[i] << "\r\n";
    }
    skyloom::ServerNetwork network;
    const skyloom::AppContext context{windows, desktop, games, settings, network, installs};
    int answered = 0, rows = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        skyloom::ConnectionTool window(context);
        window.show();
        QEventLoop loop;
        int told = 0;
        answered = 0;
        QObject::connect(window.findChild<skyloom::ServerQuerier*>(),
                         &skyloom::ServerQuerier::answered, [&](const skyloom::ServerAnswer& a) {
                             answered += a.status == skyloom::ServerAnswer::Status::Answered;
                             if (++told == kFavourites) loop.quit();
                         });
        QTimer::singleShot(60000, &loop, &QEventLoop::quit);
        loop.exec();
        state.SetIterationTime(clock.nsecsElapsed() / 1e9);
        rows = window.findChild<QAbstractItemView*>("lstServers")->model()->rowCount();
    }
    if (answered != kFavourites) state.SkipWithError("not every favourite answered");
    state.counters["answered"] = answered;
    state.counters["rows"] = rows;
}
BENCHMARK(FavouritesTab)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);

// The fakes' side: binds a port for each favourite, tells them, answers until killed.
[[noreturn]] void serve(int argc, char** argv, int ready) {
    QCoreApplication app(argc, argv);
    std::vector<std::unique_ptr<skyloom::test::FakeA2sServer>> fakes;
    for (int i = 0; i < kFavourites; ++i) {
        fakes.push_back(std::make_unique<skyloom::test::FakeA2sServer>(
            skyloom::test::FakeA2sServer::Mode::Plain));
        ports[i] = fakes.back()->port();
    }
    (void)::write(ready, ports.data(), sizeof ports);
    QCoreApplication::exec();
    _exit(0);
}

}  // namespace

int main(int argc, char** argv) {
    int pipeFds[2];
    if (::pipe(pipeFds) != 0) return 1;
    const pid_t child = ::fork();
    if (child == 0) serve(argc, argv, pipeFds[1]);
    if (::read(pipeFds[0], ports.data(), sizeof ports) != sizeof ports ||
        std::find(ports.begin(), ports.end(), 0) != ports.end()) {
        std::fprintf(stderr, "could not bind the fake servers\n");
        ::kill(child, SIGTERM);
        return 1;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return skyloom::bench::runThenStop(argc, argv, child);
}
