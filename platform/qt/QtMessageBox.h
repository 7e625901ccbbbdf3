#pragma once

#include "platform/MessageBox.h"

class TQtMessageBox : public IMessageBox {
 public:
  int Show(const std::string& text, const std::string& caption, uint32_t style) override;
};
