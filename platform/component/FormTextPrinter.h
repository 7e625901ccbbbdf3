#pragma once

// Writes binary form data as form text that reads back to the same binary bytes.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/component/FormData.h"

class TTextLines;

class TFormTextPrinter {
 public:
  std::string Print(const TFormData& root);
  // Hands the text to `sink` in pieces as it is made, so that a large form's text is never
  // held whole.
  void Print(const TFormData& root, const std::function<void(std::string_view)>& sink);

 private:
  void Object(const TFormNode& object, int indent);
  void Property(const TFormProperty& prop, int indent);
  void Value(const TFormValue& value, int indent);
  void List(const TFormValue& value, int indent);
  void Collection(const TFormValue& value, int indent);
  void Binary(const std::string& bytes, int indent);
  void Set(const TFormValue& value);
  void Text(const std::string& first, TTextLines& rest, int indent);
  void Indent(int indent);

  std::string out_;
  const std::function<void(std::string_view)>* sink_ = nullptr;
};
