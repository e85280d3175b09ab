// The Internet tab listing through the Web API from a fake on loopback: a valid answer of 32 MiB
// (20,000 servers, every one on 127/8, so no query leaves the machine) and an answer that never
// ends. Shows the peak memory above the program before any window, and the window's worst
// response: the longest wait of a 10 ms timer on the window's thread, from the tab's first
// showing until the list is in (one second more for the queries it starts).
#include <benchmark/benchmark.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <fstream>
#include <string>

#include "connect/connection_tool.h"
#include "fake_desktop.h"
#include "fake_game_starter.h"
#include "process_memory.h"
#include "served_run.h"

namespace {

using skyloom::bench::resetPeak;
using skyloom::bench::statusKb;

constexpr std::size_t kAnswer = 32 * 1024 * 1024;
constexpr int kServers = 20000;
quint16 apiPort = 0;
long idleKb = 0;  // the program before any window: what the peak is measured above

// A Web API answer of exactly kAnswer bytes: real entries, their names padded out.
std::string validAnswer() {
    const std::string head = R"({"response":{"servers":[)", tail = "]}}";
    std::string body = head;
    const std::size_t each = (kAnswer - head.size() - tail.size()) / kServers;
    for (int i = 0; i < kServers; ++i) {
        std::string entry =
            R"({"addr":"127.0.)" + std::to_string(i / 250) + '.' + std::to_string(i % 250 + 1) +
            R"(:27015","gameport":27015,"players":3,"max_players":16,"map":"2fort","name":")";
        const std::string end = R"("})" + std::string(i + 1 < kServers ? "," : "");
        entry.append(each - entry.size() - end.size(), 'x');
        body += entry + end;
    }
    body.append(kAnswer - body.size() - tail.size(), ' ');
    return body + tail;
}

// The fake's side: answers each request with the valid list, or without end when the request
// asks for "endless".
[[noreturn]] void serve(int ready) {
    const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in at{};
    at.sin_family = AF_INET;
    at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof at;
    ::bind(listener, reinterpret_cast<sockaddr*>(&at), sizeof at);
    ::listen(listener, 4);
    ::getsockname(listener, reinterpret_cast<sockaddr*>(&at), &size);
    const quint16 port = ntohs(at.sin_port);
    const std::string body = validAnswer();
    (void)::write(ready, &port, sizeof port);
    for (;;) {
        const int client = ::accept(listener, nullptr, nullptr);
        if (client < 0) continue;
        char request[4096];
        const ssize_t got = ::read(client, request, sizeof request);
        const bool endless =
            got > 0 && std::string(request, std::size_t(got)).find("endless") != std::string::npos;
        if (endless) {
            const std::string start = "HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n" +
                                      std::string(R"({"response":{"servers":[)");
            std::string chunk;
            while (chunk.size() < 65536) chunk += R"({"addr":"127.0.0.1:1"},)";
            bool ok = ::write(client, start.data(), start.size()) > 0;
            while (ok) ok = ::write(client, chunk.data(), chunk.size()) > 0;  // until it hangs up
        } else {
            const std::string head = "HTTP/1.1 200 OK\r\nConnection: close\r\nContent-Length: " +
                                     std::to_string(body.size()) + "\r\n\r\n";
            std::string out = head + body;
            for (std::size_t sent = 0; sent < out.size();) {
                const ssize_t n = ::write(client, out.data() + sent, out.size() - sent);
                if (n <= 0) break;
                sent += std::size_t(n);
            }
        }
        ::close(client);
    }
}

void WebApiList(benchmark::State& state) {
    const bool endless = state.range(0) == 1;
    QTemporaryDir dir;
    skyloom::test::FakeDesktop desktop;
    skyloom::test::FakeGameStarter games;
    const skyloom::InstallSearch installs;
    skyloom::WindowRegistry windows([] {});
    const skyloom::Settings settings(dir.path().toStdString() + "/skyloom.ini");
    std::ofstream(settings.filePath()) << "[SERVERS]\r\nwebapi=http://127.0.0.1:" << apiPort
                                       << (endless ? "/endless" : "") << "\r\n";
    skyloom::ServerNetwork network;
    network.webApiKey = [](QObject*, std::function<void(const QString&)> done) { done("K3Y"); };
    network.mayReach = [](const QHostAddress& to) { return to.isLoopback(); };
    const skyloom::AppContext context{windows, desktop, games, settings, network, installs};
    double peakMb = 0, worstMs = 0;
    for (auto _ : state) {
        resetPeak();
        {
            skyloom::ConnectionTool window(context);
            window.show();
            QEventLoop loop;
            QElapsedTimer sinceTick;
            QTimer tick;
            bool listed = false;
            QObject::connect(&tick, &QTimer::timeout, [&] {
                worstMs = std::max(worstMs, double(sinceTick.restart()));
                const QString line = window.findChild<QLabel*>("lblProgress")->text();
                if (!listed && (line.contains("20,000 servers") || line.contains("gave no"))) {
                    listed = true;
                    state.SetLabel(line.toStdString());
                    QTimer::singleShot(1000, &loop, &QEventLoop::quit);
                }
            });
            sinceTick.start();
            tick.start(10);
            window.findChild<QTabWidget*>("tabSources")->setCurrentIndex(2);
            QTimer::singleShot(60000, &loop, &QEventLoop::quit);
            loop.exec();
        }
        peakMb = std::max(peakMb, (statusKb("VmHWM:") - idleKb) / 1024.0);
    }
    state.counters["peak_MB_above_idle"] = peakMb;
    state.counters["worst_response_ms"] = worstMs;
}
BENCHMARK(WebApiList)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
    int pipeFds[2];
    if (::pipe(pipeFds) != 0) return 1;
    const pid_t child = ::fork();
    if (child == 0) serve(pipeFds[1]);
    if (::read(pipeFds[0], &apiPort, sizeof apiPort) != sizeof apiPort) return 1;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    idleKb = statusKb("VmRSS:");
    return skyloom::bench::runThenStop(argc, argv, child);
}
