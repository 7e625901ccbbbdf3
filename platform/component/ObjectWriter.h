#pragma once

// Turns components into form data: the class and name, every property whose value differs
// from its default (sub-objects as dotted paths), extra stored properties, and the children
// the component streams.

#include "platform/component/Component.h"
#include "platform/component/FormData.h"

class TObjectWriter {
 public:
  // `root` names references: components it owns are written by their bare name, and only
  // its own published methods are written as event handlers.
  explicit TObjectWriter(TComponent& root) : root_(root) {}
  TFormObject Write(TComponent& component);

 private:
  void WriteProperties(TObject& object, const std::string& prefix, std::vector<TFormProperty>& out);
  bool ValueOf(TObject& object, const TPropInfo& info, TFormValue& value);

  TComponent& root_;
};

// The string value form data uses for a UTF-8 text: 8-bit when plain ASCII, else wide.
TFormValue TextFormValue(const std::string& text);
TFormValue WideFormValue(const std::u16string& text);
