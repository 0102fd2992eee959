#pragma once

#include <QString>

namespace platform {

// Opening things through the desktop: web pages, mail links, files, and
// starting other programs. open() returns a result code in the manner of the
// classic shell call: above 32 is success, 2 file not found, 3 path not found,
// 31 no program associated with the file's type.
class Shell {
  public:
    static constexpr int Success = 42;
    static constexpr int FileNotFound = 2;
    static constexpr int PathNotFound = 3;
    static constexpr int NoAssociation = 31;

    virtual ~Shell() = default;
    virtual int open(const QString& target) = 0;
    virtual bool startProgram(const QString& path) = 0;
};

}  // namespace platform
