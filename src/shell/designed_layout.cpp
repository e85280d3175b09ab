#include "shell/designed_layout.h"

#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <algorithm>

namespace skyloom {
namespace {

// Gives the controls the smallest size the screen leaves them beside the window's bars, and the
// window at least `size` plus the bars.
void fit(QMainWindow* window, QScrollArea* scroll, QSize size) {
    // The menu bar, the status bar and the title bar take the rest of the screen's height.
    const auto* status = window->findChild<QStatusBar*>({}, Qt::FindDirectChildrenOnly);
    const int bars =
        window->menuBar()->sizeHint().height() + (status ? status->sizeHint().height() : 0);
    QWidget* controls = scroll->widget();
    QSize smallest = controls->minimumSizeHint();
    QSize whole = size.expandedTo(smallest);
    if (const QScreen* screen = window->screen()) {
        const QSize room = screen->availableSize() - QSize(16, bars + 48);
        smallest = smallest.boundedTo(room);
        whole = whole.boundedTo(room);
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
    scroll->setWidget(controls);
    window->setCentralWidget(scroll);
    window->setMinimumSize(0, 0);
    window->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    fit(window, scroll, controls->sizeHint());
}

void refitResizable(QMainWindow* window) {
    auto* scroll = qobject_cast<QScrollArea*>(window->centralWidget());
    if (!scroll) return;
    // The controls keep the size they have, or take the height theirs need at that width.
    const QWidget* controls = scroll->widget();
    QSize size = scroll->size();
    const int width = size.width();
    size.setHeight(std::max({size.height(), controls->sizeHint().height(),
                             controls->hasHeightForWidth() ? controls->heightForWidth(width) : 0}));
    fit(window, scroll, size);
}

}  // namespace skyloom
