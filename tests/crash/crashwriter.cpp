// Writes one month, its year file and the total file over and over through
// the program's real write path, each round with the next version of their
// content, until it is killed. The crash test kills it at random moments.
#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

#include "crashcontent.h"
#include "storage/monthfile.h"
#include "storage/summaryfile.h"

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        return 2;
    }
    const DataPaths paths(args[1]);
    // Started: the test's clock for the kill runs from here.
    std::puts("ready");
    std::fflush(stdout);
    for (int version = args[2].toInt();; ++version) {
        if (!monthfile::write(crash::monthPath(paths), crash::monthRecords(version),
                              crash::password(version))
                 .ok() ||
            !summaryfile::write(paths.yearFile(crash::Year), crash::yearRows(version)).ok() ||
            !summaryfile::write(paths.totalFile(), crash::totalRows(version)).ok()) {
            return 1;
        }
    }
}
