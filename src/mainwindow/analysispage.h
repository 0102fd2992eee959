#pragma once

#include <QWidget>

#include "diary/analysis.h"
#include "diary/rowlist.h"
#include "platform/platform.h"

class ChartView;
class ListView;
class QComboBox;
class QPushButton;
class QRadioButton;

namespace diary {
class Desk;
}

// The analysis tab: for a field of the records (genre, site, form of entry,
// …), how often and for how much each of its values won, over the shown year
// or all years, beside a chart of the money won and spent. Entering it
// counts anew; nothing here is stored.
class AnalysisPage : public QWidget {
    Q_OBJECT

  public:
    AnalysisPage(Platform& platform, diary::Desk& desk, QWidget* parent);

    // Counts the chosen field over the chosen period and draws the chart; a
    // month of another password is named once and left out.
    void load();
    // The rows as the list shows them, for saving and printing.
    const diary::RowList& rows() const { return rows_; }

    QComboBox* cboAnalysisKind;
    QRadioButton* optAnalysisYear;
    QRadioButton* optAnalysisAll;
    ListView* lvwAnalysis;
    ChartView* chtAnalysis;
    QPushButton* cmdAnalysisImage;

  Q_SIGNALS:
    // The list was filled anew: the buttons that work on it follow.
    void loaded();

  private:
    void showRows();
    void sortByColumn(int column);
    void cmdAnalysisImage_Click();

    Platform& platform_;
    diary::Desk& desk_;
    QList<analysis::Row> table_;
    diary::RowList rows_;
};
