#pragma once

#include <QMainWindow>
#include <memory>

#include "app/app_context.h"

namespace Ui {
class ConnectionTool;
}

namespace skyloom {

// The connection tool `connect`: starts the game straight onto a server by address and port.
class ConnectionTool final : public QMainWindow {
    Q_OBJECT
public:
    explicit ConnectionTool(const AppContext& context, QWidget* parent = nullptr);
    ~ConnectionTool() override;

    Ui::ConnectionTool& ui() { return *ui_; }

private:
    void cmdLaunch_Click();
    void mnuFileitmSkyloom_Click();

    AppContext context_;
    std::unique_ptr<Ui::ConnectionTool> ui_;
};

}  // namespace skyloom
