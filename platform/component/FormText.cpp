#include "platform/component/FormText.h"

#include "platform/component/FormTextParser.h"
#include "platform/component/FormTextPrinter.h"

TFormObject ReadFormText(std::string_view utf8) {
  return TFormTextParser(utf8).Parse();
}

std::string WriteFormText(const TFormObject& object) {
  return TFormTextPrinter().Print(object);
}
