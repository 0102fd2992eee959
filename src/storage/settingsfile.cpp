#include "storage/settingsfile.h"

#include <QDir>
#include <QFileInfo>
#include <cstdlib>

#include "storage/cp932.h"
#include "storage/linereader.h"

using namespace Qt::StringLiterals;

namespace settingsfile {

const std::array<QStringView, ColumnWidthCount> ColumnWidthKeys = {
    u"SizeNowDay",   u"SizeID",      u"SizeSite",     u"SizeURL",
    u"SizeGenre",    u"SizePresent", u"SizeKekka",    u"SizeHappyMoney",
    u"SizeNumber",   u"SizeEndDay",  u"SizeHappyDay", u"SizeOboKeishiki",
    u"SizeSenkoWay", u"SizeCycle",   u"SizeOboWay",   u"SizeMsg",
};

const std::array<QStringView, ColumnWidthCount> DefaultColumnWidths = {
    u"1100", u"750",  u"2250", u"0",    u"1500", u"3000", u"900",  u"1050",
    u"1000", u"1100", u"1100", u"1350", u"1000", u"850",  u"1000", u"99999",
};

namespace {

constexpr QStringView SettingSection = u"Setting";
constexpr QStringView PositionSection = u"Position";
constexpr qsizetype MaxValueLength = 255;  // the profile reader's 256-character buffer

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

QStringView trimmedBlanks(QStringView s) {
    qsizetype begin = 0;
    qsizetype end = s.size();
    while (begin < end && isBlank(s[begin])) {
        ++begin;
    }
    while (end > begin && isBlank(s[end - 1])) {
        --end;
    }
    return s.sliced(begin, end - begin);
}

std::optional<int> wholeNumber(const QString& text) {
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

QString flag(bool on) {
    return on ? u"1"_s : u"0"_s;
}

}  // namespace

Settings::Settings() {
    for (int i = 0; i < ColumnWidthCount; ++i) {
        columnWidths[i] = DefaultColumnWidths[i].toString();
    }
}

ProfileText::ProfileText(QStringView text) {
    LineReader lines(text);
    QStringView line;
    while (lines.next(&line)) {
        line = trimmedBlanks(line);
        if (line.startsWith(u'[')) {
            const qsizetype close = line.indexOf(u']');
            const QStringView name = close < 0 ? line.sliced(1) : line.sliced(1, close - 1);
            sections_.append({trimmedBlanks(name).toString(), {}});
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (sections_.isEmpty() || equals <= 0) {
            continue;
        }
        // Cut at a NUL and at the length limit, and blanks trimmed after each
        // cut: a value read is the value that reads back once written.
        QStringView value = line.sliced(equals + 1);
        const qsizetype nul = value.indexOf(QChar(u'\0'));
        if (nul >= 0) {
            value.truncate(nul);
        }
        value = trimmedBlanks(value);
        qsizetype length = std::min(value.size(), MaxValueLength);
        if (length < value.size() && length > 0 && value[length - 1].isHighSurrogate()) {
            --length;  // never half a character
        }
        value = trimmedBlanks(value.first(length));
        sections_.last().keys.append(
            {trimmedBlanks(line.first(equals)).toString(), value.toString()});
    }
}

QString ProfileText::value(QStringView section, QStringView key) const {
    // Only the first section of a name is seen, and in it the first key.
    for (const Section& candidate : sections_) {
        if (candidate.name.compare(section, Qt::CaseInsensitive) != 0) {
            continue;
        }
        for (const auto& [name, value] : candidate.keys) {
            if (name.compare(key, Qt::CaseInsensitive) == 0) {
                return value;
            }
        }
        return {};
    }
    return {};
}

QString ReadSettingValue(QStringView section, QStringView key, const QString& path) {
    const diskfile::ReadResult file = diskfile::readEnciphered(path);
    if (file.status != diskfile::ReadResult::Status::Read) {
        return {};
    }
    return ProfileText(cp932::decode(file.plain)).value(section, key);
}

bool FolderExists(const QString& path) {
    return !path.isEmpty() && QFileInfo(path).isDir();
}

Settings fromProfile(const ProfileText& profile) {
    Settings s;
    const auto value = [&](QStringView key) { return profile.value(SettingSection, key); };
    const auto onUnlessZero = [&](QStringView key) { return value(key) != u"0"_s; };
    const auto offUnlessOne = [&](QStringView key) { return value(key) == u"1"_s; };

    s.formatKeyNowDay = value(u"FormatKey") != u"0"_s;
    const QString dreamMoney = value(u"DreamMoney");
    if (const std::optional<Currency> amount = Currency::parse(dreamMoney)) {
        s.dreamMoney = dreamMoney;
        s.targetAmount = *amount;
    }
    s.dreamMoneyFlag = offUnlessOne(u"DreamMoneyFlag");
    for (int i = 0; i < ColumnWidthCount; ++i) {
        const std::optional<int> width = wholeNumber(value(ColumnWidthKeys[i]));
        if (width && *width >= 0 && *width <= MaxColumnWidth) {
            s.columnWidths[i] = QString::number(*width);
        }
    }
    s.startPassword = offUnlessOne(u"StartPassword");
    s.startPasswordInput = value(u"StartPasswordInput");
    s.startKirabi = offUnlessOne(u"StartKirabi");
    s.formState = offUnlessOne(u"FormState");
    s.noTyohuku = onUnlessZero(u"NoTyohuku");
    s.sortOn = onUnlessZero(u"SortOn");
    s.deleteKakunin = offUnlessOne(u"DeleteKakunin");
    s.allDeleteKakunin = onUnlessZero(u"AllDeleteKakunin");
    s.autoSumOutput = onUnlessZero(u"AutoSumOutput");
    s.sealKey = value(u"SealKey");
    s.seal = offUnlessOne(u"Seal") && !s.sealKey.isEmpty();
    s.autoBackup = offUnlessOne(u"AutoBackup");
    s.autoBackupFolder = value(u"AutoBackupFolder");
    const std::optional<int> keep = wholeNumber(value(u"AutoBackupKeep"));
    if (keep && *keep >= 1 && *keep <= MaxAutoBackupKeep) {
        s.autoBackupKeep = *keep;
    }

    // The left position counts only together with a top position; a
    // position beyond any desktop counts as none.
    const auto position = [&](QStringView key) -> std::optional<int> {
        const std::optional<int> twips = wholeNumber(profile.value(PositionSection, key));
        return twips && std::abs(*twips) <= MaxPositionTwips ? twips : std::nullopt;
    };
    s.mainTop = position(u"MainTop");
    if (s.mainTop) {
        s.mainLeft = position(u"MainLeft");
    }
    return s;
}

QString format(const Settings& s, QString* error) {
    const std::optional<Currency> amount = Currency::parse(s.dreamMoney);
    if (!amount) {
        if (error != nullptr) {
            *error = u"目標収支金額「%1」を金額として読み取れません。"_s.arg(s.dreamMoney);
        }
        return {};
    }
    QStringList lines;
    lines.reserve(33);
    const auto add = [&](QStringView key, const QString& value) {
        lines.append(key.toString() + u'=' + value);
    };
    lines.append(u"[Setting]"_s);
    add(u"FormatKey", flag(s.formatKeyNowDay));
    add(u"DreamMoney", amount->toString());
    // A changed target may be reached and announced again.
    add(u"DreamMoneyFlag", flag(s.dreamMoneyFlag && *amount == s.targetAmount));
    for (int i = 0; i < ColumnWidthCount; ++i) {
        add(ColumnWidthKeys[i], s.columnWidths[i]);
    }
    add(u"StartPassword", flag(s.startPassword));
    // A sealed diary keeps its password nowhere on disk.
    add(u"StartPasswordInput", s.seal ? QString() : s.startPasswordInput);
    add(u"StartKirabi", flag(s.startKirabi));
    add(u"FormState", flag(s.formState));
    add(u"NoTyohuku", flag(s.noTyohuku));
    add(u"SortOn", flag(s.sortOn));
    add(u"DeleteKakunin", flag(s.deleteKakunin));
    add(u"AllDeleteKakunin", flag(s.allDeleteKakunin));
    add(u"AutoSumOutput", flag(s.autoSumOutput));
    if (s.seal) {
        add(u"Seal", flag(true));
        add(u"SealKey", s.sealKey);
    }
    if (s.autoBackup) {
        add(u"AutoBackup", flag(true));
    }
    if (!s.autoBackupFolder.isEmpty()) {
        add(u"AutoBackupFolder", s.autoBackupFolder);
    }
    if (s.autoBackupKeep != DefaultAutoBackupKeep) {
        add(u"AutoBackupKeep", QString::number(s.autoBackupKeep));
    }
    lines.append(QString());
    lines.append(u"[Position]"_s);
    add(u"MainTop", s.mainTop ? QString::number(*s.mainTop) : QString());
    add(u"MainLeft", s.mainLeft ? QString::number(*s.mainLeft) : QString());
    return lines.join(u"\r\n"_s) + u"\r\n"_s;
}

ReadResult read(const QString& path) {
    ReadResult result;
    const diskfile::ReadResult file = diskfile::readEnciphered(path);
    switch (file.status) {
        case diskfile::ReadResult::Status::Missing:
            return result;
        case diskfile::ReadResult::Status::Failed:
        case diskfile::ReadResult::Status::Refused:
            result.exists = true;
            result.error = file.error;
            return result;
        case diskfile::ReadResult::Status::Read:
            break;
    }
    result.exists = true;
    result.settings = fromProfile(ProfileText(cp932::decode(file.plain)));
    return result;
}

diskfile::WriteResult write(const QString& path, const Settings& settings) {
    QString error;
    const QString text = format(settings, &error);
    if (!error.isEmpty()) {
        return {error};
    }
    cp932::Encoded encoded = cp932::encode(text);
    if (!encoded.ok()) {
        return {encoded.error};
    }
    return diskfile::replaceEnciphered(path, std::move(encoded.bytes));
}

}  // namespace settingsfile
