#include "shell/designed_layout.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QTabWidget>
#include <algorithm>
#include <vector>

namespace skyloom {
namespace {

// Edges drawn this close belong to the same column or row.
constexpr int kSnap = 6;

// The starts of the columns (or rows) that these edges begin.
std::vector<int> bandsOf(std::vector<int> starts) {
    std::sort(starts.begin(), starts.end());
    std::vector<int> bands;
    for (const int start : starts)
        if (bands.empty() || start - bands.back() > kSnap) bands.push_back(start);
    return bands;
}

int bandAt(const std::vector<int>& bands, int start) {
    int band = 0;
    while (band + 1 < static_cast<int>(bands.size()) && bands[band + 1] <= start + kSnap) ++band;
    return band;
}

struct Cell {
    QWidget* widget;
    int row, column, rows = 1, columns = 1;
};

// Whether no other cell holds any of `rows` x `columns`.
bool isFree(const std::vector<Cell>& cells, const Cell& self, int row, int rows, int column,
            int columns) {
    return std::none_of(cells.begin(), cells.end(), [&](const Cell& c) {
        return &c != &self && c.row < row + rows && row < c.row + c.rows &&
               c.column < column + columns && column < c.column + c.columns;
    });
}

bool holdsDrawnControls(const QWidget* widget) {
    const QMetaObject* kind = widget->metaObject();
    return !widget->layout() &&
           (kind == &QWidget::staticMetaObject || kind == &QGroupBox::staticMetaObject ||
            kind == &QFrame::staticMetaObject);
}

// A caption only a screen reader reads (see giveCaption) takes no place.
bool isHiddenCaption(const QWidget* widget) {
    const auto* label = qobject_cast<const QLabel*>(widget);
    return label && label->buddy() && label->testAttribute(Qt::WA_WState_ExplicitShowHide) &&
           label->isHidden();
}

}  // namespace

void layOutAsDrawn(QWidget* container) {
    std::vector<Cell> cells;
    std::vector<int> lefts, tops;
    for (QWidget* child : container->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isWindow() || isHiddenCaption(child)) continue;
        if (auto* tabs = qobject_cast<QTabWidget*>(child))
            for (int i = 0; i < tabs->count(); ++i) layOutAsDrawn(tabs->widget(i));
        else if (holdsDrawnControls(child))
            layOutAsDrawn(child);
        cells.push_back({child, child->y(), child->x()});
        lefts.push_back(child->x());
        tops.push_back(child->y());
    }
    if (cells.empty() || container->layout()) return;
    const std::vector<int> columns = bandsOf(lefts), rows = bandsOf(tops);
    for (Cell& c : cells) {
        c.row = bandAt(rows, c.row);
        c.column = bandAt(columns, c.column);
    }
    // Across first, then down: a control spans what its drawn rectangle covers and no other has.
    for (Cell& c : cells) {
        const int right = c.widget->geometry().right() - kSnap;
        while (c.column + c.columns < static_cast<int>(columns.size()) &&
               columns[c.column + c.columns] < right &&
               isFree(cells, c, c.row, c.rows, c.column + c.columns, 1))
            ++c.columns;
    }
    for (Cell& c : cells) {
        const int bottom = c.widget->geometry().bottom() - kSnap;
        while (c.row + c.rows < static_cast<int>(rows.size()) && rows[c.row + c.rows] < bottom &&
               isFree(cells, c, c.row + c.rows, 1, c.column, c.columns))
            ++c.rows;
    }
    auto* grid = new QGridLayout(container);
    for (const Cell& c : cells) {
        // A picture keeps the size it was drawn for; a check box or an option button answers a
        // click on its text, so it is no wider than that.
        const auto* label = qobject_cast<QLabel*>(c.widget);
        if (label && !label->pixmap().isNull()) c.widget->setFixedSize(c.widget->size());
        const bool option =
            qobject_cast<QCheckBox*>(c.widget) || qobject_cast<QRadioButton*>(c.widget);
        grid->addWidget(c.widget, c.row, c.column, c.rows, c.columns,
                        option ? Qt::AlignLeft | Qt::AlignVCenter : Qt::Alignment());
    }
    // A size fixed by the drawing is the layout's to give now; a dialog keeps a fixed size.
    if (container->minimumSize() == container->maximumSize()) {
        container->setMinimumSize(0, 0);
        container->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        if (container->isWindow()) grid->setSizeConstraint(QLayout::SetFixedSize);
    }
}

void enlargeFont(QWidget* widget, double times) {
    QFont font = widget->font();
    font.setPointSizeF(QApplication::font().pointSizeF() * times);
    widget->setFont(font);
}

void makeResizable(QMainWindow* window) {
    layOutAsDrawn(window->centralWidget());
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

    // The menu bar, the status bar and the title bar take the rest of the screen's height.
    const auto* status = window->findChild<QStatusBar*>({}, Qt::FindDirectChildrenOnly);
    const int bars =
        window->menuBar()->sizeHint().height() + (status ? status->sizeHint().height() : 0);
    QSize smallest = controls->minimumSizeHint();
    QSize whole = controls->sizeHint().expandedTo(smallest);
    if (const QScreen* screen = window->screen()) {
        const QSize room = screen->availableSize() - QSize(16, bars + 48);
        smallest = smallest.boundedTo(room);
        whole = whole.boundedTo(room);
    }
    scroll->setMinimumSize(smallest);
    window->resize(whole + QSize(0, bars));
}

}  // namespace skyloom
