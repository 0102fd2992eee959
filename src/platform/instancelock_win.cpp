#include <windows.h>

#include "platform/instancelock.h"

using namespace Qt::StringLiterals;

namespace platform {

// A named mutex, which Windows releases when the process that holds it
// ends, crashed or not; "Local\" keeps it to the user's own session.
struct SystemInstanceLock::Held {
    HANDLE mutex = nullptr;
    ~Held() {
        if (mutex != nullptr) {
            CloseHandle(mutex);
        }
    }
};

SystemInstanceLock::SystemInstanceLock(const QString& dataHome)
    // Windows' paths name one folder whatever their case.
    : name_(u"Local\\"_s + instanceKey(dataHome.toLower())) {}

SystemInstanceLock::~SystemInstanceLock() = default;

bool SystemInstanceLock::tryAcquire() {
    auto held = std::make_unique<Held>();
    held->mutex = CreateMutexW(nullptr, TRUE, reinterpret_cast<const wchar_t*>(name_.utf16()));
    if (held->mutex == nullptr || GetLastError() == ERROR_ALREADY_EXISTS) {
        return false;
    }
    held_ = std::move(held);
    return true;
}

}  // namespace platform
