// Arbitrary bytes as an icon's stored data: splitting into image files must stay inside the
// data, in order, and the bytes must be written back as they were read.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>

#include "platform/Icon.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> bytes(data, size);
  const uint8_t* next = data;
  for (std::span<const uint8_t> file : SplitImageFiles(bytes)) {
    if (file.data() != next || file.empty() || file.data() + file.size() > data + size)
      std::abort();
    next = file.data() + file.size();
  }
  TIcon icon;
  icon.LoadFromData(bytes);
  const std::string back = icon.SaveToData();
  if (back.size() != size || (size > 0 && std::memcmp(back.data(), data, size) != 0)) std::abort();
  return 0;
}
