#include <QTest>

#include "storage/summaryfile.h"
#include "testsupport.h"

using namespace Qt::StringLiterals;

class TestSummaryFile : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void zeroYearAndExactBytes() {
        TestFolder folder;
        const QString path = folder.paths().yearFile(u"2010"_s);
        QList<summaryfile::Row> rows = summaryfile::zeroYear();
        QCOMPARE(rows.size(), 12);
        rows[0] = {u"1"_s, u"1"_s,     u"0"_s,   u"0"_s,   u"1"_s,
                   u"2"_s, u"50.00"_s, u"500"_s, u"900"_s, u"-400"_s};
        QVERIFY(summaryfile::write(path, rows).ok());
        const QByteArray plain = deciphered(path);
        QVERIFY(plain.startsWith("1,1,0,0,1,2,50.00,500,900,-400\r\n2,0,0,0,0,0,0.00,0,0,0\r\n"));
        QVERIFY(plain.endsWith("\r\n12,0,0,0,0,0,0.00,0,0,0\r\n"));
        QCOMPARE(summaryfile::readYear(path).rows, rows);

        // A total file without rows is no file.
        const QString total = folder.paths().totalFile();
        QVERIFY(summaryfile::write(total, {{u"2010"_s}}).ok());
        QVERIFY(summaryfile::write(total, {}).ok());
        QVERIFY(!QFile::exists(total));
    }

    // The position of a row is its month, whatever the file holds.
    void yearFileReadsAsTwelveRows() {
        TestFolder folder;
        const QString path = folder.paths().yearFile(u"2010"_s);
        QVERIFY(writeEnciphered(path, "1,0,0,0,0,3,0.00,0,0,0\r\n2,1,0,0,1,1,100.00,5,0,5\r\n"));
        QList<summaryfile::Row> rows = summaryfile::readYear(path).rows;
        QCOMPARE(rows.size(), 12);
        QCOMPARE(rows[1].join(u','), u"2,1,0,0,1,1,100.00,5,0,5"_s);
        QCOMPARE(rows[2].join(u','), u"3,0,0,0,0,0,0.00,0,0,0"_s);
        QCOMPARE(rows[11][0], u"12"_s);

        QByteArray fourteen;
        for (int month = 1; month <= 14; ++month) {
            fourteen += QByteArray::number(month) + ",0,0,0,0,0,0.00,0,0,0\r\n";
        }
        QVERIFY(writeEnciphered(path, fourteen));
        rows = summaryfile::readYear(path).rows;
        QCOMPARE(rows.size(), 12);
        QCOMPARE(rows[11][0], u"12"_s);

        QCOMPARE(summaryfile::readYear(folder.paths().yearFile(u"1999"_s)).status,
                 summaryfile::ReadResult::Status::Missing);
    }

    void numbersAsTheListsShowThem() {
        QCOMPARE(summaryfile::countOf(u"3"_s), 3);
        QCOMPARE(summaryfile::countOf(u"2.5"_s), 3);
        QCOMPARE(summaryfile::countOf(u"abc"_s), 0);
        QVERIFY(summaryfile::isPositiveText(u"1"_s));
        QVERIFY(summaryfile::isPositiveText(u"0.5"_s));
        QVERIFY(!summaryfile::isPositiveText(u"0"_s));
        QVERIFY(!summaryfile::isPositiveText(u"-5"_s));
    }
};

QTEST_GUILESS_MAIN(TestSummaryFile)
#include "tst_summaryfile.moc"
