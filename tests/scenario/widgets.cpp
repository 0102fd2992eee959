#include "widgets.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTextEdit>
#include <QTreeView>
#include <algorithm>

#include "widgets/listview.h"

using namespace Qt::StringLiterals;

namespace scenario {

namespace {

constexpr int ContextRows = 20;

// Controls of window itself, not of the windows it owns.
QList<QWidget*> controlsOf(QWidget* window, const QString& name = {}) {
    QList<QWidget*> result;
    const QList<QWidget*> all =
        name.isEmpty() ? window->findChildren<QWidget*>() : window->findChildren<QWidget*>(name);
    for (QWidget* widget : all) {
        if (widget->window() == window) {
            result.append(widget);
        }
    }
    return result;
}

QStringList controlNames(QWidget* window) {
    QStringList names;
    for (QWidget* widget : controlsOf(window)) {
        const QString name = widget->objectName();
        if (!name.isEmpty() && !name.startsWith(u"qt_"_s) && !names.contains(name)) {
            names.append(name);
        }
    }
    names.sort();
    return names;
}

QStringList openWindowNames() {
    QStringList names;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && !window->objectName().isEmpty()) {
            names.append(window->objectName());
        }
    }
    names.sort();
    return names;
}

int distance(const QString& a, const QString& b) {
    QList<int> previous(b.size() + 1);
    QList<int> current(b.size() + 1);
    for (qsizetype j = 0; j <= b.size(); ++j) {
        previous[j] = int(j);
    }
    for (qsizetype i = 1; i <= a.size(); ++i) {
        current[0] = int(i);
        for (qsizetype j = 1; j <= b.size(); ++j) {
            const int change = a[i - 1] == b[j - 1] ? 0 : 1;
            current[j] = std::min({previous[j] + 1, current[j - 1] + 1, previous[j - 1] + change});
        }
        std::swap(previous, current);
    }
    return previous[b.size()];
}

bool isAncestorWindow(const QWidget* ancestor, const QWidget* widget) {
    for (const QWidget* w = widget->parentWidget(); w != nullptr; w = w->parentWidget()) {
        if (w == ancestor) {
            return true;
        }
    }
    return false;
}

QString withCrLf(QString text) {
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\n' && (i == 0 || text[i - 1] != u'\r')) {
            result += u'\r';
        }
        result += text[i];
    }
    return result;
}

// Why no control of window is named target.object, and the names there are.
Lookup noSuchControl(QWidget* window, const Target& target) {
    Lookup result;
    result.problem = target.window + u" has no control named "_s + target.object;
    const QStringList names = controlNames(window);
    const QStringList similar = similarNames(target.object, names);
    result.context = {similar.isEmpty()
                          ? u"controls of "_s + target.window + u": "_s + names.join(u", "_s)
                          : u"similar names: "_s + similar.join(u", "_s)};
    return result;
}

// The controls that share target.object's name, and where each one sits.
Lookup sameNamedControls(const QList<QWidget*>& matches, const Target& target) {
    Lookup result;
    result.problem =
        u"%1 controls of %2 are named %3"_s.arg(matches.size()).arg(target.window, target.object);
    for (QWidget* match : matches) {
        QWidget* parent = match->parentWidget();
        result.context.append(u"a %1 inside %2"_s.arg(
            QString::fromLatin1(match->metaObject()->className()),
            parent != nullptr && !parent->objectName().isEmpty()
                ? parent->objectName()
                : QString::fromLatin1(parent != nullptr ? parent->metaObject()->className()
                                                        : "nothing")));
    }
    return result;
}

}  // namespace

QList<QWidget*> windowsNamed(const QString& name) {
    QList<QWidget*> shown;
    QList<QWidget*> hidden;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() == name) {
            (window->isVisible() ? shown : hidden).append(window);
        }
    }
    return shown + hidden;
}

Lookup find(const Target& target) {
    Lookup result;
    QList<QWidget*> windows = windowsNamed(target.window);
    if (windows.isEmpty()) {
        result.problem = u"there is no window "_s + target.window;
        const QStringList open = openWindowNames();
        result.context = {u"open windows: "_s + (open.isEmpty() ? u"none"_s : open.join(u", "_s))};
        return result;
    }
    const qsizetype shown =
        std::count_if(windows.begin(), windows.end(), [](QWidget* w) { return w->isVisible(); });
    if (shown > 1 || (shown == 0 && windows.size() > 1)) {
        result.problem =
            u"%1 windows are named %2"_s.arg(shown > 1 ? shown : windows.size()).arg(target.window);
        return result;
    }
    QWidget* window = windows.first();
    if (target.object.isEmpty()) {
        result.widget = window;
        return result;
    }
    const QList<QWidget*> matches = controlsOf(window, target.object);
    if (matches.isEmpty()) {
        return noSuchControl(window, target);
    }
    if (matches.size() > 1) {
        return sameNamedControls(matches, target);
    }
    result.widget = matches.first();
    return result;
}

QStringList similarNames(const QString& wanted, const QStringList& names) {
    QList<std::pair<int, QString>> scored;
    const QString lower = wanted.toLower();
    for (const QString& name : names) {
        const QString other = name.toLower();
        const int d = distance(lower, other);
        const bool contains = std::min(lower.size(), other.size()) >= 3 &&
                              (lower.contains(other) || other.contains(lower));
        if (d <= std::max<qsizetype>(2, wanted.size() / 3) || contains) {
            scored.append({d, name});
        }
    }
    std::stable_sort(scored.begin(), scored.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    QStringList result;
    for (qsizetype i = 0; i < scored.size() && i < 10; ++i) {
        result.append(scored[i].second);
    }
    return result;
}

QList<QWidget*> blockingWindows() {
    QList<QWidget*> result;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && (window->isModal() || window->windowType() == Qt::Popup)) {
            result.append(window);
        }
    }
    return result;
}

QWidget* blockerOf(QWidget* window) {
    for (QWidget* modal : blockingWindows()) {
        if (!modal->isModal() || modal == window || isAncestorWindow(modal, window)) {
            continue;
        }
        if (modal->windowModality() == Qt::WindowModal && !isAncestorWindow(window, modal)) {
            continue;
        }
        return modal;
    }
    return nullptr;
}

QString windowName(QWidget* window) {
    return window->objectName().isEmpty() ? QString::fromLatin1(window->metaObject()->className())
                                          : window->objectName();
}

QString describe(QWidget* widget) {
    QString name = windowName(widget->window());
    if (widget != widget->window()) {
        name += u'.' + widget->objectName();
    }
    return QString::fromLatin1(widget->metaObject()->className()) + u' ' + name;
}

std::optional<QString> textOf(QWidget* widget) {
    if (widget->isWindow()) {
        return withCrLf(widget->windowTitle());
    }
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        return withCrLf(label->text());
    }
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        return edit->text();
    }
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        return withCrLf(button->text());
    }
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        return combo->currentText();
    }
    if (auto* group = qobject_cast<QGroupBox*>(widget)) {
        return group->title();
    }
    if (auto* spin = qobject_cast<QAbstractSpinBox*>(widget)) {
        return spin->text();
    }
    if (auto* edit = qobject_cast<QPlainTextEdit*>(widget)) {
        return withCrLf(edit->toPlainText());
    }
    if (auto* edit = qobject_cast<QTextEdit*>(widget)) {
        return withCrLf(edit->toPlainText());
    }
    return std::nullopt;
}

QTabBar* tabBarOf(QWidget* widget) {
    if (auto* bar = qobject_cast<QTabBar*>(widget)) {
        return bar;
    }
    if (auto* tabs = qobject_cast<QTabWidget*>(widget)) {
        return tabs->tabBar();
    }
    return nullptr;
}

QString tabKey(const QTabBar* bar, int index) {
    return index < 0 ? QString() : bar->tabData(index).toString();
}

QStringList tabKeys(const QTabBar* bar) {
    QStringList keys;
    for (int i = 0; i < bar->count(); ++i) {
        keys.append(tabKey(bar, i));
    }
    return keys;
}

QStringList comboItems(const QComboBox* combo) {
    QStringList items;
    for (int i = 0; i < combo->count(); ++i) {
        items.append(quoted(combo->itemText(i)));
    }
    return items;
}

QStringList rowCells(const QAbstractItemView* view, int row) {
    const QAbstractItemModel* model = view->model();
    QStringList cells;
    for (int column = 0; column < model->columnCount(); ++column) {
        cells.append(model->index(row, column).data(Qt::DisplayRole).toString());
    }
    return cells;
}

QColor cellColor(const QAbstractItemView* view, int row, int column) {
    const QVariant value = view->model()->index(row, column).data(Qt::ForegroundRole);
    QColor color;
    if (value.canConvert<QBrush>()) {
        color = value.value<QBrush>().color();
    }
    if (value.canConvert<QColor>()) {
        color = value.value<QColor>();
    }
    return color.isValid() ? color : view->palette().color(QPalette::Text);
}

bool cellBold(const QAbstractItemView* view, int row, int column) {
    const QVariant value = view->model()->index(row, column).data(Qt::FontRole);
    return value.isValid() ? value.value<QFont>().bold() : view->font().bold();
}

QString headerText(const QAbstractItemView* view, int column) {
    return view->model()->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
}

std::optional<int> columnWidthTwips(const QAbstractItemView* view, int column) {
    if (auto* list = qobject_cast<const ListView*>(view)) {
        return list->columnWidthTwips(column);
    }
    int pixels = 0;
    if (auto* tree = qobject_cast<const QTreeView*>(view)) {
        pixels = tree->columnWidth(column);
    } else if (auto* table = qobject_cast<const QTableView*>(view)) {
        pixels = table->columnWidth(column);
    } else {
        return std::nullopt;
    }
    const int dpi = view->logicalDpiX();
    return (pixels * 1440 + dpi / 2) / dpi;
}

QStringList listContext(const QAbstractItemView* view) {
    const QAbstractItemModel* model = view->model();
    if (model == nullptr) {
        return {u"the list has no model"_s};
    }
    QStringList headers;
    for (int column = 0; column < model->columnCount(); ++column) {
        headers.append(headerText(view, column));
    }
    QStringList lines = {u"columns: "_s + headers.join(u'|')};
    const int rows = model->rowCount();
    lines.append(u"rows (%1):"_s.arg(rows));
    for (int row = 0; row < rows && row < ContextRows; ++row) {
        lines.append(u"  %1: %2"_s.arg(row + 1).arg(quotedRow(rowCells(view, row))));
    }
    if (rows > ContextRows) {
        lines.append(u"  ... and %1 more"_s.arg(rows - ContextRows));
    }
    return lines;
}

}  // namespace scenario
