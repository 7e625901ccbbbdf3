#pragma once

#include "platform/Clipboard.h"

// The window system's clipboard through Qt; needs the application object.
class TQtClipboard : public IClipboard {
 public:
  bool HasText() const override;
  std::u16string Text() const override;
  void SetText(const std::u16string& text) override;
};
