#pragma once

// The system clipboard as text boxes use it: Unicode text only.

#include <string>

class IClipboard {
 public:
  virtual ~IClipboard() = default;
  // True when the clipboard holds text (Unicode or plain) that Text can give.
  virtual bool HasText() const = 0;
  // The clipboard's text; empty when it holds none.
  virtual std::u16string Text() const = 0;
  // Replaces the clipboard's contents with `text`.
  virtual void SetText(const std::u16string& text) = 0;
};
