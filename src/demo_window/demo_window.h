#pragma once

#include <QFutureWatcher>
#include <QMainWindow>
#include <atomic>
#include <memory>

#include "demo_window/demo_store.h"
#include "shell/app_context.h"

namespace Ui {
class DemoWindow;
}

namespace skyloom {

class StartStatusLine;

// The Demos window `demos`: the recorded games of the chosen game type, played, renamed or
// deleted. Listed off the window's thread; closing the window stops the listing.
class DemoWindow final : public QMainWindow, public DemoPlaceTaker, public PathsReload {
    Q_OBJECT
public:
    explicit DemoWindow(const AppContext& context, QWidget* parent = nullptr);
    ~DemoWindow() override;

    void listDemosOf(const DemoPlace& place) override;
    void reloadPaths() override { listDemosOf({gameFolderOf(context_.settings), place_.mod}); }
    static std::string gameFolderOf(const Settings& settings);

private:
    std::optional<size_t> selectedRow() const;
    void updateButtons();
    void play(const char* verb);
    void renameSelected();
    void deleteSelected();
    // The one place a demo is started from.
    bool startDemo(const char* verb, const DemoFile& demo);
    void tell(const QString& text, const QString& title, MessageIcon icon);

    AppContext context_;
    std::unique_ptr<Ui::DemoWindow> ui_;
    DemoStore store_;
    DemoListModel model_{store_};
    DemoSearchModel search_;
    StartStatusLine* startStatus_;
    DemoPlace place_;
    std::shared_ptr<std::atomic_bool> stop_;
    QFutureWatcher<std::vector<DemoRow>> listing_;
};

}  // namespace skyloom
