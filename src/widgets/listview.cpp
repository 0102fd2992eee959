#include "widgets/listview.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

#include "widgets/twips.h"

ListView::ListView(const QString& name, QWidget* parent) : QTreeView(parent) {
    setObjectName(name);
    setModel(&model_);
    setAutoFillBackground(true);  // lists overlap other panels on the tab client
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
    header()->setSectionsClickable(true);
    header()->setMinimumSectionSize(0);
    connect(&model_, &ListModel::columnWidthChanged, this, &ListView::applyColumnWidth);
    connect(header(), &QHeaderView::sectionClicked, this,
            [this](int section) { Q_EMIT columnClicked(section + 1); });
    connect(this, &QAbstractItemView::clicked, this,
            [this](const QModelIndex& index) { Q_EMIT itemClicked(index.row() + 1); });
}

QList<int> ListView::selectedRows() const {
    QList<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedRows()) {
        rows.append(index.row());
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

int ListView::selectedCount() const {
    return int(selectionModel()->selectedRows().size());
}

int ListView::columnWidthTwips(int column) const {
    return pixelsToTwips(columnWidth(column), this);
}

void ListView::applyColumnWidth(int column) {
    if (column < model_.columnCount()) {
        const int twips = model_.columns()[column].widthTwips;
        setColumnWidth(column, twips <= 0 ? 0 : twipsToPixels(twips, this));
    }
}

void ListView::mousePressEvent(QMouseEvent* event) {
    Q_EMIT mouseDown(event->button());
    QTreeView::mousePressEvent(event);
}

void ListView::mouseDoubleClickEvent(QMouseEvent* event) {
    QTreeView::mouseDoubleClickEvent(event);
    if (indexAt(event->position().toPoint()).isValid()) {
        Q_EMIT rowDoubleClicked();
    }
}

void ListView::keyPressEvent(QKeyEvent* event) {
    // Moving to another row with the keys selects it as a click would.
    const int before = currentIndex().row();
    QTreeView::keyPressEvent(event);
    const int after = currentIndex().row();
    if (after >= 0 && after != before) {
        Q_EMIT itemClicked(after + 1);
    }
    Q_EMIT keyDown(event->key(), event->modifiers());
}
