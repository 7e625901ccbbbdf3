#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/MessageBox.h"

// Records every message box and answers with the scripted results, then with "OK".
class THeadlessMessageBox : public IMessageBox {
 public:
  struct TCall {
    std::string text;
    std::string caption;
    uint32_t style = 0;
  };

  int Show(const std::string& text, const std::string& caption, uint32_t style) override;
  void QueueResult(int result) { results_.push_back(result); }
  const std::vector<TCall>& Calls() const { return calls_; }
  void Clear() { calls_.clear(); }

 private:
  std::vector<TCall> calls_;
  std::deque<int> results_;
};
