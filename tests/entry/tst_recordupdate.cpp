// Storing records through the editor: the guards that keep a bad entry from
// being stored, numbers the editor cannot show, and an edit whose record
// left its month since the search.
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>

#include "programfixture.h"
#include "storage/monthfile.h"
#include "widgets/controls.h"
#include "widgets/listview.h"

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

// Opens the editor on the first row of a list of the main window.
QWidget* editFirstRow(frmMain* window, const QString& list) {
    clickRow(control<ListView>(window, list), 0);
    control<QPushButton>(window, u"cmdHensyu"_s)->click();
    return openWindow(u"frmDataInput"_s);
}

void type(QWidget* editor, const QString& box, const QString& text) {
    control<QLineEdit>(editor, box)->setText(text);
}

void update(QWidget* editor) {
    control<QPushButton>(editor, u"cmdKoshin"_s)->click();
}

void endProgram(QWidget* editor, frmMain* window) {
    if (editor != nullptr) {
        control<QPushButton>(editor, u"cmdClose"_s)->click();
    }
    control<QPushButton>(window, u"cmdEnd"_s)->click();
}

}  // namespace

class TestRecordUpdate : public QObject {
    Q_OBJECT

  private Q_SLOTS:
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
        QWidget* editor = editFirstRow(window, u"lvwMonth"_s);
        QVERIFY(editor != nullptr);

        type(editor, u"txtHappyMoney"_s, u"五百"_s);
        program.prompter.expect(
            platform::MessageAnswer::Ok, u"ｴﾗｰ"_s,
            u"当選額「五百」は数値として読み取れません。\r\n半角数字で入力して下さい。"_s);
        update(editor);
        type(editor, u"txtHappyMoney"_s, u"500"_s);
        type(editor, u"txtNumber"_s, u"12.5"_s);
        program.prompter.expect(
            platform::MessageAnswer::Ok, u"ｴﾗｰ"_s,
            u"当選数「12.5」は数値として読み取れません。\r\n半角数字で入力して下さい。"_s);
        update(editor);
        type(editor, u"txtNumber"_s, u"3"_s);
        type(editor, u"txtPresent"_s, u"Café"_s);
        update(editor);
        QVERIFY(program.prompter.faults().size() == 1);  // the CP932 message, not queued
        QVERIFY(program.prompter.shown().last().text.contains(u"「é」"_s));
        QCOMPARE(program.prompter.pending(), 0);
        QCOMPARE(readBytes(month), before);
        QCOMPARE(control<QLineEdit>(editor, u"txtPresent"_s)->text(), u"Café"_s);
        endProgram(editor, window);
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
        QWidget* editor = editFirstRow(window, u"lvwMonth"_s);
        QVERIFY(editor != nullptr);
        control<QPushButton>(editor, u"cmdNextRecord"_s)->click();
        QCOMPARE(control<ListCombo>(editor, u"cboNumber"_s)->currentText(), u"抽選で多数"_s);
        type(editor, u"txtPresent"_s, u"変更"_s);
        update(editor);
        const QList<PrizeEntry> stored = monthfile::read(month, QString()).records;
        QCOMPARE(stored[1][Number], u"抽選で多数"_s);
        QCOMPARE(stored[1][Present], u"変更"_s);
        endProgram(editor, window);
    }

    // An edit from the search list whose record is no longer in its month
    // overwrites nothing.
    void searchRowNotFoundStoresNothing() {
        ProgramFixture program;
        const QString month = program.folder.paths().monthFile(u"2010"_s, u"01"_s);
        QVERIFY(monthfile::write(month, {entry(u"2010/01/10"_s, u"1"_s)}, QString()).ok());
        const QByteArray before = readBytes(month);
        frmMain* window = program.start();
        control<QTabBar>(window, u"tabMain"_s)->setCurrentIndex(int(diary::Tab::Search));
        PrizeEntry changed = entry(u"2010/01/10"_s, u"1"_s);
        changed[Present] = u"検索の後に変わった賞品"_s;
        window->searchResults().append(changed);
        QWidget* editor = editFirstRow(window, u"lvwSearch"_s);
        QVERIFY(editor != nullptr);
        type(editor, u"txtMsg"_s, u"メモ"_s);
        program.prompter.expect(
            platform::MessageAnswer::Ok, u"ｴﾗｰ"_s,
            u"編集中の懸賞情報が保存先の月に見つかりません。\r\n検索し直してから編集して下さい。"_s);
        update(editor);
        QVERIFY(program.prompter.faults().isEmpty());
        QCOMPARE(readBytes(month), before);
        QCOMPARE(window->searchResults().at(0)[Msg], QString());
        endProgram(editor, window);
    }
};

QTEST_MAIN(TestRecordUpdate)
#include "tst_recordupdate.moc"
