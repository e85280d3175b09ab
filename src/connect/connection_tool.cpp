#include "connect/connection_tool.h"

#include "app/start_failure.h"
#include "connect/connection_command.h"
#include "ui_connection_tool.h"

namespace skyloom {

ConnectionTool::ConnectionTool(const AppContext& context, QWidget* parent)
    : QMainWindow(parent), context_(context), ui_(std::make_unique<Ui::ConnectionTool>()) {
    ui_->setupUi(this);
    setFixedSize(sizeHint());
    connect(ui_->cmdLaunch, &QPushButton::clicked, this, &ConnectionTool::cmdLaunch_Click);
    connect(ui_->mnuFileitmSkyloom, &QAction::triggered, this,
            &ConnectionTool::mnuFileitmSkyloom_Click);
}

ConnectionTool::~ConnectionTool() = default;

void ConnectionTool::cmdLaunch_Click() {
    const ServerAddressCheck check =
        checkServerAddress(ui_->ipadress->text().toStdString(), ui_->port->text().toStdString());
    if (check.problem) {
        context_.desktop.message(this, QString::fromStdString(*check.problem),
                                 QStringLiteral("Skyloom"), MessageButtons::Ok,
                                 MessageIcon::Exclamation);
        return;
    }
    const std::string program = context_.settings.readPath("program", "error");
    const std::string line = ComposeConnectCommand(program, check.server.host, check.server.port);
    const StartResult result = context_.games.StartGame(line, std::nullopt, WindowState::Maximized);
    if (!result.ok) {
        reportStartFailure(context_.desktop, this, result);
        return;
    }
    // "Close" means what it says: once the game is on its way the tool goes, and with it the
    // program, as the main window's close-after-launch does.
    if (ui_->close->isChecked()) context_.windows.unload(objectName());
}

void ConnectionTool::mnuFileitmSkyloom_Click() {
    context_.windows.show(QStringLiteral("sp"));
    context_.windows.unload(objectName());
}

}  // namespace skyloom
