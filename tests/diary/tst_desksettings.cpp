// The desk's settings without any window: the first start, a new filing key,
// a target that is reached, and the month expenses.
#include <QTest>

#include "desktest.h"
#include "diarytestdata.h"

using namespace Qt::StringLiterals;
using namespace desktest;

class TestDeskSettings : public DeskTest {
    Q_OBJECT

  private Q_SLOTS:
    // Each case has a fresh program folder and a desk that has read nothing.
    void init() { makeDesk(); }
    void cleanup() { dropDesk(); }

    // A first start writes the defaults; a settings file that cannot be
    // written is told.
    void settingsFile() {
        QVERIFY(desk_->loadSettings().done);
        QCOMPARE(setting(paths_, u"FormatKey"_s), u"1"_s);
        QCOMPARE(setting(paths_, u"DreamMoney"_s), u"1000000"_s);
        QCOMPARE(setting(paths_, u"DreamMoneyFlag"_s), u"0"_s);
        QCOMPARE(setting(paths_, u"NoTyohuku"_s), u"1"_s);
        QCOMPARE(setting(paths_, u"SortOn"_s), u"1"_s);

        QVERIFY(QFile::remove(paths_.settingsFile()) && QDir().mkpath(paths_.settingsFile()));
        const diary::Result result = desk_->saveSettings();
        QVERIFY(!result.done);
        QVERIFY(result.notices.value(0).text.startsWith(u"設定を保存できませんでした。"_s));
    }

    // 応募日 to 締切日: every record goes to the month of its deadline,
    // with its two dates changing places.
    void newFilingKeyRefilesEveryRecord() {
        QVERIFY(start());
        const PrizeEntry a = withDates(diaryRecord({}, u"1"_s), u"2009/12/20"_s, u"2010/01/10"_s);
        const PrizeEntry b = withDates(diaryRecord({}, u"2"_s), u"2010/01/05"_s, u"2010/01/31"_s);
        const PrizeEntry c = withDates(diaryRecord({}, u"3"_s), u"2010/01/06"_s, u"2010/03/01"_s);
        QVERIFY(add(a) && add(b) && add(c));
        settingsfile::Settings edited = desk_->settings();
        edited.formatKeyNowDay = false;
        // A copy that is not applied changes nothing.
        QVERIFY(!desk_->filedByDeadline());
        QCOMPARE(setting(paths_, u"FormatKey"_s), u"1"_s);

        QVERIFY(desk_->applySettings(edited, noProgress).done);
        QVERIFY(desk_->filedByDeadline());
        QCOMPARE(setting(paths_, u"FormatKey"_s), u"0"_s);
        QCOMPARE(stored(paths_, u"2010/01"_s),
                 (QList<PrizeEntry>{withDates(a, u"2010/01/10"_s, u"2009/12/20"_s),
                                    withDates(b, u"2010/01/31"_s, u"2010/01/05"_s)}));
        QCOMPARE(stored(paths_, u"2010/03"_s),
                 QList<PrizeEntry>{withDates(c, u"2010/03/01"_s, u"2010/01/06"_s)});
        QVERIFY(!QDir(paths_.yearFolder(u"2009"_s)).exists());
    }

    void unreadableTargetChangesNothing_data() {
        QTest::addColumn<bool>("newFilingKey");
        QTest::newRow("same filing key") << false;
        QTest::newRow("new filing key") << true;
    }

    void unreadableTargetChangesNothing() {
        QFETCH(bool, newFilingKey);
        QVERIFY(start());
        QVERIFY(add(diaryRecord(u"2010/01/05"_s, u"1"_s)));
        const auto before = snapshot(paths_);
        settingsfile::Settings edited = desk_->settings();
        edited.dreamMoney = u"abc"_s;
        edited.formatKeyNowDay = !newFilingKey;
        edited.sortOn = false;
        const diary::Result result = desk_->applySettings(edited, noProgress);
        QVERIFY(!result.done);
        QVERIFY(!result.notices.isEmpty());
        QCOMPARE(desk_->settings().dreamMoney, u"1000000"_s);
        QVERIFY(desk_->settings().sortOn);
        QVERIFY(!desk_->filedByDeadline());
        QCOMPARE(snapshot(paths_), before);
    }

    // Told once per target: reaching it stores the fact, and a new target
    // is told again once it is reached.
    void targetReachedIsToldOnce() {
        QVERIFY(start());
        settingsfile::Settings edited = desk_->settings();
        edited.dreamMoney = u"1000"_s;
        QVERIFY(desk_->applySettings(edited, noProgress).done);
        QVERIFY(add(diaryRecord(u"2010/01/05"_s, u"1"_s, u"小物当選"_s, u"600"_s)));
        QVERIFY(!desk_->checkTargetReached());
        QVERIFY(add(diaryRecord(u"2010/02/05"_s, u"2"_s, u"小物当選"_s, u"500"_s)));
        const std::optional<diary::Result> reached = desk_->checkTargetReached();
        QVERIFY(reached && reached->done);
        QCOMPARE(setting(paths_, u"DreamMoneyFlag"_s), u"1"_s);
        QVERIFY(!desk_->checkTargetReached());

        edited.dreamMoney = u"2000"_s;
        QVERIFY(desk_->applySettings(edited, noProgress).done);
        QCOMPARE(setting(paths_, u"DreamMoneyFlag"_s), u"0"_s);
        QVERIFY(!desk_->checkTargetReached());
        QVERIFY(add(diaryRecord(u"2010/03/05"_s, u"3"_s, u"中物当選"_s, u"900"_s)));
        QVERIFY(desk_->checkTargetReached());
        QCOMPARE(setting(paths_, u"DreamMoneyFlag"_s), u"1"_s);
    }

    // An amount that is none writes nothing. Expenses of 5000 against win
    // money of 3000 make a balance of -2000, and a record added to the month
    // afterwards keeps them.
    void enterExpenses() {
        QVERIFY(start(QDate(2010, 2, 10)));
        QVERIFY(add(diaryRecord(u"2010/02/05"_s, u"1"_s, u"大物当選"_s, u"3000"_s)));
        const auto before = snapshot(paths_);
        for (const QString& typed : {u"-5"_s, u"x"_s}) {
            const diary::Result result = desk_->enterExpenses(typed);
            QVERIFY(!result.done);
            QCOMPARE(
                result.notices.value(0).text,
                u"支出総額「%1」は金額として読み取れません。\r\n0以上の数字で入力して下さい。"_s
                    .arg(typed));
        }
        QCOMPARE(snapshot(paths_), before);
        // A month of the year without applications takes no expenses.
        desk_->setShownDate(QDate(2010, 3, 1));
        QVERIFY(desk_->loadYear().done);
        QVERIFY(!desk_->enterExpenses(u"700"_s).done);
        QCOMPARE(snapshot(paths_), before);
        desk_->setShownDate(QDate(2010, 2, 10));

        QVERIFY(desk_->enterExpenses(u"5000"_s).done);
        QCOMPARE(yearRows(paths_, u"2010"_s)[1][summaryfile::Expenses], u"5000"_s);
        QCOMPARE(yearRows(paths_, u"2010"_s)[1][summaryfile::Balance], u"-2000"_s);
        const QList<Row> total = summaryfile::readTotal(paths_.totalFile()).rows;
        QCOMPARE(total.value(0).value(summaryfile::Balance), u"-2000"_s);

        QVERIFY(add(diaryRecord(u"2010/02/06"_s, u"2"_s)));
        QCOMPARE(yearRows(paths_, u"2010"_s)[1][summaryfile::Expenses], u"5000"_s);
        QCOMPARE(yearRows(paths_, u"2010"_s)[1][summaryfile::EntryCount], u"2"_s);
    }
};

QTEST_GUILESS_MAIN(TestDeskSettings)
#include "tst_desksettings.moc"
