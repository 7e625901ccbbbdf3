#include "app/ErrorReport.h"

#include "platform/Application.h"

void ShowErrorReport(const Exception& failure) {
  Application().HandleException(failure);
}
