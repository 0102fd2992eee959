#include "storage/diskfile.h"

#include <QDir>
#include <QFileInfo>
#include <QMutex>
#include <QSaveFile>
#include <algorithm>
#include <cerrno>
#include <cstring>

#include "storage/binarycipher.h"
#include "storage/datafolder.h"
#include "storage/diskfile_system.h"

using namespace Qt::StringLiterals;

namespace diskfile {

namespace {

WorkFileFactory& workFileFactory() {
    static WorkFileFactory factory;
    return factory;
}

// Read by the search's worker threads while the window may change it.
struct DataKeySlot {
    QMutex mutex;
    seal::Key key;
};

DataKeySlot& dataKeySlot() {
    static DataKeySlot slot;
    return slot;
}

std::unique_ptr<QFile> openWorkFileDevice(const QString& path) {
    if (workFileFactory()) {
        return workFileFactory()(path);
    }
    return std::make_unique<QFile>(path);
}

// Writes all of data. A full disk first accepts part of a write without an
// error; the write of the rest then fails and names the reason.
bool writeAll(QFile& file, const QByteArray& data) {
    qsizetype written = 0;
    while (written < data.size()) {
        const qint64 n = file.write(data.constData() + written, data.size() - written);
        if (n <= 0) {
            return false;
        }
        written += qsizetype(n);
    }
    return true;
}

}  // namespace

bool writeMarker(const QString& path) {
    QSaveFile marker(path);
    return marker.open(QIODevice::WriteOnly) && marker.write("1", 1) == 1 && marker.commit();
}

QString cannotWriteMessage(const QString& path, const QString& reason) {
    return u"ファイル「%1」を保存できませんでした。\r\n%2"_s.arg(QDir::toNativeSeparators(path),
                                                                 reason);
}

QString cannotReadMessage(const QString& path, const QString& reason) {
    return u"ファイル「%1」を読み込めませんでした。\r\n%2"_s.arg(QDir::toNativeSeparators(path),
                                                                 reason);
}

ReadResult readEnciphered(const QString& path) {
    ReadResult result;
    result.status = readEnciphered(path, result.plain, &result.error);
    return result;
}

ReadResult::Status readEnciphered(const QString& path, QByteArray& plain, QString* error) {
    return readEncipheredAs(path, path, plain, error);
}

ReadResult::Status readEncipheredAs(const QString& path, const QString& original, QByteArray& plain,
                                    QString* error) {
    if (!mdlBinaryCipher::FileExists(path)) {
        return ReadResult::Status::Missing;
    }
    QFile file(path);
    const qint64 size = file.size();
    if (!file.open(QIODevice::ReadOnly)) {
        *error = cannotReadMessage(path, file.errorString());
        return ReadResult::Status::Failed;
    }
    // Read into the buffer the caller keeps, so that a walk over many files
    // does not allocate one for each.
    plain.resize(qsizetype(size));
    qint64 got = 0;
    while (got < size) {
        const qint64 n = file.read(plain.data() + got, size - got);
        if (n <= 0) {
            break;
        }
        got += n;
    }
    if (got != size || file.error() != QFileDevice::NoError) {
        *error = cannotReadMessage(path, file.errorString());
        plain.resize(0);
        return ReadResult::Status::Failed;
    }
    if (seal::isSealed(plain)) {
        const seal::Key key = dataKey();
        std::optional<QByteArray> opened;
        if (key) {
            opened = seal::openData(plain, *key, sealedPlace(original));
        }
        if (!opened) {
            *error = refusedText(path);
            plain.resize(0);
            return ReadResult::Status::Refused;
        }
        plain = std::move(*opened);
        return ReadResult::Status::Read;
    }
    // Every data file of a sealed diary is sealed: one that is not was put
    // there from outside, or its seal was damaged.
    if (isDataFile(original) && dataKey()) {
        *error = refusedText(path);
        plain.resize(0);
        return ReadResult::Status::Refused;
    }
    mdlBinaryCipher::CipherBuffer(plain);
    return ReadResult::Status::Read;
}

void setDataKey(seal::Key key) {
    DataKeySlot& slot = dataKeySlot();
    const QMutexLocker lock(&slot.mutex);
    slot.key = std::move(key);
}

seal::Key dataKey() {
    DataKeySlot& slot = dataKeySlot();
    const QMutexLocker lock(&slot.mutex);
    return slot.key;
}

bool isDataFile(const QString& path) {
    const QFileInfo file(path);
    const QString folder = file.dir().dirName();
    return file.fileName().endsWith(u".log"_s) && folder.size() == 4 &&
           std::all_of(folder.cbegin(), folder.cend(),
                       [](QChar c) { return c >= u'0' && c <= u'9'; });
}

QString sealedPlace(const QString& path) {
    const QFileInfo file(path);
    return file.dir().dirName() + u'/' + file.fileName();
}

QByteArray encode(const QString& path, QByteArray plain, const seal::DataKey* key) {
    if (key != nullptr) {
        return seal::sealData(plain, *key, sealedPlace(path));
    }
    mdlBinaryCipher::CipherBuffer(plain);
    return plain;
}

QString refusedText(const QString& path) {
    return u"データファイル「"_s + QDir::toNativeSeparators(path) + u"」を読み込めません。"_s;
}

WriteResult replaceEnciphered(const QString& target, QByteArray plain) {
    const seal::Key key = isDataFile(target) ? dataKey() : nullptr;
    if (key) {
        // A sealed file that already holds this text keeps its bytes: a
        // fresh nonce would change them for nothing.
        QByteArray stored;
        QString ignored;
        if (readEnciphered(target, stored, &ignored) == ReadResult::Status::Read &&
            stored == plain) {
            return {};
        }
    }
    return replaceEncoded(target, encode(target, std::move(plain), key.get()));
}

WriteResult replaceEncoded(const QString& target, const QByteArray& bytes) {
    const QString folder = QFileInfo(target).absolutePath();
    if (!QDir().mkpath(folder)) {
        return {cannotWriteMessage(target, u"フォルダを作成できません。"_s)};
    }
    const QString workPath = DataPaths::workFile(folder);
    if (QFileInfo::exists(workPath)) {
        // A stale work file, perhaps read-only, is simply overwritten.
        QFile::setPermissions(
            workPath, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
    }
    std::unique_ptr<QFile> work = openWorkFileDevice(workPath);
    if (!work->open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return {cannotWriteMessage(target, work->errorString())};
    }
    const bool written = writeAll(*work, bytes) && system::syncToDisk(*work);
    const QString writeError = work->errorString();
    work->close();
    if (!written) {
        QFile::remove(workPath);
        return {cannotWriteMessage(target, writeError)};
    }
    QString reason;
    if (!system::replace(workPath, target, &reason)) {
        QFile::remove(workPath);
        return {cannotWriteMessage(target, reason)};
    }
    return {};
}

PlainWriteResult replacePlain(const QString& target, const QByteArray& bytes) {
    const auto failed = [](const QFileDevice& file) {
        const int number = errno != 0 ? errno : int(file.error());
        return PlainWriteResult{
            number == 0 ? -1 : number,
            errno != 0 ? QString::fromLocal8Bit(std::strerror(errno)) : file.errorString()};
    };
    QSaveFile file(target);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly)) {
        return failed(file);
    }
    errno = 0;
    if (file.write(bytes) != bytes.size()) {
        const PlainWriteResult result = failed(file);
        file.cancelWriting();
        return result;
    }
    errno = 0;
    if (!file.commit()) {
        return failed(file);
    }
    return {};
}

WriteResult removeFile(const QString& path) {
    QFile file(path);
    if (!QFileInfo::exists(path) || file.remove()) {
        return {};
    }
    return {u"ファイル「%1」を削除できませんでした。\r\n%2"_s.arg(QDir::toNativeSeparators(path),
                                                                  file.errorString())};
}

void setWorkFileFactoryForTesting(WorkFileFactory factory) {
    workFileFactory() = std::move(factory);
}

}  // namespace diskfile
