#pragma once

// UTF-8 and UTF-16 text for the wide (W) Windows calls. Header-only, so that code below the
// Win32 layer (file writing) can use it without linking the layer. Invalid input becomes
// U+FFFD, as the system's converters make it.

#include <windows.h>

#include <string>
#include <string_view>

inline std::wstring Widen(std::string_view utf8) {
  if (utf8.empty()) return {};
  const int size = static_cast<int>(utf8.size());
  std::wstring wide(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), static_cast<int>(wide.size()));
  return wide;
}

inline std::string Narrow(std::wstring_view wide) {
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  std::string utf8(WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr),
                   '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), static_cast<int>(utf8.size()),
                      nullptr, nullptr);
  return utf8;
}

// wchar_t is UTF-16 on Windows, so the engine's u16 texts pass through unchanged.
inline std::wstring WidenU16(std::u16string_view text) {
  return std::wstring(text.begin(), text.end());
}

inline std::u16string ToU16(std::wstring_view wide) {
  return std::u16string(wide.begin(), wide.end());
}
