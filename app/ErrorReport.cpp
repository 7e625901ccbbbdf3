#include "app/ErrorReport.h"

#include "platform/Platform.h"

void ShowErrorReport(const Exception& failure) {
  Platform().messageBox->Show(failure.what(), "翎川定时关机", vxMsgOk | vxMsgIconError);
}
