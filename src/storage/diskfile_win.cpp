#include <io.h>
#include <windows.h>

#include <QDir>
#include <QString>

#include "storage/diskfile.h"
#include "storage/diskfile_system.h"

namespace diskfile {

namespace {

// Virus scanners, the indexer and sync clients open a file that has just
// been written, for a moment and without letting it be replaced: the
// replacement is tried again for about a second before it counts as failed.
constexpr int ReplaceTries = 10;
constexpr DWORD ReplacePause = 100;  // milliseconds

bool isPassing(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED ||
           error == ERROR_LOCK_VIOLATION;
}

// The system's own text for an error, in the user's language.
QString systemText(DWORD error) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    QString said = length > 0 ? QString::fromWCharArray(text, int(length)).trimmed() : QString();
    LocalFree(text);
    return said.isEmpty() ? QStringLiteral("Windows error %1").arg(error) : said;
}

const wchar_t* wide(const QString& text) {
    return reinterpret_cast<const wchar_t*>(text.utf16());
}

}  // namespace

namespace system {

bool syncToDisk(QFile& file) {
    return file.flush() &&
           FlushFileBuffers(reinterpret_cast<HANDLE>(_get_osfhandle(file.handle()))) != 0;
}

bool replace(const QString& source, const QString& target, QString* reason) {
    const QString from = QDir::toNativeSeparators(source);
    const QString to = QDir::toNativeSeparators(target);
    // A read-only target would refuse the replacement.
    const DWORD attributes = GetFileAttributesW(wide(to));
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        SetFileAttributesW(wide(to), attributes & ~DWORD(FILE_ATTRIBUTE_READONLY));
    }
    DWORD error = ERROR_SUCCESS;
    for (int attempt = 0; attempt < ReplaceTries; ++attempt) {
        if (attempt > 0) {
            Sleep(ReplacePause);
        }
        if (MoveFileExW(wide(from), wide(to), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) !=
            0) {
            return true;
        }
        error = GetLastError();
        if (!isPassing(error)) {
            break;
        }
    }
    *reason = systemText(error);
    return false;
}

}  // namespace system

void syncFolder(const QString& folder) {
    Q_UNUSED(folder);  // MoveFileEx with write-through is durable by itself
}

}  // namespace diskfile
