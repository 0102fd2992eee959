#include "input.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QStyleOptionButton>
#include <QTabBar>
#include <QTableView>
#include <QTest>
#include <QTextEdit>
#include <QTreeView>
#include <QWindow>

namespace scenario::input {

namespace {

// Check boxes and option buttons take clicks only on their indicator and text.
QPoint buttonPoint(QAbstractButton* button) {
    QStyle::SubElement element;
    if (qobject_cast<QCheckBox*>(button) != nullptr) {
        element = QStyle::SE_CheckBoxClickRect;
    } else if (qobject_cast<QRadioButton*>(button) != nullptr) {
        element = QStyle::SE_RadioButtonClickRect;
    } else {
        return button->rect().center();
    }
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    option.icon = button->icon();
    option.iconSize = button->iconSize();
    const QRect area = button->style()->subElementRect(element, &option, button);
    return area.isValid() ? area.center() : button->rect().center();
}

void selectAllText(QWidget* widget) {
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        edit->selectAll();
    } else if (auto* spin = qobject_cast<QAbstractSpinBox*>(widget)) {
        spin->selectAll();
    } else if (auto* text = qobject_cast<QTextEdit*>(widget)) {
        text->selectAll();
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(widget)) {
        plain->selectAll();
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        combo->lineEdit()->selectAll();
    }
}

void pressCharacter(QWidget* widget, char32_t code) {
    const QString text = QString::fromUcs4(&code, 1);
    const Qt::Key key = code < 128 ? QTest::asciiToKey(char(code)) : Qt::Key_unknown;
    QTest::sendKeyEvent(QTest::Click, widget, key, text, Qt::NoModifier);
}

// Where a user clicks a row: in its first column that has a width, scrolled
// into view.
QPoint rowPoint(QAbstractItemView* view, int row) {
    const QAbstractItemModel* model = view->model();
    int column = 0;
    if (QHeaderView* header = headerOf(view)) {
        for (int c = 0; c < model->columnCount(); ++c) {
            if (!header->isSectionHidden(c) && header->sectionSize(c) > 0) {
                column = c;
                break;
            }
        }
    }
    const QModelIndex index = model->index(row, column);
    view->scrollTo(index);
    const QRect cell = view->visualRect(index);
    const QRect shown = cell.intersected(view->viewport()->rect());
    return shown.isEmpty() ? cell.center() : shown.center();
}

void clickRow(QAbstractItemView* view, int row, Qt::KeyboardModifiers modifiers) {
    activate(view);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, modifiers, rowPoint(view, row));
}

}  // namespace

void activate(QWidget* widget) {
    QWidget* window = widget->window();
    if (QApplication::activeWindow() != window) {
        window->activateWindow();
        QApplication::setActiveWindow(window);
    }
}

void focus(QWidget* widget) {
    activate(widget);
    if (!widget->hasFocus()) {
        widget->setFocus(Qt::OtherFocusReason);
    }
}

void clickButton(QAbstractButton* button) {
    activate(button);
    QPointer<QAbstractButton> guard(button);
    const QPoint at = buttonPoint(button);
    QTest::mousePress(button, Qt::LeftButton, {}, at);
    if (guard && !guard->isDown()) {
        // The press missed the button's hit area: finish it as a click.
        QTest::mouseRelease(guard, Qt::LeftButton, {}, at);
        if (guard) {
            guard->click();
        }
        return;
    }
    if (guard) {
        QTest::mouseRelease(guard, Qt::LeftButton, {}, at);
    }
}

void click(QWidget* widget) {
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        clickButton(button);
        return;
    }
    activate(widget);
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
}

bool isTextBox(QWidget* widget) {
    auto* combo = qobject_cast<QComboBox*>(widget);
    return qobject_cast<QLineEdit*>(widget) != nullptr ||
           qobject_cast<QAbstractSpinBox*>(widget) != nullptr ||
           qobject_cast<QTextEdit*>(widget) != nullptr ||
           qobject_cast<QPlainTextEdit*>(widget) != nullptr ||
           (combo != nullptr && combo->isEditable());
}

bool canPaste(QWidget* widget) {
    auto* combo = qobject_cast<QComboBox*>(widget);
    return qobject_cast<QLineEdit*>(widget) != nullptr ||
           qobject_cast<QTextEdit*>(widget) != nullptr ||
           qobject_cast<QPlainTextEdit*>(widget) != nullptr ||
           (combo != nullptr && combo->isEditable());
}

void typeText(QWidget* widget, const QString& text) {
    focus(widget);
    selectAllText(widget);
    QPointer<QWidget> guard(widget);
    const QList<uint> codes = text.toUcs4();
    for (qsizetype i = 0; i < codes.size() && guard; ++i) {
        const char32_t code = codes[i];
        if (code == U'\r' || code == U'\n') {
            if (code == U'\r' && i + 1 < codes.size() && codes[i + 1] == U'\n') {
                ++i;  // CR LF is one press of Enter
            }
            QTest::keyClick(widget, Qt::Key_Return);
        } else if (code == U'\t') {
            QTest::keyClick(widget, Qt::Key_Tab);
        } else {
            pressCharacter(widget, code);
        }
    }
}

void pasteText(QWidget* widget, const QString& text) {
    focus(widget);
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        widget = combo->lineEdit();
    }
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        edit->selectAll();
        edit->insert(text);
    } else if (auto* rich = qobject_cast<QTextEdit*>(widget)) {
        rich->selectAll();
        rich->insertPlainText(text);
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(widget)) {
        plain->selectAll();
        plain->insertPlainText(text);
    }
}

void pressKey(QWidget* widget, Qt::Key key, const QString& text) {
    focus(widget);
    if (text.isEmpty()) {
        QTest::keyClick(widget, key);
    } else {
        pressCharacter(widget, text.toUcs4().first());
    }
}

void chooseItem(QComboBox* combo, int index) {
    focus(combo);
    QPointer<QComboBox> guard(combo);
    combo->setCurrentIndex(index);
    if (guard) {
        Q_EMIT combo->activated(index);
    }
    if (guard) {
        Q_EMIT combo->textActivated(combo->itemText(index));
    }
}

void clickTab(QTabBar* bar, int index) {
    activate(bar);
    const QPoint at = bar->tabRect(index).center();
    if (bar->rect().contains(at)) {
        QTest::mouseClick(bar, Qt::LeftButton, {}, at);
    } else {
        bar->setCurrentIndex(index);  // scrolled out of the strip
    }
}

QHeaderView* headerOf(QAbstractItemView* view) {
    if (auto* tree = qobject_cast<QTreeView*>(view)) {
        return tree->header();
    }
    if (auto* table = qobject_cast<QTableView*>(view)) {
        return table->horizontalHeader();
    }
    return nullptr;
}

void clickRows(QAbstractItemView* view, const QList<int>& rows) {
    QPointer<QAbstractItemView> guard(view);
    for (qsizetype i = 0; i < rows.size() && guard; ++i) {
        clickRow(view, rows[i],
                 i == 0 ? Qt::NoModifier : Qt::KeyboardModifiers(Qt::ControlModifier));
    }
}

void doubleClickRow(QAbstractItemView* view, int row, Qt::MouseButton button) {
    activate(view);
    QPointer<QWidget> viewport(view->viewport());
    const QPoint at = rowPoint(view, row);
    QTest::mousePress(viewport, button, {}, at);
    if (viewport) {
        QTest::mouseRelease(viewport, button, {}, at);
    }
    if (viewport) {
        QTest::mouseDClick(viewport, button, {}, at);
    }
    if (viewport) {
        QTest::mouseRelease(viewport, button, {}, at);
    }
}

void clickHeader(QAbstractItemView* view, QHeaderView* header, int column) {
    activate(view);
    if (header->isSectionHidden(column) || header->sectionSize(column) == 0) {
        // A column of no width cannot be hit; the program hears of it all the same.
        Q_EMIT header->sectionClicked(column);
        return;
    }
    const int width = header->viewport()->width();
    int left = header->sectionViewportPosition(column);
    if (left < 0 || left + header->sectionSize(column) > width) {
        view->horizontalScrollBar()->setValue(header->sectionPosition(column));
        left = header->sectionViewportPosition(column);
    }
    const int shownLeft = std::max(left, 0);
    const int shownRight = std::min(left + header->sectionSize(column), width);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint((shownLeft + shownRight) / 2, header->viewport()->height() / 2));
}

void closeByFrame(QWidget* window) {
    if (QWindow* handle = window->windowHandle()) {
        QCloseEvent event;
        QCoreApplication::sendEvent(handle, &event);
    } else {
        window->close();
    }
}

void resizeByFrame(QWidget* window, QSize size) {
    if (QWindow* handle = window->windowHandle()) {
        handle->resize(size);
    } else {
        window->resize(size);
    }
}

}  // namespace scenario::input
