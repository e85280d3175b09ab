#include "connect/connection_tool.h"

#include <QShortcut>

#include "connect/connection_command.h"
#include "connect/server_list_model.h"
#include "servers/internet_list.h"
#include "servers/server_querier.h"
#include "shell/designed_layout.h"
#include "shell/window_memory.h"
#include "ui_connection_tool.h"

namespace skyloom {

ConnectionTool::ConnectionTool(const AppContext& context, QWidget* parent)
    : QMainWindow(parent),
      context_(context),
      ui_(std::make_unique<Ui::ConnectionTool>()),
      querier_(new ServerQuerier(context.network, this)),
      internet_(new InternetList(context.network, *querier_, this)),
      model_(new ServerListModel(store_, this)),
      view_(new ServerListView(model_, this)) {
    ui_->setupUi(this);
    startStatus_ = addStartStatusLine(this);
    ui_->lstServers->setModel(view_);
    makeResizable(this);  // on a screen too small for it all, the controls scroll
    // Escape leaves as the close box does.
    connect(new QShortcut(QKeySequence::Cancel, this), &QShortcut::activated, this,
            &QWidget::close);
    rememberGeometry(this);
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
    connect(querier_, &ServerQuerier::informed, this, &ConnectionTool::showAnswer);
    connect(querier_, &ServerQuerier::lanServerFound, this, [this](const ServerAnswer& answer) {
        std::vector<ServerAddress>& lan = store_.list(ServerStore::kLan);
        if (std::find(lan.begin(), lan.end(), answer.server) == lan.end()) {
            lan.push_back(answer.server);
            if (tab() == ServerStore::kLan) model_->add(answer.server);
        }
        showAnswer(answer);
    });
    connect(querier_, &ServerQuerier::lanSearchFinished, this,
            [this] { ui_->cmdFindLan->setEnabled(true); });
    Form_Load();
}

ConnectionTool::~ConnectionTool() {
    if (saveTimer_.isActive()) saveFilters();  // a filter changed just before closing
    // The list, its model and the queries read the store and call back into the window: they go
    // while both still exist, not among the children after the members are gone.
    ui_->lstServers->setModel(nullptr);
    delete view_;
    delete model_;
    delete internet_;
    delete querier_;
}

void ConnectionTool::cmdLaunch_Click() {
    if (const std::optional<ServerAddress> server = checkedFields()) join(*server);
}

void ConnectionTool::join(const ServerAddress& server) {
    std::optional<std::string> password;
    const ServerAnswer* known = store_.answered(server);
    if (known && known->info.password) {
        // Asked each time and never kept: it is the server's secret, not a setting.
        const std::optional<QString> typed = context_.desktop.askSecret(
            this, QStringLiteral("Server password"),
            QStringLiteral("%1 asks for a password to join.").arg(known->address()));
        if (!typed) return;
        password = typed->toStdString();
        if (const auto problem = passwordProblem(*password)) {
            context_.desktop.message(this, QString::fromStdString(*problem),
                                     QStringLiteral("Skyloom"), MessageButtons::Ok,
                                     MessageIcon::Exclamation);
            return;
        }
    }
    if (!startGame(context_, this, startStatus_, {ComposeConnectCommand(server, password)})) return;
    rememberJoin(server);
    // "Close" means what it says: once the game is on its way the tool goes, and with it the
    // program, as the main window's close-after-launch does.
    if (ui_->close->isChecked()) context_.windows.unload(objectName());
}

void ConnectionTool::mnuFileitmSkyloom_Click() {
    context_.windows.show(QStringLiteral("sp"));
    context_.windows.unload(objectName());
}

}  // namespace skyloom
