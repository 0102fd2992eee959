#pragma once

#include <QString>
#include <optional>

namespace platform {

// The system clipboard, for the text the user copied.
class Clipboard {
  public:
    virtual ~Clipboard() = default;
    // The text on the clipboard; nothing when it holds no text.
    virtual std::optional<QString> text() const = 0;
};

}  // namespace platform
