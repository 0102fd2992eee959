// The checks of expect steps on the disk: whether a file is there and what it
// holds.
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "findings.h"
#include "runner.h"
#include "storage/binarycipher.h"
#include "storage/cp932.h"

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
    QStringList wanted;
    for (const QString& line : step.lines) {
        wanted.append(expand(line));
    }
    if (const std::optional<Mismatch> mismatch = compareLines(cp932::decode(bytes), wanted)) {
        return retry(*mismatch);
    }
    return passed();
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
