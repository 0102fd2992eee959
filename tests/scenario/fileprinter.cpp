#include "fileprinter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "storage/cp932.h"

using namespace Qt::StringLiterals;

namespace scenario {

FilePrinter::FilePrinter(QString path, std::shared_ptr<QStringList> faults)
    : path_(std::move(path)), faults_(std::move(faults)) {}

void FilePrinter::printLine(const QString& line) {
    const cp932::Encoded encoded = cp932::encode(line + u"\r\n"_s);
    if (!encoded.ok()) {
        faults_->append(u"a printed line cannot be written in code page 932: "_s + encoded.error);
        return;
    }
    QDir().mkpath(QFileInfo(path_).absolutePath());
    QFile file(path_);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append) ||
        file.write(encoded.bytes) != encoded.bytes.size()) {
        faults_->append(u"cannot append a printed line to "_s + path_ + u": "_s +
                        file.errorString());
    }
}

}  // namespace scenario
