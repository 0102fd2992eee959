#pragma once

#include <QByteArray>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <QTest>

#include "storage/binarycipher.h"
#include "storage/datafolder.h"
#include "storage/diskfile.h"

// A fresh, empty program folder for one test, removed afterwards.
class TestFolder {
  public:
    TestFolder() { QVERIFY2(dir_.isValid(), "cannot create a temporary folder"); }
    QString path() const { return dir_.path(); }
    DataPaths paths() const { return DataPaths(dir_.path()); }
    QString file(const QString& relative) const { return dir_.filePath(relative); }

  private:
    QTemporaryDir dir_;
};

inline QByteArray readBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return file.readAll();
}

inline bool writeBytes(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

inline QByteArray deciphered(const QString& path) {
    QByteArray bytes = readBytes(path);
    mdlBinaryCipher::CipherBuffer(bytes);
    return bytes;
}

// Every file below the data folder with its bytes.
inline QMap<QString, QByteArray> dataSnapshot(const DataPaths& paths) {
    QMap<QString, QByteArray> files;
    QDirIterator it(paths.dataFolder(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(path, readBytes(path));
    }
    return files;
}

// Every file below a folder with its bytes, by its path below the folder.
inline QMap<QString, QByteArray> filesWithBytesBelow(const QString& root) {
    QMap<QString, QByteArray> files;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(path.mid(root.size()), readBytes(path));
    }
    return files;
}

inline bool writeEnciphered(const QString& path, QByteArray plain) {
    mdlBinaryCipher::CipherBuffer(plain);
    return writeBytes(path, plain);
}

// A file device that accepts the first `limit` bytes and then fails, like a
// full disk. Install it with FailingWorkFile::Scope.
class FailingWorkFile : public QFile {
  public:
    FailingWorkFile(const QString& path, qint64 limit) : QFile(path), left_(limit) {}

    class Scope {
      public:
        explicit Scope(qint64 limit) {
            diskfile::setWorkFileFactoryForTesting([limit](const QString& path) {
                return std::make_unique<FailingWorkFile>(path, limit);
            });
        }
        ~Scope() { diskfile::setWorkFileFactoryForTesting({}); }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;
    };

  protected:
    qint64 writeData(const char* data, qint64 length) override {
        if (left_ <= 0) {
            setErrorString(QStringLiteral("No space left on device"));
            return -1;
        }
        const qint64 taken = std::min(length, left_);
        left_ -= taken;
        return QFile::writeData(data, taken);
    }

  private:
    qint64 left_;
};
