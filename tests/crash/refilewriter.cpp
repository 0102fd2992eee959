// Changes the filing key of a program folder back and forth through the
// program's real re-filing, until it is killed. The crash test kills it at
// random moments and then starts over as the program does.
#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

#include "diary/refiling.h"
#include "storage/cp932.h"
#include "storage/settingsfile.h"

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        return 2;
    }
    const DataPaths paths(args[1]);
    // Started: the test's clock for the kill runs from here.
    std::puts("ready");
    std::fflush(stdout);
    for (;;) {
        settingsfile::Settings settings = settingsfile::read(paths.settingsFile()).settings;
        settings.formatKeyNowDay = !settings.formatKeyNowDay;
        const cp932::Encoded plain = cp932::encode(settingsfile::format(settings, nullptr));
        if (!refiling::refile(paths, {}, plain.bytes, settings.targetAmount, nullptr).done) {
            return 1;
        }
    }
}
