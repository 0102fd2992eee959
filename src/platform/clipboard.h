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

// A clipboard a test or scenario fills.
class ScriptedClipboard : public Clipboard {
  public:
    void setText(std::optional<QString> text) { text_ = std::move(text); }
    std::optional<QString> text() const override { return text_; }

  private:
    std::optional<QString> text_;
};

}  // namespace platform
