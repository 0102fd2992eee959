#pragma once

#include <QWidget>

#include "storage/currency.h"

class QLineEdit;
class QProgressBar;
class QPushButton;
class DatePicker;

// The panel under the tab strip that every tab shares: the statistics and
// the progress bar at the bottom left, the navigation and the buttons at the
// bottom right, 終了 in the corner. Made wider, it keeps both ends in their
// corners.
class BottomPanel : public QWidget {
    Q_OBJECT

  public:
    explicit BottomPanel(QWidget* parent);

    void showFigures(qint64 wins, qint64 entries, Currency money, Currency expenses);
    void clearFigures();
    // The progress bar at done of all.
    void showProgress(int done, int all);

    QLineEdit* txtHappyCount;
    QLineEdit* txtTotalCount;
    QLineEdit* txtPercent;
    QLineEdit* txtHappyMoney;
    QLineEdit* txtUnhappyMoney;
    QLineEdit* txtTotalMoney;
    QProgressBar* prgShinko;

    QPushButton* cmdYearBack;
    QPushButton* cmdMonthBack;
    DatePicker* dtpDate;
    QPushButton* cmdMonthNext;
    QPushButton* cmdYearNext;
    QPushButton* cmdNewInput;
    QPushButton* cmdInput;
    QPushButton* cmdHensyu;
    QPushButton* cmdDelete;
    QPushButton* cmdAllDelete;
    QPushButton* cmdURL;
    QPushButton* cmdSave;
    QPushButton* cmdPrint;
    QPushButton* cmdHelp;
    QPushButton* cmdUserInput;
    QPushButton* cmdEnd;

  private:
    QWidget* buildStatistics();
    QWidget* buildButtons();
};
