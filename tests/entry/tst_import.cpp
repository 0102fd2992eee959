// The import from the clipboard when a save fails: the import ends with the
// error shown, the months saved before keep their records, and the view
// comes back to the month shown before.
#include <QPushButton>
#include <QTest>

#include "programfixture.h"
#include "storage/monthfile.h"
#include "widgets/controls.h"
#include "widgets/listview.h"

using namespace Qt::StringLiterals;

namespace {

QString announcement(const QString& id, const QString& deadline) {
    return u"ID:%1 賞品:賞品%1\r\n当選数:5名様 締切:%2\r\nサイト名:ネット\r\n紹介文:毎月\r\n"
           u"［現金│アンケート│抽選］\r\n"_s.arg(id, deadline);
}

}  // namespace

class TestImport : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void failingSaveEndsTheImport() {
        ProgramFixture program;
        const DataPaths paths = program.folder.paths();
        QVERIFY(
            writeEnciphered(paths.settingsFile(), "[Setting]\r\nFormatKey=0\r\nNoTyohuku=0\r\n"));
        frmMain* window = program.start();
        QVERIFY(window != nullptr);
        // February takes one record, March three: the second month file is
        // larger than a work file may grow.
        program.clipboard.setText(
            announcement(u"1"_s, u"2010/02/01"_s) + announcement(u"2"_s, u"2010/03/01"_s) +
            announcement(u"3"_s, u"2010/03/02"_s) + announcement(u"4"_s, u"2010/03/03"_s));
        {
            FailingWorkFile::Scope smallDisk(400);
            control<QPushButton>(window, u"cmdInput"_s)->click();
        }
        // One error box, for the month that could not be stored.
        QCOMPARE(program.prompter.shown().size(), 1);
        QCOMPARE(program.prompter.shown()[0].title, u"ｴﾗｰ"_s);
        QVERIFY2(program.prompter.shown()[0].text.startsWith(
                     diskfile::cannotWriteMessage(paths.monthFile(u"2010"_s, u"03"_s), QString())),
                 qPrintable(program.prompter.shown()[0].text));
        QCOMPARE(monthfile::read(paths.monthFile(u"2010"_s, u"02"_s), QString()).records.size(), 1);
        QVERIFY(!QFile::exists(paths.monthFile(u"2010"_s, u"03"_s)));
        QCOMPARE(control<DatePicker>(window, u"dtpDate"_s)->date(), QDate(2010, 1, 15));
        QCOMPARE(control<ListView>(window, u"lvwMonth"_s)->count(), 0);
        control<QPushButton>(window, u"cmdEnd"_s)->click();
    }
};

QTEST_MAIN(TestImport)
#include "tst_import.moc"
