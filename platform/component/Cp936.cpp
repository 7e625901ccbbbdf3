#include "platform/component/Cp936.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>

#include <cerrno>
#endif

namespace {

bool IsHighSurrogate(char16_t c) {
  return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char16_t c) {
  return c >= 0xDC00 && c <= 0xDFFF;
}

}  // namespace

#ifdef _WIN32
namespace {

constexpr UINT kCodePage = 936;

// One character's bytes: a lead byte takes its trail byte with it.
size_t CharacterBytes(std::string_view text) {
  return text.size() > 1 && IsDBCSLeadByteEx(kCodePage, uint8_t(text[0])) ? 2 : 1;
}

}  // namespace

std::u16string Cp936ToUtf16(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  while (!text.empty()) {
    const size_t bytes = CharacterBytes(text);
    wchar_t unit[2];
    const int n =
        MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, text.data(), int(bytes), unit, 2);
    // An undecodable byte: a '?' stands for it and decoding resumes after it.
    if (n <= 0) {
      out += u'?';
      text.remove_prefix(1);
      continue;
    }
    out.append(unit, unit + n);
    text.remove_prefix(bytes);
  }
  return out;
}

std::string Utf16ToCp936(std::u16string_view text) {
  std::string out;
  out.reserve(text.size() * 2);
  while (!text.empty()) {
    const size_t units =
        text.size() > 1 && IsHighSurrogate(text[0]) && IsLowSurrogate(text[1]) ? 2 : 1;
    char bytes[4];
    BOOL defaulted = FALSE;
    const int n = WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS,
                                      reinterpret_cast<const wchar_t*>(text.data()), int(units),
                                      bytes, sizeof bytes, nullptr, &defaulted);
    // A character without a code: one '?' for it, a whole surrogate pair included.
    if (n <= 0 || defaulted) {
      out += '?';
    } else {
      out.append(bytes, n);
    }
    text.remove_prefix(units);
  }
  return out;
}
#else
namespace {

// One iconv conversion. A descriptor is opened per call: they are cheap after the first and
// must not be shared between threads.
class TConverter {
 public:
  TConverter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~TConverter() {
    if (valid()) iconv_close(cd_);
  }
  TConverter(const TConverter&) = delete;
  TConverter& operator=(const TConverter&) = delete;

  bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // Converts as much of `in` as it can, appending to `out`; stops at the first input that
  // cannot be converted and leaves it in `in`.
  void Run(std::string_view& in, std::string& out) {
    char buffer[256];
    while (!in.empty()) {
      char* src = const_cast<char*>(in.data());
      size_t srcLeft = in.size();
      char* dst = buffer;
      size_t dstLeft = sizeof buffer;
      const size_t result = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
      out.append(buffer, dst - buffer);
      in.remove_prefix(in.size() - srcLeft);
      if (result == static_cast<size_t>(-1) && errno != E2BIG) return;
    }
  }

 private:
  iconv_t cd_;
};

}  // namespace

std::u16string Cp936ToUtf16(std::string_view text) {
  TConverter converter("UTF-16LE", "CP936");
  std::string utf16;
  while (!text.empty()) {
    if (converter.valid()) converter.Run(text, utf16);
    if (text.empty()) break;
    // An undecodable byte: a '?' stands for it and decoding resumes after it.
    utf16 += "?";
    utf16 += '\0';
    text.remove_prefix(1);
  }
  std::u16string out(utf16.size() / 2, u'\0');
  for (size_t i = 0; i < out.size(); ++i)
    out[i] = char16_t(uint8_t(utf16[2 * i]) | (uint8_t(utf16[2 * i + 1]) << 8));
  return out;
}

std::string Utf16ToCp936(std::u16string_view text) {
  std::string utf16;
  utf16.reserve(text.size() * 2);
  for (char16_t c : text) {
    utf16 += char(c & 0xFF);
    utf16 += char(c >> 8);
  }
  TConverter converter("CP936", "UTF-16LE");
  std::string out;
  std::string_view in(utf16);
  while (!in.empty()) {
    if (converter.valid()) converter.Run(in, out);
    if (in.empty()) break;
    // A character without a code: one '?' for it, a whole surrogate pair included.
    const size_t unit = text.size() - in.size() / 2;
    const bool pair =
        unit + 1 < text.size() && IsHighSurrogate(text[unit]) && IsLowSurrogate(text[unit + 1]);
    out += '?';
    in.remove_prefix(pair ? 4 : 2);
  }
  return out;
}
#endif
