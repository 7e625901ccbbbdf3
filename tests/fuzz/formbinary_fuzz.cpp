// Binary form data from arbitrary bytes: reading never crashes, and what it accepts is written
// back byte for byte, directly and by way of the text form.

#include <cstdlib>
#include <optional>
#include <span>

#include "platform/component/FormData.h"
#include "platform/component/FormText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> input(data, size);
  size_t end = 0;
  std::optional<TFormData> form;
  try {
    form.emplace(input, &end);
  } catch (const EFormError&) {
    return 0;
  }
  const std::vector<uint8_t> written = WriteFormBinary(*form);
  if (!std::equal(written.begin(), written.end(), input.begin(), input.begin() + end) ||
      written.size() != end)
    std::abort();
  if (WriteFormBinary(ReadFormText(WriteFormText(*form))) != written) std::abort();
  return 0;
}
