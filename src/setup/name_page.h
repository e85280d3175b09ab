#pragma once

#include <memory>

#include "setup/setup_dialog.h"

namespace Ui {
class NamePage;
}

namespace skyloom {

// The wizard's second page `firstuse2`: the player's name and organisation. It opens empty
// every time, whatever is stored.
class NamePage final : public SetupDialog {
    Q_OBJECT
public:
    explicit NamePage(const AppContext& context);
    ~NamePage() override;

private:
    void next();

    std::unique_ptr<Ui::NamePage> ui_;
};

}  // namespace skyloom
