// Form text from arbitrary bytes: reading never crashes, what it accepts is valid binary form
// data, and binary -> text -> binary gives the same bytes.

#include <cstdlib>
#include <string_view>

#include "platform/component/FormData.h"
#include "platform/component/FormText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TFormObject form;
  try {
    form = ReadFormText(std::string_view(reinterpret_cast<const char*>(data), size));
  } catch (const EFormError&) {
    return 0;
  }
  const std::vector<uint8_t> binary = WriteFormBinary(form);
  const std::string text = WriteFormText(ReadFormBinary(binary));
  if (WriteFormBinary(ReadFormText(text)) != binary) std::abort();
  return 0;
}
