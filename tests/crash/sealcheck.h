#pragma once

// A diary under the password "pw" for the crash test of sealing, and what a
// start must find of it however a change of seal was stopped: the settings
// and every data file agreeing on the seal, every record once in its month,
// the summaries unchanged, and no plain text of the diary on the disk.
#include <QDirIterator>
#include <QHash>
#include <QMap>

#include "diary/desk.h"
#include "storage/binarycipher.h"
#include "storage/cp932.h"
#include "storage/diskfile.h"
#include "storage/monthfile.h"
#include "storage/seal.h"
#include "storage/settingsfile.h"
#include "testsupport.h"

namespace sealcheck {

using namespace Qt::StringLiterals;

inline const QString Password = u"pw"_s;

struct Diary {
    QMap<QString, QList<PrizeEntry>> months;  // "yyyy/MM": the records as stored
    QMap<QString, QByteArray> summaries;      // "0000/2010.log": the plain text
    QList<QByteArray> marks;                  // bytes that show the diary's plain text
};

// Three years of months, three records each: some forty files, so that
// their writing takes a while to be killed in.
inline QList<PrizeEntry> records() {
    QList<PrizeEntry> all;
    int id = 0;
    for (int year = 2009; year <= 2011; ++year) {
        for (int month = 1; month <= 12; ++month) {
            for (int day = 5; day <= 25; day += 10) {
                const QString date = QDate(year, month, day).toString(u"yyyy/MM/dd"_s);
                PrizeEntry e;
                e[FilingDate] = date;
                e[ID] = QString::number(++id);
                e[Site] = u"応募先%1"_s.arg(id);
                e[Present] = u"賞品%1号"_s.arg(id);
                e[Kekka] = id % 3 == 0 ? u"小物当選"_s : u"落選"_s;
                e[HappyMoney] = id % 3 == 0 ? u"500"_s : u"0"_s;
                e[Number] = u"%1名様"_s.arg(id);
                e[OtherDate] = date;
                e[HappyDay] = u"----/--/--"_s;
                all.append(e);
            }
        }
    }
    return all;
}

// The plain bytes of a data file, opened with key when it is sealed;
// nullopt when it does not open.
inline std::optional<QByteArray> plainOf(const QString& path, const QByteArray& bytes,
                                         const seal::DataKey* key) {
    if (seal::isSealed(bytes)) {
        return key ? seal::openData(bytes, *key, diskfile::sealedPlace(path)) : std::nullopt;
    }
    QByteArray plain = bytes;
    mdlBinaryCipher::CipherBuffer(plain);
    return plain;
}

// The data files (year folders, summaries included) by their place, with
// their bytes; the settings folder and the work of a change left out.
inline QMap<QString, QByteArray> dataFiles(const DataPaths& paths) {
    QMap<QString, QByteArray> files;
    const QDir data(paths.dataFolder());
    for (const QString& folder : data.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (folder == u"ini"_s) {
            continue;
        }
        for (const QString& name : QDir(data.filePath(folder)).entryList(QDir::Files)) {
            const QString path = data.filePath(folder + u'/' + name);
            files.insert(folder + u'/' + name, readBytes(path));
        }
    }
    return files;
}

// Writes the records through a desk, as the program files them, under the
// password, into the program folder of paths; returns what was stored.
inline Diary write(const DataPaths& paths) {
    Diary diary;
    writeEnciphered(paths.settingsFile(),
                    "[Setting]\r\nStartPassword=1\r\nStartPasswordInput=pw\r\n");
    {
        diary::Desk desk(paths);
        desk.loadSettings();
        desk.setShownDate(QDate(2009, 1, 1));
        desk.loadMonth();
        for (const PrizeEntry& e : records()) {
            if (!desk.addRecord(e).done) {
                return {};
            }
        }
    }
    const QMap<QString, QByteArray> files = dataFiles(paths);
    for (auto it = files.cbegin(); it != files.cend(); ++it) {
        const QByteArray plain = plainOf(it.key(), it.value(), nullptr).value_or(QByteArray());
        if (it.key().startsWith(u"0000/"_s)) {
            diary.summaries.insert(it.key(), plain);
            for (const QByteArray& line : plain.split('\n')) {
                if (line.size() >= 12) {
                    diary.marks.append(line);
                }
            }
        } else if (it.key().endsWith(u".log"_s)) {
            const monthfile::Content content = monthfile::parse(cp932::decode(plain));
            diary.months.insert(it.key().left(7), content.records);
            for (const PrizeEntry& e : content.records) {
                diary.marks.append(e[FilingDate].toLatin1());
                diary.marks.append(cp932::encode(e[Present]).bytes);
                diary.marks.append(cp932::encode(e[Site]).bytes);
            }
        }
    }
    diary.marks.append("StartPassword");
    return diary;
}

// The diary in the program folder of paths: written once, each further one a
// copy of the first, as the writes with their syncs take seconds.
inline Diary build(const DataPaths& paths) {
    struct Written {
        TestFolder folder;
        Diary diary = write(folder.paths());
    };
    static const Written first;
    QDirIterator it(first.folder.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString from = it.next();
        writeBytes(paths.baseFolder() + from.mid(first.folder.path().size()), readBytes(from));
    }
    return first.diary;
}

// The files below folder whose bytes — or, with deciphered, their designed
// deciphering — show any of the marks; except is passed over.
inline QStringList filesShowing(const QString& folder, const QList<QByteArray>& marks,
                                bool deciphered, const QString& except = QString()) {
    QStringList found;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (path == except) {
            continue;
        }
        QByteArray bytes = readBytes(path);
        if (deciphered) {
            mdlBinaryCipher::CipherBuffer(bytes);
        }
        if (std::any_of(marks.cbegin(), marks.cend(),
                        [&](const QByteArray& mark) { return bytes.contains(mark); })) {
            found.append(path);
        }
    }
    return found;
}

// The data keys that "pw" opened, by their seal key text: each costs the
// key derivation once.
class Keys {
  public:
    seal::Key open(const QString& sealKeyText) {
        auto it = keys_.find(sealKeyText);
        if (it == keys_.end()) {
            it = keys_.insert(sealKeyText, seal::openSealKey(Password, sealKeyText));
        }
        return *it;
    }

  private:
    QHash<QString, seal::Key> keys_;
};

struct Found {
    bool sealed = false;
    QString fault;  // empty when the diary is whole
};

// What a start finds in the program folder: whether the diary is sealed, and
// the first fault of it.
inline Found inspect(const DataPaths& paths, const Diary& expected, Keys& keys) {
    Found found;
    const settingsfile::ReadResult settings = settingsfile::read(paths.settingsFile());
    if (!settings.exists) {
        found.fault = u"the settings file is gone"_s;
        return found;
    }
    found.sealed = settings.settings.seal;
    const QString passwordValue =
        settingsfile::ReadSettingValue(u"Setting", u"StartPasswordInput", paths.settingsFile());
    if (passwordValue != (found.sealed ? QString() : Password)) {
        found.fault = u"the settings hold the password \"%1\""_s.arg(passwordValue);
        return found;
    }
    const seal::Key key = found.sealed ? keys.open(settings.settings.sealKey) : nullptr;
    if (found.sealed && !key) {
        found.fault = u"the password does not open the seal key"_s;
        return found;
    }

    QMap<QString, QList<PrizeEntry>> months;
    QMap<QString, QByteArray> summaries;
    const QMap<QString, QByteArray> files = dataFiles(paths);
    for (auto it = files.cbegin(); it != files.cend(); ++it) {
        const QString& place = it.key();
        if (!place.endsWith(u".log"_s)) {
            continue;  // a work file: only its bytes count, below
        }
        if (seal::isSealed(it.value()) != found.sealed) {
            found.fault = place + (found.sealed ? u" is not sealed"_s : u" is sealed"_s);
            return found;
        }
        const std::optional<QByteArray> plain = plainOf(place, it.value(), key.get());
        if (!plain) {
            found.fault = place + u" does not open with the key of the settings"_s;
            return found;
        }
        if (place.startsWith(u"0000/"_s)) {
            summaries.insert(place, *plain);
            continue;
        }
        const monthfile::Content content = monthfile::parse(cp932::decode(*plain));
        if (!content.damagedLines.isEmpty()) {
            found.fault = place + u" is damaged"_s;
            return found;
        }
        // Sealed months carry no password line; unsealed ones the designed one.
        if (content.hasPasswordLine == found.sealed ||
            (!found.sealed && content.password != Password)) {
            found.fault = place + u" has the wrong password line"_s;
            return found;
        }
        const QString month = place.left(7);
        for (const PrizeEntry& e : content.records) {
            if (e[FilingDate].left(7) != month) {
                found.fault = u"record %1 (%2) lies in %3"_s.arg(e[ID], e[FilingDate], place);
                return found;
            }
        }
        months.insert(month, content.records);
    }
    if (months != expected.months) {
        QStringList differ;
        for (const QString& month : months.keys() + expected.months.keys()) {
            if (months.value(month) != expected.months.value(month) && !differ.contains(month)) {
                differ.append(month);
            }
        }
        found.fault = u"records lost, doubled or changed in "_s + differ.join(u", "_s);
        return found;
    }
    if (summaries != expected.summaries) {
        found.fault = u"the year and total files changed"_s;
        return found;
    }

    // No plain text anywhere: not in the bytes of any file, and, sealed, not
    // in the designed deciphering of any file but the settings.
    QStringList plain = filesShowing(paths.dataFolder(), expected.marks, false);
    if (found.sealed) {
        plain += filesShowing(paths.dataFolder(), expected.marks, true, paths.settingsFile());
    }
    if (!plain.isEmpty()) {
        found.fault = u"plain text in "_s + plain.join(u", "_s);
    }
    return found;
}

}  // namespace sealcheck
