#include "mainwindow/analysispage.h"

#include <QApplication>
#include <QBuffer>
#include <QComboBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

#include "diary/desk.h"
#include "mainwindow/chosenfile.h"
#include "mainwindow/formcontrols.h"
#include "mainwindow/listpages.h"
#include "platform/datafileerror.h"
#include "platform/dialogs.h"
#include "platform/prompter.h"
#include "storage/diskfile.h"
#include "storage/monthfile.h"
#include "storage/summaryfile.h"
#include "widgets/chartview.h"
#include "widgets/listview.h"
#include "widgets/marks.h"

using namespace Qt::StringLiterals;
using namespace formcontrols;

namespace {

constexpr int ControlsHeight = 420;

constexpr FixedColumn columns[] = {
    {u"分類", 2200},     {u"応募総数", 1000}, {u"当選総数", 1000}, {u"当選率", 800},
    {u"小物当選", 1000}, {u"中物当選", 1000}, {u"大物当選", 1000}, {u"当選総額", 1200},
};

// A column's value for sorting: numbers by value, the category by text.
double numberOf(const analysis::Row& row, int column) {
    switch (column) {
        case 1:
            return double(row.entries);
        case 2:
            return double(row.wins);
        case 3:
            return row.entries == 0 ? 0.0 : double(row.wins) / double(row.entries);
        case 4:
            return double(row.smallWins);
        case 5:
            return double(row.middleWins);
        case 6:
            return double(row.bigWins);
        default:
            return double(row.winMoney.units());
    }
}

}  // namespace

AnalysisPage::AnalysisPage(Platform& platform, diary::Desk& desk, QWidget* parent)
    : QWidget(parent), platform_(platform), desk_(desk) {
    setObjectName(u"pageAnalysis"_s);
    setAutoFillBackground(true);
    QWidget* bar = fixedPanel(this, 11700, ControlsHeight);
    label(bar, u"lblAnalysisKind"_s, u"分類"_s, 120, 90, 500);
    cboAnalysisKind = makeTwips<QComboBox>(bar, u"cboAnalysisKind"_s, 600, 45, 1900, 330);
    for (const analysis::Kind kind : analysis::Kinds) {
        cboAnalysisKind->addItem(analysis::kindCaption(kind));
    }
    optAnalysisYear = makeTwips<QRadioButton>(bar, u"optAnalysisYear"_s, 2760, 60, 1500, 300);
    optAnalysisYear->setText(u"表示中の年"_s);
    optAnalysisYear->setChecked(true);
    optAnalysisAll = makeTwips<QRadioButton>(bar, u"optAnalysisAll"_s, 4320, 60, 1200, 300);
    optAnalysisAll->setText(u"全期間"_s);
    cmdAnalysisImage = pushButton(bar, u"cmdAnalysisImage"_s, u"画像保存(&G)"_s, 5700, 30, 1500);

    lvwAnalysis = new ListView(u"lvwAnalysis"_s, this);
    buildFixedColumns(lvwAnalysis->listModel(), columns);
    lvwAnalysis->listModel().setSource(marks::plainRows(rows_));
    chtAnalysis = new ChartView(u"chtAnalysis"_s, this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    auto* body = new QHBoxLayout;
    body->setSpacing(4);
    body->addWidget(lvwAnalysis, 1);
    body->addWidget(chtAnalysis, 1);
    layout->addLayout(body, 1);

    connect(cboAnalysisKind, &QComboBox::activated, this, [this] { load(); });
    connect(optAnalysisYear, &QRadioButton::clicked, this, [this] { load(); });
    connect(optAnalysisAll, &QRadioButton::clicked, this, [this] { load(); });
    connect(lvwAnalysis, &ListView::columnClicked, this, &AnalysisPage::sortByColumn);
    connect(cmdAnalysisImage, &QPushButton::clicked, this, &AnalysisPage::cmdAnalysisImage_Click);
}

void AnalysisPage::load() {
    const auto kind = analysis::Kind(std::max(0, cboAnalysisKind->currentIndex()));
    const bool shownYear = optAnalysisYear->isChecked();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const analysis::Table table = analysis::count(
        desk_.paths(), kind, shownYear ? desk_.ShownYear() : QString(), desk_.startPassword());
    table_ = table.rows;
    lvwAnalysis->sortOrder = Qt::AscendingOrder;
    showRows();
    const DataPaths& paths = desk_.paths();
    if (shownYear) {
        chtAnalysis->showChart(
            analysis::yearChart(summaryfile::readYear(paths.yearFile(desk_.ShownYear())).rows));
    } else {
        chtAnalysis->showChart(analysis::totalChart(summaryfile::readTotal(paths.totalFile()).rows,
                                                    desk_.settings().targetAmount));
    }
    QApplication::restoreOverrideCursor();
    for (const QString& path : table.refusedFiles) {
        platform::ShowDataFileError(platform_.prompter, path);
    }
    Q_EMIT loaded();
}

void AnalysisPage::showRows() {
    QList<QStringList> cells;
    cells.reserve(table_.size());
    for (const analysis::Row& row : table_) {
        cells.append(row.cells());
    }
    rows_.assign(std::move(cells));
}

// One order for the list, reversed by every click whichever column it is;
// rows that are equal keep their order.
void AnalysisPage::sortByColumn(int column) {
    if (table_.isEmpty()) {
        return;
    }
    const int c = column - 1;
    lvwAnalysis->sortOrder =
        lvwAnalysis->sortOrder == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    const bool ascending = lvwAnalysis->sortOrder == Qt::AscendingOrder;
    std::stable_sort(table_.begin(), table_.end(),
                     [&](const analysis::Row& a, const analysis::Row& b) {
                         if (c == 0) {
                             const int order = a.category.compare(b.category);
                             return ascending ? order < 0 : order > 0;
                         }
                         const double x = numberOf(a, c);
                         const double y = numberOf(b, c);
                         return ascending ? x < y : x > y;
                     });
    showRows();
}

void AnalysisPage::cmdAnalysisImage_Click() {
    const QString proposed = optAnalysisYear->isChecked()
                                 ? u"%1年の収支.png"_s.arg(desk_.ShownYear())
                                 : u"全期間の収支.png"_s;
    const std::optional<QString> path =
        platform_.dialogs.saveFile(window(), u"名前を付けて保存"_s, u"*.png|*.png|"_s, proposed);
    if (!path) {
        return;
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!chtAnalysis->grab().save(&buffer, "PNG")) {
        platform::showError(platform_.prompter, diskfile::cannotWriteMessage(*path, QString()));
        return;
    }
    saveChosenFile(platform_.prompter, *path, png);
}
