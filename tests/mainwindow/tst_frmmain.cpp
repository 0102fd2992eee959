// The main window's start-up, columns and sorting, with a scripted desktop.
#include <QCheckBox>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QSysInfo>
#include <QTest>

#include "programfixture.h"
#include "storage/cp932.h"
#include "storage/monthfile.h"
#include "storage/summaryfile.h"
#include "widgets/controls.h"
#include "widgets/listview.h"

using namespace Qt::StringLiterals;

namespace {

PrizeEntry entry(const QString& id, const QString& money, const QString& number) {
    PrizeEntry e;
    e[FilingDate] = u"2010/01/10"_s;
    e[ID] = id;
    e[HappyMoney] = money;
    e[Number] = number;
    return e;
}

QStringList column(const ListView* list, int c) {
    QStringList texts;
    for (int row = 0; row < list->count(); ++row) {
        texts.append(list->listModel().text(row, c));
    }
    return texts;
}

ListView* list(const frmMain* window, const QString& name) {
    return control<ListView>(window, name);
}

void end(frmMain* window) {
    control<QPushButton>(window, u"cmdEnd"_s)->click();
}

}  // namespace

class TestFrmMain : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void secondCopyIsRefusedAndTouchesNothing() {
        ProgramFixture program;
        program.instanceLock.heldElsewhere = true;
        program.prompter.expect(platform::MessageAnswer::Ok, u"多重起動不可"_s,
                                u"きらび帳は、すでに起動しています。"_s);
        QCOMPARE(StartProgram(program.platform, program.folder.path()), nullptr);
        QVERIFY(program.prompter.faults().isEmpty());
        QCOMPARE(program.prompter.shown().value(0).icon, platform::MessageIcon::None);
        QVERIFY(!QFile::exists(program.folder.paths().dataFolder()));
    }

    // The lock belongs to the running process: another process cannot take
    // it, and a copy that is killed leaves nothing that blocks the next.
    void lockGoesWithItsProcess() {
        TestFolder folder;
        QProcess holder;
        holder.start(QStringLiteral(KIRABILOG_LOCKHOLDER), {folder.path()});
        QVERIFY2(holder.waitForReadyRead(20000), qPrintable(holder.errorString()));
        QCOMPARE(holder.readAllStandardOutput().trimmed(), QByteArray("held"));
        platform::SystemInstanceLock second(folder.path());
        QVERIFY(!second.tryAcquire());
        platform::SystemInstanceLock elsewhere(folder.file(u"other"_s));
        QVERIFY(elsewhere.tryAcquire());
        holder.kill();
        QVERIFY(holder.waitForFinished());
        platform::SystemInstanceLock next(folder.path());
        QVERIFY(next.tryAcquire());
    }

    // A lock file left by a copy that crashed names a process that is gone.
    void staleLockFileDoesNotBlockAStart() {
#ifdef Q_OS_WIN
        QSKIP("the lock is a mutex, which Windows gives up with its process");
#endif
        TestFolder folder;
        platform::SystemInstanceLock first(folder.path());
        QVERIFY(writeBytes(first.name(),
                           "999999\nkirabilog\n" + QSysInfo::machineHostName().toUtf8() + "\n"));
        QVERIFY(first.tryAcquire());
        platform::SystemInstanceLock second(folder.path());
        QVERIFY(!second.tryAcquire());
    }

    void desktopShortcutFile() {
#ifdef Q_OS_WIN
        QSKIP("Windows makes a shell link, which tst_shortcut_win reads back");
#endif
        TestFolder desktop;
        platform::SystemDesktopShortcut shortcut(desktop.path());
        QVERIFY(shortcut.create(u"/opt/きらび帳/kirabilog"_s));
        QVERIFY(shortcut.create(u"/opt/new place/kirabilog"_s));  // overwrites
        const QString text = QString::fromUtf8(readBytes(desktop.file(u"きらび帳.desktop"_s)));
        QVERIFY2(text.contains(u"\nName=きらび帳\n"_s), qPrintable(text));
        QVERIFY2(text.contains(u"\nExec=\"/opt/new place/kirabilog\"\n"_s), qPrintable(text));
    }

    // The first column is the filing date and column 9 the other date; every
    // other field keeps its place, and the widths come from the width boxes.
    void monthColumnsFollowTheFilingKey_data() {
        QTest::addColumn<QByteArray>("formatKey");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("other");
        QTest::newRow("application date") << QByteArray("1") << u"応募日"_s << u"締切日"_s;
        QTest::newRow("deadline") << QByteArray("0") << u"締切日"_s << u"応募日"_s;
    }
    void monthColumnsFollowTheFilingKey() {
        QFETCH(QByteArray, formatKey);
        QFETCH(QString, first);
        QFETCH(QString, other);
        ProgramFixture program;
        QVERIFY(writeEnciphered(program.folder.paths().settingsFile(),
                                "[Setting]\r\nFormatKey=" + formatKey +
                                    "\r\nSizeNowDay=1200\r\nSizeEndDay=1500\r\nSizeURL=\r\n"));
        frmMain* window = program.start();
        QVERIFY(window != nullptr);
        const ListView* month = list(window, u"lvwMonth"_s);
        const ListModel& model = month->listModel();
        QCOMPARE(model.columnCount(), 17);
        QCOMPARE(model.columns()[0].header, first);
        QCOMPARE(model.columns()[9].header, other);
        QCOMPARE(model.columns()[1].header, u"ＩＤ番号"_s);
        QCOMPARE(model.columns()[16].header, u"画像"_s);
        const bool deadline = formatKey == "0";
        QCOMPARE(model.columns()[0].widthTwips, deadline ? 1500 : 1200);
        QCOMPARE(model.columns()[9].widthTwips, deadline ? 1200 : 1500);
        QCOMPARE(model.columns()[3].widthTwips, 0);       // URL hidden by default
        QCOMPARE(model.columns()[15].widthTwips, 99999);  // comment
        QCOMPARE(model.columns()[16].widthTwips, 0);      // picture always hidden
        QCOMPARE(month->header()->sectionSize(16), 0);
        for (int c : {1, 7, 8}) {
            QCOMPARE(model.columns()[c].alignment, Qt::AlignRight);
        }
        QCOMPARE(model.columns()[2].alignment, Qt::AlignLeft);
        QCOMPARE(list(window, u"lvwSearch"_s)->listModel().columns()[0].header, first);
        QCOMPARE(control<QLabel>(window, u"lblMain"_s)->text(),
                 deadline ? u"締 切 日"_s : u"応 募 日"_s);
        QCOMPARE(list(window, u"lvwYear"_s)->listModel().columnCount(), 10);
        QCOMPARE(list(window, u"lvwTotal"_s)->listModel().columns()[10].header, u"目標収支金額"_s);
        QCOMPARE(list(window, u"lvwSearchTemp"_s)->listModel().columnCount(), 17);
        end(window);
    }

    // A settings file that cannot be written is reported; the program goes on
    // and ends as usual, and the month files are untouched.
    void unwritableSettingsAreReported() {
        ProgramFixture program;
        const QString month = program.folder.paths().monthFile(u"2010"_s, u"01"_s);
        QVERIFY(monthfile::write(month, {entry(u"0"_s, u"500"_s, u"1名様"_s)}, QString()).ok());
        const QByteArray before = readBytes(month);
        // A folder where the work file should be: no write can go through it.
        QVERIFY(QDir().mkpath(DataPaths::workFile(program.folder.paths().iniFolder())));
        frmMain* window = program.start();
        QVERIFY(window != nullptr);
        QCOMPARE(list(window, u"lvwMonth"_s)->count(), 1);
        end(window);
        QVERIFY(window->programEnded());
        const QList<platform::ScriptedPrompter::Shown>& shown = program.prompter.shown();
        QCOMPARE(shown.size(), 3);  // the first-start question, then the start and the end
        for (int i : {1, 2}) {
            QCOMPARE(shown[i].title, u"ｴﾗｰ"_s);
            QCOMPARE(shown[i].icon, platform::MessageIcon::Error);
            QVERIFY2(shown[i].text.startsWith(
                         u"設定を保存できませんでした。\r\nファイル「"_s +
                         QDir::toNativeSeparators(program.folder.paths().settingsFile())),
                     qPrintable(shown[i].text));
        }
        QVERIFY(!QFile::exists(program.folder.paths().settingsFile()));
        QCOMPARE(readBytes(month), before);
    }

    // ID and prize value sort by number, the rest by text; one order per
    // list, reversed by every click.
    void columnHeaderSort() {
        ProgramFixture program;
        const QString monthFile = program.folder.paths().monthFile(u"2010"_s, u"01"_s);
        QVERIFY(monthfile::write(
                    monthFile,
                    {entry(u"12"_s, u"900"_s, u"10名様"_s), entry(u"3"_s, u"10000"_s, u"9名様"_s),
                     entry(u"007"_s, u"50"_s, u"全員"_s), entry(u"抽選"_s, u"不明"_s, u"1名様"_s)},
                    QString())
                    .ok());
        frmMain* window = program.start();
        QVERIFY(window != nullptr);
        ListView* month = list(window, u"lvwMonth"_s);
        QCOMPARE(month->count(), 4);

        // The first click sorts descending, the next ascending, whatever the
        // column. A text that is no number sorts above the numbers, as text.
        Q_EMIT month->header()->sectionClicked(HappyMoney);
        QCOMPARE(column(month, HappyMoney),
                 (QStringList{u"不明"_s, u"10000"_s, u"900"_s, u"50"_s}));
        Q_EMIT month->header()->sectionClicked(Number);
        QCOMPARE(column(month, Number),
                 (QStringList{u"10名様"_s, u"1名様"_s, u"9名様"_s, u"全員"_s}));
        Q_EMIT month->header()->sectionClicked(ID);
        QCOMPARE(column(month, ID), (QStringList{u"抽選"_s, u"12"_s, u"7"_s, u"3"_s}));
        Q_EMIT month->header()->sectionClicked(ID);
        QCOMPARE(column(month, ID), (QStringList{u"3"_s, u"7"_s, u"12"_s, u"抽選"_s}));
        // Leading zeros of a whole number go; other texts stay as they were.
        QCOMPARE(column(month, HappyMoney).count(u"不明"_s), 1);

        // The new order is what the month file holds.
        const monthfile::ReadResult stored = monthfile::read(monthFile, QString());
        QCOMPARE(stored.records.size(), 4);
        QCOMPARE(stored.records[0][ID], u"3"_s);
        QCOMPARE(stored.records[1][ID], u"7"_s);
        end(window);
    }

    // A target of 1000 and balances of 600 and 500: the message comes once,
    // for the second year, and the flag is stored at once.
    void targetReachedOnce() {
        ProgramFixture program;
        const DataPaths paths = program.folder.paths();
        QVERIFY(writeEnciphered(paths.settingsFile(), "[Setting]\r\nDreamMoney=1000\r\n"));
        PrizeEntry first = entry(u"0"_s, u"600"_s, u"1名様"_s);
        first[FilingDate] = u"2009/05/05"_s;
        first[Kekka] = u"小物当選"_s;
        PrizeEntry second = first;
        second[FilingDate] = u"2010/01/05"_s;
        second[HappyMoney] = u"500"_s;
        QVERIFY(monthfile::write(paths.monthFile(u"2009"_s, u"05"_s), {first}, QString()).ok());
        QVERIFY(monthfile::write(paths.monthFile(u"2010"_s, u"01"_s), {second}, QString()).ok());
        frmMain* window = program.start();
        QVERIFY(window != nullptr);
        auto* date = control<DatePicker>(window, u"dtpDate"_s);
        ListView* month = list(window, u"lvwMonth"_s);
        // A header click sorts and stores the month with its summaries.
        date->setDate(QDate(2009, 5, 5));
        Q_EMIT month->header()->sectionClicked(0);
        QVERIFY(program.prompter.shown().isEmpty());
        program.prompter.expect(platform::MessageAnswer::Ok, u"(^-^)vブィ！"_s,
                                u"目標収支金額を達成しました。"_s);
        date->setDate(QDate(2010, 1, 15));
        Q_EMIT month->header()->sectionClicked(0);
        QCOMPARE(program.prompter.pending(), 0);
        QVERIFY(program.prompter.faults().isEmpty());
        const QList<summaryfile::Row> total = summaryfile::readTotal(paths.totalFile()).rows;
        QCOMPARE(total.size(), 2);
        QCOMPARE(total[0][summaryfile::TargetLeft], u"400"_s);
        QCOMPARE(total[1][summaryfile::TargetLeft], u"-100"_s);
        QVERIFY(deciphered(paths.settingsFile()).contains("\r\nDreamMoneyFlag=1\r\n"));
        // Another save reaches the target again, but the message was shown.
        Q_EMIT month->header()->sectionClicked(0);
        QVERIFY(program.prompter.faults().isEmpty());
        end(window);
    }

    // 削除 with every row selected takes the month without the delete-all
    // question; the setting that asks it is left alone, not switched off and
    // on again behind the user's back.
    void deletingEveryRowLeavesTheSettingAlone() {
        ProgramFixture program;
        const DataPaths paths = program.folder.paths();
        QVERIFY(writeEnciphered(paths.settingsFile(), "[Setting]\r\nAllDeleteKakunin=1\r\n"));
        QVERIFY(
            monthfile::write(paths.monthFile(u"2010"_s, u"01"_s),
                             {entry(u"1"_s, u"0"_s, u"1名様"_s), entry(u"2"_s, u"0"_s, u"1名様"_s)},
                             QString())
                .ok());
        frmMain* window = program.start();
        QVERIFY(window != nullptr);
        auto* confirm = control<QCheckBox>(window, u"chkAllDeleteKakunin"_s);
        QVERIFY(confirm->isChecked());
        QSignalSpy toggled(confirm, &QCheckBox::toggled);
        ListView* month = list(window, u"lvwMonth"_s);
        month->selectAll();
        Q_EMIT month->itemClicked(1);  // as the click that ends the selection
        control<QPushButton>(window, u"cmdDelete"_s)->click();
        QVERIFY(program.prompter.faults().isEmpty());  // no question was asked
        QCOMPARE(month->count(), 0);
        QVERIFY(!QFile::exists(paths.monthFile(u"2010"_s, u"01"_s)));
        QCOMPARE(toggled.count(), 0);
        QVERIFY(confirm->isChecked());
        end(window);
    }

    // A month with one field of 5 MB starts at once and shows the start of
    // the field; the record keeps all of it.
    void hugeFieldStartsQuickly() {
        ProgramFixture program;
        const QString monthFile = program.folder.paths().monthFile(u"2010"_s, u"01"_s);
        PrizeEntry big = entry(u"1"_s, u"0"_s, u"1名様"_s);
        big[Present] = QString(5 * 1024 * 1024, u'賞');
        QVERIFY(monthfile::write(monthFile, {big}, QString()).ok());
        QElapsedTimer timer;
        timer.start();
        frmMain* window = program.start();
        QVERIFY(window != nullptr);
        QCoreApplication::processEvents();
        const qint64 elapsed = timer.elapsed();
        QVERIFY2(elapsed < 1000, qPrintable(u"%1 ms"_s.arg(elapsed)));
        const ListView* month = list(window, u"lvwMonth"_s);
        const QModelIndex cell = month->listModel().index(0, Present);
        QCOMPARE(cell.data(Qt::DisplayRole).toString().size(), 1000);
        QCOMPARE(month->listModel().text(0, Present).size(), 5 * 1024 * 1024);
        end(window);
    }

    // A stored position that would put the window on no screen brings it
    // up in the middle of the screen, and the end stores where it really is.
    void positionOffEveryScreenIsCentred() {
        ProgramFixture program;
        const DataPaths paths = program.folder.paths();
        QVERIFY(writeEnciphered(
            paths.settingsFile(),
            "[Setting]\r\n\r\n[Position]\r\nMainTop=900000\r\nMainLeft=-900000\r\n"));
        frmMain* window = program.start();
        QVERIFY(window != nullptr);
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY(screen.intersects(window->frameGeometry()));
        end(window);
        const QByteArray stored = deciphered(paths.settingsFile());
        QVERIFY2(!stored.contains("900000"), stored.constData());
    }
};

QTEST_MAIN(TestFrmMain)
#include "tst_frmmain.moc"
