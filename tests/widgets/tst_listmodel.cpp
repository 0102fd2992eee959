// The list model as a view of rows kept elsewhere: the contract item views
// rely on through every kind of change, the marks of records and of summary
// rows, and the selection following its rows through a sort.
#include <QAbstractItemModelTester>
#include <QFont>
#include <QTest>

#include "diary/recordlist.h"
#include "diary/records.h"
#include "diary/rowlist.h"
#include "widgets/listview.h"
#include "widgets/marks.h"

using namespace Qt::StringLiterals;

namespace {

PrizeEntry record(const QString& date, const QString& result, const QString& winDay) {
    PrizeEntry e;
    e[FilingDate] = date;
    e[Present] = u"賞品"_s;
    e[Kekka] = result;
    e[HappyDay] = winDay;
    return e;
}

void addColumns(ListModel& model, int count) {
    for (int c = 0; c < count; ++c) {
        model.addColumn({QString::number(c), 1000, Qt::AlignLeft});
    }
}

}  // namespace

class TestListModel : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void modelContract() {
        diary::RecordList records;
        QString markDate = u"2010/01/15"_s;
        ListModel model;
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        addColumns(model, PrizeEntryFieldCount);
        model.setSource(marks::recordRows(records, &markDate));
        records.append(record(u"2010/01/02"_s, u"落選"_s, u"----/--/--"_s));
        records.assign({record(u"2010/01/03"_s, u"小物当選"_s, u"2010/01/15"_s),
                        record(u"2010/01/01"_s, u"落選"_s, u"2010/01/15"_s)});
        QCOMPARE(model.rowCount(), 2);
        records.replace(1, record(u"2010/01/04"_s, u"大物当選"_s, u"----/--/--"_s));
        records.sortBy(FilingDate, Qt::DescendingOrder, records::compareText);
        QCOMPARE(model.text(0, FilingDate), u"2010/01/04"_s);
        model.marksChanged();
        records.removeAt(0);
        model.clearColumns();
        QCOMPARE(model.rowCount(), 1);  // the rows are the records', not the columns'
        QCOMPARE(model.columnCount(), 0);
        records.clear();
        QCOMPARE(model.rowCount(), 0);
    }

    // A win of a class in its colour over the win-date colour, the win-date
    // colour otherwise; the picture column keeps the list's colour; the prize
    // is bold. The date is read when a cell is painted.
    void recordMarks() {
        diary::RecordList records;
        QString markDate = u"2010/01/15"_s;
        ListModel model;
        addColumns(model, PrizeEntryFieldCount);
        model.setSource(marks::recordRows(records, &markDate));
        records.assign({record(u"2010/01/03"_s, u"中物当選"_s, u"2010/01/15"_s),
                        record(u"2010/01/04"_s, u"その他の当選"_s, u"2010/01/15"_s),
                        record(u"2010/01/05"_s, u"落選"_s, u"----/--/--"_s)});
        QCOMPARE(model.cellColor(0, FilingDate), marks::MiddleWinColor);
        QCOMPARE(model.cellColor(0, Msg), marks::MiddleWinColor);
        QCOMPARE(model.cellColor(0, PicturePath), QColor(Qt::black));
        QCOMPARE(model.cellColor(1, Kekka), marks::WinDayColor);
        QCOMPARE(model.cellColor(2, Kekka), QColor(Qt::black));
        QVERIFY(model.data(model.index(2, Present), Qt::FontRole).value<QFont>().bold());
        QVERIFY(!model.data(model.index(2, Site), Qt::FontRole).isValid());
        markDate = u"2010/01/16"_s;
        QCOMPARE(model.cellColor(1, Kekka), QColor(Qt::black));
        QCOMPARE(model.data(model.index(0, Kekka), Qt::ForegroundRole).value<QColor>(),
                 marks::MiddleWinColor);
    }

    void summaryMarks() {
        diary::RowList rows;
        ListModel model;
        addColumns(model, 11);
        model.setSource(marks::summaryRows(rows));
        rows.assign({{u"2009"_s, u"1"_s, u"0"_s, u"2"_s, u"3"_s, u"4"_s, u"75.00"_s, u"500"_s,
                      u"800"_s, u"-300"_s, u"0"_s},
                     {u"2010"_s, u"0"_s, u"1"_s, u"0"_s, u"1"_s, u"1"_s, u"0.00"_s, u"0"_s, u"0"_s,
                      u"0"_s, u"-5"_s}});
        QCOMPARE(model.cellColor(0, 1), marks::SmallWinColor);
        QVERIFY(model.cellBold(0, 1));
        QVERIFY(!model.cellBold(0, 2));
        QCOMPARE(model.cellColor(0, 3), marks::BigWinColor);
        QCOMPARE(model.cellColor(1, 2), marks::MiddleWinColor);
        QVERIFY(model.cellBold(0, 6));
        QVERIFY(!model.cellBold(1, 6));
        QCOMPARE(model.cellColor(0, 7), QColor(0, 0, 255));
        QCOMPARE(model.cellColor(0, 8), QColor(255, 0, 0));
        QCOMPARE(model.cellColor(0, 9), QColor(255, 0, 0));  // a negative balance
        QVERIFY(!model.cellBold(1, 9));
        QVERIFY(!model.cellBold(0, 10));
        QVERIFY(model.cellBold(1, 10));
        QVERIFY(!model.cellBold(0, 0));
    }

    // The selected rows stay selected where the sort takes them.
    void selectionFollowsTheSort() {
        diary::RecordList records;
        QString markDate;
        ListView view(u"lvwProbe"_s);
        addColumns(view.listModel(), PrizeEntryFieldCount);
        view.listModel().setSource(marks::recordRows(records, &markDate));
        for (const QString& date : {u"2010/01/03"_s, u"2010/01/01"_s, u"2010/01/02"_s}) {
            records.append(record(date, u"落選"_s, u"----/--/--"_s));
        }
        view.selectionModel()->select(view.listModel().index(0, 0),
                                      QItemSelectionModel::Select | QItemSelectionModel::Rows);
        records.sortByFilingKey();
        QCOMPARE(view.selectedRows(), QList<int>{2});
        QCOMPARE(view.count(), 3);
    }
};

QTEST_MAIN(TestListModel)
#include "tst_listmodel.moc"
