#pragma once

#include <QDate>
#include <QWidget>
#include <span>

#include "diary/rowlist.h"

class ListModel;
class ListView;
class QLabel;
class QLineEdit;
class QPushButton;
class NumberBox;

// A column of a list whose columns never change.
struct FixedColumn {
    const char16_t* header;
    int width;  // twips
};
// The columns of such a list: the first holds text, the others numbers.
void buildFixedColumns(ListModel& model, std::span<const FixedColumn> columns);

// The pages of the tab strip that show a list. Each fills the tab strip's
// client area; its list takes all the room the page has.

// The month list. The legend lies over the page's bottom strip.
class MonthPage : public QWidget {
    Q_OBJECT

  public:
    explicit MonthPage(QWidget* parent);
    ListView* const lvwMonth;
};

// The search results; lvwDummy stands in their place while a search runs,
// and lvwSearchTemp never shows.
class SearchPage : public QWidget {
    Q_OBJECT

  public:
    explicit SearchPage(QWidget* parent);
    ListView* const lvwSearch;
    ListView* const lvwDummy;
    ListView* const lvwSearchTemp;
};

// The year list with the month expenses under it.
class YearPage : public QWidget {
    Q_OBJECT

  public:
    explicit YearPage(QWidget* parent);
    void buildColumns();
    void showMonthLabel(QDate shown);
    // The expenses of the shown month; 記帳 only for a month with entries.
    void showExpenses(const diary::RowList& rows, QDate shown);
    // A click on a row (from 1) shows its expenses. Returns the month the
    // row names, 0 for none, and whether it has entries.
    std::pair<int, bool> chooseRow(const diary::RowList& rows, int row);
    ListView* const lvwYear;
    QWidget* const fraUnhappyMoney;
    QLabel* const lblMonth;
    NumberBox* const txtUnhappyMoneyValue;
    QPushButton* const cmdUnhappyMoneyIn;
};

// The total list, over the whole page.
class TotalPage : public QWidget {
    Q_OBJECT

  public:
    explicit TotalPage(QWidget* parent);
    void buildColumns();
    ListView* const lvwTotal;
};
