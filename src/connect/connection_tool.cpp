#include "connect/connection_tool.h"

#include "connect/connection_command.h"
#include "connect/server_list_model.h"
#include "servers/internet_list.h"
#include "servers/server_querier.h"
#include "shell/start_failure.h"
#include "ui_connection_tool.h"

namespace skyloom {

ConnectionTool::ConnectionTool(const AppContext& context, QWidget* parent)
    : QMainWindow(parent),
      context_(context),
      ui_(std::make_unique<Ui::ConnectionTool>()),
      querier_(new ServerQuerier(context.network.timing, this)),
      internet_(new InternetList(context.network, this)),
      model_(new ServerListModel(this)),
      view_(new ServerListView(model_, this)) {
    ui_->setupUi(this);
    ui_->lstServers->setModel(view_);
    setFixedSize(sizeHint());
    connect(ui_->cmdLaunch, &QPushButton::clicked, this, &ConnectionTool::cmdLaunch_Click);
    connect(ui_->mnuFileitmSkyloom, &QAction::triggered, this,
            &ConnectionTool::mnuFileitmSkyloom_Click);
    connect(ui_->cmdQuery, &QPushButton::clicked, this, &ConnectionTool::cmdQuery_Click);
    connect(ui_->cmdAddFavourite, &QPushButton::clicked, this,
            &ConnectionTool::cmdAddFavourite_Click);
    connect(ui_->cmdRemove, &QPushButton::clicked, this, &ConnectionTool::cmdRemove_Click);
    connect(ui_->cmdFindLan, &QPushButton::clicked, this, &ConnectionTool::cmdFindLan_Click);
    connect(ui_->lstServers->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &ConnectionTool::lstServers_SelectionChanged);
    connect(ui_->lstServers, &QTreeView::doubleClicked, this, &ConnectionTool::lstServers_DblClick);
    connect(querier_, &ServerQuerier::answered, this, &ConnectionTool::showAnswer);
    connect(querier_, &ServerQuerier::lanServerFound, this, [this](const ServerAnswer& answer) {
        if (std::find(lan_.begin(), lan_.end(), answer.server) == lan_.end()) {
            lan_.push_back(answer.server);
            if (ui_->tabSources->currentIndex() == kLan) addRow(answer.server);
        }
        showAnswer(answer);
    });
    connect(querier_, &ServerQuerier::lanSearchFinished, this,
            [this] { ui_->cmdFindLan->setEnabled(true); });
    Form_Load();
}

ConnectionTool::~ConnectionTool() {
    if (saveTimer_.isActive()) saveFilters();  // a filter changed just before closing
}

void ConnectionTool::cmdLaunch_Click() {
    const std::optional<ServerAddress> server = checkedFields();
    if (!server) return;
    const std::string program = context_.settings.readPath("program", "error");
    const StartResult result = context_.games.StartGame(ComposeConnectCommand(program, *server),
                                                        std::nullopt, WindowState::Maximized);
    if (!result.ok) {
        reportStartFailure(context_.desktop, this, result);
        return;
    }
    rememberJoin(*server);
    // "Close" means what it says: once the game is on its way the tool goes, and with it the
    // program, as the main window's close-after-launch does.
    if (ui_->close->isChecked()) context_.windows.unload(objectName());
}

void ConnectionTool::mnuFileitmSkyloom_Click() {
    context_.windows.show(QStringLiteral("sp"));
    context_.windows.unload(objectName());
}

}  // namespace skyloom
