#pragma once

#include <QList>
#include <QSize>
#include <QString>
#include <Qt>

class QAbstractButton;
class QAbstractItemView;
class QComboBox;
class QHeaderView;
class QTabBar;
class QWidget;

// The user's input as the actions of a scenario make it: mouse clicks and key
// presses sent to the program's controls through the event system. Rows and
// columns are counted from 0.
namespace scenario::input {

// The user's input goes to the active window.
void activate(QWidget* widget);
void focus(QWidget* widget);

void click(QWidget* widget);
void clickButton(QAbstractButton* button);

// Controls that take typed or pasted text.
bool isTextBox(QWidget* widget);
bool canPaste(QWidget* widget);
// Both replace the text the control had.
void typeText(QWidget* widget, const QString& text);
void pasteText(QWidget* widget, const QString& text);
// A named key, or the one character of text when there is one.
void pressKey(QWidget* widget, Qt::Key key, const QString& text);

void chooseItem(QComboBox* combo, int index);
void clickTab(QTabBar* bar, int index);

QHeaderView* headerOf(QAbstractItemView* view);
// The first row clicked alone, the others added with Ctrl.
void clickRows(QAbstractItemView* view, const QList<int>& rows);
void doubleClickRow(QAbstractItemView* view, int row, Qt::MouseButton button);
void clickHeader(QAbstractItemView* view, QHeaderView* header, int column);

// As the close box of the window's frame does it: through the window system,
// so that the program sees a close by the user.
void closeByFrame(QWidget* window);

// As dragging the window's frame does it: the window system gives the window
// its new client area later, as it does after a user's drag. The window
// manager's part, keeping to the window's minimum and maximum, is the
// caller's.
void resizeByFrame(QWidget* window, QSize size);

}  // namespace scenario::input
