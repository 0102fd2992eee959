#pragma once

#include <QChartView>

#include "diary/analysis.h"

// A bar and line chart of money by month or by year: bars for the money won
// and spent, lines for the balance, with Japanese axis labels. It grows with
// its page.
class ChartView : public QChartView {
    Q_OBJECT

  public:
    explicit ChartView(const QString& name, QWidget* parent = nullptr);

    void showChart(const analysis::Chart& chart);
    // The values of the bar set or line of that name, in order; nothing when
    // the chart has none of that name.
    std::optional<QList<double>> seriesValues(const QString& name) const;
    QStringList seriesNames() const;
};
