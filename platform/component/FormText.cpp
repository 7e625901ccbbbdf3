#include "platform/component/FormText.h"

#include "platform/component/FormTextParser.h"
#include "platform/component/FormTextPrinter.h"

TFormObject ReadFormText(std::string_view utf8) {
  return TFormTextParser(utf8).Parse();
}

std::string WriteFormText(const TFormData& form) {
  return TFormTextPrinter().Print(form);
}

void WriteFormText(const TFormData& form, const std::function<void(std::string_view)>& sink) {
  TFormTextPrinter().Print(form, sink);
}

TFormData ReadFormData(std::span<const uint8_t> data) {
  if (!HasFormSignature(data))
    return ReadFormText({reinterpret_cast<const char*>(data.data()), data.size()});
  size_t pos = 0;
  TFormData form(data, &pos);
  if (pos != data.size()) throw EFormError(pos, "data after the form's end");
  return form;
}

TFormData ReadFormData(std::string data) {
  const std::span<const uint8_t> bytes(reinterpret_cast<const uint8_t*>(data.data()), data.size());
  if (HasFormSignature(bytes)) return TFormData(std::move(data));
  const TFormObject tree = ReadFormText(data);
  std::string().swap(data);  // the text goes before the tree is encoded
  return tree;
}
