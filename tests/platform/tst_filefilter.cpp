// The filters of the file dialogs: the choice preselected for a proposed
// name and the extension a name typed without one gets, in the real dialog's
// rule and in the scripted dialog the scenarios answer.
#include <QTest>

#include "platform/filefilter.h"
#include "scripteddialogs.h"

using namespace Qt::StringLiterals;

namespace {

const QString ListFilter = u"*.csv|*.csv|*.htm|*.htm|*.html|*.html|"_s;
const QString PictureFilter =
    u"Picture|*.bmp;*.wmf;*.emf;*.jpeg;*.jpg;*.gif;*.png|All Files|*.*|"_s;

}  // namespace

class TestFileFilter : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void suffixOfAChoice_data() {
        QTest::addColumn<QStringList>("patterns");
        QTest::addColumn<QString>("suffix");
        QTest::newRow("csv") << QStringList{u"*.csv"_s} << u"csv"_s;
        QTest::newRow("first of several") << QStringList{u"*.bmp"_s, u"*.png"_s} << u"bmp"_s;
        QTest::newRow("two dots") << QStringList{u"*.tar.gz"_s} << u"tar.gz"_s;
        QTest::newRow("all files") << QStringList{u"*.*"_s} << QString();
        QTest::newRow("wildcard in extension") << QStringList{u"*.jp?g"_s} << QString();
        QTest::newRow("any name") << QStringList{u"*"_s} << QString();
        QTest::newRow("fixed name") << QStringList{u"list.csv"_s} << QString();
        QTest::newRow("no pattern") << QStringList() << QString();
    }
    void suffixOfAChoice() {
        QFETCH(QStringList, patterns);
        QFETCH(QString, suffix);
        QCOMPARE(platform::defaultSuffix({u"choice"_s, patterns}), suffix);
    }

    void choicePreselectedForAName_data() {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("name");
        QTest::addColumn<qsizetype>("index");
        QTest::newRow("csv") << ListFilter << u"2026年11月.csv"_s << qsizetype(0);
        QTest::newRow("htm") << ListFilter << u"list.htm"_s << qsizetype(1);
        QTest::newRow("html, not htm") << ListFilter << u"list.html"_s << qsizetype(2);
        QTest::newRow("in a folder") << ListFilter << u"/home/a.htm/list.html"_s << qsizetype(2);
        QTest::newRow("no extension") << ListFilter << u"list"_s << qsizetype(0);
        QTest::newRow("no match") << ListFilter << u"list.txt"_s << qsizetype(0);
        QTest::newRow("all files") << PictureFilter << u"notes.txt"_s << qsizetype(1);
        QTest::newRow("picture") << PictureFilter << u"prize.png"_s << qsizetype(0);
    }
    void choicePreselectedForAName() {
        QFETCH(QString, filter);
        QFETCH(QString, name);
        QFETCH(qsizetype, index);
        QCOMPARE(platform::filterIndexForName(platform::parseFileFilter(filter), name), index);
    }

    void suffixAddedToATypedName_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<QString>("path");
        QTest::newRow("bare name") << u"2026年11月"_s << u"csv"_s << u"2026年11月.csv"_s;
        QTest::newRow("dot in the folder only")
            << u"/home/u.v/list"_s << u"csv"_s << u"/home/u.v/list.csv"_s;
        QTest::newRow("native separators")
            << u"C:\\Users\\u.v\\list"_s << u"csv"_s << u"C:\\Users\\u.v\\list.csv"_s;
        QTest::newRow("own extension kept") << u"list.htm"_s << u"csv"_s << u"list.htm"_s;
        QTest::newRow("other dot kept") << u"2026.11"_s << u"csv"_s << u"2026.11"_s;
        QTest::newRow("folder") << u"/home/u/"_s << u"csv"_s << u"/home/u/"_s;
    }
    void suffixAddedToATypedName() {
        QFETCH(QString, typed);
        QFETCH(QString, suffix);
        QFETCH(QString, path);
        QCOMPARE(platform::withDefaultSuffix(typed, suffix), path);
    }

    // The scripted save dialog answers as a user typing into the real one
    // with the program's choice preselected; it keeps the proposed name.
    void scriptedSaveDialog_data() {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("proposed");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("returned");
        QTest::newRow("csv proposed")
            << ListFilter << u"2026年11月.csv"_s << u"2026年11月"_s << u"2026年11月.csv"_s;
        QTest::newRow("html proposed")
            << ListFilter << u"一覧.html"_s << u"一覧"_s << u"一覧.html"_s;
        QTest::newRow("all files") << PictureFilter << u"notes.txt"_s << u"notes"_s << u"notes"_s;
    }
    void scriptedSaveDialog() {
        QFETCH(QString, filter);
        QFETCH(QString, proposed);
        QFETCH(QString, typed);
        QFETCH(QString, returned);
        platform::ScriptedDialogs dialogs;
        dialogs.answerFile(typed);
        QCOMPARE(dialogs.saveFile(nullptr, u"保存"_s, filter, proposed), returned);
        QCOMPARE(dialogs.asked().size(), 1);
        QCOMPARE(dialogs.asked().first().proposedName, proposed);
        QVERIFY(dialogs.faults().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestFileFilter)
#include "tst_filefilter.moc"
