// What ten seconds of the hidden window's scrolling cost: 1000 ticks of 10 ms, with and
// without the repaint each tick brings.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLabel>
#include <QWindow>

#include "about/secret_window.h"
#include "fake_desktop.h"
#include "fake_game_starter.h"

using namespace skyloom;

namespace {

constexpr int kTicksIn10s = 1000;

// Counts the paints of one widget, to show that the ticks were really drawn.
class PaintCounter final : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

// The window on screen with its own timer stopped: the benchmark drives the ticks.
struct OpenCredits {
    test::FakeDesktop desktop;
    test::FakeGameStarter games;
    const InstallSearch installs;
    Settings settings{"./skyloom.ini"};
    WindowRegistry windows{[] {}};
    ServerNetwork network;
    AppContext context{windows, desktop, games, settings, network, installs};
    SecretWindow window{context};

    PaintCounter counter;

    OpenCredits() {
        window.show();
        window.timer().stop();
        while (!window.windowHandle()->isExposed()) QCoreApplication::processEvents();
        window.findChild<QLabel*>(QStringLiteral("lbl"))->installEventFilter(&counter);
    }

    void report(benchmark::State& state) const {
        state.counters["paints"] =
            benchmark::Counter(counter.paints, benchmark::Counter::kAvgIterations);
    }
};

void CreditsScroll10sWithRepaint(benchmark::State& state) {
    OpenCredits credits;
    for (auto _ : state) {
        for (int tick = 0; tick < kTicksIn10s; ++tick) {
            credits.window.scrollCredits();
            QCoreApplication::processEvents();  // paints the moved text, as the screen would
        }
    }
    credits.report(state);
}
BENCHMARK(CreditsScroll10sWithRepaint)->Unit(benchmark::kMillisecond);

void CreditsScroll10sTicksOnly(benchmark::State& state) {
    OpenCredits credits;
    for (auto _ : state) {
        for (int tick = 0; tick < kTicksIn10s; ++tick) credits.window.scrollCredits();
        QCoreApplication::processEvents();
    }
    credits.report(state);
}
BENCHMARK(CreditsScroll10sTicksOnly)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
