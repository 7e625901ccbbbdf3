#include "platform/Utf.h"

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsContinuation(unsigned char c) {
  return (c & 0xC0) == 0x80;
}

// Decodes one code point at `pos` and advances past it (one byte for a malformed lead).
char32_t Decode(std::string_view text, size_t& pos) {
  const auto lead = static_cast<unsigned char>(text[pos++]);
  if (lead < 0x80) return lead;
  int length = 0;
  char32_t cp = 0, minimum = 0;
  if ((lead & 0xE0) == 0xC0) {
    length = 1, cp = lead & 0x1F, minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 2, cp = lead & 0x0F, minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 3, cp = lead & 0x07, minimum = 0x10000;
  } else {
    return kReplacement;
  }
  size_t next = pos;
  for (int i = 0; i < length; ++i, ++next) {
    if (next >= text.size() || !IsContinuation(static_cast<unsigned char>(text[next]))) {
      pos = next;  // resume at the byte that broke the sequence
      return kReplacement;
    }
    cp = (cp << 6) | (static_cast<unsigned char>(text[next]) & 0x3F);
  }
  pos = next;
  if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return kReplacement;
  return cp;
}

}  // namespace

std::u16string Utf8ToUtf16(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  size_t pos = 0;
  while (pos < text.size()) {
    const char32_t cp = Decode(text, pos);
    if (cp < 0x10000) {
      out += static_cast<char16_t>(cp);
    } else {
      out += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
      out += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
    }
  }
  return out;
}
