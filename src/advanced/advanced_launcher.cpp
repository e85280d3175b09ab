#include "advanced/advanced_launcher.h"

#include <QMouseEvent>
#include <QShortcut>

#include "settings/game_paths.h"
#include "shell/accessible_names.h"
#include "shell/designed_layout.h"
#include "shell/outside_text.h"
#include "shell/start_status.h"
#include "ui_advanced_launcher.h"

namespace skyloom {

AdvancedLauncher::AdvancedLauncher(const AppContext& context, QWidget* parent)
    : QMainWindow(parent), context_(context), ui_(std::make_unique<Ui::AdvancedLauncher>()) {
    ui_->setupUi(this);
    startStatus_ = addStartStatusLine(this);
    makeResizable(this);
    // Escape leaves as the close box does.
    connect(new QShortcut(QKeySequence::Cancel, this), &QShortcut::activated, this,
            &QWidget::close);
    ui_->txtAdditional->hide();
    nameComboBox(ui_->Skill, QStringLiteral("Skill level"));
    connectControls();
    fillLists();
}

AdvancedLauncher::~AdvancedLauncher() = default;

void AdvancedLauncher::connectControls() {
    // Every slider, the HEV suit's included, shows each value the player gives it, keyboard
    // included: the generators read the labels, so a label lagging behind would put another
    // volume into the line than the one on screen.
    const std::pair<QSlider*, QLabel*> sliders[] = {
        {ui_->GameAudio, ui_->lblGameSound},
        {ui_->HEVSuit, ui_->lblHEVSuit},
        {ui_->FakeLagSlider, ui_->lblFakeLag},
        {ui_->FakePacketSlider, ui_->lblFakePacketLoss},
    };
    for (const auto& [slider, label] : sliders)
        connect(slider, &QSlider::valueChanged, label, qOverload<int>(&QLabel::setNum));
    // A click on the HEV suit's slider shows its value even when the click changes nothing.
    ui_->HEVSuit->installEventFilter(this);

    connect(ui_->chkAdditional, &QCheckBox::toggled, this, &AdvancedLauncher::showAdditional);
    connect(ui_->mnuFileitmSkyloom, &QAction::triggered, this, &AdvancedLauncher::backToMainWindow);
    connect(ui_->cmdGenerate, &QPushButton::clicked, this, &AdvancedLauncher::generateVideoLine);
    connect(ui_->cmdSndGen, &QPushButton::clicked, this, &AdvancedLauncher::generateSoundLine);
    connect(ui_->cmdClientGenerate, &QPushButton::clicked, this,
            &AdvancedLauncher::generateClientLine);
    connect(ui_->cmdMiscGenerate, &QPushButton::clicked, this, &AdvancedLauncher::generateMiscLine);
    connect(ui_->cmdFullGen, &QPushButton::clicked, this, &AdvancedLauncher::generateFullLine);
    connect(ui_->Command1, &QPushButton::clicked, this, &AdvancedLauncher::runGame);
}

void AdvancedLauncher::fillLists() {
    ui_->lstResol->addItems({"320x200", "400x300", "512x384", "640x480", "800x600", "1024x768"});
    for (int track = 1; track <= 18; ++track) ui_->lstCDTrack->addItem(QString::number(track));
    ui_->Skill->addItems({"1", "2", "3"});
    ui_->Skill->setCurrentIndex(-1);
    ui_->Skill->setEditText(QString());
    ui_->lstModel->addItems(
        {"Barney", "Scientist", "Skeleton", "Helmet", "Gordon", "Gina", "Cannibal", "Robo"});
    ui_->optSoftware->setChecked(true);
    ui_->lblFakeLag->setText(QStringLiteral("0"));
    ui_->lblFakePacketLoss->setText(QStringLiteral("0"));
    program_ = readGamePaths(context_.settings).program;
    showFullLine();
}

bool AdvancedLauncher::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui_->HEVSuit && event->type() == QEvent::MouseButtonRelease) {
        const auto* release = static_cast<QMouseEvent*>(event);
        if (release->button() == Qt::LeftButton &&
            ui_->HEVSuit->rect().contains(release->position().toPoint()))
            ui_->lblHEVSuit->setNum(ui_->HEVSuit->value());
    }
    return QMainWindow::eventFilter(watched, event);
}

void AdvancedLauncher::showAdditional() {
    ui_->txtAdditional->setVisible(ui_->chkAdditional->isChecked());
}

void AdvancedLauncher::backToMainWindow() {
    context_.windows.show(QStringLiteral("sp"));
    context_.windows.unload(objectName());
}

}  // namespace skyloom
