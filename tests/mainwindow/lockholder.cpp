// Takes the program's lock on the data folder given, says so, and holds it
// until it is killed: lockholder DATA-FOLDER
#include <QCoreApplication>
#include <QTextStream>
#include <QThread>

#include "platform/instancelock.h"

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    platform::SystemInstanceLock lock(QCoreApplication::arguments().value(1));
    if (!lock.tryAcquire()) {
        return 2;
    }
    QTextStream(stdout) << "held" << Qt::endl;
    for (;;) {
        QThread::sleep(1);
    }
}
