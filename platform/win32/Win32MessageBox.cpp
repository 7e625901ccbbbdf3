#include "platform/win32/Win32MessageBox.h"

#include <windows.h>

#include "platform/win32/WideText.h"

uint32_t TWin32MessageBox::NativeStyle(uint32_t style, bool owned) {
  const uint32_t buttons = style & MB_TYPEMASK;
  const uint32_t icon = style & MB_ICONMASK;
  uint32_t native = buttons <= vxMsgRetryCancel ? buttons : vxMsgOk;
  if (icon >= vxMsgIconError && icon <= vxMsgIconInformation) native |= icon;
  if (!owned) native |= MB_TASKMODAL | MB_SETFOREGROUND;
  return native;
}

int TWin32MessageBox::Show(const std::string& text, const std::string& caption, uint32_t style) {
  HWND owner = GetActiveWindow();
  const int result = MessageBoxW(owner, Widen(text).c_str(), Widen(caption).c_str(),
                                 NativeStyle(style, owner != nullptr));
  // A box that could not be shown was not confirmed.
  return result ? result : vxResultCancel;
}
