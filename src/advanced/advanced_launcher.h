#pragma once

#include <QMainWindow>
#include <memory>

#include "advanced/advanced_lines.h"
#include "shell/app_context.h"

class QLabel;

namespace Ui {
class AdvancedLauncher;
}

namespace skyloom {

class StartStatusLine;

// The advanced option launcher `frmAdvanced`: one partial command line per tab, the full line
// behind the game's path, and the game started with it.
class AdvancedLauncher final : public QMainWindow {
    Q_OBJECT
public:
    explicit AdvancedLauncher(const AppContext& context, QWidget* parent = nullptr);
    ~AdvancedLauncher() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fillLists();
    void connectControls();
    void showAdditional();
    void backToMainWindow();

    // The generators' handlers (advanced_launcher_tabs.cpp).
    void generateVideoLine();
    void generateSoundLine();
    void generateClientLine();
    void generateMiscLine();
    void generateFullLine();
    void runGame();
    VideoChoices videoChoices() const;
    AudioChoices audioChoices() const;
    ClientChoices clientChoices() const;
    MiscChoices miscChoices() const;
    // Shows the generator's messages in order, then writes its line into the label.
    void showGenerated(const GeneratedLine& generated, QLabel* label);
    void showLine(const QString& line, QLabel* label);
    // The full line as RUN GAME would run it now: through Steam for a Steam install.
    void showFullLine();
    GameStart fullStart() const;

    AppContext context_;
    std::string program_;    // the game's path as the settings hold it
    std::string arguments_;  // what the full line's Generate presses added after it
    std::unique_ptr<Ui::AdvancedLauncher> ui_;
    StartStatusLine* startStatus_;
};

}  // namespace skyloom
