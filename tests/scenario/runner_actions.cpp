// The actions of a scenario: what a user does to a shown, enabled control.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QHeaderView>
#include <QTabBar>

#include "findings.h"
#include "input.h"
#include "runner.h"
#include "widgets.h"
#include "widgets/twips.h"

using namespace Qt::StringLiterals;

namespace scenario {

namespace {

// The list a user can click rows of, or nullptr.
QAbstractItemView* listOf(QWidget* widget) {
    auto* view = qobject_cast<QAbstractItemView*>(widget);
    return view != nullptr && view->model() != nullptr ? view : nullptr;
}

// The first of the step's rows that the list does not have yet.
std::optional<Mismatch> missingRow(QAbstractItemView* view, const Step& step) {
    const int count = view->model()->rowCount();
    for (int row : step.numbers) {
        if (row > count) {
            return Mismatch{u"row %1 in %2"_s.arg(row).arg(step.target.display()),
                            u"the list has %1 rows"_s.arg(count), listContext(view)};
        }
    }
    return std::nullopt;
}

}  // namespace

Runner::Outcome Runner::action(const Step& step) {
    QWidget* widget = nullptr;
    const Outcome target = actionTarget(step, &widget);
    if (target.kind != Outcome::Passed) {
        return target;
    }
    using Handler = Outcome (Runner::*)(const Step&, QWidget*);
    static constexpr struct {
        StepKind kind;
        Handler handler;
    } handlers[] = {
        {StepKind::Click, &Runner::clickControl},
        {StepKind::Check, &Runner::setCheck},
        {StepKind::Type, &Runner::typeInto},
        {StepKind::Paste, &Runner::pasteInto},
        {StepKind::Key, &Runner::pressKeyIn},
        {StepKind::Choose, &Runner::chooseIn},
        {StepKind::Date, &Runner::setDateIn},
        {StepKind::Tab, &Runner::selectTab},
        {StepKind::Select, &Runner::selectRows},
        {StepKind::DoubleClick, &Runner::doubleClick},
        {StepKind::Header, &Runner::clickColumnHeader},
        {StepKind::Close, &Runner::closeWindow},
        {StepKind::Resize, &Runner::resizeWindow},
    };
    for (const auto& entry : handlers) {
        if (entry.kind == step.kind) {
            return (this->*entry.handler)(step, widget);
        }
    }
    return failed({u"an action"_s, u"a step the runner cannot run"_s, {}});
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

Runner::Outcome Runner::clickControl(const Step&, QWidget* widget) {
    return act([widget] { input::click(widget); });
}

Runner::Outcome Runner::setCheck(const Step& step, QWidget* widget) {
    auto* button = qobject_cast<QAbstractButton*>(widget);
    if (button == nullptr || !button->isCheckable()) {
        return failed(wrongKind(widget, u"a check box or option button"_s));
    }
    return act([button, on = step.flag] {
        if (button->isChecked() != on) {
            input::clickButton(button);
        }
    });
}

Runner::Outcome Runner::typeInto(const Step& step, QWidget* widget) {
    if (!input::isTextBox(widget)) {
        return failed(wrongKind(widget, u"a text box"_s));
    }
    return act([widget, text = expand(step.text)] { input::typeText(widget, text); });
}

Runner::Outcome Runner::pasteInto(const Step& step, QWidget* widget) {
    if (!input::canPaste(widget)) {
        return failed(wrongKind(widget, u"a text box"_s));
    }
    return act([widget, text = expand(step.text)] { input::pasteText(widget, text); });
}

Runner::Outcome Runner::pressKeyIn(const Step& step, QWidget* widget) {
    return act(
        [widget, key = step.key, text = step.keyText] { input::pressKey(widget, key, text); });
}

Runner::Outcome Runner::chooseIn(const Step& step, QWidget* widget) {
    auto* combo = qobject_cast<QComboBox*>(widget);
    if (combo == nullptr) {
        return failed(wrongKind(widget, u"a combo box"_s));
    }
    const QString text = expand(step.text);
    const int index = combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0) {
        return retry({u"an item "_s + quoted(text),
                      u"no such item"_s,
                      {u"items: "_s + comboItems(combo).join(u", "_s)}});
    }
    return act([combo, index] { input::chooseItem(combo, index); });
}

Runner::Outcome Runner::setDateIn(const Step& step, QWidget* widget) {
    auto* picker = qobject_cast<QDateTimeEdit*>(widget);
    if (picker == nullptr) {
        return failed(wrongKind(widget, u"a date picker"_s));
    }
    if (step.date < picker->minimumDate() || step.date > picker->maximumDate()) {
        return failed({u"a date the picker offers"_s,
                       u"it offers %1 to %2"_s.arg(dateText(picker->minimumDate()),
                                                   dateText(picker->maximumDate())),
                       {}});
    }
    return act([picker, date = step.date] {
        input::focus(picker);
        picker->setDate(date);
    });
}

Runner::Outcome Runner::selectTab(const Step& step, QWidget* widget) {
    QTabBar* bar = tabBarOf(widget);
    if (bar == nullptr) {
        return failed(wrongKind(widget, u"a tab strip"_s));
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
    return act([bar, index] { input::clickTab(bar, index); });
}

Runner::Outcome Runner::selectRows(const Step& step, QWidget* widget) {
    QAbstractItemView* view = listOf(widget);
    if (view == nullptr) {
        return failed(wrongKind(widget, u"a list"_s));
    }
    if (const std::optional<Mismatch> missing = missingRow(view, step)) {
        return retry(*missing);
    }
    QList<int> rows;
    for (int row : step.numbers) {
        rows.append(row - 1);
    }
    return act([view, rows] { input::clickRows(view, rows); });
}

Runner::Outcome Runner::doubleClick(const Step& step, QWidget* widget) {
    QAbstractItemView* view = listOf(widget);
    if (view == nullptr) {
        return failed(wrongKind(widget, u"a list"_s));
    }
    if (const std::optional<Mismatch> missing = missingRow(view, step)) {
        return retry(*missing);
    }
    return act([view, row = step.numbers.first() - 1, right = step.flag] {
        input::doubleClickRow(view, row, right ? Qt::RightButton : Qt::LeftButton);
    });
}

Runner::Outcome Runner::clickColumnHeader(const Step& step, QWidget* widget) {
    auto* view = qobject_cast<QAbstractItemView*>(widget);
    QHeaderView* header = view != nullptr ? input::headerOf(view) : nullptr;
    if (header == nullptr || view->model() == nullptr) {
        return failed(wrongKind(widget, u"a list with column headers"_s));
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
    return act([view, header, column] { input::clickHeader(view, header, column - 1); });
}

Runner::Outcome Runner::closeWindow(const Step&, QWidget* widget) {
    if (!widget->isWindow()) {
        return failed(wrongKind(widget, u"a window"_s));
    }
    return act([widget] { input::closeByFrame(widget); });
}

// The size is written at 96 dpi and grows with the screen's, as the window's
// own design does. Like a window manager, the drag keeps to the window's
// minimum and maximum; the step is done once the window has the size and has
// laid itself out in it.
Runner::Outcome Runner::resizeWindow(const Step& step, QWidget* widget) {
    if (!widget->isWindow()) {
        return failed(wrongKind(widget, u"a window"_s));
    }
    const QSize asked(twipsToPixels(step.numbers[0] * 15, widget),
                      twipsToPixels(step.numbers[1] * 15, widget));
    const QSize size = asked.expandedTo(widget->minimumSize()).boundedTo(widget->maximumSize());
    QString wanted = u"%1 with a client area of %2×%3 pixels"_s.arg(
        step.target.window, QString::number(size.width()), QString::number(size.height()));
    QStringList limits;
    if (size.width() > asked.width() || size.height() > asked.height()) {
        limits.append(
            u"its minimum is %1×%2"_s.arg(widget->minimumWidth()).arg(widget->minimumHeight()));
    }
    if (size.width() < asked.width() || size.height() < asked.height()) {
        limits.append(
            u"its maximum is %1×%2"_s.arg(widget->maximumWidth()).arg(widget->maximumHeight()));
    }
    if (!limits.isEmpty()) {
        wanted += u" (%1×%2 asked; %3)"_s.arg(asked.width())
                      .arg(asked.height())
                      .arg(limits.join(u"; "_s));
    }
    // Seen twice in a row: the event loop has turned once with the new size,
    // so the layout work it posted is done as well.
    auto seen = std::make_shared<int>(0);
    Effect effect = [window = QPointer<QWidget>(widget), size, wanted,
                     seen]() -> std::optional<Failure> {
        if (window == nullptr) {
            return Failure{wanted, u"the window is gone"_s, {}};
        }
        if (window->size() != size) {
            *seen = 0;
            return Failure{wanted,
                           u"its client area is %1×%2"_s.arg(window->width()).arg(window->height()),
                           {}};
        }
        if (++*seen < 2) {
            return Failure{wanted, u"the window has not laid itself out yet"_s, {}};
        }
        return std::nullopt;
    };
    return act([widget, size] { input::resizeByFrame(widget, size); }, std::move(effect));
}

}  // namespace scenario
