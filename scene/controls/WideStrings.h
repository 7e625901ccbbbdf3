#pragma once

// A list of wide strings as a published property ("Items"), stored in form data as the
// list value "Strings": Items.Strings = ('one' 'two').

#include <string>
#include <vector>

#include "platform/component/Publisher.h"

class TvxWideStrings : public TPersistent {
  LC_CLASS(TvxWideStrings, TPersistent)

 public:
  const std::vector<std::u16string>& Strings() const { return strings_; }
  // Fires OnChange only when the strings differ.
  void SetStrings(std::vector<std::u16string> value);
  int Count() const { return int(strings_.size()); }
  void Add(const std::u16string& text);
  void Assign(const TPersistent& source) override;
  void DefineProperties(TFiler& filer) override;

  TNotifyEvent OnChange;

 private:
  std::vector<std::u16string> strings_;
};
