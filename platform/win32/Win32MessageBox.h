#pragma once

#include <cstdint>

#include "platform/MessageBox.h"

// MessageBoxW, owned by the program's active window so that it is modal to it.
class TWin32MessageBox : public IMessageBox {
 public:
  int Show(const std::string& text, const std::string& caption, uint32_t style) override;

  // The MessageBoxW style for a box style: the button set and the icon as given, anything
  // else dropped (an unknown button set shows OK, an unknown icon none); a box without owner
  // is task-modal and comes to the foreground.
  static uint32_t NativeStyle(uint32_t style, bool owned);
};
