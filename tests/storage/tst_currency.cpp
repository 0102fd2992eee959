#include <QTest>

#include "storage/currency.h"

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(Currency::Error)

class TestCurrency : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void parse_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("units");
        QTest::addColumn<QString>("plain");
        QTest::newRow("whole") << u"1000000"_s << Q_INT64_C(10000000000) << u"1000000"_s;
        QTest::newRow("negative") << u"-380"_s << Q_INT64_C(-3800000) << u"-380"_s;
        QTest::newRow("plus sign") << u"+5"_s << Q_INT64_C(50000) << u"5"_s;
        QTest::newRow("decimals") << u"12.5"_s << Q_INT64_C(125000) << u"12.5"_s;
        QTest::newRow("four decimals") << u"0.0001"_s << Q_INT64_C(1) << u"0.0001"_s;
        QTest::newRow("trailing zeros dropped") << u"3.1000"_s << Q_INT64_C(31000) << u"3.1"_s;
        QTest::newRow("zero decimals dropped") << u"7.00"_s << Q_INT64_C(70000) << u"7"_s;
        QTest::newRow("fifth decimal rounds up") << u"1.00005"_s << Q_INT64_C(10001) << u"1.0001"_s;
        QTest::newRow("fifth decimal rounds down") << u"1.00004"_s << Q_INT64_C(10000) << u"1"_s;
        QTest::newRow("separators") << u"1,234,567"_s << Q_INT64_C(12345670000) << u"1234567"_s;
        QTest::newRow("negative separators")
            << u"-1,000.5"_s << Q_INT64_C(-10005000) << u"-1000.5"_s;
        QTest::newRow("spaces around") << u"  42 "_s << Q_INT64_C(420000) << u"42"_s;
        QTest::newRow("only decimals") << u".5"_s << Q_INT64_C(5000) << u"0.5"_s;
        QTest::newRow("minus zero") << u"-0"_s << Q_INT64_C(0) << u"0"_s;
        QTest::newRow("full-width") << u"－１，０００"_s << Q_INT64_C(-10000000) << u"-1000"_s;
        QTest::newRow("largest") << u"922337203685477.5807"_s << std::numeric_limits<qint64>::max()
                                 << u"922337203685477.5807"_s;
        QTest::newRow("smallest") << u"-922337203685477.5808"_s
                                  << std::numeric_limits<qint64>::min()
                                  << u"-922337203685477.5808"_s;
    }
    void parse() {
        QFETCH(QString, text);
        QFETCH(qint64, units);
        QFETCH(QString, plain);
        Currency::Error error = Currency::Error::Overflow;
        const std::optional<Currency> value = Currency::parse(text, &error);
        QVERIFY(value.has_value());
        QCOMPARE(error, Currency::Error::None);
        QCOMPARE(value->units(), units);
        QCOMPARE(value->toString(), plain);
    }

    void errors_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<Currency::Error>("error");
        QTest::newRow("empty") << QString() << Currency::Error::NotANumber;
        QTest::newRow("blank") << u"  "_s << Currency::Error::NotANumber;
        QTest::newRow("letters") << u"abc"_s << Currency::Error::NotANumber;
        QTest::newRow("trailing letters") << u"12yen"_s << Currency::Error::NotANumber;
        QTest::newRow("sign only") << u"-"_s << Currency::Error::NotANumber;
        QTest::newRow("two signs") << u"--1"_s << Currency::Error::NotANumber;
        QTest::newRow("leading comma") << u",100"_s << Currency::Error::NotANumber;
        QTest::newRow("double comma") << u"1,,000"_s << Currency::Error::NotANumber;
        QTest::newRow("trailing comma") << u"100,"_s << Currency::Error::NotANumber;
        QTest::newRow("two points") << u"1.2.3"_s << Currency::Error::NotANumber;
        QTest::newRow("comma in decimals") << u"1.2,3"_s << Currency::Error::NotANumber;
        QTest::newRow("point alone") << u"."_s << Currency::Error::NotANumber;
        QTest::newRow("one unit too large")
            << u"922337203685477.5808"_s << Currency::Error::Overflow;
        QTest::newRow("one unit too small")
            << u"-922337203685477.5809"_s << Currency::Error::Overflow;
        QTest::newRow("huge") << u"99999999999999999999999999"_s << Currency::Error::Overflow;
        QTest::newRow("rounding overflows")
            << u"922337203685477.58079"_s << Currency::Error::Overflow;
    }
    void errors() {
        QFETCH(QString, text);
        QFETCH(Currency::Error, error);
        Currency::Error found = Currency::Error::None;
        QVERIFY(!Currency::parse(text, &found).has_value());
        QCOMPARE(found, error);
    }

    void arithmeticReportsOverflow() {
        const Currency max = Currency::fromUnits(std::numeric_limits<qint64>::max());
        const Currency min = Currency::fromUnits(std::numeric_limits<qint64>::min());
        const Currency one = Currency::fromUnits(1);
        QVERIFY(!max.plus(one).has_value());
        QVERIFY(!min.minus(one).has_value());
        QVERIFY(!Currency().minus(min).has_value());
        QCOMPARE(max.minus(one)->units(), std::numeric_limits<qint64>::max() - 1);
        QCOMPARE(Currency::fromYen(600)->minus(*Currency::fromYen(1000))->toString(), u"-400"_s);
        QVERIFY(!Currency::fromYen(std::numeric_limits<qint64>::max() / 1000).has_value());
    }

    // Each operation right at the edge of the range, and one unit past it.
    void arithmeticBoundary_data() {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<qint64>("left");
        QTest::addColumn<qint64>("right");
        QTest::addColumn<bool>("fits");
        QTest::addColumn<qint64>("units");
        constexpr qint64 max = std::numeric_limits<qint64>::max();
        constexpr qint64 min = std::numeric_limits<qint64>::min();
        constexpr qint64 maxYen = max / Currency::UnitsPerYen;
        constexpr qint64 minYen = min / Currency::UnitsPerYen;
        QTest::newRow("plus reaches the top") << u"plus"_s << max - 5 << qint64{5} << true << max;
        QTest::newRow("plus passes the top")
            << u"plus"_s << max - 5 << qint64{6} << false << qint64{0};
        QTest::newRow("plus reaches the bottom")
            << u"plus"_s << min + 5 << qint64{-5} << true << min;
        QTest::newRow("plus passes the bottom")
            << u"plus"_s << min + 5 << qint64{-6} << false << qint64{0};
        QTest::newRow("minus reaches the bottom")
            << u"minus"_s << min + 5 << qint64{5} << true << min;
        QTest::newRow("minus passes the bottom")
            << u"minus"_s << min + 5 << qint64{6} << false << qint64{0};
        QTest::newRow("minus reaches the top") << u"minus"_s << qint64{-1} << min << true << max;
        QTest::newRow("minus passes the top")
            << u"minus"_s << qint64{0} << min << false << qint64{0};
        QTest::newRow("yen at the top")
            << u"yen"_s << maxYen << qint64{0} << true << maxYen * Currency::UnitsPerYen;
        QTest::newRow("yen past the top")
            << u"yen"_s << maxYen + 1 << qint64{0} << false << qint64{0};
        QTest::newRow("yen at the bottom")
            << u"yen"_s << minYen << qint64{0} << true << minYen * Currency::UnitsPerYen;
        QTest::newRow("yen past the bottom")
            << u"yen"_s << minYen - 1 << qint64{0} << false << qint64{0};
    }
    void arithmeticBoundary() {
        QFETCH(QString, operation);
        QFETCH(qint64, left);
        QFETCH(qint64, right);
        QFETCH(bool, fits);
        QFETCH(qint64, units);
        const Currency a = Currency::fromUnits(left);
        const Currency b = Currency::fromUnits(right);
        const std::optional<Currency> result = operation == u"plus"_s    ? a.plus(b)
                                               : operation == u"minus"_s ? a.minus(b)
                                                                         : Currency::fromYen(left);
        QCOMPARE(result.has_value(), fits);
        if (fits) {
            QCOMPARE(result->units(), units);
        }
    }
};

QTEST_GUILESS_MAIN(TestCurrency)
#include "tst_currency.moc"
