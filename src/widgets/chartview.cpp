#include "widgets/chartview.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QLineSeries>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

// Colours of the legend strip's family: wins green, expenses red, balance
// blue, target gold.
QColor colourOf(int index) {
    static const QColor colours[] = {QColor(0, 150, 0), QColor(200, 40, 40), QColor(0, 0, 168),
                                     QColor(191, 159, 63)};
    return colours[index % 4];
}

// A round upper or lower end for the money axis, so that its labels read
// as plain amounts.
double roundedEnd(double value) {
    if (value == 0) {
        return 0;
    }
    const double magnitude = std::pow(10.0, std::floor(std::log10(std::abs(value))));
    const double step = magnitude / 2;
    return value > 0 ? std::ceil(value / step) * step : std::floor(value / step) * step;
}

}  // namespace

ChartView::ChartView(const QString& name, QWidget* parent) : QChartView(parent) {
    setObjectName(name);
    setRenderHint(QPainter::Antialiasing);
    chart()->legend()->setAlignment(Qt::AlignBottom);
    chart()->setMargins(QMargins(4, 4, 4, 4));
    setMinimumSize(200, 150);
}

void ChartView::showChart(const analysis::Chart& data) {
    QChart* c = chart();
    c->removeAllSeries();
    for (QAbstractAxis* axis : c->axes()) {
        c->removeAxis(axis);
        delete axis;
    }
    auto* categories = new QBarCategoryAxis;
    categories->append(data.categories);
    auto* money = new QValueAxis;
    money->setLabelFormat(u"%.0f"_s);
    money->setTitleText(u"金額（円）"_s);
    // The chart draws its texts itself: in the window's Japanese font.
    for (QAbstractAxis* axis : std::initializer_list<QAbstractAxis*>{categories, money}) {
        axis->setLabelsFont(font());
        axis->setTitleFont(font());
    }
    c->legend()->setFont(font());
    // Twelve months must read at the design size: whole labels, a size smaller.
    categories->setTruncateLabels(false);
    QFont small = font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    categories->setLabelsFont(small);
    c->addAxis(categories, Qt::AlignBottom);
    c->addAxis(money, Qt::AlignLeft);

    double low = 0;
    double high = 0;
    const auto widen = [&](const QList<double>& values) {
        for (double v : values) {
            low = std::min(low, v);
            high = std::max(high, v);
        }
    };
    int colour = 0;
    auto* bars = new QBarSeries;
    for (const analysis::Series& s : data.bars) {
        auto* set = new QBarSet(s.name);
        for (double v : s.values) {
            *set << v;
        }
        set->setColor(colourOf(colour++));
        bars->append(set);
        widen(s.values);
    }
    c->addSeries(bars);
    bars->attachAxis(categories);
    bars->attachAxis(money);
    colour = 2;
    for (const analysis::Series& s : data.lines) {
        auto* line = new QLineSeries;
        line->setName(s.name);
        for (qsizetype i = 0; i < s.values.size(); ++i) {
            line->append(double(i), s.values[i]);
        }
        line->setColor(colourOf(colour++));
        c->addSeries(line);
        line->attachAxis(categories);
        line->attachAxis(money);
        widen(s.values);
    }
    money->setRange(roundedEnd(low), high == low ? low + 1000 : roundedEnd(high));
    money->setTickCount(6);
}

std::optional<QList<double>> ChartView::seriesValues(const QString& name) const {
    for (QAbstractSeries* series : chart()->series()) {
        if (auto* bars = qobject_cast<QBarSeries*>(series)) {
            for (QBarSet* set : bars->barSets()) {
                if (set->label() == name) {
                    QList<double> values;
                    for (int i = 0; i < set->count(); ++i) {
                        values.append(set->at(i));
                    }
                    return values;
                }
            }
        } else if (auto* line = qobject_cast<QLineSeries*>(series); line && line->name() == name) {
            QList<double> values;
            for (const QPointF& point : line->points()) {
                values.append(point.y());
            }
            return values;
        }
    }
    return std::nullopt;
}

QStringList ChartView::seriesNames() const {
    QStringList names;
    for (QAbstractSeries* series : chart()->series()) {
        if (auto* bars = qobject_cast<QBarSeries*>(series)) {
            for (QBarSet* set : bars->barSets()) {
                names.append(set->label());
            }
        } else {
            names.append(series->name());
        }
    }
    return names;
}
