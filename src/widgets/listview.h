#pragma once

#include <QTreeView>

#include "widgets/listmodel.h"

// A report-style list over a ListModel: several rows may be selected, column
// widths follow the model's widths in twips, and clicks and keys are reported
// with 1-based row numbers.
class ListView : public QTreeView {
    Q_OBJECT

  public:
    explicit ListView(const QString& name, QWidget* parent = nullptr);

    ListModel& listModel() { return model_; }
    const ListModel& listModel() const { return model_; }

    int count() const { return model_.rowCount(); }
    // 0-based rows that are selected, in ascending order.
    QList<int> selectedRows() const;
    int selectedCount() const;

    int columnWidthTwips(int column) const;

    // The list's sort order, reversed by every column-header sort.
    Qt::SortOrder sortOrder = Qt::AscendingOrder;

  Q_SIGNALS:
    void itemClicked(int row);  // 1-based
    void rowDoubleClicked();
    void keyDown(int key, Qt::KeyboardModifiers modifiers);
    void mouseDown(Qt::MouseButton button);
    void columnClicked(int column);  // 1-based

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void applyColumnWidth(int column);

    ListModel model_;
};
