#include "platform/win32/Win32Clipboard.h"

#include <cstring>

namespace {

// The clipboard, open for the length of a scope when Opened() says so.
class TOpenClipboard {
 public:
  explicit TOpenClipboard(HWND owner) {
    for (int attempt = 0; attempt < TWin32Clipboard::kOpenAttempts; ++attempt) {
      if ((open_ = OpenClipboard(owner) != FALSE)) return;
      Sleep(TWin32Clipboard::kOpenPauseMs);
    }
  }
  ~TOpenClipboard() {
    if (open_) CloseClipboard();
  }
  TOpenClipboard(const TOpenClipboard&) = delete;
  TOpenClipboard& operator=(const TOpenClipboard&) = delete;
  bool Opened() const { return open_; }

 private:
  bool open_ = false;
};

// A locked global memory block, unlocked at the end of its scope.
class TGlobalLock {
 public:
  explicit TGlobalLock(HGLOBAL memory) : memory_(memory), data_(GlobalLock(memory)) {}
  ~TGlobalLock() {
    if (data_) GlobalUnlock(memory_);
  }
  TGlobalLock(const TGlobalLock&) = delete;
  TGlobalLock& operator=(const TGlobalLock&) = delete;
  void* Data() const { return data_; }

 private:
  HGLOBAL memory_;
  void* data_;
};

std::u16string WithCrLf(const std::u16string& text) {
  std::u16string result;
  result.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\n' && (i == 0 || text[i - 1] != u'\r')) result += u'\r';
    result += text[i];
  }
  return result;
}

std::u16string WithoutCrLf(const std::u16string& text) {
  std::u16string result;
  result.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') continue;
    result += text[i];
  }
  return result;
}

// The text up to its terminator, never past the block: other programs' data may lack one.
std::u16string ReadText(HGLOBAL memory) {
  const TGlobalLock lock(memory);
  if (!lock.Data()) return {};
  const auto* chars = static_cast<const char16_t*>(lock.Data());
  const size_t capacity = GlobalSize(memory) / sizeof(char16_t);
  size_t length = 0;
  while (length < capacity && chars[length] != 0) ++length;
  return std::u16string(chars, length);
}

}  // namespace

TWin32Clipboard::TWin32Clipboard()
    : window_(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              GetModuleHandleW(nullptr), nullptr)) {}

TWin32Clipboard::~TWin32Clipboard() {
  if (window_) DestroyWindow(window_);
}

bool TWin32Clipboard::HasText() const {
  return IsClipboardFormatAvailable(CF_UNICODETEXT) != FALSE;
}

std::u16string TWin32Clipboard::Text() const {
  const TOpenClipboard clipboard(window_);
  if (!clipboard.Opened()) return {};
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  return data ? WithoutCrLf(ReadText(data)) : std::u16string();
}

void TWin32Clipboard::SetText(const std::u16string& text) {
  const std::u16string stored = WithCrLf(text);
  const size_t bytes = (stored.size() + 1) * sizeof(char16_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (!memory) return;
  {
    const TGlobalLock lock(memory);
    if (!lock.Data()) return static_cast<void>(GlobalFree(memory));
    std::memcpy(lock.Data(), stored.c_str(), bytes);
  }
  const TOpenClipboard clipboard(window_);
  // Once the clipboard takes the block, the system frees it; until then it is ours.
  if (!clipboard.Opened() || !EmptyClipboard() || !SetClipboardData(CF_UNICODETEXT, memory))
    GlobalFree(memory);
}
