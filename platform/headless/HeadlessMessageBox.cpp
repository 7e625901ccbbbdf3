#include "platform/headless/HeadlessMessageBox.h"

int THeadlessMessageBox::Show(const std::string& text, const std::string& caption, uint32_t style) {
  calls_.push_back({text, caption, style});
  if (results_.empty()) return vxResultOk;
  const int result = results_.front();
  results_.pop_front();
  return result;
}
