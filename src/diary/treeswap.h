#pragma once

#include <QString>
#include <QStringList>

#include "diary/result.h"
#include "storage/datafolder.h"

// A change of the whole data tree made so that a crash cannot half-do it:
// the new tree is written to <data>/.refile/data (a program folder of its
// own), a marker says it is whole, and the old data goes to
// <data>/.refile-old while the new takes its place. Re-filing, sealing and
// unsealing share it; recoverRefiling finishes or removes it at the next start.
namespace refiling {

// The program folder the new tree is written into.
QString stagingFolder(const DataPaths& paths);
// Clears what an earlier change left of its work.
void clearStaging(const DataPaths& paths);
// Every data file below the data folder, summaries included; the settings
// folder, the work of a change and the conflict copies set aside are left
// out.
QStringList dataFiles(const QString& data);
// Moves a whole staged tree in: the marker first, then the swap. undone is
// the message when the old data could not be moved aside (nothing changed),
// unfinished when the swap stopped half-way (the next start finishes it).
diary::Result swapStaged(const DataPaths& paths, const QString& unfinished, const QString& undone);
// True while a swap waits for the next start to finish it.
bool swapPending(const DataPaths& paths);

}  // namespace refiling
