#pragma once

// A clipboard held in memory, private to the process: tests put text on it and read back
// what the program copied.

#include "platform/Clipboard.h"

class TMemoryClipboard : public IClipboard {
 public:
  bool HasText() const override { return hasText_; }
  std::u16string Text() const override { return text_; }
  void SetText(const std::u16string& text) override;
  // Empties the clipboard, as another program taking it over with other data would.
  void Clear();

 private:
  std::u16string text_;
  bool hasText_ = false;
};
