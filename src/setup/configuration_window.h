#pragma once

#include <memory>

#include "setup/setup_dialog.h"

namespace Ui {
class ConfigurationWindow;
}

namespace skyloom {

class PathsPanel;

// The configuration window `config`: the paths panel with OK and Cancel, both of which bring
// back the main window.
class ConfigurationWindow final : public SetupDialog {
    Q_OBJECT
public:
    explicit ConfigurationWindow(const AppContext& context);
    ~ConfigurationWindow() override;

    PathsPanel& paths();

protected:
    // Closing by the frame is Cancel: a main window hidden behind this one would otherwise keep
    // the program running with nothing on screen.
    void closeEvent(QCloseEvent* event) override;

private:
    void openPicker(const QString& picker, const QString& caption);
    void saveAndClose();
    void cancel();
    void bringBackMainWindow(bool reloadPaths);

    std::unique_ptr<Ui::ConfigurationWindow> ui_;
};

}  // namespace skyloom
