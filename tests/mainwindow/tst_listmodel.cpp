#include <QAbstractItemModelTester>
#include <QFont>
#include <QTest>

#include "mainwindow/listmodel.h"

using namespace Qt::StringLiterals;

class TestListModel : public QObject {
    Q_OBJECT

  private:
    static QStringList column(const ListModel& model, int c) {
        QStringList texts;
        for (int row = 0; row < model.rowCount(); ++row) {
            texts.append(model.text(row, c));
        }
        return texts;
    }

  private Q_SLOTS:
    // The model keeps the contract views rely on through every kind of change.
    void modelContract() {
        ListModel model;
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.addColumn({u"月"_s, 375, Qt::AlignLeft});
        model.addColumn({u"当選率"_s, 775, Qt::AlignRight});
        model.appendRow({u"1"_s, u"0.00"_s});
        model.appendRows({{u"2"_s, u"50.00"_s}, {u"3"_s}});
        model.setText(2, 1, u"1.00"_s);
        model.setCellColor(1, 1, QColor(255, 0, 0));
        model.setCellBold(1, 1, true);
        model.marksChanged(0, 2);
        model.sortRowsBy(1, Qt::DescendingOrder,
                         [](const QString& a, const QString& b) { return a.compare(b); });
        model.removeRowAt(0);
        model.clearRows();
        model.clearColumns();
        QCOMPARE(model.rowCount(), 0);
        QCOMPARE(model.columnCount(), 0);
    }

    void cellsAndMarks() {
        ListModel model;
        model.addColumn({u"a"_s, 1000, Qt::AlignLeft});
        model.addColumn({u"b"_s, 1000, Qt::AlignRight});
        model.appendRow({u"x"_s});  // fewer cells than columns
        QCOMPARE(model.text(0, 1), QString());
        QCOMPARE(model.data(model.index(0, 1), Qt::DisplayRole).toString(), QString());
        QCOMPARE(model.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), u"b"_s);

        // Unmarked cells follow the list's text colour; marks stay per cell.
        QCOMPARE(model.cellColor(0, 0), QColor(Qt::black));
        model.setCellColor(0, 1, QColor(168, 0, 0));
        model.setTextColor(QColor(0, 0, 255));
        QCOMPARE(model.cellColor(0, 0), QColor(0, 0, 255));
        QCOMPARE(model.data(model.index(0, 1), Qt::ForegroundRole).value<QColor>(),
                 QColor(168, 0, 0));
        model.setCellColor(0, 1, QColor());
        QCOMPARE(model.cellColor(0, 1), QColor(0, 0, 255));
        // Black set on purpose is a colour, not "unset".
        model.setCellColor(0, 0, QColor(0, 0, 0));
        QCOMPARE(model.cellColor(0, 0), QColor(0, 0, 0));

        QVERIFY(!model.data(model.index(0, 0), Qt::FontRole).isValid());
        model.setCellBold(0, 0, true);
        QVERIFY(model.data(model.index(0, 0), Qt::FontRole).value<QFont>().bold());
        model.setCellBold(0, 0, false);
        QVERIFY(!model.cellBold(0, 0));
    }

    void sortIsStableAndCarriesMarks() {
        ListModel model;
        model.addColumn({u"key"_s, 1000, Qt::AlignLeft});
        model.addColumn({u"order"_s, 1000, Qt::AlignLeft});
        const QStringList keys = {u"b"_s, u"a"_s, u"b"_s, u"a"_s, u"c"_s};
        for (int i = 0; i < keys.size(); ++i) {
            model.appendRow({keys[i], QString::number(i)});
        }
        model.setCellColor(4, 1, QColor(0, 168, 0));
        const auto text = [](const QString& a, const QString& b) { return a.compare(b); };
        model.sortRowsBy(0, Qt::AscendingOrder, text);
        QCOMPARE(column(model, 1), (QStringList{u"1"_s, u"3"_s, u"0"_s, u"2"_s, u"4"_s}));
        QCOMPARE(model.cellColor(4, 1), QColor(0, 168, 0));
        model.sortRowsBy(0, Qt::DescendingOrder, text);
        QCOMPARE(column(model, 1), (QStringList{u"4"_s, u"0"_s, u"2"_s, u"1"_s, u"3"_s}));
        QCOMPARE(model.cellColor(0, 1), QColor(0, 168, 0));
    }
};

QTEST_MAIN(TestListModel)
#include "tst_listmodel.moc"
