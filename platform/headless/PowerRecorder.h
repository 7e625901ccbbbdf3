#pragma once

#include <functional>
#include <vector>

#include "platform/PowerActions.h"

// Records the power actions issued instead of carrying them out.
class TPowerRecorder : public IPowerActions {
 public:
  void Issue(TPowerAction action) override;
  const std::vector<TPowerAction>& Issued() const { return issued_; }
  // Called with each action as it is issued, to look at the caller's state at that moment.
  void SetOnIssue(std::function<void(TPowerAction)> onIssue) { onIssue_ = std::move(onIssue); }

 private:
  std::vector<TPowerAction> issued_;
  std::function<void(TPowerAction)> onIssue_;
};
