// Where the program finds itself and its data, the desktop shortcut it
// writes, and Qt's own dialogs in Japanese.
#include <QCalendarWidget>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDirIterator>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTabBar>
#include <QTest>

#include "platform/japanese.h"
#include "platform/programfiles.h"
#include "platform/programlocation.h"
#include "platform/shortcut.h"
#include "programfixture.h"
#include "widgets/controls.h"

using namespace Qt::StringLiterals;

namespace {

// Every file below a folder, relative to it.
QStringList filesBelow(const QString& folder) {
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        files.append(QDir(folder).relativeFilePath(it.next()));
    }
    files.sort();
    return files;
}

QString execLine(const QString& entry) {
    for (const QString& line : entry.split(u'\n')) {
        if (line.startsWith(u"Exec="_s)) {
            return line;
        }
    }
    return {};
}

}  // namespace

class TestDesktopPlatform : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void initTestCase() { QVERIFY(platform::useJapanese(*QCoreApplication::instance())); }

    // The data stays beside a program that can write there and moves to
    // the per-user folder otherwise; an installed copy always keeps it per
    // user and finds its help in its shared folder.
    void dataHomeFollowsWhatCanBeWritten_data() {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<bool>("portable");
        QTest::addColumn<QString>("help");
        QTest::newRow("fresh folder") << u""_s << true << u"bin/"_s + programfiles::HelpPage;
        QTest::newRow("data already there")
            << u"bin/data/ini/"_s << true << u"bin/"_s + programfiles::HelpPage;
        QTest::newRow("data is a file")
            << u"bin/data"_s << false << u"bin/"_s + programfiles::HelpPage;
        QTest::newRow("installed") << u"share/kirabilog/"_s + programfiles::HelpPage << false
                                   << u"share/kirabilog/"_s + programfiles::HelpPage;
        QTest::newRow("installed, help beside")
            << u"share/kirabilog/|bin/"_s + programfiles::HelpPage << false
            << u"bin/"_s + programfiles::HelpPage;
    }
    void dataHomeFollowsWhatCanBeWritten() {
        QFETCH(QString, layout);
        QFETCH(bool, portable);
        QFETCH(QString, help);
        TestFolder root;
        QDir().mkpath(root.file(u"bin"_s));
        for (const QString& item : layout.split(u'|', Qt::SkipEmptyParts)) {
            QVERIFY(item.endsWith(u'/') ? QDir().mkpath(root.file(item))
                                        : writeBytes(root.file(item), "x"));
        }
        const QString user = root.file(u"home/.local/share/kirabilog"_s);
        const auto location = platform::ProgramLocation::find(root.file(u"bin"_s), user);
        QCOMPARE(location.programFolder, root.file(u"bin"_s));
        QCOMPARE(location.dataHome, portable ? root.file(u"bin"_s) : user);
        QCOMPARE(location.isPortable(), portable);
        QCOMPARE(location.helpPage, root.file(help));
    }

    void folderThatCannotBeWrittenKeepsDataPerUser() {
        TestFolder root;
        const QString user = root.file(u"user"_s);
        // A folder that is not there cannot be written by anyone.
        QCOMPARE(platform::ProgramLocation::find(root.file(u"gone"_s), user).dataHome, user);
        QDir().mkpath(root.file(u"bin/data"_s));
        QFile::setPermissions(root.file(u"bin/data"_s), QFile::ReadOwner | QFile::ExeOwner);
        QFile probe(root.file(u"bin/data/probe"_s));
        if (probe.open(QIODevice::WriteOnly)) {
            probe.remove();
            QSKIP(
                "permissions do not bind this user (root, or a file system without them); "
                "the package test covers this as another user");
        }
        QCOMPARE(platform::ProgramLocation::find(root.file(u"bin"_s), user).dataHome, user);
        QFile::setPermissions(root.file(u"bin/data"_s),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    // Installed, the program keeps everything in the per-user folder, moves
    // the old settings found there, and writes nothing beside itself; the
    // shortcut still starts the program where it is.
    void installedProgramWritesOnlyPerUser() {
        ProgramFixture program;
        const QString bin = program.folder.file(u"usr/bin"_s);
        const QString user = program.folder.file(u"home/.local/share/kirabilog"_s);
        const QString programFile = bin + u'/' + programfiles::Program;
        QVERIFY(writeBytes(programFile, "program"));
        QVERIFY(writeBytes(user + u"/kirabilog.ini"_s, "[Setting]\r\nDeleteKakunin=0\r\n"));
        const platform::ProgramLocation location{bin, user, bin + u'/' + programfiles::HelpPage};
        frmMain* window = StartProgram(program.platform, location);
        QVERIFY(window != nullptr);
        QVERIFY(program.prompter.faults().isEmpty());
        QVERIFY(program.prompter.shown().isEmpty());  // the old settings mean no first start
        const DataPaths paths(user);
        QVERIFY(QFile::exists(paths.settingsFile()));
        QVERIFY(!QFile::exists(paths.oldSettingsFile()));
        QVERIFY(!control<QCheckBox>(window, u"chkDeleteKakunin"_s)->isChecked());
        control<QTabBar>(window, u"tabMain"_s)->setCurrentIndex(int(diary::Tab::Setting));
        control<QPushButton>(window, u"cmdShortcut"_s)->click();
        QCOMPARE(program.shortcut.created, QStringList{programFile});
        control<QPushButton>(window, u"cmdEnd"_s)->click();
        QTRY_VERIFY(window->programEnded());
        QCOMPARE(filesBelow(bin), QStringList{programfiles::Program});
    }

    // The shortcut names the program as one quoted argument, whatever
    // characters its path holds.
    void desktopEntryQuotesTheProgram_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("exec");
        QTest::newRow("plain") << u"/opt/kirabilog/kirabilog"_s
                               << u"Exec=\"/opt/kirabilog/kirabilog\""_s;
        QTest::newRow("space, Japanese")
            << u"/home/u/きらび 帳/kirabilog"_s << u"Exec=\"/home/u/きらび 帳/kirabilog\""_s;
        QTest::newRow("quote, dollar, backquote")
            << u"/a\"b$c`d/kirabilog"_s << u"Exec=\"/a\\\\\"b\\\\$c\\\\`d/kirabilog\""_s;
        QTest::newRow("backslash") << u"/a\\b/kirabilog"_s << u"Exec=\"/a\\\\\\\\b/kirabilog\""_s;
        QTest::newRow("percent") << u"/100%/kirabilog"_s << u"Exec=\"/100%%/kirabilog\""_s;
    }
    void desktopEntryQuotesTheProgram() {
        QFETCH(QString, path);
        QFETCH(QString, exec);
        const std::optional<QString> entry = platform::desktopEntry(path);
        QVERIFY(entry);
        QCOMPARE(execLine(*entry), exec);
        QVERIFY(!entry->contains(u"Icon="_s));  // no icon anywhere near
        const QString validator = QStandardPaths::findExecutable(u"desktop-file-validate"_s);
        if (validator.isEmpty()) {
            return;
        }
        TestFolder folder;
        platform::SystemDesktopShortcut shortcut(folder.path());
        QVERIFY(shortcut.create(path));
        QProcess validate;
        validate.start(validator, {shortcut.shortcutPath()});
        QVERIFY(validate.waitForFinished());
        const QString said = QString::fromUtf8(validate.readAll());
        QVERIFY2(validate.exitCode() == 0 && said.trimmed().isEmpty(), qPrintable(said));
    }

    void desktopEntryRefusesALineBreak() {
        QVERIFY(!platform::desktopEntry(u"/a\nb/kirabilog"_s));
#ifdef Q_OS_WIN
        QSKIP("Windows makes a shell link, and its paths hold no line break");
#endif
        TestFolder folder;
        platform::SystemDesktopShortcut shortcut(folder.path());
        QVERIFY(!shortcut.create(u"/a\nb/kirabilog"_s));
        QVERIFY(!QFile::exists(shortcut.shortcutPath()));
    }

    // An installed copy's icon comes from the icon theme, a portable copy's
    // from the picture beside it.
    void desktopEntryShowsTheIcon() {
        TestFolder root;
        const QString portable = root.file(u"portable/kirabilog"_s);
        QVERIFY(writeBytes(root.file(u"portable/kirabilog.png"_s), "png"));
        QVERIFY(platform::desktopEntry(portable)->contains(
            u"\nIcon="_s + root.file(u"portable/kirabilog.png"_s) + u'\n'));
        QVERIFY(writeBytes(root.file(u"usr/share/icons/hicolor/scalable/apps/"
                                     u"io.github.kirabilog.Kirabilog.svg"_s),
                           "<svg/>"));
        QVERIFY(QDir().mkpath(root.file(u"usr/share/kirabilog"_s)));
        QVERIFY(platform::desktopEntry(root.file(u"usr/bin/kirabilog"_s))
                    ->contains(u"\nIcon=io.github.kirabilog.Kirabilog\n"_s));
    }

    // Calendars start on Sunday with Japanese month names, whatever the
    // system's locale.
    void calendarsAreJapanese() {
        DatePicker picker(u"dtpDate"_s);
        picker.setDate(QDate(2026, 11, 1));
        QCOMPARE(picker.calendarWidget()->firstDayOfWeek(), Qt::Sunday);
        QCOMPARE(picker.calendarWidget()->locale().standaloneMonthName(11), u"11月"_s);
    }
};

QTEST_MAIN(TestDesktopPlatform)
#include "tst_desktopplatform.moc"
