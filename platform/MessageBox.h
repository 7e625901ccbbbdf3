#pragma once

#include <cstdint>
#include <string>

// Style flags: one button set plus one icon, with the values the Windows API gives them.
enum TMessageBoxStyle : uint32_t {
  vxMsgOk = 0x00,
  vxMsgOkCancel = 0x01,
  vxMsgAbortRetryIgnore = 0x02,
  vxMsgYesNoCancel = 0x03,
  vxMsgYesNo = 0x04,
  vxMsgRetryCancel = 0x05,
  vxMsgIconError = 0x10,
  vxMsgIconQuestion = 0x20,
  vxMsgIconWarning = 0x30,
  vxMsgIconInformation = 0x40,
};

enum TMessageBoxResult : int {
  vxResultOk = 1,
  vxResultCancel = 2,
  vxResultAbort = 3,
  vxResultRetry = 4,
  vxResultIgnore = 5,
  vxResultYes = 6,
  vxResultNo = 7,
};

// A modal message box without owner window. Texts are UTF-8.
class IMessageBox {
 public:
  virtual ~IMessageBox() = default;
  virtual int Show(const std::string& text, const std::string& caption, uint32_t style) = 0;
};
