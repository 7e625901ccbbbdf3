#include "platform/qt/QtMessageBox.h"

#include <QMessageBox>

namespace {

QMessageBox::Icon IconOf(uint32_t style) {
  switch (style & 0xF0) {
    case vxMsgIconError:
      return QMessageBox::Critical;
    case vxMsgIconQuestion:
      return QMessageBox::Question;
    case vxMsgIconWarning:
      return QMessageBox::Warning;
    case vxMsgIconInformation:
      return QMessageBox::Information;
    default:
      return QMessageBox::NoIcon;
  }
}

QMessageBox::StandardButtons ButtonsOf(uint32_t style) {
  switch (style & 0x0F) {
    case vxMsgOkCancel:
      return QMessageBox::Ok | QMessageBox::Cancel;
    case vxMsgAbortRetryIgnore:
      return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
    case vxMsgYesNoCancel:
      return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case vxMsgYesNo:
      return QMessageBox::Yes | QMessageBox::No;
    case vxMsgRetryCancel:
      return QMessageBox::Retry | QMessageBox::Cancel;
    default:
      return QMessageBox::Ok;
  }
}

int ResultOf(int button) {
  switch (button) {
    case QMessageBox::Cancel:
      return vxResultCancel;
    case QMessageBox::Abort:
      return vxResultAbort;
    case QMessageBox::Retry:
      return vxResultRetry;
    case QMessageBox::Ignore:
      return vxResultIgnore;
    case QMessageBox::Yes:
      return vxResultYes;
    case QMessageBox::No:
      return vxResultNo;
    default:
      return vxResultOk;
  }
}

}  // namespace

int TQtMessageBox::Show(const std::string& text, const std::string& caption, uint32_t style) {
  QMessageBox box(IconOf(style), QString::fromStdString(caption), QString::fromStdString(text),
                  ButtonsOf(style));
  return ResultOf(box.exec());
}
