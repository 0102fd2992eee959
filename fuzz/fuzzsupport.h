#pragma once

#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

#include "storage/binarycipher.h"
#include "storage/datafolder.h"

// What the fuzz targets share: a program folder that lives as long as the
// run, a file written enciphered into it, and a failure that stops the run.
namespace fuzzing {

inline const DataPaths& paths() {
    static QTemporaryDir folder;
    static const DataPaths instance(folder.path());
    return instance;
}

inline void writeEnciphered(const QString& path, QByteArray bytes) {
    mdlBinaryCipher::CipherBuffer(bytes);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::abort();
    }
}

// A broken property stops the run with the input that broke it.
inline void require(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "property broken: %s\n", what);
        std::abort();
    }
}

}  // namespace fuzzing
