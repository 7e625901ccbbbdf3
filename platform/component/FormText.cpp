#include "platform/component/FormText.h"

#include "platform/component/FormTextParser.h"
#include "platform/component/FormTextPrinter.h"

TFormObject ReadFormText(std::string_view utf8) {
  return TFormTextParser(utf8).Parse();
}

std::string WriteFormText(const TFormObject& object) {
  return TFormTextPrinter().Print(object);
}

void WriteFormText(const TFormObject& object, const std::function<void(std::string_view)>& sink) {
  TFormTextPrinter().Print(object, sink);
}

TFormObject ReadFormData(std::span<const uint8_t> data) {
  if (!HasFormSignature(data))
    return ReadFormText({reinterpret_cast<const char*>(data.data()), data.size()});
  size_t pos = 0;
  TFormObject form = ReadFormBinary(data, &pos);
  if (pos != data.size()) throw EFormError(pos, "data after the form's end");
  return form;
}
