#pragma once

// Writes the binary form model as form text that reads back to the same binary bytes.

#include <string>
#include <vector>

#include "platform/component/FormData.h"

class TFormTextPrinter {
 public:
  std::string Print(const TFormObject& root);

 private:
  void Object(const TFormObject& object, int indent);
  void Property(const TFormProperty& prop, int indent);
  void Value(const TFormValue& value, int indent);
  void List(const TFormValue& value, int indent);
  void Collection(const TFormValue& value, int indent);
  void Binary(const std::string& bytes, int indent);
  void Set(const TFormValue& value);
  void Text(const std::vector<std::string>& lines, int indent);
  void Indent(int indent);

  std::string out_;
};
