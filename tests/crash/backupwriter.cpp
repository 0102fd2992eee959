// Makes one generation of the automatic backup a day, day after day from
// 2026/01/01, keeping three, until it is killed; after each one it prints
// the day it made (and "ready" first): backupwriter DATA-HOME BACKUP-FOLDER FIRST-DAY
#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

#include "diary/autobackup.h"

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4) {
        return 2;
    }
    const DataPaths paths(args[1]);
    std::puts("ready");
    std::fflush(stdout);
    for (int day = args[3].toInt();; ++day) {
        const QDate date = QDate(2026, 1, 1).addDays(day);
        const diary::Result made = autobackup::makeGeneration(paths, args[2], date, 3);
        if (!made.done) {
            for (const diary::Notice& notice : made.notices) {
                std::fprintf(stderr, "%s\n", qPrintable(notice.text));
            }
            return 1;
        }
        std::printf("%d\n", day);
        std::fflush(stdout);
    }
}
