// What ten seconds of the hidden window's scrolling cost: 1000 ticks of 10 ms, with and
// without the repaint each tick brings.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLabel>
#include <QWindow>

#include "about/secret_window.h"

using namespace skyloom;

namespace {

constexpr int kTicksIn10s = 1000;

class NoDesktop final : public Desktop {
public:
    MessageAnswer message(QWidget*, const QString&, const QString&, MessageButtons,
                          MessageIcon) override {
        return MessageAnswer::Ok;
    }
    std::optional<QString> openFile(QWidget*, const QString&, const QString&) override {
        return std::nullopt;
    }
    std::optional<int> chooseItem(QWidget*, const QString&, const QString&,
                                  const QStringList&) override {
        return std::nullopt;
    }
    std::optional<QString> askText(QWidget*, const QString&, const QString&) override {
        return std::nullopt;
    }
    std::optional<QString> askSecret(QWidget*, const QString&, const QString&) override {
        return std::nullopt;
    }
};

class NoGames final : public GameStarter {
public:
    StartResult StartGame(const GameCommand&, const std::optional<std::string>&,
                          WindowState) override {
        return {};
    }
    InstallSearch installSearch() const override { return {}; }
};

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
    NoDesktop desktop;
    NoGames games;
    Settings settings{"./skyloom.ini"};
    WindowRegistry windows{[] {}};
    ServerNetwork network;
    AppContext context{windows, desktop, games, settings, network};
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
            credits.window.Timer1_Timer();
            QCoreApplication::processEvents();  // paints the moved text, as the screen would
        }
    }
    credits.report(state);
}
BENCHMARK(CreditsScroll10sWithRepaint)->Unit(benchmark::kMillisecond);

void CreditsScroll10sTicksOnly(benchmark::State& state) {
    OpenCredits credits;
    for (auto _ : state) {
        for (int tick = 0; tick < kTicksIn10s; ++tick) credits.window.Timer1_Timer();
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
