#include "platform/headless/MemoryClipboard.h"

void TMemoryClipboard::SetText(const std::u16string& text) {
  text_ = text;
  hasText_ = true;
}

void TMemoryClipboard::Clear() {
  text_.clear();
  hasText_ = false;
}
