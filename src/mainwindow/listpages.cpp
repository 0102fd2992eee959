#include "mainwindow/listpages.h"

#include <QGridLayout>
#include <QVBoxLayout>

#include "mainwindow/formcontrols.h"
#include "storage/summaryfile.h"
#include "widgets/controls.h"
#include "widgets/listview.h"

using namespace Qt::StringLiterals;

namespace {

// The strip under the month, search and year lists.
constexpr int StripHeight = 400;

constexpr FixedColumn yearColumns[] = {
    {u"月", 375},        {u"小物当選", 1000}, {u"中物当選", 1000}, {u"大物当選", 1000},
    {u"当選総数", 1000}, {u"応募総数", 1000}, {u"当選率", 775},    {u"当選総額", 1200},
    {u"支出総額", 1200}, {u"収支総額", 1200},
};

constexpr FixedColumn totalColumns[] = {
    {u"年", 500},        {u"小物当選", 1000}, {u"中物当選", 1000},     {u"大物当選", 1000},
    {u"当選総数", 1000}, {u"応募総数", 1050}, {u"当選率", 800},        {u"当選総額", 1050},
    {u"支出総額", 1050}, {u"収支総額", 1050}, {u"目標収支金額", 1300},
};

// A page covers the pages behind it.
void preparePage(QWidget* page, const QString& name) {
    page->setObjectName(name);
    page->setAutoFillBackground(true);
}

QVBoxLayout* pageLayout(QWidget* page, int bottomTwips) {
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, twipsToPixels(bottomTwips, page));
    layout->setSpacing(0);
    return layout;
}

}  // namespace

void buildFixedColumns(ListModel& model, std::span<const FixedColumn> columns) {
    model.clearColumns();
    for (size_t i = 0; i < columns.size(); ++i) {
        model.addColumn({QString::fromUtf16(columns[i].header), columns[i].width,
                         i == 0 ? Qt::AlignLeft : Qt::AlignRight});
    }
}

MonthPage::MonthPage(QWidget* parent)
    : QWidget(parent), lvwMonth(new ListView(u"lvwMonth"_s, this)) {
    preparePage(this, u"pageMonth"_s);
    pageLayout(this, StripHeight)->addWidget(lvwMonth);
}

SearchPage::SearchPage(QWidget* parent)
    : QWidget(parent),
      lvwSearch(new ListView(u"lvwSearch"_s, this)),
      lvwDummy(new ListView(u"lvwDummy"_s, this)),
      lvwSearchTemp(new ListView(u"lvwSearchTemp"_s, this)) {
    preparePage(this, u"pageSearch"_s);
    lvwSearchTemp->hide();
    // The results and their stand-in share one place.
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, twipsToPixels(StripHeight, this));
    layout->addWidget(lvwDummy, 0, 0);
    layout->addWidget(lvwSearch, 0, 0);
    lvwSearch->raise();
}

YearPage::YearPage(QWidget* parent)
    : QWidget(parent),
      lvwYear(new ListView(u"lvwYear"_s, this)),
      fraUnhappyMoney(
          formcontrols::frame(this, u"fraUnhappyMoney"_s, QString(), 0, 0, 11460, StripHeight)),
      lblMonth(formcontrols::label(fraUnhappyMoney, u"lblMonth"_s, u"****年**月の支出総額"_s, 120,
                                   60, 2600)),
      txtUnhappyMoneyValue(new NumberBox(u"txtUnhappyMoneyValue"_s, u"0"_s, fraUnhappyMoney)),
      cmdUnhappyMoneyIn(
          pushButton(fraUnhappyMoney, u"cmdUnhappyMoneyIn"_s, u"記帳(&K)"_s, 4440, 20, 1200)) {
    preparePage(this, u"pageYear"_s);
    placeTwips(txtUnhappyMoneyValue, 2760, 40, 1600, 320);
    txtUnhappyMoneyValue->setAlignment(Qt::AlignRight);
    fraUnhappyMoney->setMinimumWidth(0);
    fraUnhappyMoney->setFixedHeight(twipsToPixels(StripHeight, this));
    QVBoxLayout* layout = pageLayout(this, 0);
    layout->addWidget(lvwYear);
    layout->addWidget(fraUnhappyMoney);
}

void YearPage::buildColumns() {
    buildFixedColumns(lvwYear->listModel(), yearColumns);
}

void YearPage::showMonthLabel(QDate shown) {
    lblMonth->setText(u"%1年%2月の支出総額"_s.arg(shown.year(), 4, 10, QChar(u'0'))
                          .arg(shown.month(), 2, 10, QChar(u'0')));
}

void YearPage::showExpenses(const diary::RowList& rows, QDate shown) {
    showMonthLabel(shown);
    const int month = shown.month();
    // Expenses belong to a month with applications only.
    bool entries = false;
    if (month >= 1 && month <= rows.count()) {
        entries = summaryfile::countOf(rows.text(month - 1, summaryfile::EntryCount)) != 0;
        txtUnhappyMoneyValue->setText(rows.text(month - 1, summaryfile::Expenses));
    }
    cmdUnhappyMoneyIn->setEnabled(entries);
}

std::pair<int, bool> YearPage::chooseRow(const diary::RowList& rows, int row) {
    cmdUnhappyMoneyIn->setEnabled(false);
    if (row < 1 || row > rows.count()) {
        return {0, false};
    }
    txtUnhappyMoneyValue->setText(rows.text(row - 1, summaryfile::Expenses));
    const bool entries = summaryfile::countOf(rows.text(row - 1, summaryfile::EntryCount)) != 0;
    cmdUnhappyMoneyIn->setEnabled(entries);
    const qint64 month = summaryfile::countOf(rows.text(row - 1, summaryfile::Key));
    return {month >= 1 && month <= 12 ? int(month) : 0, entries};
}

void TotalPage::buildColumns() {
    buildFixedColumns(lvwTotal->listModel(), totalColumns);
}

TotalPage::TotalPage(QWidget* parent)
    : QWidget(parent), lvwTotal(new ListView(u"lvwTotal"_s, this)) {
    preparePage(this, u"pageTotal"_s);
    pageLayout(this, 0)->addWidget(lvwTotal);
}
