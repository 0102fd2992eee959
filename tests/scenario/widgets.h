#pragma once

#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

#include "scenario.h"

class QAbstractItemView;
class QComboBox;
class QTabBar;
class QWidget;

// How the runner finds the program's windows and controls and reads what a
// user would see in them.
namespace scenario {

struct Lookup {
    QWidget* widget = nullptr;
    QString problem;      // why no single widget was found
    QStringList context;  // what there is instead
};

// The one window named target.window (a shown one before hidden ones) and
// the one control in it named target.object.
Lookup find(const Target& target);

// The open windows with this objectName.
QList<QWidget*> windowsNamed(const QString& name);

// The names among names that look like wanted, closest first.
QStringList similarNames(const QString& wanted, const QStringList& names);

// Shown modal windows and popups: while one is open the user can act only
// inside it.
QList<QWidget*> blockingWindows();
// The modal window that keeps the user out of window, or nullptr.
QWidget* blockerOf(QWidget* window);

// "QPushButton frmMain.cmdEnd", for messages.
QString describe(QWidget* widget);
// The objectName of a window, or its class when it has none.
QString windowName(QWidget* window);

// The text a user reads on a label, box, button, combo box, group box or
// window title; nothing for other controls. Line breaks read as CR LF.
std::optional<QString> textOf(QWidget* widget);

QTabBar* tabBarOf(QWidget* widget);
QString tabKey(const QTabBar* bar, int index);
QStringList tabKeys(const QTabBar* bar);

QStringList comboItems(const QComboBox* combo);

// The cells of a list row (0-based) in column order.
QStringList rowCells(const QAbstractItemView* view, int row);
// The colour a cell's text is drawn in and whether it is bold.
QColor cellColor(const QAbstractItemView* view, int row, int column);
bool cellBold(const QAbstractItemView* view, int row, int column);
QString headerText(const QAbstractItemView* view, int column);
// A column's width in twips; nothing when the view has no columns of its own.
std::optional<int> columnWidthTwips(const QAbstractItemView* view, int column);
// The headers and the first rows of a list, for failure reports.
QStringList listContext(const QAbstractItemView* view);

}  // namespace scenario
