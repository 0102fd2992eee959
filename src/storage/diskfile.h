#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <functional>
#include <memory>

// Reading and writing enciphered data files. Plain text never reaches the
// disk: a read deciphers in memory, and a write enciphers in memory into the
// folder's work file "!", flushes it to the disk and then replaces the target
// by one atomic rename, so that a crash at any moment leaves either the old
// file or the new one.
namespace diskfile {

struct ReadResult {
    enum class Status { Read, Missing, Failed };
    Status status = Status::Missing;
    QByteArray plain;  // deciphered content when Read
    QString error;     // message for the user when Failed
};

ReadResult readEnciphered(const QString& path);
// The same into a buffer the caller keeps; error is set when Failed.
ReadResult::Status readEnciphered(const QString& path, QByteArray& plain, QString* error);

struct WriteResult {
    QString error;  // empty on success: a message for the user otherwise
    bool ok() const { return error.isEmpty(); }
};

// Creates the target's folder when needed, then writes plain enciphered.
WriteResult replaceEnciphered(const QString& target, QByteArray plain);

// A file for other programs, written as it is: to a work file beside the
// target, which then replaces the target, so that a failed write leaves the
// old file, or none, and never a half-written one. The folder must exist.
struct PlainWriteResult {
    int errorNumber = 0;  // the system's error number; 0 on success
    QString description;  // the system's text for it
    bool ok() const { return errorNumber == 0; }
};
PlainWriteResult replacePlain(const QString& target, const QByteArray& bytes);

// Makes the renames and removals of a folder's entries durable.
void syncFolder(const QString& folder);

// Writes a small file that marks how far a change of many files came; true
// once it is on the disk.
bool writeMarker(const QString& path);

// Removes a file; a file that is already gone is no error.
WriteResult removeFile(const QString& path);

// Tests substitute the device the work file is written through, to make
// writes fail part-way. Pass an empty function to restore the real file.
using WorkFileFactory = std::function<std::unique_ptr<QFile>(const QString& path)>;
void setWorkFileFactoryForTesting(WorkFileFactory factory);

// The messages shown when a file cannot be written or read.
QString cannotWriteMessage(const QString& path, const QString& reason);
QString cannotReadMessage(const QString& path, const QString& reason);

}  // namespace diskfile
