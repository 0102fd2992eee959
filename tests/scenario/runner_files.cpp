// The checks of expect steps on the disk: whether a file is there and what it
// holds.
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "findings.h"
#include "runner.h"
#include "storage/binarycipher.h"
#include "storage/cp932.h"
#include "storage/datafolder.h"
#include "storage/diskfile.h"
#include "storage/seal.h"
#include "storage/settingsfile.h"

using namespace Qt::StringLiterals;

namespace scenario {

Runner::Outcome Runner::expectFileExists(const Step& step) {
    const QString path = resolve(step.text);
    const bool exists = QFileInfo::exists(path);
    if (exists == step.flag) {
        return passed();
    }
    return retry({QDir::toNativeSeparators(path) + yesNo(step.flag, u" exists"_s, u" missing"_s),
                  yesNo(exists, u"it exists"_s, u"there is no such file or folder"_s),
                  {}});
}

std::optional<Runner::Outcome> Runner::readFile(const Step& step, QByteArray* bytes) const {
    const QString path = resolve(step.text);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return retry({u"the file "_s + QDir::toNativeSeparators(path),
                      QFileInfo::exists(path) ? file.errorString() : u"there is no such file"_s,
                      {}});
    }
    *bytes = file.readAll();
    return std::nullopt;
}

Runner::Outcome Runner::expectFile(const Step& step) {
    QByteArray bytes;
    if (std::optional<Outcome> missing = readFile(step, &bytes)) {
        return *missing;
    }
    if (step.property == Property::Plain) {
        mdlBinaryCipher::CipherBuffer(bytes);
    }
    return compareText(step, step.property == Property::Utf8Text ? QString::fromUtf8(bytes)
                                                                 : cp932::decode(bytes));
}

Runner::Outcome Runner::compareText(const Step& step, const QString& text) {
    QStringList wanted;
    for (const QString& line : step.lines) {
        wanted.append(expand(line));
    }
    if (const std::optional<Mismatch> mismatch = compareLines(text, wanted)) {
        return retry(*mismatch);
    }
    return passed();
}

// The key comes from the settings file as it is on the disk now, so the
// check proves that the password alone opens the file.
Runner::Outcome Runner::expectSealed(const Step& step) {
    QByteArray bytes;
    if (std::optional<Outcome> missing = readFile(step, &bytes)) {
        return *missing;
    }
    const QString settings = DataPaths(options_.programFolder).settingsFile();
    const QString sealKey = settingsfile::ReadSettingValue(u"Setting", u"SealKey", settings);
    const seal::Key key = seal::openSealKey(step.message, sealKey);
    if (!key) {
        return retry({u"a seal key in "_s + QDir::toNativeSeparators(settings) +
                          u" that the password opens"_s,
                      sealKey.isEmpty() ? u"no SealKey"_s : u"SealKey="_s + sealKey,
                      {}});
    }
    const std::optional<QByteArray> plain =
        seal::openData(bytes, *key, diskfile::sealedPlace(resolve(step.text)));
    if (!plain) {
        return retry({u"a sealed file that the data key opens"_s,
                      seal::isSealed(bytes)
                          ? u"a seal that does not open"_s
                          : u"%1 bytes without the seal's mark"_s.arg(bytes.size()),
                      {}});
    }
    return compareText(step, cp932::decode(*plain));
}

Runner::Outcome Runner::expectBytes(const Step& step) {
    const std::optional<QByteArray> wanted = hexBytes(step.lines);
    if (!wanted) {
        return failed({u"lines of hexadecimal byte pairs"_s, quoted(step.lines.join(u' ')), {}});
    }
    QByteArray bytes;
    if (std::optional<Outcome> missing = readFile(step, &bytes)) {
        return *missing;
    }
    if (step.flag) {
        mdlBinaryCipher::CipherBuffer(bytes);
    }
    if (bytes == *wanted) {
        return passed();
    }
    qsizetype at = 0;
    while (at < bytes.size() && at < wanted->size() && bytes[at] == (*wanted)[at]) {
        ++at;
    }
    const auto around = [at](const QByteArray& b) {
        return QString::fromLatin1(b.mid(std::max<qsizetype>(0, at - 8), 24).toHex(' '));
    };
    return retry({u"%1 bytes: %2"_s.arg(wanted->size()).arg(around(*wanted)),
                  u"%1 bytes: %2"_s.arg(bytes.size()).arg(around(bytes)),
                  {u"first difference at byte %1 (the bytes shown start 8 before it)"_s.arg(at)}});
}

}  // namespace scenario
