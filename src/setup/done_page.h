#pragma once

#include <memory>

#include "setup/setup_dialog.h"

namespace Ui {
class DonePage;
}

namespace skyloom {

// The wizard's last page `firstusedone`: derives the game folders, marks the first use as done
// and starts the main window.
class DonePage final : public SetupDialog {
    Q_OBJECT
public:
    explicit DonePage(const AppContext& context);
    ~DonePage() override;

private:
    void finish();

    std::unique_ptr<Ui::DonePage> ui_;
};

}  // namespace skyloom
