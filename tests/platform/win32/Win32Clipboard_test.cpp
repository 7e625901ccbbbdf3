#include "platform/win32/Win32Clipboard.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <thread>

namespace {

// Puts `bytes` on the clipboard in `format`, as another program would.
void PutRaw(UINT format, const void* bytes, size_t size) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
  std::memcpy(GlobalLock(memory), bytes, size);
  GlobalUnlock(memory);
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  if (!SetClipboardData(format, memory)) GlobalFree(memory);
  CloseClipboard();
}

std::u16string RawUnicode() {
  if (!OpenClipboard(nullptr)) return u"<closed>";
  std::u16string text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    text = static_cast<const char16_t*>(GlobalLock(data));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

void Empty() {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  CloseClipboard();
}

// Another thread holds the clipboard open for `heldMs`.
class THolder {
 public:
  explicit THolder(DWORD heldMs)
      : thread_([this, heldMs] {
          opened_ = OpenClipboard(nullptr) != FALSE;
          ready_ = true;
          Sleep(heldMs);
          if (opened_) CloseClipboard();
        }) {
    while (!ready_) Sleep(1);
  }
  ~THolder() { thread_.join(); }
  bool Opened() const { return opened_; }

 private:
  std::atomic<bool> ready_ = false;
  std::atomic<bool> opened_ = false;
  std::thread thread_;
};

class Win32ClipboardTest : public testing::Test {
 protected:
  void SetUp() override { Empty(); }
  TWin32Clipboard clipboard;
};

TEST_F(Win32ClipboardTest, TextRoundTripsWithCharactersBeyondTheBasicPlane) {
  EXPECT_FALSE(clipboard.HasText());
  EXPECT_EQ(clipboard.Text(), u"");
  const std::u16string text = u"翎川定时关机 😀𝄞 end";
  clipboard.SetText(text);
  EXPECT_TRUE(clipboard.HasText());
  EXPECT_EQ(clipboard.Text(), text);
  EXPECT_EQ(RawUnicode(), text);
}

TEST_F(Win32ClipboardTest, LineBreaksAreCrLfOnTheClipboardOnly) {
  clipboard.SetText(u"a\nb\r\nc\rd\n");
  EXPECT_EQ(RawUnicode(), u"a\r\nb\r\nc\rd\r\n");
  EXPECT_EQ(clipboard.Text(), u"a\nb\nc\rd\n");
}

TEST_F(Win32ClipboardTest, ReadsWhatOtherProgramsPut) {
  const char plain[] = "plain text";
  PutRaw(CF_TEXT, plain, sizeof plain);
  EXPECT_TRUE(clipboard.HasText());
  EXPECT_EQ(clipboard.Text(), u"plain text");
  // A block without a terminator is read no further than its end (Wine ends it early).
  const char16_t unterminated[] = {u'a', u'b', u'c'};
  PutRaw(CF_UNICODETEXT, unterminated, sizeof unterminated);
  const std::u16string read = clipboard.Text();
  EXPECT_LE(read.size(), 3u);
  EXPECT_EQ(read.substr(0, 2), u"ab");
  PutRaw(RegisterClipboardFormatW(L"LingchuanOther"), "x", 1);
  EXPECT_FALSE(clipboard.HasText());
  EXPECT_EQ(clipboard.Text(), u"");
}

TEST_F(Win32ClipboardTest, ABriefHolderIsWaitedFor) {
  const THolder holder(3 * TWin32Clipboard::kOpenPauseMs);
  ASSERT_TRUE(holder.Opened());
  clipboard.SetText(u"waited");
  EXPECT_EQ(clipboard.Text(), u"waited");
}

TEST_F(Win32ClipboardTest, ALongHolderMakesTheRequestGiveUp) {
  clipboard.SetText(u"before");
  {
    const THolder holder(4 * TWin32Clipboard::kOpenAttempts * TWin32Clipboard::kOpenPauseMs);
    ASSERT_TRUE(holder.Opened());
    clipboard.SetText(u"after");
    EXPECT_EQ(clipboard.Text(), u"");
  }
  EXPECT_EQ(clipboard.Text(), u"before");
}

}  // namespace
