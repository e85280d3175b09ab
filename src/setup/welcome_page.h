#pragma once

#include <memory>

#include "setup/setup_dialog.h"

namespace Ui {
class WelcomePage;
}

namespace skyloom {

// The wizard's first page `firstuse1`.
class WelcomePage final : public SetupDialog {
    Q_OBJECT
public:
    explicit WelcomePage(const AppContext& context);
    ~WelcomePage() override;

private:
    std::unique_ptr<Ui::WelcomePage> ui_;
};

}  // namespace skyloom
