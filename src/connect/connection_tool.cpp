#include "connect/connection_tool.h"

#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QStatusBar>

#include "connect/server_list_model.h"
#include "servers/internet_list.h"
#include "servers/server_querier.h"
#include "shell/designed_layout.h"
#include "ui_connection_tool.h"

namespace skyloom {

ConnectionTool::ConnectionTool(const AppContext& context, QWidget* parent)
    : QMainWindow(parent),
      context_(context),
      ui_(std::make_unique<Ui::ConnectionTool>()),
      store_(new ServerStore(this)),
      querier_(new ServerQuerier(context.network, this)),
      internet_(new InternetList(context.network, *querier_, this)),
      model_(new ServerListModel(*store_, this)),
      view_(new ServerListView(model_, this)) {
    ui_->setupUi(this);
    startStatus_ = addStartStatusLine(this);
    doorStatus_ = new QLabel(this);
    doorStatus_->setObjectName(QStringLiteral("lblDoor"));
    doorStatus_->setTextFormat(Qt::PlainText);
    cancelWait_ = new QPushButton(QStringLiteral("Stop waiting"), this);
    cancelWait_->setObjectName(QStringLiteral("cmdStopWaiting"));
    statusBar()->addPermanentWidget(doorStatus_);
    statusBar()->addPermanentWidget(cancelWait_);
    doorStatus_->hide(), cancelWait_->hide();
    ui_->lstServers->setModel(view_);
    // Escape leaves as the close box does.
    connect(new QShortcut(QKeySequence::Cancel, this), &QShortcut::activated, this,
            &QWidget::close);
    connect(ui_->cmdLaunch, &QPushButton::clicked, this, &ConnectionTool::joinTyped);
    connect(ui_->ipadress, &QLineEdit::returnPressed, this, &ConnectionTool::joinTyped);
    connect(ui_->port, &QLineEdit::returnPressed, this, &ConnectionTool::joinTyped);
    connect(ui_->mnuFileitmSkyloom, &QAction::triggered, this, &ConnectionTool::showMainWindow);
    connect(ui_->cmdQuery, &QPushButton::clicked, this, &ConnectionTool::queryTyped);
    connect(ui_->cmdAddFavourite, &QPushButton::clicked, this, [this] {
        if (const auto server = checkedFields()) addFavourite(*server);
    });
    connect(ui_->cmdRemove, &QPushButton::clicked, this, [this] {
        if (const auto server = selectedServer()) removeFavourite(*server);
    });
    connect(ui_->cmdFindLan, &QPushButton::clicked, this, &ConnectionTool::findLanServers);
    connect(ui_->cmdDetails, &QPushButton::toggled, ui_->paneDetails, &QWidget::setVisible);
    connect(cancelWait_, &QPushButton::clicked, this, [this] {
        endWait(QStringLiteral("Stopped waiting for a place on %1.").arg(wait_->name));
    });
    connect(ui_->lstServers->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &ConnectionTool::showSelected);
    connect(ui_->lstServers, &QTreeView::doubleClicked, this, [this](const QModelIndex& index) {
        // The row's own server, whatever the fields were edited to since.
        const ServerAddress& server = view_->server(index);
        joinServer(server, store_->answered(server));
    });
    connect(querier_, &ServerQuerier::answered, this, &ConnectionTool::storeAnswer);
    connect(querier_, &ServerQuerier::informed, this, &ConnectionTool::storeAnswer);
    connect(querier_, &ServerQuerier::lanServerFound, this, [this](const ServerAnswer& answer) {
        store_->add(ServerStore::kLan, answer.server);
        storeAnswer(answer);
    });
    connect(querier_, &ServerQuerier::lanSearchFinished, this,
            [this] { ui_->cmdFindLan->setEnabled(true); });
    connect(store_, &ServerStore::added, this, [this] {
        if (!progressTimer_.isActive()) progressTimer_.start();
    });
    setUp();
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
    delete store_;
}

void ConnectionTool::showMainWindow() {
    context_.windows.show(QStringLiteral("sp"));
    context_.windows.unload(objectName());
}

void ConnectionTool::closeEvent(QCloseEvent* event) {
    if (wait_) {
        const QString why = QStringLiteral("Stopped waiting for a place on %1.").arg(wait_->name);
        endWait(why);
        context_.desktop.message(this, why, QStringLiteral("Skyloom"), MessageButtons::Ok,
                                 MessageIcon::Information);
    }
    QMainWindow::closeEvent(event);
}

void ConnectionTool::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    placeDetails();
}

// The details go beside the list only when the list keeps room for every column.
void ConnectionTool::placeDetails() {
    QHeaderView* header = ui_->lstServers->header();
    int columns = 0;
    for (int c = 0; c < header->count(); ++c) columns += header->sectionSize(c);
    const int details =
        ui_->paneDetails->minimumSizeHint().width() + ui_->fraInfo->sizeHint().width();
    const bool beside = width() >= columns + details + 4 * fontMetrics().height();
    ui_->splitServers->setOrientation(beside ? Qt::Horizontal : Qt::Vertical);
    ui_->layDetails->setDirection(beside ? QBoxLayout::TopToBottom : QBoxLayout::LeftToRight);
    // The list before the details it shows, wherever the splitter puts them.
    setTabOrder(ui_->spnMaxPing, ui_->lstServers);
    setTabOrder(ui_->lstServers, ui_->lstPlayers);
}

// Each column as wide as its typical values, in the font in use: the player may then widen,
// narrow and move them, and the window keeps that.
void ConnectionTool::sizeColumns() {
    QHeaderView* header = ui_->lstServers->header();
    header->setSectionsMovable(true);
    header->setStretchLastSection(false);
    header->setSectionResizeMode(QHeaderView::Interactive);
    const QFontMetrics m = ui_->lstServers->fontMetrics();
    const int pad = 3 * m.averageCharWidth() +
                    ui_->lstServers->style()->pixelMetric(QStyle::PM_HeaderMargin) * 2;
    const std::pair<int, QString> typical[] = {
        {ServerListModel::kName, QStringLiteral("Skyloom Deathmatch #1 EU")},
        {ServerListModel::kMap, QStringLiteral("de_dust2_long")},
        {ServerListModel::kPlayers, QStringLiteral("12/32 \u00B7 6 bots")},
        {ServerListModel::kPassword, QStringLiteral("W")},
        {ServerListModel::kVac, QStringLiteral("VAC")},
        {ServerListModel::kPing, QStringLiteral("999 ms")},
        {ServerListModel::kAddress, QStringLiteral("255.255.255.255:27015")}};
    for (const auto& [column, text] : typical) {
        const QString heading =
            model_->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
        header->resizeSection(
            column,
            std::max(m.horizontalAdvance(text), m.horizontalAdvance(heading) + m.height()) + pad);
    }
}

// The list shows every column whole at the size the window opens with. On a screen too short
// for every control they scroll up and down, never sideways: the controls fit its width.
void ConnectionTool::fitScreen() {
    makeResizable(this);
    static_cast<QScrollArea*>(centralWidget())
        ->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QHeaderView* header = ui_->lstServers->header();
    int columns = 0;
    for (int c = 0; c < header->count(); ++c) columns += header->sectionSize(c);
    // The list's frame, the layout's margins and a scroll bar beside the columns.
    const int wanted = columns + 4 * fontMetrics().height();
    const int room = screen()->availableSize().width() - 16;
    resize(std::clamp(wanted, width(), std::max(width(), room)), height());
}

void ConnectionTool::addRowActions() {
    QTreeView* list = ui_->lstServers;
    list->setContextMenuPolicy(Qt::ActionsContextMenu);
    const auto action = [&](const char* name, const QString& text, QList<QKeySequence> keys,
                            auto done) {
        auto* a = new QAction(text, list);
        a->setObjectName(QLatin1String(name));
        a->setShortcuts(keys);
        a->setShortcutContext(Qt::WidgetShortcut);
        list->addAction(a);
        connect(a, &QAction::triggered, this, [this, done] {
            if (const auto server = selectedServer()) done(*server);
        });
        return a;
    };
    action("actJoin", QStringLiteral("&Join"), {Qt::Key_Return, Qt::Key_Enter},
           [this](const ServerAddress& s) { joinServer(s, store_->answered(s)); });
    action(
        "actCopy", QStringLiteral("&Copy address"), {QKeySequence::Copy},
        [](const ServerAddress& s) {
            QGuiApplication::clipboard()->setText(QString::fromStdString(formatServerAddress(s)));
        });
    action("actFavourite", QStringLiteral("&Add to favourites"), {},
           [this](const ServerAddress& s) {
               if (store_->isFavourite(s))
                   removeFavourite(s);
               else
                   addFavourite(s);
           });
    action("actRefresh", QStringLiteral("&Refresh this server"), {},
           [this](const ServerAddress& s) { querier_->query(s); });
}

// What the row's actions do for the row selected: one to add or remove it as a favourite, Delete
// only ever removing.
void ConnectionTool::showRowActions() {
    const std::optional<ServerAddress> server = selectedServer();
    const bool favourite = server && store_->isFavourite(*server);
    auto* toggle = ui_->lstServers->findChild<QAction*>(QStringLiteral("actFavourite"));
    toggle->setText(favourite ? QStringLiteral("&Remove from favourites")
                              : QStringLiteral("&Add to favourites"));
    toggle->setShortcut(favourite ? QKeySequence(QKeySequence::Delete) : QKeySequence());
    for (QAction* a : ui_->lstServers->actions()) a->setEnabled(server.has_value());
}

}  // namespace skyloom
