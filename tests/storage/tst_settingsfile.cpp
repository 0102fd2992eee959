#include <QTest>

#include "storage/cp932.h"
#include "storage/settingsfile.h"
#include "testsupport.h"

using namespace Qt::StringLiterals;
using settingsfile::ProfileText;
using settingsfile::Settings;

namespace {

const char firstStartFile[] =
    "[Setting]\r\n"
    "FormatKey=1\r\n"
    "DreamMoney=1000000\r\n"
    "DreamMoneyFlag=0\r\n"
    "SizeNowDay=1100\r\n"
    "SizeID=750\r\n"
    "SizeSite=2250\r\n"
    "SizeURL=0\r\n"
    "SizeGenre=1500\r\n"
    "SizePresent=3000\r\n"
    "SizeKekka=900\r\n"
    "SizeHappyMoney=1050\r\n"
    "SizeNumber=1000\r\n"
    "SizeEndDay=1100\r\n"
    "SizeHappyDay=1100\r\n"
    "SizeOboKeishiki=1350\r\n"
    "SizeSenkoWay=1000\r\n"
    "SizeCycle=850\r\n"
    "SizeOboWay=1000\r\n"
    "SizeMsg=99999\r\n"
    "StartPassword=0\r\n"
    "StartPasswordInput=\r\n"
    "StartKirabi=0\r\n"
    "FormState=0\r\n"
    "NoTyohuku=1\r\n"
    "SortOn=1\r\n"
    "DeleteKakunin=0\r\n"
    "AllDeleteKakunin=1\r\n"
    "AutoSumOutput=1\r\n"
    "\r\n"
    "[Position]\r\n"
    "MainTop=120\r\n"
    "MainLeft=-8\r\n";

Settings fromText(const QString& text) {
    return settingsfile::fromProfile(ProfileText(text));
}

// The first-start file with one line replaced or, with an empty value, removed.
QString firstStartWith(const QString& key, const QString& line) {
    QStringList lines = QString::fromLatin1(firstStartFile).split(u"\r\n"_s);
    for (QString& l : lines) {
        if (l.startsWith(key + u'=')) {
            l = line;
        }
    }
    return lines.join(u"\r\n"_s);
}

}  // namespace

class TestSettingsFile : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<TestFolder> folder_;
    QString path_;

  private Q_SLOTS:
    void init() {
        folder_ = std::make_unique<TestFolder>();
        path_ = folder_->paths().settingsFile();
    }

    void firstStartFileIsExact() {
        Settings defaults;
        defaults.mainTop = 120;
        defaults.mainLeft = -8;
        QVERIFY(settingsfile::write(path_, defaults).ok());
        QCOMPARE(deciphered(path_), QByteArray(firstStartFile));
        QCOMPARE(QString::fromLatin1(firstStartFile).count(u"\r\n"_s), 33);
        QVERIFY(!readBytes(path_).contains("Setting"));
        QVERIFY(!QFile::exists(DataPaths::workFile(folder_->paths().iniFolder())));
    }

    void readBackEqualsWritten() {
        Settings s;
        s.formatKeyNowDay = false;
        s.dreamMoney = u"2,500,000"_s;
        s.targetAmount = *Currency::parse(u"2500000"_s);
        s.dreamMoneyFlag = true;
        s.columnWidths[3] = u"1200"_s;
        s.startPassword = true;
        s.startPasswordInput = u"秘密のPass 1"_s;
        s.startKirabi = s.formState = s.deleteKakunin = true;
        s.noTyohuku = s.sortOn = s.allDeleteKakunin = s.autoSumOutput = false;
        s.mainTop = 10;
        s.mainLeft = 20;
        QVERIFY(settingsfile::write(path_, s).ok());
        const settingsfile::ReadResult read = settingsfile::read(path_);
        QVERIFY(read.exists);
        const Settings& r = read.settings;
        QCOMPARE(r.formatKeyNowDay, false);
        QCOMPARE(r.dreamMoney, u"2500000"_s);  // written without separators
        QCOMPARE(r.targetAmount, s.targetAmount);
        QCOMPARE(r.dreamMoneyFlag, true);
        QCOMPARE(r.columnWidths, s.columnWidths);
        QCOMPARE(r.startPassword, true);
        QCOMPARE(r.startPasswordInput, s.startPasswordInput);
        QCOMPARE(r.startKirabi && r.formState && r.deleteKakunin, true);
        QCOMPARE(r.noTyohuku || r.sortOn || r.allDeleteKakunin || r.autoSumOutput, false);
        QCOMPARE(r.mainTop, std::optional<int>(10));
        QCOMPARE(r.mainLeft, std::optional<int>(20));
    }

    // The keys of the automatic backup follow the designed ones, each only
    // while it is not its default; odd values give the default.
    void autoBackupKeys() {
        Settings s;
        s.autoBackup = true;
        s.autoBackupFolder = u"D:\\控え"_s;
        s.autoBackupKeep = 3;
        QVERIFY(settingsfile::write(path_, s).ok());
        const QByteArray text = deciphered(path_);
        const QByteArray designed =
            QByteArray(firstStartFile)
                .left(QByteArray(firstStartFile).indexOf("\r\n\r\n[Position]"));
        QVERIFY2(text.startsWith(designed + "\r\nAutoBackup=1\r\nAutoBackupFolder=D:\\"),
                 text.constData());
        QVERIFY(text.contains("\r\nAutoBackupKeep=3\r\n\r\n[Position]"));
        const Settings r = settingsfile::read(path_).settings;
        QCOMPARE(r.autoBackup, true);
        QCOMPARE(r.autoBackupFolder, s.autoBackupFolder);
        QCOMPARE(r.autoBackupKeep, 3);

        s.autoBackup = false;
        s.autoBackupFolder.clear();
        s.autoBackupKeep = settingsfile::DefaultAutoBackupKeep;
        QVERIFY(settingsfile::write(path_, s).ok());
        QVERIFY(!deciphered(path_).contains("AutoBackup"));
        for (const QString& keep : {u"0"_s, u"100"_s, u"x"_s, QString()}) {
            const QString line = u"AutoBackupKeep="_s + keep;
            QCOMPARE(fromText(firstStartWith(u"AutoSumOutput"_s, u"AutoSumOutput=1\r\n"_s + line))
                         .autoBackupKeep,
                     settingsfile::DefaultAutoBackupKeep);
        }
    }

    void missingFileGivesDefaults() {
        const settingsfile::ReadResult read = settingsfile::read(path_);
        QVERIFY(!read.exists);
        QVERIFY(read.error.isEmpty());
        QCOMPARE(read.settings.dreamMoney, u"1000000"_s);
        QVERIFY(!read.settings.mainTop.has_value());
    }

    // How each key reads a changed, removed or odd value.
    void readRules() {
        QCOMPARE(fromText(firstStartWith(u"FormatKey"_s, u"FormatKey=0"_s)).formatKeyNowDay, false);
        QCOMPARE(fromText(firstStartWith(u"FormatKey"_s, u"FormatKey=2"_s)).formatKeyNowDay, true);
        QCOMPARE(fromText(firstStartWith(u"FormatKey"_s, QString())).formatKeyNowDay, true);
        QCOMPARE(fromText(firstStartWith(u"NoTyohuku"_s, u"NoTyohuku=0"_s)).noTyohuku, false);
        QCOMPARE(fromText(firstStartWith(u"NoTyohuku"_s, QString())).noTyohuku, true);
        QCOMPARE(fromText(firstStartWith(u"NoTyohuku"_s, u"NoTyohuku=x"_s)).noTyohuku, true);
        QCOMPARE(fromText(firstStartWith(u"DeleteKakunin"_s, QString())).deleteKakunin, false);
        QCOMPARE(fromText(firstStartWith(u"DeleteKakunin"_s, u"DeleteKakunin=1"_s)).deleteKakunin,
                 true);
        QCOMPARE(fromText(firstStartWith(u"DeleteKakunin"_s, u"DeleteKakunin=2"_s)).deleteKakunin,
                 false);
        QCOMPARE(fromText(firstStartWith(u"SizeMsg"_s, QString())).columnWidths[15], u"99999"_s);
        // Widths are whole numbers of 0 to 99,999 twips; anything else is the
        // default, so that no width can overflow the pixel arithmetic.
        const auto sizeId = [&](const QString& value) {
            return fromText(firstStartWith(u"SizeID"_s, u"SizeID="_s + value)).columnWidths[1];
        };
        QCOMPARE(fromText(firstStartWith(u"SizeMsg"_s, u"SizeMsg=abc"_s)).columnWidths[15],
                 u"99999"_s);
        QCOMPARE(sizeId(u"0"_s), u"0"_s);
        QCOMPARE(sizeId(u"99999"_s), u"99999"_s);
        QCOMPARE(sizeId(u"0800"_s), u"800"_s);
        for (const QString& bad : {u"100000"_s, u"999999999"_s, u"-1"_s, u"1.5"_s}) {
            QCOMPARE(sizeId(bad), u"750"_s);
        }
        const Settings letters =
            fromText(firstStartWith(u"DreamMoney"_s, u"DreamMoney=たくさん"_s));
        QCOMPARE(letters.dreamMoney, u"1000000"_s);
        QCOMPARE(letters.targetAmount, *Currency::fromYen(1000000));
        QCOMPARE(
            fromText(firstStartWith(u"DreamMoney"_s, u"DreamMoney=-5.5"_s)).targetAmount.toString(),
            u"-5.5"_s);
        // The left position counts only with a top position.
        const Settings noTop = fromText(firstStartWith(u"MainTop"_s, u"MainTop="_s));
        QVERIFY(!noTop.mainTop.has_value());
        QVERIFY(!noTop.mainLeft.has_value());
        QVERIFY(!fromText(firstStartWith(u"MainLeft"_s, u"MainLeft=左"_s)).mainLeft.has_value());
        QCOMPARE(fromText(QString::fromLatin1(firstStartFile)).mainLeft, std::optional<int>(-8));
        // A position beyond any desktop is none.
        QVERIFY(!fromText(firstStartWith(u"MainTop"_s, u"MainTop=-99999999"_s)).mainTop);
        QCOMPARE(fromText(firstStartWith(u"MainTop"_s, u"MainTop=-1000000"_s)).mainTop,
                 std::optional<int>(-1000000));
    }

    void dreamMoneyFlagNeedsTheSameTarget() {
        Settings s;
        s.dreamMoneyFlag = true;
        s.dreamMoney = u"1,000,000"_s;  // equal to the target read at start
        QVERIFY(settingsfile::write(path_, s).ok());
        QVERIFY(deciphered(path_).contains("\r\nDreamMoneyFlag=1\r\n"));
        s.dreamMoney = u"2000000"_s;  // a new target, not yet applied
        QVERIFY(settingsfile::write(path_, s).ok());
        QVERIFY(deciphered(path_).contains("\r\nDreamMoney=2000000\r\nDreamMoneyFlag=0\r\n"));
    }

    // A value read is the value that reads back once written: a lone CR
    // ends a line as the other line ends do, and blanks are trimmed after
    // the cut at a NUL and at 255 characters.
    void valuesReadBackTheSame() {
        const ProfileText profile(
            u"[Setting]\r\nStartPasswordInput=ab\r\x0e\t\r\n"
            u"SizeID=12\t\0junk\r\nDreamMoney=5\rNoTyohuku=0\n"_s +
            u"StartKirabi="_s + QString(254, u'x') + u" y"_s);
        QCOMPARE(profile.value(u"Setting", u"StartPasswordInput"), u"ab"_s);
        QCOMPARE(profile.value(u"Setting", u"SizeID"), u"12"_s);
        QCOMPARE(profile.value(u"Setting", u"DreamMoney"), u"5"_s);
        QCOMPARE(profile.value(u"Setting", u"NoTyohuku"), u"0"_s);
        QCOMPARE(profile.value(u"Setting", u"StartKirabi"), QString(254, u'x'));
        const char32_t raw = 0xF0080;
        const QString surrogate = QString(254, u'x') + QString::fromUcs4(&raw, 1);
        QCOMPARE(ProfileText(u"[Setting]\nStartPasswordInput="_s + surrogate)
                     .value(u"Setting", u"StartPasswordInput"),
                 QString(254, u'x'));
    }

    void profileReaderBehaviour() {
        const QString long300 = QString(300, u'あ');
        const ProfileText profile(
            u"junk before any section\r\n"
            "  [ setting ]  \r\n"
            "  formatkey  =  0  \r\n"
            "NoEquals\r\n"
            "=novalue\r\n"
            "Long="_s +
            long300 +
            u"\r\n"
            "Dup=first\r\n"
            "Dup=second\n"
            "Nul=ab\u0000cd\r\n"
            "[Setting]\r\n"
            "Later=hidden by the first section\r\n"
            "[Other]\r\n"
            "Key=other"_s);
        QCOMPARE(profile.value(u"SETTING", u"FormatKey"), u"0"_s);
        QCOMPARE(profile.value(u"Setting", u"Long"), QString(255, u'あ'));
        QCOMPARE(profile.value(u"Setting", u"Dup"), u"first"_s);
        QCOMPARE(profile.value(u"Setting", u"Nul"), u"ab"_s);
        QCOMPARE(profile.value(u"Setting", u"Later"), QString());
        QCOMPARE(profile.value(u"Setting", u"NoEquals"), QString());
        QCOMPARE(profile.value(u"Setting", u"Key"), QString());
        QCOMPARE(profile.value(u"Other", u"key"), u"other"_s);
        QCOMPARE(profile.value(u"Missing", u"Key"), QString());
    }

    void readSettingValueFromTheEncipheredFile() {
        QCOMPARE(settingsfile::ReadSettingValue(u"Setting", u"FormatKey", path_), QString());
        Settings s;
        s.startPasswordInput = u"  spaced  "_s;
        QVERIFY(settingsfile::write(path_, s).ok());
        QCOMPARE(settingsfile::ReadSettingValue(u"setting", u"sizeid", path_), u"750"_s);
        QCOMPARE(settingsfile::ReadSettingValue(u"Setting", u"StartPasswordInput", path_),
                 u"spaced"_s);
        QCOMPARE(settingsfile::ReadSettingValue(u"Position", u"MainTop", path_), QString());
    }

    void writeFailuresAreReported() {
        QVERIFY(settingsfile::write(path_, Settings()).ok());
        const QByteArray before = readBytes(path_);

        Settings letters;
        letters.dreamMoney = u"百万"_s;
        const diskfile::WriteResult notANumber = settingsfile::write(path_, letters);
        QVERIFY(!notANumber.ok());
        QVERIFY(notANumber.error.contains(u"百万"_s));

        Settings unencodable;
        unencodable.startPasswordInput = u"pässword"_s;
        QVERIFY(!settingsfile::write(path_, unencodable).ok());

        {
            FailingWorkFile::Scope failing(100);
            QVERIFY(!settingsfile::write(path_, Settings()).ok());
        }
        QCOMPARE(readBytes(path_), before);
        QVERIFY(!QFile::exists(DataPaths::workFile(folder_->paths().iniFolder())));
    }

    void folderExists() {
        QVERIFY(settingsfile::FolderExists(folder_->path()));
        QVERIFY(!settingsfile::FolderExists(folder_->file(u"data"_s)));
        QVERIFY(!settingsfile::FolderExists(QString()));
        writeBytes(folder_->file(u"file"_s), "x");
        QVERIFY(!settingsfile::FolderExists(folder_->file(u"file"_s)));
    }
};

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
