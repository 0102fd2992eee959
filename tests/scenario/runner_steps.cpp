// The steps of a scenario: set-up, answers, actions as a user makes them, and
// checks of what a user and the disk would see.
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
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

#include "fileprinter.h"
#include "runner.h"
#include "storage/binarycipher.h"
#include "storage/cp932.h"
#include "widgets.h"

using namespace Qt::StringLiterals;

namespace scenario {

namespace {

constexpr int WidthToleranceTwips = 15;

QString yesNo(bool value, const QString& yes, const QString& no) {
    return value ? yes : no;
}

QString dateText(QDate date) {
    return date.toString(u"yyyy/MM/dd"_s);
}

QString colorText(const QColor& color) {
    return u"%1,%2,%3"_s.arg(color.red()).arg(color.green()).arg(color.blue());
}

// The user's input goes to the active window.
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

bool canPaste(QWidget* widget) {
    auto* combo = qobject_cast<QComboBox*>(widget);
    return qobject_cast<QLineEdit*>(widget) != nullptr ||
           qobject_cast<QTextEdit*>(widget) != nullptr ||
           qobject_cast<QPlainTextEdit*>(widget) != nullptr ||
           (combo != nullptr && combo->isEditable());
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

// As the close box of the window's frame does it: through the window system,
// so that the program sees a close by the user.
void closeByFrame(QWidget* window) {
    if (QWindow* handle = window->windowHandle()) {
        QCloseEvent event;
        QCoreApplication::sendEvent(handle, &event);
    } else {
        window->close();
    }
}

QString hiddenBy(QWidget* widget) {
    for (QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
        if (w->isHidden()) {
            return w == widget ? QString() : u" (inside hidden "_s + w->objectName() + u')';
        }
        if (w->isWindow()) {
            break;
        }
    }
    return {};
}

QString disabledBy(QWidget* widget) {
    for (QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
        if (w->testAttribute(Qt::WA_Disabled)) {
            return w == widget ? QString() : u" (by disabled "_s + w->objectName() + u')';
        }
        if (w->isWindow()) {
            break;
        }
    }
    return {};
}

}  // namespace

Runner::Outcome Runner::attempt(const Step& step) {
    switch (step.kind) {
        case StepKind::Start:
        case StepKind::Restart:
            return startProgram(step);
        case StepKind::Expect:
            return expect(step);
        default:
            return step.isAction() ? action(step) : setUp(step);
    }
}

Runner::Outcome Runner::setUp(const Step& step) {
    switch (step.kind) {
        case StepKind::Today:
            clock_.setToday(step.date);
            return passed();
        case StepKind::Write: {
            const QString path = resolve(step.text);
            QString text;
            for (const QString& line : step.lines) {
                text += expand(line) + u"\r\n"_s;
            }
            cp932::Encoded encoded = cp932::encode(text);
            if (!encoded.ok()) {
                return failed({u"text that code page 932 can hold"_s, encoded.error, {}});
            }
            if (step.flag) {
                mdlBinaryCipher::CipherBuffer(encoded.bytes);
            }
            QDir().mkpath(QFileInfo(path).absolutePath());
            QFile file(path);
            if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
                file.write(encoded.bytes) != encoded.bytes.size()) {
                return failed({u"the file written"_s, file.errorString(), {path}});
            }
            return passed();
        }
        case StepKind::Clipboard: {
            QStringList lines;
            for (const QString& line : step.lines) {
                lines.append(expand(line));
            }
            QGuiApplication::clipboard()->setText(lines.join(u"\r\n"_s));
            return passed();
        }
        case StepKind::Message:
            prompter_.expect(step.answer, expand(step.text), expand(step.message));
            queuedMessages_.append(index_);
            return passed();
        case StepKind::File:
        case StepKind::Folder: {
            std::optional<QString> path;
            if (!step.cancel) {
                path = QDir::toNativeSeparators(resolve(step.text));
            }
            if (step.kind == StepKind::File) {
                dialogs_.answerFile(path);
            } else {
                dialogs_.answerFolder(path);
            }
            queuedDialogs_.append(index_);
            return passed();
        }
        case StepKind::Printer:
            dialogs_.answerPrinter(
                step.cancel ? nullptr
                            : std::make_unique<FilePrinter>(resolve(step.text), printerFaults_));
            queuedDialogs_.append(index_);
            return passed();
        case StepKind::ShellResult:
            shell_.queueResult(step.numbers.first());
            queuedShellResults_.append(index_);
            return passed();
        case StepKind::Shot:
            saveShots(step.text);
            return passed();
        default:
            return failed({u"a set-up step"_s, u"a step the runner cannot run"_s, {}});
    }
}

Runner::Outcome Runner::startProgram(const Step& step) {
    if (step.kind == StepKind::Restart && (!started_ || lock_.held())) {
        return failed({u"the program to have ended"_s,
                       started_ ? u"it is still running"_s : u"it was never started"_s,
                       {}});
    }
    return act([this] {
        started_ = true;
        const bool lockWasFree = !lock_.held();
        frmMain* window = StartProgram(platform_, options_.programFolder);
        if (window == nullptr) {
            if (lockWasFree) {
                lock_.release();  // this copy ended during its load sequence
            }
            return;
        }
        program_ = window;
        connect(window, &frmMain::ended, this, [this] { lock_.release(); });
        if (window->programEnded()) {
            lock_.release();
        }
    });
}

Runner::Outcome Runner::actionTarget(const Step& step, QWidget** widget) {
    const QString wanted = u"a shown, enabled "_s + step.target.display();
    const Lookup found = find(step.target);
    if (found.widget == nullptr) {
        return retry({wanted, found.problem, found.context});
    }
    if (!found.widget->isVisible()) {
        return retry(
            {wanted, describe(found.widget) + u" is hidden"_s + hiddenBy(found.widget), {}});
    }
    if (QWidget* blocker = blockerOf(found.widget->window())) {
        return retry({wanted,
                      windowName(found.widget->window()) + u" is blocked by the modal window "_s +
                          windowName(blocker),
                      {}});
    }
    if (!found.widget->isEnabled()) {
        return failed(
            {wanted, describe(found.widget) + u" is disabled"_s + disabledBy(found.widget), {}});
    }
    *widget = found.widget;
    return passed();
}

Runner::Outcome Runner::action(const Step& step) {
    QWidget* widget = nullptr;
    const Outcome target = actionTarget(step, &widget);
    if (target.kind != Outcome::Passed) {
        return target;
    }
    const auto wrongKind = [&](const QString& needed) {
        return failed({needed, describe(widget), {}});
    };
    auto* view = qobject_cast<QAbstractItemView*>(widget);
    const auto rowsExist = [&](const QList<int>& rows) -> std::optional<Outcome> {
        const int count = view->model()->rowCount();
        for (int row : rows) {
            if (row > count) {
                return retry({u"row %1 in %2"_s.arg(row).arg(step.target.display()),
                              u"the list has %1 rows"_s.arg(count), listContext(view)});
            }
        }
        return std::nullopt;
    };

    switch (step.kind) {
        case StepKind::Click:
            return act([widget] { click(widget); });
        case StepKind::Check: {
            auto* button = qobject_cast<QAbstractButton*>(widget);
            if (button == nullptr || !button->isCheckable()) {
                return wrongKind(u"a check box or option button"_s);
            }
            return act([button, on = step.flag] {
                if (button->isChecked() != on) {
                    clickButton(button);
                }
            });
        }
        case StepKind::Type:
            if (!isTextBox(widget)) {
                return wrongKind(u"a text box"_s);
            }
            return act([widget, text = expand(step.text)] { typeText(widget, text); });
        case StepKind::Paste:
            if (!canPaste(widget)) {
                return wrongKind(u"a text box"_s);
            }
            return act([widget, text = expand(step.text)] { pasteText(widget, text); });
        case StepKind::Key:
            return act([widget, key = step.key, text = step.keyText] {
                focus(widget);
                if (text.isEmpty()) {
                    QTest::keyClick(widget, key);
                } else {
                    pressCharacter(widget, text.toUcs4().first());
                }
            });
        case StepKind::Choose: {
            auto* combo = qobject_cast<QComboBox*>(widget);
            if (combo == nullptr) {
                return wrongKind(u"a combo box"_s);
            }
            const QString text = expand(step.text);
            const int index = combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
            if (index < 0) {
                return retry({u"an item "_s + quoted(text),
                              u"no such item"_s,
                              {u"items: "_s + comboItems(combo).join(u", "_s)}});
            }
            return act([combo, index] {
                focus(combo);
                QPointer<QComboBox> guard(combo);
                combo->setCurrentIndex(index);
                if (guard) {
                    Q_EMIT combo->activated(index);
                }
                if (guard) {
                    Q_EMIT combo->textActivated(combo->itemText(index));
                }
            });
        }
        case StepKind::Date: {
            auto* picker = qobject_cast<QDateTimeEdit*>(widget);
            if (picker == nullptr) {
                return wrongKind(u"a date picker"_s);
            }
            if (step.date < picker->minimumDate() || step.date > picker->maximumDate()) {
                return failed({u"a date the picker offers"_s,
                               u"it offers %1 to %2"_s.arg(dateText(picker->minimumDate()),
                                                           dateText(picker->maximumDate())),
                               {}});
            }
            return act([picker, date = step.date] {
                focus(picker);
                picker->setDate(date);
            });
        }
        case StepKind::Tab: {
            QTabBar* bar = tabBarOf(widget);
            if (bar == nullptr) {
                return wrongKind(u"a tab strip"_s);
            }
            const int index = int(tabKeys(bar).indexOf(step.text));
            if (index < 0) {
                return retry({u"a tab "_s + step.text,
                              u"no such tab"_s,
                              {u"tabs: "_s + tabKeys(bar).join(u", "_s)}});
            }
            if (!bar->isTabEnabled(index)) {
                return failed({u"an enabled tab "_s + step.text, u"the tab is disabled"_s, {}});
            }
            return act([bar, index] {
                activate(bar);
                const QPoint at = bar->tabRect(index).center();
                if (bar->rect().contains(at)) {
                    QTest::mouseClick(bar, Qt::LeftButton, {}, at);
                } else {
                    bar->setCurrentIndex(index);  // scrolled out of the strip
                }
            });
        }
        case StepKind::Select:
        case StepKind::DoubleClick:
            if (view == nullptr || view->model() == nullptr) {
                return wrongKind(u"a list"_s);
            }
            if (const std::optional<Outcome> missing = rowsExist(step.numbers)) {
                return *missing;
            }
            if (step.kind == StepKind::DoubleClick) {
                return act([view, row = step.numbers.first() - 1, right = step.flag] {
                    doubleClickRow(view, row, right ? Qt::RightButton : Qt::LeftButton);
                });
            }
            return act([view, rows = step.numbers] {
                QPointer<QAbstractItemView> guard(view);
                for (qsizetype i = 0; i < rows.size() && guard; ++i) {
                    clickRow(view, rows[i] - 1,
                             i == 0 ? Qt::NoModifier : Qt::KeyboardModifiers(Qt::ControlModifier));
                }
            });
        case StepKind::Header: {
            QHeaderView* header = view != nullptr ? headerOf(view) : nullptr;
            if (header == nullptr || view->model() == nullptr) {
                return wrongKind(u"a list with column headers"_s);
            }
            const int column = step.numbers.first();
            if (column > view->model()->columnCount()) {
                return retry({u"column %1"_s.arg(column),
                              u"the list has %1 columns"_s.arg(view->model()->columnCount()),
                              listContext(view)});
            }
            if (!header->isVisible()) {
                return failed({u"a shown column header"_s, u"the header row is hidden"_s, {}});
            }
            return act([view, header, column] { clickHeader(view, header, column - 1); });
        }
        case StepKind::Close:
            if (!widget->isWindow()) {
                return wrongKind(u"a window"_s);
            }
            return act([widget] { closeByFrame(widget); });
        default:
            return failed({u"an action"_s, u"a step the runner cannot run"_s, {}});
    }
}

Runner::Outcome Runner::expect(const Step& step) {
    switch (step.property) {
        case Property::Ended: {
            if (started_ && !lock_.held()) {
                return passed();
            }
            return retry({u"the program has ended"_s,
                          started_ ? u"it is running"_s : u"it was never started"_s,
                          {}});
        }
        case Property::Window: {
            const QList<QWidget*> windows = windowsNamed(step.target.window);
            const bool open = !windows.isEmpty() && windows.first()->isVisible();
            if (open == step.flag) {
                return passed();
            }
            return retry({u"window %1 %2"_s.arg(step.target.window,
                                                yesNo(step.flag, u"open"_s, u"closed"_s)),
                          open                ? u"it is open"_s
                          : windows.isEmpty() ? u"there is no such window"_s
                                              : u"it exists but is hidden"_s,
                          {}});
        }
        case Property::Shell: {
            const QString wanted = expand(step.text);
            const QStringList& opened = shell_.opened();
            if (!opened.isEmpty() && opened.last() == wanted) {
                return passed();
            }
            Failure failure{quoted(wanted), u"nothing was opened"_s, {}};
            if (!opened.isEmpty()) {
                failure.found = quoted(opened.last());
                failure.context.append(u"opened so far: %1"_s.arg(opened.size()));
                for (const QString& target : opened) {
                    failure.context.append(u"  "_s + quoted(target));
                }
            }
            return retry(failure);
        }
        case Property::FileExists: {
            const QString path = resolve(step.text);
            const bool exists = QFileInfo::exists(path);
            if (exists == step.flag) {
                return passed();
            }
            return retry(
                {QDir::toNativeSeparators(path) + yesNo(step.flag, u" exists"_s, u" missing"_s),
                 yesNo(exists, u"it exists"_s, u"there is no such file or folder"_s),
                 {}});
        }
        case Property::Plain:
        case Property::PlainText:
            return expectFile(step);
        default:
            break;
    }
    const Lookup found = find(step.target);
    if (found.widget == nullptr) {
        return retry({step.target.display(), found.problem, found.context});
    }
    return expectControl(step, found.widget);
}

Runner::Outcome Runner::expectControl(const Step& step, QWidget* widget) {
    const auto wrongKind = [&](const QString& needed) {
        return failed({needed, describe(widget), {}});
    };
    auto* view = qobject_cast<QAbstractItemView*>(widget);
    const bool isList = view != nullptr && view->model() != nullptr;

    switch (step.property) {
        case Property::Text: {
            const std::optional<QString> text = textOf(widget);
            if (!text) {
                return wrongKind(u"a control that shows a text"_s);
            }
            const QString wanted = expand(step.text);
            if (*text == wanted) {
                return passed();
            }
            Failure failure{quoted(wanted), quoted(*text), {}};
            if (auto* combo = qobject_cast<QComboBox*>(widget)) {
                failure.context.append(u"items: "_s + comboItems(combo).join(u", "_s));
            }
            return retry(failure);
        }
        case Property::Enabled:
            if (widget->isEnabled() == step.flag) {
                return passed();
            }
            return retry(
                {yesNo(step.flag, u"enabled"_s, u"disabled"_s),
                 yesNo(widget->isEnabled(), u"enabled"_s, u"disabled"_s) + disabledBy(widget),
                 {}});
        case Property::Visible:
            if (widget->isVisible() == step.flag) {
                return passed();
            }
            return retry({yesNo(step.flag, u"shown"_s, u"hidden"_s),
                          yesNo(widget->isVisible(), u"shown"_s, u"hidden"_s) + hiddenBy(widget),
                          {}});
        case Property::Checked: {
            auto* button = qobject_cast<QAbstractButton*>(widget);
            if (button == nullptr || !button->isCheckable()) {
                return wrongKind(u"a check box or option button"_s);
            }
            if (button->isChecked() == step.flag) {
                return passed();
            }
            return retry({yesNo(step.flag, u"checked"_s, u"not checked"_s),
                          yesNo(button->isChecked(), u"checked"_s, u"not checked"_s),
                          {}});
        }
        case Property::Date: {
            auto* picker = qobject_cast<QDateTimeEdit*>(widget);
            if (picker == nullptr) {
                return wrongKind(u"a date picker"_s);
            }
            if (picker->date() == step.date) {
                return passed();
            }
            return retry({dateText(step.date), dateText(picker->date()), {}});
        }
        case Property::Value: {
            std::optional<int> value;
            if (auto* bar = qobject_cast<QProgressBar*>(widget)) {
                value = bar->value();
            } else if (auto* slider = qobject_cast<QAbstractSlider*>(widget)) {
                value = slider->value();
            } else if (auto* spin = qobject_cast<QSpinBox*>(widget)) {
                value = spin->value();
            }
            if (!value) {
                return wrongKind(u"a progress bar"_s);
            }
            if (*value == step.numbers.first()) {
                return passed();
            }
            return retry({QString::number(step.numbers.first()), QString::number(*value), {}});
        }
        case Property::Tab: {
            QTabBar* bar = tabBarOf(widget);
            if (bar == nullptr) {
                return wrongKind(u"a tab strip"_s);
            }
            const QString key = tabKey(bar, bar->currentIndex());
            if (key == step.text) {
                return passed();
            }
            return retry({step.text,
                          key.isEmpty() ? u"no tab selected"_s : key,
                          {u"tabs: "_s + tabKeys(bar).join(u", "_s)}});
        }
        default:
            break;
    }

    if (!isList) {
        return wrongKind(u"a list"_s);
    }
    const QAbstractItemModel* model = view->model();
    const int rows = model->rowCount();
    const int columns = model->columnCount();
    const auto notThere = [&](const QString& wanted, int row,
                              int column) -> std::optional<Outcome> {
        if (row > rows) {
            return retry({wanted, u"the list has %1 rows"_s.arg(rows), listContext(view)});
        }
        if (column > columns) {
            return retry({wanted, u"the list has %1 columns"_s.arg(columns), listContext(view)});
        }
        return std::nullopt;
    };

    switch (step.property) {
        case Property::Rows:
            if (rows == step.numbers.first()) {
                return passed();
            }
            return retry({u"%1 rows"_s.arg(step.numbers.first()), u"%1 rows"_s.arg(rows),
                          listContext(view)});
        case Property::Row: {
            QStringList wanted;
            for (const QString& cell : step.cells) {
                wanted.append(expand(cell));
            }
            const int row = step.numbers.first();
            if (auto missing = notThere(quotedRow(wanted), row, 0)) {
                return *missing;
            }
            const QStringList cells = rowCells(view, row - 1);
            if (cells == wanted) {
                return passed();
            }
            Failure failure{quotedRow(wanted), quotedRow(cells), listContext(view)};
            if (cells.size() != wanted.size()) {
                failure.found += u" (%1 cells, not %2)"_s.arg(cells.size()).arg(wanted.size());
            }
            return retry(failure);
        }
        case Property::Cell: {
            const int row = step.numbers[0];
            const int column = step.numbers[1];
            const QString text = expand(step.text);
            QString wanted = quoted(text);
            if (step.color) {
                wanted += u" color "_s + colorText(*step.color);
            }
            if (step.bold) {
                wanted += yesNo(*step.bold, u" bold"_s, u" plain"_s);
            }
            if (auto missing = notThere(wanted, row, column)) {
                return *missing;
            }
            const QModelIndex index = model->index(row - 1, column - 1);
            const QString cellText = index.data(Qt::DisplayRole).toString();
            const QColor color = cellColor(view, row - 1, column - 1);
            const bool bold = cellBold(view, row - 1, column - 1);
            QString found = quoted(cellText);
            bool same = cellText == text;
            if (step.color) {
                found += u" color "_s + colorText(color);
                same = same && color.rgb() == step.color->rgb();
            }
            if (step.bold) {
                found += yesNo(bold, u" bold"_s, u" plain"_s);
                same = same && bold == *step.bold;
            }
            if (same) {
                return passed();
            }
            return retry({wanted, found, listContext(view)});
        }
        case Property::Header: {
            const int column = step.numbers.first();
            const QString wanted = expand(step.text);
            if (auto missing = notThere(quoted(wanted), 0, column)) {
                return *missing;
            }
            const QString header = headerText(view, column - 1);
            if (header == wanted) {
                return passed();
            }
            return retry({quoted(wanted), quoted(header), listContext(view)});
        }
        case Property::Width: {
            const int column = step.numbers[0];
            const int wanted = step.numbers[1];
            if (auto missing = notThere(u"%1 twips"_s.arg(wanted), 0, column)) {
                return *missing;
            }
            const std::optional<int> width = columnWidthTwips(view, column - 1);
            if (!width) {
                return wrongKind(u"a list with columns"_s);
            }
            if (std::abs(*width - wanted) <= WidthToleranceTwips) {
                return passed();
            }
            QStringList widths;
            for (int c = 0; c < columns; ++c) {
                widths.append(QString::number(columnWidthTwips(view, c).value_or(0)));
            }
            return retry({u"%1 twips"_s.arg(wanted),
                          u"%1 twips"_s.arg(*width),
                          {u"column widths: "_s + widths.join(u", "_s)}});
        }
        default:
            return failed({u"a check"_s, u"a check the runner cannot make"_s, {}});
    }
}

Runner::Outcome Runner::expectFile(const Step& step) {
    const QString path = resolve(step.text);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return retry({u"the file "_s + QDir::toNativeSeparators(path),
                      QFileInfo::exists(path) ? file.errorString() : u"there is no such file"_s,
                      {}});
    }
    QByteArray bytes = file.readAll();
    if (step.property == Property::Plain) {
        mdlBinaryCipher::CipherBuffer(bytes);
    }
    QStringList wanted;
    for (const QString& line : step.lines) {
        wanted.append(expand(line));
    }
    if (const std::optional<Mismatch> mismatch = compareLines(cp932::decode(bytes), wanted)) {
        return retry(*mismatch);
    }
    return passed();
}

}  // namespace scenario
