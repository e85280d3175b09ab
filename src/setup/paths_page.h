#pragma once

#include <memory>

#include "setup/setup_dialog.h"

namespace Ui {
class PathsPage;
}

namespace skyloom {

class PathsPanel;

// The wizard's paths page `firstuseconfig`. It shows what the settings file holds each time it
// opens, so a second pass through the wizard shows what the first one stored.
class PathsPage final : public SetupDialog {
    Q_OBJECT
public:
    explicit PathsPage(const AppContext& context);
    ~PathsPage() override;

    PathsPanel& paths();

private:
    void pickMapFolder();
    void finish();
    void refuse(const char* text);

    std::unique_ptr<Ui::PathsPage> ui_;
};

}  // namespace skyloom
