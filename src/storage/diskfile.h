#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <functional>
#include <memory>

#include "storage/seal.h"

// Reading and writing enciphered data files. Plain text never reaches the
// disk: a read deciphers in memory, and a write enciphers in memory into the
// folder's work file "!", flushes it to the disk and then replaces the target
// by one atomic rename, so that a crash at any moment leaves either the old
// file or the new one.
namespace diskfile {

struct ReadResult {
    // Refused: a sealed file that the diary's data key does not open.
    enum class Status { Read, Missing, Failed, Refused };
    Status status = Status::Missing;
    QByteArray plain;  // deciphered content when Read
    QString error;     // message for the user when Failed
};

ReadResult readEnciphered(const QString& path);
// The same into a buffer the caller keeps; error is set when Failed.
ReadResult::Status readEnciphered(const QString& path, QByteArray& plain, QString* error);
// A copy that another program (a sync client) made of the data file at
// original, read as that file: a seal is bound to the original's place, not
// to the copy's.
ReadResult::Status readEncipheredAs(const QString& path, const QString& original, QByteArray& plain,
                                    QString* error);

struct WriteResult {
    QString error;  // empty on success: a message for the user otherwise
    bool ok() const { return error.isEmpty(); }
};

// Creates the target's folder when needed, then writes plain enciphered, or
// sealed when it is a data file of a sealed diary.
WriteResult replaceEnciphered(const QString& target, QByteArray plain);

// The data key of a sealed diary, for the whole program: while one is set,
// every data file written is sealed under it and sealed files read open with
// it. The settings file is never sealed. nullptr: the designed cipher only.
void setDataKey(seal::Key key);
seal::Key dataKey();

// A month, year or total file: "<yyyy>/<name>.log" below a data folder.
bool isDataFile(const QString& path);
// Where a data file stands below its data folder, "2010/01.log": what its
// seal is bound to, so that a file moved elsewhere does not open.
QString sealedPlace(const QString& path);
// The bytes on disk for plain: sealed under key when one is given, else
// enciphered as designed.
QByteArray encode(const QString& path, QByteArray plain, const seal::DataKey* key);
// Writes bytes already encoded, through the work file, as replaceEnciphered
// does.
WriteResult replaceEncoded(const QString& target, const QByteArray& bytes);
// The text of a sealed file that does not open.
QString refusedText(const QString& path);

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
