#include "shell/designed_layout.h"

#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QVBoxLayout>
#include <algorithm>

namespace skyloom {
namespace {

// Holds a form's controls in the scroll area. A scroll area gives controls with wrapping text the
// height their layout prefers at its width, which scrolls a full-height window whose controls
// would fit at their smallest; this one asks only for the smallest height at that width.
class FittedControls final : public QWidget {
public:
    explicit FittedControls(QWidget* controls) : controls_(controls) {
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins({});
        layout->addWidget(controls);
    }
    // Asked of the controls' own layout, which knows at once of a control added or grown.
    int heightForWidth(int width) const override {
        const QLayout* layout = controls_->layout();
        return layout ? layout->totalMinimumHeightForWidth(width) : -1;
    }

private:
    QWidget* controls_;
};

// Gives the controls the smallest size the screen leaves them beside the window's bars, and the
// window at least `size` plus the bars.
void fit(QMainWindow* window, QScrollArea* scroll, QSize size) {
    // The menu bar, the status bar and the title bar take the rest of the screen's height.
    const auto* status = window->findChild<QStatusBar*>({}, Qt::FindDirectChildrenOnly);
    const int bars =
        window->menuBar()->sizeHint().height() + (status ? status->sizeHint().height() : 0);
    const QWidget* controls = scroll->widget();
    QSize smallest = controls->minimumSizeHint();
    smallest.setHeight(std::max(smallest.height(), controls->heightForWidth(smallest.width())));
    QSize whole = size.expandedTo(smallest);
    if (const QScreen* screen = window->screen()) {
        const QSize room = screen->availableSize() - QSize(16, bars + 48);
        // Cut short, the controls scroll up and down beside a bar that takes from their width.
        if (smallest.height() > room.height())
            smallest.rwidth() += scroll->verticalScrollBar()->sizeHint().width();
        smallest = smallest.boundedTo(room);
        whole = whole.expandedTo(smallest).boundedTo(room);
    }
    scroll->setMinimumSize(smallest);
    window->resize(whole + QSize(0, bars));
}

}  // namespace

void makeResizable(QMainWindow* window) {
    QWidget* controls = window->takeCentralWidget();
    auto* scroll = new QScrollArea(window);
    scroll->setObjectName(QStringLiteral("scrollControls"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setFocusPolicy(Qt::NoFocus);  // Tab goes through the controls only
    scroll->setWidgetResizable(true);
    scroll->setWidget(new FittedControls(controls));
    window->setCentralWidget(scroll);
    window->setMinimumSize(0, 0);
    window->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    fit(window, scroll, controls->sizeHint());
}

void refitResizable(QMainWindow* window) {
    auto* scroll = qobject_cast<QScrollArea*>(window->centralWidget());
    if (!scroll) return;
    // The controls keep the size they have, or take the height theirs need at that width.
    const QLayout* controls = scroll->widget()->layout();
    QSize size = scroll->size();
    size.setHeight(std::max({size.height(), controls->totalSizeHint().height(),
                             controls->totalHeightForWidth(size.width())}));
    fit(window, scroll, size);
}

}  // namespace skyloom
