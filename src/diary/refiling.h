#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

#include "diary/result.h"
#include "storage/currency.h"
#include "storage/datafolder.h"
#include "storage/seal.h"

// Bringing every stored month in line with changed settings: a new filing
// key moves every record to the month of its other date (re-filing); a new
// start password rewrites every month file under it (re-keying).
namespace refiling {

struct Keys {
    QString previousPassword;  // the start password before the change
    QString password;          // the start password in force after it
    QString storedPassword;    // the password line written from now on; empty for none
};

// Re-files every record under its other date, the settings file with it, as
// one step: nothing changes when any month cannot be read or any record has
// no date to be filed under (the result names them). The new data is written
// beside the old inside the data folder and swapped in by renames; the
// summaries are rebuilt with expenses 0.
diary::Result refile(const DataPaths& paths, const Keys& keys, const QByteArray& settingsPlain,
                     Currency target, const std::function<void(int done, int all)>& progress);

// How rewriteAll changes a month's plain text; nullopt, with the reason in
// problem, when the month must not change (a password it does not fit).
using MonthRewrite = std::function<std::optional<QByteArray>(const QString& path, QByteArray plain,
                                                             QString* problem)>;

// Rewrites every data file — months through rewriteMonth, year and total
// files as they are — sealed under newKey, or enciphered as designed when it
// is nullptr, together with the settings file, as one step that a crash
// cannot half-do: the new tree is written beside the old and swapped in as a
// re-filing is. Nothing changes when any file cannot be read.
diary::Result rewriteAll(const DataPaths& paths, const seal::DataKey* newKey,
                         const QByteArray& settingsPlain, const MonthRewrite& rewriteMonth,
                         const std::function<void(int done, int all)>& progress);

// Completes a re-filing that was interrupted after its new data was whole,
// or removes one that was not; run at every start.
void recoverRefiling(const DataPaths& paths);

// Rewrites every month file of the previous password (or of none, for a
// first password) under the new one; files that already fit are not
// touched, files of a third password are named and left as they are.
diary::Result rekey(const DataPaths& paths, const Keys& keys,
                    const std::function<void(int done, int all)>& progress);

}  // namespace refiling
