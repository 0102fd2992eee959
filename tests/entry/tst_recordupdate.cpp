// Storing records: the sort of a month, and the guards that keep a bad
// entry from being stored.
#include <QTest>

#include "entry/frmdatainput.h"
#include "entry/recordupdate.h"
#include "programfixture.h"
#include "storage/monthfile.h"

using namespace Qt::StringLiterals;

namespace {

PrizeEntry entry(const QString& date, const QString& id, const QString& number = u"1名様"_s) {
    PrizeEntry e;
    e[FilingDate] = date;
    e[ID] = id;
    e[Present] = u"賞品"_s + id;
    e[HappyMoney] = u"0"_s;
    e[Number] = number;
    e[OtherDate] = u"2010/12/31"_s;
    e[HappyDay] = u"----/--/--"_s;
    return e;
}

QStringList column(const ListModel& model, int c) {
    QStringList texts;
    for (int row = 0; row < model.rowCount(); ++row) {
        texts.append(model.text(row, c));
    }
    return texts;
}

}  // namespace

class TestRecordUpdate : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void replaceQuotes() {
        QCOMPARE(recordupdate::ReplaceQuotes(u"\"限定\"“品”"_s), u" 限定 　品　"_s);
    }

    // By date, then by ID number; IDs that are no 32-bit whole number follow
    // the numbered ones of their date and keep their text.
    void sortMonthRows() {
        ListModel model;
        for (int c = 0; c < PrizeEntryFieldCount; ++c) {
            model.addColumn({QString::number(c), 1000, Qt::AlignLeft});
        }
        const QList<QStringList> rows = {
            {u"2010/01/20"_s, u"10"_s},          {u"2010/01/05"_s, u"ABC"_s},
            {u"2010/01/20"_s, u"9"_s},           {u"2010/01/05"_s, u"0007"_s},
            {u"2010/01/05"_s, u"99999999999"_s}, {u"2010/01/05"_s, u"0"_s},
        };
        model.appendRows(rows);
        recordupdate::SortMonthRows(model);
        QCOMPARE(column(model, FilingDate),
                 (QStringList{u"2010/01/05"_s, u"2010/01/05"_s, u"2010/01/05"_s, u"2010/01/05"_s,
                              u"2010/01/20"_s, u"2010/01/20"_s}));
        QCOMPARE(column(model, ID),
                 (QStringList{u"0"_s, u"7"_s, u"99999999999"_s, u"ABC"_s, u"9"_s, u"10"_s}));
    }

    void numbersAsStored() {
        QCOMPARE(recordupdate::numberOfWinners(u"名様"_s, u"0012"_s), u"12名様"_s);
        QCOMPARE(recordupdate::numberOfWinners(u"全員"_s, u"abc"_s), u"全員"_s);
        QCOMPARE(recordupdate::numberOfWinners(u"名様"_s, u"1,000"_s), QString());
        QCOMPARE(recordupdate::prizeAmount(u"007"_s), u"7"_s);
        QCOMPARE(recordupdate::prizeAmount(u"-5"_s), QString());
    }

    // Pasted text that is no whole number, and text that code page 932
    // cannot hold, are refused before anything is stored; the editor keeps
    // what it shows.
    void badEntriesStoreNothing() {
        ProgramFixture program;
        const QString month = program.folder.paths().monthFile(u"2010"_s, u"01"_s);
        QVERIFY(monthfile::write(month, {entry(u"2010/01/10"_s, u"0"_s)}, QString()).ok());
        const QByteArray before = readBytes(month);
        frmMain* window = program.start();
        QVERIFY(window != nullptr);
        window->SelectedIndex = 1;
        window->SelectedCount = 1;
        window->cmdHensyu_Click();
        frmDataInput* editor = window->editor();
        QVERIFY(editor != nullptr && editor->isVisible());

        editor->txtHappyMoney->setText(u"五百"_s);
        program.prompter.expect(
            platform::MessageAnswer::Ok, u"ｴﾗｰ"_s,
            u"当選額「五百」は数値として読み取れません。\r\n半角数字で入力して下さい。"_s);
        editor->cmdKoshin_Click();
        editor->txtHappyMoney->setText(u"500"_s);
        editor->txtNumber->setText(u"12.5"_s);
        program.prompter.expect(
            platform::MessageAnswer::Ok, u"ｴﾗｰ"_s,
            u"当選数「12.5」は数値として読み取れません。\r\n半角数字で入力して下さい。"_s);
        editor->cmdKoshin_Click();
        editor->txtNumber->setText(u"3"_s);
        editor->txtPresent->setText(u"Café"_s);
        editor->cmdKoshin_Click();
        QVERIFY(program.prompter.faults().size() == 1);  // the CP932 message, not queued
        QVERIFY(program.prompter.shown().last().text.contains(u"「é」"_s));
        QCOMPARE(program.prompter.pending(), 0);
        QCOMPARE(readBytes(month), before);
        QCOMPARE(editor->txtPresent->text(), u"Café"_s);
        editor->cmdClose_Click();
        window->cmdEnd_Click();
    }

    // A number of winners in a form the two number controls cannot show is
    // shown as it is and stored unchanged unless the user changes it.
    void otherNumberFormIsKept() {
        ProgramFixture program;
        const QString month = program.folder.paths().monthFile(u"2010"_s, u"01"_s);
        QVERIFY(monthfile::write(month,
                                 {entry(u"2010/01/10"_s, u"0"_s, u"3名様"_s),
                                  entry(u"2010/01/11"_s, u"0"_s, u"抽選で多数"_s)},
                                 QString())
                    .ok());
        frmMain* window = program.start();
        window->SelectedIndex = 1;
        window->SelectedCount = 1;
        window->cmdHensyu_Click();
        frmDataInput* editor = window->editor();
        editor->cmdNextRecord->click();
        QCOMPARE(editor->cboNumber->currentText(), u"抽選で多数"_s);
        editor->txtPresent->setText(u"変更"_s);
        editor->cmdKoshin_Click();
        QCOMPARE(monthfile::read(month, QString()).records[1][Number], u"抽選で多数"_s);
        editor->cmdClose_Click();
        window->cmdEnd_Click();
    }

    // An edit from the search list whose record is no longer in its month
    // overwrites nothing.
    void searchRowNotFoundStoresNothing() {
        ProgramFixture program;
        const QString month = program.folder.paths().monthFile(u"2010"_s, u"01"_s);
        QVERIFY(monthfile::write(month, {entry(u"2010/01/10"_s, u"1"_s)}, QString()).ok());
        const QByteArray before = readBytes(month);
        frmMain* window = program.start();
        window->tabMain->setCurrentIndex(3);  // the search tab
        PrizeEntry changed = entry(u"2010/01/10"_s, u"1"_s);
        changed[Present] = u"検索の後に変わった賞品"_s;
        window->lvwSearch->rows().appendRow(QStringList(changed.begin(), changed.end()));
        window->lvwSearch_ItemClick(1);
        window->cmdHensyu_Click();
        frmDataInput* editor = window->editor();
        QVERIFY(editor != nullptr);
        editor->txtMsg->setText(u"メモ"_s);
        program.prompter.expect(
            platform::MessageAnswer::Ok, u"ｴﾗｰ"_s,
            u"編集中の懸賞情報が保存先の月に見つかりません。\r\n検索し直してから編集して下さい。"_s);
        editor->cmdKoshin_Click();
        QVERIFY(program.prompter.faults().isEmpty());
        QCOMPARE(readBytes(month), before);
        QCOMPARE(window->lvwSearch->rows().text(0, Msg), QString());
        editor->cmdClose_Click();
        window->cmdEnd_Click();
    }
};

QTEST_MAIN(TestRecordUpdate)
#include "tst_recordupdate.moc"
