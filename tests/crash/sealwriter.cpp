// Seals and unseals a diary under the password "pw" back and forth, as the
// settings tab applies it, until it is killed. Each round starts as the
// program does: a new desk reads the settings and, when sealed, opens the
// data key with the password. After every change it prints "sealed" or
// "unsealed", so that the crash test can count the changes that ended.
#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

#include "diary/desk.h"

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        return 2;
    }
    const DataPaths paths(args[1]);
    for (;;) {
        diary::Desk desk(paths);
        if (!desk.loadSettings().done) {
            std::fputs("the settings do not load\n", stderr);
            return 1;
        }
        if (desk.sealed() && !desk.unlock(QStringLiteral("pw")).done) {
            std::fputs("the password does not open the data key\n", stderr);
            return 1;
        }
        settingsfile::Settings edited = desk.settings();
        edited.seal = !edited.seal;
        edited.startPasswordInput = QStringLiteral("pw");
        const diary::Result applied = desk.applySettings(edited, {});
        if (!applied.done || !applied.notices.isEmpty() || desk.sealed() != edited.seal) {
            for (const auto& notice : applied.notices) {
                std::fprintf(stderr, "%s\n", qPrintable(notice.text));
            }
            std::fputs("the change was not applied\n", stderr);
            return 1;
        }
        std::puts(edited.seal ? "sealed" : "unsealed");
        std::fflush(stdout);
    }
}
