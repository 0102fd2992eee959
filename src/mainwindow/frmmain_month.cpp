// frmMain: the month view — statistics and row marks, stepping through months
// and years, and the clicks and keys of the month and search lists.
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

#include "mainwindow/frmmain.h"
#include "storage/prizeentry.h"
#include "widgets/controls.h"
#include "widgets/listview.h"

using namespace Qt::StringLiterals;

namespace {

bool isLeapYear(int year) {
    return year % 400 == 0 || (year % 4 == 0 && year % 100 != 0);
}

QString twoDigits(int n) {
    return u"%1"_s.arg(n, 2, 10, QChar(u'0'));
}

QString fourDigits(int n) {
    return u"%1"_s.arg(n, 4, 10, QChar(u'0'));
}

// The day fitted to a target month: 31 becomes 30 in a month of 30 days, and
// a day above 28 in February becomes 29 or 28 by the year's leap.
QString fitDay(const QString& day, int targetMonth, int year) {
    if ((targetMonth == 4 || targetMonth == 6 || targetMonth == 9 || targetMonth == 11) &&
        day == u"31"_s) {
        return u"30"_s;
    }
    if (targetMonth == 2 && day > u"28"_s) {
        return isLeapYear(year) ? u"29"_s : u"28"_s;
    }
    return day;
}

}  // namespace

statistics::Counts frmMain::countShown(ListView* list) {
    const diary::RecordList& records = listRecords(list);
    const int rows = records.count();
    if (rows > 0) {
        prgShinko->setValue(0);
        prgShinko->setMaximum(rows);
    }
    // The win-date marks follow the day shown now.
    (list == lvwSearch ? searchMarkDate_ : monthMarkDate_) =
        dtpDate->date().toString(u"yyyy/MM/dd"_s);
    list->listModel().marksChanged();
    const statistics::Counts counts = statistics::countOf(records.records());
    if (rows > 0) {
        prgShinko->setValue(rows);
    }
    return counts;
}

void frmMain::showFigures(qint64 wins, qint64 entries, Currency money, Currency expenses) {
    txtHappyCount->setText(QString::number(wins));
    txtTotalCount->setText(QString::number(entries));
    txtHappyMoney->setText(money.toString());
    txtUnhappyMoney->setText(expenses.toString());
    txtPercent->setText(statistics::winRate(wins, entries));
    txtTotalMoney->setText(money.minus(expenses).value_or(money).toString());
}

void frmMain::ListViewStatistics() {
    for (QWidget* w : {cmdAllDelete, cmdSave, cmdPrint}) {
        w->setEnabled(false);
    }
    const Tab tab = selectedTab();
    qint64 entries = 0;
    switch (tab) {
        case Tab::Month: {
            const statistics::Counts month = countShown(lvwMonth);
            showFigures(month.wins, month.entries, month.winMoney, diary_.month().expenses());
            entries = month.entries;
            break;
        }
        case Tab::Year:
        case Tab::Total: {
            const diary::YearSums sums =
                tab == Tab::Year ? diary_.summaries().yearSums() : diary_.summaries().totalSums();
            showFigures(sums.wins, sums.entries, sums.money, sums.expenses);
            entries = sums.entries;
            break;
        }
        case Tab::Search: {
            const statistics::Counts search = countShown(lvwSearch);
            SearchWinCount = search.wins;
            SearchEntryCount = search.entries;
            SearchWinMoney = search.winMoney;
            showFigures(SearchWinCount, SearchEntryCount, SearchWinMoney, Currency());
            entries = SearchEntryCount;
            break;
        }
        case Tab::Setting:
            diary_.month().setExpenses(Currency());
            return;
        case Tab::About:
            return;
    }
    if (entries != 0) {
        cmdSave->setEnabled(true);
        cmdPrint->setEnabled(true);
        if (tab != Tab::Search) {
            cmdAllDelete->setEnabled(true);
        }
    }
}

void frmMain::stepMonth(int by) {
    const QDate shown = dtpDate->date();
    int month = shown.month() + by;
    int year = shown.year();
    if (month == 0) {
        month = 12;
        year -= 1;
    } else if (month == 13) {
        month = 1;
        year += 1;
    }
    ShownDay = fitDay(shown.toString(u"dd"_s), month, shown.year());
    // Like the year step, the months wrap around at the ends of the calendar,
    // so no file outside the years 0001 to 9999 is ever addressed.
    year = (year + 9998) % 9999 + 1;
    ShownMonth = twoDigits(month);
    ShownYear = fourDigits(year);
    LoadMonthFile();
}

void frmMain::cmdMonthBack_Click() {
    if (selectedTab() == Tab::Month) {
        stepMonth(-1);
    }
}

void frmMain::cmdMonthNext_Click() {
    stepMonth(+1);
}

void frmMain::stepYear(int by) {
    const Tab tab = selectedTab();
    if (tab != Tab::Month && tab != Tab::Year) {
        return;
    }
    const QDate shown = dtpDate->date();
    // The year wraps around: before 0001 comes 9999, after 9999 comes 0001.
    const int year = (shown.year() - 1 + by + 9999) % 9999 + 1;
    if (ShownMonth == u"02"_s && ShownDay == u"29"_s) {
        ShownDay = isLeapYear(year) ? u"29"_s : u"28"_s;
    } else {
        ShownDay = shown.toString(u"dd"_s);
    }
    ShownYear = fourDigits(year);
    if (tab == Tab::Month) {
        LoadMonthFile();
    } else {
        LoadYearFile();
    }
    setMonthLabel();
}

void frmMain::cmdYearBack_Click() {
    stepYear(-1);
}

void frmMain::cmdYearNext_Click() {
    stepYear(+1);
}

void frmMain::showShownDate() {
    // A date the picker cannot hold leaves it where it was.
    const QDate shown =
        QDate::fromString(ShownYear + u'/' + ShownMonth + u'/' + ShownDay, u"yyyy/MM/dd"_s);
    if (shown.isValid()) {
        dtpDate->setDateByCode(shown);
    }
}

void frmMain::setMonthLabel() {
    const QDate shown = dtpDate->date();
    lblMonth->setText(shown.toString(u"yyyy"_s) + u"年"_s + shown.toString(u"MM"_s) +
                      u"月の支出総額"_s);
}

void frmMain::dtpDate_Change() {
    const QDate picked = dtpDate->date();
    ShownYear = picked.toString(u"yyyy"_s);
    ShownMonth = picked.toString(u"MM"_s);
    ShownDay = picked.toString(u"dd"_s);
    const QString yearMonth = picked.toString(u"yyyy/MM"_s);
    if (yearMonth != ShownYearMonth) {
        tabMain_Click();
    } else {
        ListViewStatistics();  // the win-date marks follow the shown day
    }
    ShownYearMonth = yearMonth;
}

void frmMain::listItemClicked(ListView* list, int row) {
    for (QWidget* w : {cmdHensyu, cmdURL, cmdDelete}) {
        w->setEnabled(false);
    }
    CurrentListView = list;
    SelectedCount = list->selectedCount();
    cmdDelete->setEnabled(true);
    if (row != 0 && SelectedCount == 1) {
        cmdHensyu->setEnabled(true);
        EditIndex = row;
        const QString url = list->listModel().text(row - 1, URL);
        if (url.startsWith(u"http://"_s) || url.startsWith(u"https://"_s)) {
            ShellTarget = url;
            cmdURL->setEnabled(true);
        }
    }
}

void frmMain::lvwMonth_ItemClick(int row) {
    SelectedIndex = row;
    listItemClicked(lvwMonth, row);
}

void frmMain::lvwSearch_ItemClick(int row) {
    SearchSelectedIndex = row;
    listItemClicked(lvwSearch, row);
    if (SearchSelectedIndex != 0 && SelectedCount == 1) {
        // The shown date follows the record, so that the editor and the
        // deletion find its month file.
        const QString date = searchResults_.at(SearchSelectedIndex - 1)[FilingDate];
        ShownYear = date.mid(0, 4);
        ShownMonth = date.mid(5, 2);
        ShownDay = date.mid(8, 2);
        showShownDate();
    }
}

void frmMain::listDoubleClicked(int selectedIndex) {
    if (selectedIndex != 0 && LastMouseButton == 1) {
        cmdHensyu_Click();
    }
}

void frmMain::lvwMonth_KeyDown(int key) {
    if (SelectedIndex == 0) {
        return;
    }
    if (key == Qt::Key_Delete) {
        if (SelectedCount == lvwMonth->count()) {
            cmdAllDelete_Click();  // with its own question
        } else {
            DeleteSelectedRecords();
        }
        return;
    }
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && SelectedCount == 1) {
        EditExisting = true;
        OpenRecordEditor();
    }
}

void frmMain::lvwSearch_KeyDown(int key) {
    if (SearchSelectedIndex == 0) {
        return;
    }
    if (key == Qt::Key_Delete) {
        deleteSelectedSearchResults();
        SearchSelectedIndex = 0;
        return;
    }
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && SelectedCount == 1) {
        EditExisting = true;
        OpenRecordEditor();
    }
}

void frmMain::lvwYear_KeyDown(int key) {
    if (key == Qt::Key_Delete && YearSelectedIndex != 0) {
        DeleteSelectedRecords();
        YearSelectedIndex = 0;
    }
}

void frmMain::lvwTotal_KeyDown(int key) {
    if (key == Qt::Key_Delete && TotalSelectedIndex != 0) {
        DeleteSelectedRecords();
        TotalSelectedIndex = 0;
    }
}

void frmMain::cmdHensyu_Click() {
    EditExisting = true;
    OpenRecordEditor();
}
