#pragma once

#include <QGroupBox>

// The legend under the month and search lists: the colours of the prize
// classes and of the win date. It stretches with the list above it.
class LegendStrip : public QGroupBox {
    Q_OBJECT

  public:
    explicit LegendStrip(QWidget* parent);
};
