#include "platform/win32/Win32SingleInstance.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "platform/win32/WideText.h"

namespace {

// A name of this test run's own, so that runs side by side do not meet.
std::string UniqueName(const char* what) {
  return std::string("翎川定时关机 test ") + what + " " + std::to_string(GetCurrentProcessId());
}

std::wstring Environment(const wchar_t* name) {
  wchar_t value[512];
  const DWORD length = GetEnvironmentVariableW(name, value, DWORD(std::size(value)));
  return length > 0 && length < std::size(value) ? std::wstring(value, length) : std::wstring();
}

// Waits for `process` while handling this thread's messages; returns its exit code.
DWORD WaitPumping(HANDLE process) {
  for (;;) {
    const DWORD woken = MsgWaitForMultipleObjects(1, &process, FALSE, 30000, QS_ALLINPUT);
    if (woken == WAIT_OBJECT_0) break;
    if (woken != WAIT_OBJECT_0 + 1) return DWORD(-1);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  }
  DWORD code = DWORD(-1);
  GetExitCodeProcess(process, &code);
  return code;
}

// This test program again, running only the child's part for `name`, which expects to be the
// first instance ("first") or a later one ("later").
HANDLE StartChild(const std::string& name, const wchar_t* expect) {
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring command =
      L"\"" + std::wstring(path) + L"\" --gtest_filter=Win32SingleInstanceChild.*";
  SetEnvironmentVariableW(L"LC_INSTANCE_NAME", Widen(name).c_str());
  SetEnvironmentVariableW(L"LC_INSTANCE_EXPECT", expect);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  const BOOL started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                      nullptr, &startup, &info);
  SetEnvironmentVariableW(L"LC_INSTANCE_NAME", nullptr);
  SetEnvironmentVariableW(L"LC_INSTANCE_EXPECT", nullptr);
  if (!started) return nullptr;
  CloseHandle(info.hThread);
  return info.hProcess;
}

HWND WaitForInstanceWindow(const std::string& name) {
  for (int i = 0; i < 1000; ++i) {
    if (HWND window = FindWindowW(TWin32SingleInstance::kWindowClass, Widen(name).c_str()))
      return window;
    Sleep(10);
  }
  return nullptr;
}

// The child's part: claims the name and, as the first instance, waits to be asked forward.
TEST(Win32SingleInstanceChild, ClaimsAsTheParentExpects) {
  const std::wstring name = Environment(L"LC_INSTANCE_NAME");
  if (name.empty()) GTEST_SKIP() << "started by the hand-over tests only";
  const bool first = Environment(L"LC_INSTANCE_EXPECT") == L"first";
  bool asked = false;
  TWin32SingleInstance instance;
  ASSERT_EQ(instance.Claim(Narrow(name), [&asked] { asked = true; }), first);
  if (!first) return;
  MSG message;
  const DWORD start = GetTickCount();
  while (!asked && GetTickCount() - start < 20000) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  }
  EXPECT_TRUE(asked);
}

TEST(Win32SingleInstance, ALaterProcessAsksTheFirstForwardAndEnds) {
  const std::string name = UniqueName("later");
  int asked = 0;
  TWin32SingleInstance instance;
  ASSERT_TRUE(instance.Claim(name, [&asked] { ++asked; }));
  HANDLE child = StartChild(name, L"later");
  ASSERT_NE(child, nullptr);
  EXPECT_EQ(WaitPumping(child), 0u);
  CloseHandle(child);
  EXPECT_EQ(asked, 1);
}

TEST(Win32SingleInstance, AFirstProcessIsAskedForwardAndItsEndFreesTheName) {
  const std::string name = UniqueName("first");
  HANDLE child = StartChild(name, L"first");
  ASSERT_NE(child, nullptr);
  ASSERT_NE(WaitForInstanceWindow(name), nullptr);
  TWin32SingleInstance later;
  EXPECT_FALSE(later.Claim(name, [] { ADD_FAILURE() << "a later instance is never asked"; }));
  EXPECT_EQ(WaitPumping(child), 0u);
  CloseHandle(child);
  TWin32SingleInstance next;
  EXPECT_TRUE(next.Claim(name, {}));
}

TEST(Win32SingleInstance, TheNameIsHeldWhileTheHolderLives) {
  const std::string name = UniqueName("held");
  int asked = 0;
  {
    TWin32SingleInstance first;
    ASSERT_TRUE(first.Claim(name, [&asked] { ++asked; }));
    EXPECT_NE(FindWindowW(TWin32SingleInstance::kWindowClass, Widen(name).c_str()), nullptr);
    TWin32SingleInstance second;
    EXPECT_FALSE(second.Claim(name, {}));
    EXPECT_EQ(asked, 1);
    // Other names are free.
    TWin32SingleInstance other;
    EXPECT_TRUE(other.Claim(name + " other", {}));
  }
  EXPECT_EQ(FindWindowW(TWin32SingleInstance::kWindowClass, Widen(name).c_str()), nullptr);
  TWin32SingleInstance again;
  EXPECT_TRUE(again.Claim(name, {}));
}

TEST(Win32SingleInstance, NamesWithBackslashesAreNamesToo) {
  const std::string name = UniqueName("a\\b\\c");
  TWin32SingleInstance first;
  ASSERT_TRUE(first.Claim(name, {}));
  TWin32SingleInstance second;
  EXPECT_FALSE(second.Claim(name, {}));
}

TEST(Win32SingleInstance, ANameThatOthersMayNotOpenIsRefused) {
  const std::string name = UniqueName("foreign");
  // A mutex under the name that nobody, this user included, may open: another user's.
  ACL empty;
  InitializeAcl(&empty, sizeof empty, ACL_REVISION);
  SECURITY_DESCRIPTOR descriptor;
  InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
  SetSecurityDescriptorDacl(&descriptor, TRUE, &empty, FALSE);
  SECURITY_ATTRIBUTES attributes{sizeof attributes, &descriptor, FALSE};
  HANDLE foreign = CreateMutexW(&attributes, FALSE, (L"Local\\" + Widen(name)).c_str());
  ASSERT_NE(foreign, nullptr);
  TWin32SingleInstance instance;
  try {
    instance.Claim(name, {});
    ADD_FAILURE() << "claimed a name held by a stranger";
  } catch (const ESingleInstance& refused) {
    EXPECT_EQ(std::string(refused.what()).find('\n'), std::string::npos);
    EXPECT_NE(std::string(refused.what()).find(name), std::string::npos);
  }
  CloseHandle(foreign);
}

std::atomic<int> lateAsked = 0;

LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == TWin32SingleInstance::ActivateMessage()) {
    ++lateAsked;
    return 1;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

TEST(Win32SingleInstance, AFirstInstanceStillStartingIsWaitedForAWhile) {
  const std::string name = UniqueName("starting");
  TWin32SingleInstance classMaker;  // registers the window class in this process
  ASSERT_TRUE(classMaker.Claim(name + " class", {}));
  HANDLE mutex = CreateMutexW(nullptr, FALSE, (L"Local\\" + Widen(name)).c_str());
  // Its window comes well within the wait.
  std::thread firstWindow([&name] {
    Sleep(TWin32SingleInstance::kFindWindowMs / 4);
    HWND window = CreateWindowExW(0, TWin32SingleInstance::kWindowClass, Widen(name).c_str(),
                                  WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountingProc));
    MSG message;
    const DWORD start = GetTickCount();
    while (lateAsked == 0 && GetTickCount() - start < 10000) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
      while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    }
    DestroyWindow(window);
  });
  TWin32SingleInstance later;
  EXPECT_FALSE(later.Claim(name, {}));
  firstWindow.join();
  EXPECT_EQ(lateAsked, 1);
  CloseHandle(mutex);
}

TEST(Win32SingleInstance, AFirstInstanceWithoutAWindowIsGivenUpOn) {
  const std::string name = UniqueName("windowless");
  HANDLE mutex = CreateMutexW(nullptr, FALSE, (L"Local\\" + Widen(name)).c_str());
  const DWORD start = GetTickCount();
  TWin32SingleInstance later;
  EXPECT_FALSE(later.Claim(name, {}));
  const DWORD waited = GetTickCount() - start;
  EXPECT_GE(waited + 20, TWin32SingleInstance::kFindWindowMs);
  EXPECT_LT(waited, 3 * TWin32SingleInstance::kFindWindowMs);
  CloseHandle(mutex);
}

}  // namespace
