// The checks of expect steps on the program as a whole and on its controls.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QProgressBar>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTabBar>

#include "findings.h"
#include "runner.h"
#include "widgets.h"
#include "widgets/chartview.h"

using namespace Qt::StringLiterals;

namespace scenario {

namespace {

// Pixels of the screen as pixels at 96 dpi, the scale a scenario writes.
int designPixels(int pixels, const QWidget* widget) {
    return qRound(pixels * 96.0 / widget->logicalDpiX());
}

// The control's rectangle from the top-left corner of its window's client
// area; a window's own is its client area at 0 0.
QList<int> boxOf(QWidget* widget) {
    const QPoint at = widget->isWindow() ? QPoint() : widget->mapTo(widget->window(), QPoint());
    return {designPixels(at.x(), widget), designPixels(at.y(), widget),
            designPixels(widget->width(), widget), designPixels(widget->height(), widget)};
}

}  // namespace

Runner::Outcome Runner::expect(const Step& step) {
    using Handler = Outcome (Runner::*)(const Step&);
    static constexpr struct {
        Property property;
        Handler handler;
    } handlers[] = {
        {Property::Ended, &Runner::expectEnded},
        {Property::Window, &Runner::expectWindow},
        {Property::Shell, &Runner::expectShell},
        {Property::FileExists, &Runner::expectFileExists},
        {Property::Plain, &Runner::expectFile},
        {Property::PlainText, &Runner::expectFile},
        {Property::Bytes, &Runner::expectBytes},
        {Property::Utf8Text, &Runner::expectFile},
        {Property::Sealed, &Runner::expectSealed},
    };
    for (const auto& entry : handlers) {
        if (entry.property == step.property) {
            return (this->*entry.handler)(step);
        }
    }
    const Lookup found = find(step.target);
    if (found.widget == nullptr) {
        return retry({step.target.display(), found.problem, found.context});
    }
    return expectControl(step, found.widget);
}

Runner::Outcome Runner::expectEnded(const Step&) {
    if (started_ && !lock_.held()) {
        return passed();
    }
    return retry({u"the program has ended"_s,
                  started_ ? u"it is running"_s : u"it was never started"_s,
                  {}});
}

Runner::Outcome Runner::expectWindow(const Step& step) {
    const QList<QWidget*> windows = windowsNamed(step.target.window);
    const bool open = !windows.isEmpty() && windows.first()->isVisible();
    if (open == step.flag) {
        return passed();
    }
    return retry(
        {u"window %1 %2"_s.arg(step.target.window, yesNo(step.flag, u"open"_s, u"closed"_s)),
         open                ? u"it is open"_s
         : windows.isEmpty() ? u"there is no such window"_s
                             : u"it exists but is hidden"_s,
         {}});
}

Runner::Outcome Runner::expectShell(const Step& step) {
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

Runner::Outcome Runner::expectControl(const Step& step, QWidget* widget) {
    using Handler = Outcome (Runner::*)(const Step&, QWidget*);
    static constexpr struct {
        Property property;
        Handler handler;
    } handlers[] = {
        {Property::Text, &Runner::expectText},       {Property::Enabled, &Runner::expectEnabled},
        {Property::Visible, &Runner::expectVisible}, {Property::Checked, &Runner::expectChecked},
        {Property::Date, &Runner::expectDate},       {Property::Value, &Runner::expectValue},
        {Property::Tab, &Runner::expectTab},         {Property::Box, &Runner::expectBox},
        {Property::Series, &Runner::expectSeries},
    };
    for (const auto& entry : handlers) {
        if (entry.property == step.property) {
            return (this->*entry.handler)(step, widget);
        }
    }
    // Every other check looks at a list.
    auto* view = qobject_cast<QAbstractItemView*>(widget);
    if (view == nullptr || view->model() == nullptr) {
        return failed(wrongKind(widget, u"a list"_s));
    }
    return expectInList(step, view);
}

Runner::Outcome Runner::expectText(const Step& step, QWidget* widget) {
    const std::optional<QString> text = textOf(widget);
    if (!text) {
        return failed(wrongKind(widget, u"a control that shows a text"_s));
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

Runner::Outcome Runner::expectEnabled(const Step& step, QWidget* widget) {
    if (widget->isEnabled() == step.flag) {
        return passed();
    }
    return retry({yesNo(step.flag, u"enabled"_s, u"disabled"_s),
                  yesNo(widget->isEnabled(), u"enabled"_s, u"disabled"_s) + disabledBy(widget),
                  {}});
}

Runner::Outcome Runner::expectVisible(const Step& step, QWidget* widget) {
    if (widget->isVisible() == step.flag) {
        return passed();
    }
    return retry({yesNo(step.flag, u"shown"_s, u"hidden"_s),
                  yesNo(widget->isVisible(), u"shown"_s, u"hidden"_s) + hiddenBy(widget),
                  {}});
}

Runner::Outcome Runner::expectChecked(const Step& step, QWidget* widget) {
    auto* button = qobject_cast<QAbstractButton*>(widget);
    if (button == nullptr || !button->isCheckable()) {
        return failed(wrongKind(widget, u"a check box or option button"_s));
    }
    if (button->isChecked() == step.flag) {
        return passed();
    }
    return retry({yesNo(step.flag, u"checked"_s, u"not checked"_s),
                  yesNo(button->isChecked(), u"checked"_s, u"not checked"_s),
                  {}});
}

Runner::Outcome Runner::expectDate(const Step& step, QWidget* widget) {
    auto* picker = qobject_cast<QDateTimeEdit*>(widget);
    if (picker == nullptr) {
        return failed(wrongKind(widget, u"a date picker"_s));
    }
    if (picker->date() == step.date) {
        return passed();
    }
    return retry({dateText(step.date), dateText(picker->date()), {}});
}

Runner::Outcome Runner::expectValue(const Step& step, QWidget* widget) {
    std::optional<int> value;
    if (auto* bar = qobject_cast<QProgressBar*>(widget)) {
        value = bar->value();
    } else if (auto* slider = qobject_cast<QAbstractSlider*>(widget)) {
        value = slider->value();
    } else if (auto* spin = qobject_cast<QSpinBox*>(widget)) {
        value = spin->value();
    }
    if (!value) {
        return failed(wrongKind(widget, u"a progress bar"_s));
    }
    if (*value == step.numbers.first()) {
        return passed();
    }
    return retry({QString::number(step.numbers.first()), QString::number(*value), {}});
}

Runner::Outcome Runner::expectTab(const Step& step, QWidget* widget) {
    QTabBar* bar = tabBarOf(widget);
    if (bar == nullptr) {
        return failed(wrongKind(widget, u"a tab strip"_s));
    }
    const QString key = tabKey(bar, bar->currentIndex());
    if (key == step.text) {
        return passed();
    }
    return retry({step.text,
                  key.isEmpty() ? u"no tab selected"_s : key,
                  {u"tabs: "_s + tabKeys(bar).join(u", "_s)}});
}

Runner::Outcome Runner::expectSeries(const Step& step, QWidget* widget) {
    auto* chart = qobject_cast<ChartView*>(widget);
    if (chart == nullptr) {
        return failed(wrongKind(widget, u"a chart"_s));
    }
    const auto plain = [](const QList<double>& values) {
        QStringList texts;
        for (double v : values) {
            texts.append(QString::number(v, 'f', 2).remove(QRegularExpression(u"\\.?0+$"_s)));
        }
        return texts.join(u'|');
    };
    QList<double> wanted;
    for (const QString& text : step.message.split(u'|')) {
        bool ok = false;
        wanted.append(text.trimmed().toDouble(&ok));
        if (!ok) {
            return failed({u"plain numbers joined by |"_s, quoted(step.message), {}});
        }
    }
    const std::optional<QList<double>> found = chart->seriesValues(step.text);
    if (!found) {
        return retry({u"a series named "_s + quoted(step.text),
                      u"none of that name"_s,
                      {u"series: "_s + chart->seriesNames().join(u", "_s)}});
    }
    const bool same = found->size() == wanted.size() &&
                      std::equal(found->cbegin(), found->cend(), wanted.cbegin(),
                                 [](double a, double b) { return std::abs(a - b) < 0.005; });
    if (same) {
        return passed();
    }
    return retry({quoted(plain(wanted)), quoted(plain(*found)), {}});
}

Runner::Outcome Runner::expectBox(const Step& step, QWidget* widget) {
    static const QStringList names = {u"x"_s, u"y"_s, u"width"_s, u"height"_s};
    const QList<int> box = boxOf(widget);
    QStringList wanted;
    QStringList found;
    QStringList outside;
    for (qsizetype i = 0; i < names.size(); ++i) {
        wanted.append(step.bounds[i].text());
        found.append(QString::number(box[i]));
        if (!step.bounds[i].admits(box[i])) {
            outside.append(names[i]);
        }
    }
    if (outside.isEmpty()) {
        return passed();
    }
    return retry(
        {u"box "_s + wanted.join(u' '),
         u"box "_s + found.join(u' '),
         {u"outside: "_s + outside.join(u", "_s) + u" (x y width height in pixels at "_s +
          u"96 dpi from the top-left corner of "_s + step.target.window + u"'s client area)"_s}});
}

}  // namespace scenario
