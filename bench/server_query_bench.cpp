// 500 servers queried at once, each answering in both INFO forms: one fake server on each of
// 127.0.0.1 … 127.0.1.244 (Linux routes all of 127/8 to the loopback interface), in a child
// process so that only the querier's memory is measured here. Every server must answer, and the
// kernel must drop none of the answers (its UDP receive buffer errors stay as they were).
#include <benchmark/benchmark.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "fake_a2s_server.h"
#include "process_memory.h"
#include "served_run.h"
#include "servers/server_querier.h"

namespace {

using skyloom::bench::resetPeak;
using skyloom::bench::statusKb;

constexpr int kServers = 500;
constexpr quint16 kPort = 47015;

QHostAddress serverAddress(int i) {
    return QHostAddress(0x7F000001u + static_cast<quint32>(i));  // 127.0.0.1 + i
}

// The system's count of UDP datagrams dropped for a full receive buffer.
long receiveBufferErrors() {
    std::ifstream in("/proc/net/snmp");
    std::string names, values;
    while (std::getline(in, names) && std::getline(in, values)) {
        if (names.rfind("Udp:", 0) != 0) continue;
        std::istringstream n(names), v(values);
        std::string name, value;
        while (n >> name && v >> value)
            if (name == "RcvbufErrors") return std::stol(value);
    }
    return -1;
}

void ServerQuery_500AtOnce(benchmark::State& state) {
    int answered = 0;
    long dropped = 0;
    double peakMb = 0;
    for (auto _ : state) {
        const long errorsBefore = receiveBufferErrors();
        resetPeak();
        const long idle = statusKb("VmRSS:");
        {
            const skyloom::ServerNetwork network;
            skyloom::ServerQuerier querier(network);
            QEventLoop loop;
            int done = 0;
            answered = 0;
            QObject::connect(&querier, &skyloom::ServerQuerier::answered,
                             [&](const skyloom::ServerAnswer& a) {
                                 answered += a.status == skyloom::ServerAnswer::Status::Answered;
                                 if (++done == kServers) loop.quit();
                             });
            for (int i = 0; i < kServers; ++i)
                querier.query({serverAddress(i).toString().toStdString(), kPort});
            loop.exec();
        }
        dropped += receiveBufferErrors() - errorsBefore;
        peakMb = std::max(peakMb, (statusKb("VmHWM:") - idle) / 1024.0);
    }
    if (answered != kServers || dropped != 0) state.SkipWithError("answers were lost");
    state.counters["answered"] = answered;
    state.counters["kernel_drops"] = static_cast<double>(dropped);
    state.counters["peak_MB_above_idle"] = peakMb;
}
BENCHMARK(ServerQuery_500AtOnce)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// The fake servers' side: binds every address, says so through the pipe, answers until killed.
[[noreturn]] void serve(int argc, char** argv, int ready) {
    QCoreApplication app(argc, argv);
    std::vector<std::unique_ptr<skyloom::test::FakeA2sServer>> servers;
    for (int i = 0; i < kServers; ++i)
        servers.push_back(std::make_unique<skyloom::test::FakeA2sServer>(
            skyloom::test::FakeA2sServer::Mode::OldForm, serverAddress(i), kPort));
    const char ok = servers.back()->port() == kPort ? 'y' : 'n';
    (void)::write(ready, &ok, 1);
    QCoreApplication::exec();
    _exit(0);
}

}  // namespace

int main(int argc, char** argv) {
    int pipeFds[2];
    if (::pipe(pipeFds) != 0) return 1;
    const pid_t child = ::fork();
    if (child == 0) serve(argc, argv, pipeFds[1]);
    char ok = 'n';
    (void)::read(pipeFds[0], &ok, 1);
    if (ok != 'y') {
        std::fprintf(stderr, "could not bind the fake servers on port %d\n", kPort);
        ::kill(child, SIGTERM);
        return 1;
    }
    QCoreApplication app(argc, argv);
    return skyloom::bench::runThenStop(argc, argv, child);
}
