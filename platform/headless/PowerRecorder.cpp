#include "platform/headless/PowerRecorder.h"

void TPowerRecorder::Issue(TPowerAction action) {
  issued_.push_back(action);
  if (onIssue_) onIssue_(action);
}
