#include "platform/component/Cp936.h"

#include <iconv.h>

#include <cstring>

namespace {

// Converts with iconv, replacing an input unit that cannot be converted by `fallback` and
// going on after it (of `unit` bytes).
std::string Convert(const char* to, const char* from, std::string_view in, size_t unit,
                    std::string_view fallback) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return {};
  std::string out;
  char buffer[256];
  char* src = const_cast<char*>(in.data());
  size_t srcLeft = in.size();
  while (srcLeft > 0) {
    char* dst = buffer;
    size_t dstLeft = sizeof buffer;
    const size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    out.append(buffer, dst - buffer);
    if (rc == size_t(-1) && errno != E2BIG) {
      const size_t skip = std::min(unit, srcLeft);
      src += skip;
      srcLeft -= skip;
      out.append(fallback);
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
  }
  iconv_close(cd);
  return out;
}

}  // namespace

std::u16string Cp936ToUtf16(std::string_view bytes) {
  const std::string raw = Convert("UTF-16LE", "CP936", bytes, 1, std::string("?\0", 2));
  std::u16string out(raw.size() / 2, u'\0');
  for (size_t i = 0; i < out.size(); ++i)
    out[i] = char16_t(uint8_t(raw[2 * i]) | (uint8_t(raw[2 * i + 1]) << 8));
  return out;
}

std::string Utf16ToCp936(std::u16string_view text) {
  std::string raw(text.size() * 2, '\0');
  for (size_t i = 0; i < text.size(); ++i) {
    raw[2 * i] = char(text[i] & 0xFF);
    raw[2 * i + 1] = char(text[i] >> 8);
  }
  return Convert("CP936", "UTF-16LE", raw, 2, "?");
}
