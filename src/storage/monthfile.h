#pragma once

#include <QList>
#include <QString>
#include <array>
#include <functional>

#include "storage/diskfile.h"
#include "storage/prizeentry.h"

// The month file: an optional password line "StartPassword=<password>" in
// quotes, then one line per record of 17 quoted fields, in code page 932 with
// CR LF, enciphered on disk. A month without records and without a password
// line is no file at all. Blank lines are passed over; any other line that is
// not one record is damage.
namespace monthfile {

inline constexpr QStringView PasswordPrefix = u"StartPassword=";

struct Content {
    bool hasPasswordLine = false;
    QString password;
    QList<PrizeEntry> records;
    QList<int> damagedLines;  // numbers, from 1, of the lines that hold no record
};

// Months repeat their dates, sites, genres and results from record to
// record. Handing out the same shared string for a repeated field saves most
// of the allocations of a big month.
class RecentTexts {
  public:
    QString take(QStringView field);

  private:
    std::array<QString, 8> recent_;
    size_t next_ = 0;
};

// The plain text of a month file. A non-empty password adds the password line.
QString format(const QList<PrizeEntry>& records, const QString& password);

// Reads plain month file text. Never fails: the lines that are records are
// read, the others listed.
Content parse(QStringView text);

// Goes through the records of plain month file text as views into it, for
// readers that keep few of them, until visit returns false. Returns what
// parse() returns but the records.
using FieldViews = std::array<QStringView, PrizeEntryFieldCount>;
Content scan(QStringView text, const std::function<bool(const FieldViews& record)>& visit);

// Whether a file fits the start password in force: a file with a password
// line fits only an exactly equal password, a file without one only an empty
// password.
// The same, over the plain bytes of a month file, without decoding them: the
// marks of the format (quotes, commas, line ends) are never part of a double-
// byte character. The password is decoded.
using ByteFields = std::array<QByteArrayView, PrizeEntryFieldCount>;
Content scanBytes(QByteArrayView plain, const std::function<bool(const ByteFields& record)>& visit);

bool passwordFits(const Content& content, const QString& currentPassword);

// The plain bytes of a month file with its password line set to password
// (taken away when it is empty); every other byte stays as it is, damaged
// lines included. The password must be one that code page 932 holds.
QByteArray withPasswordLine(QByteArrayView plain, const QString& password);

struct ReadResult {
    // Damaged: some lines are no record; records holds those that are.
    enum class Status { Loaded, Missing, Refused, Failed, Damaged };
    Status status = Status::Missing;
    QList<PrizeEntry> records;  // when Loaded or Damaged
    QList<int> damagedLines;    // when Damaged
    QString error;              // when Failed
};

ReadResult read(const QString& path, const QString& currentPassword);
// A copy that another program made of the month file at original, read as
// that file (diskfile::readEncipheredAs).
ReadResult readCopy(const QString& path, const QString& original, const QString& currentPassword);

// What the user is told of a data file that does not fit the start password
// in force (the platform layer shows it).
inline constexpr QStringView DataFileErrorTitle = u"認証エラー";
QString dataFileErrorText(const QString& path);
// What the user is told of a month file with damaged lines (title "ｴﾗｰ").
QString damagedMonthText(const QString& path, const QList<int>& lines);

// Writes the records (and the password line when password is not empty) to
// path. An empty month removes the file. Text that code page 932 cannot hold
// fails the write before anything on disk changes.
diskfile::WriteResult write(const QString& path, const QList<PrizeEntry>& records,
                            const QString& password);

}  // namespace monthfile
