#include "platform/win32/Win32MenuService.h"

#include <cmath>

#include "platform/win32/WideText.h"
#include "platform/win32/Win32Dpi.h"

namespace {

constexpr wchar_t kOwnerClass[] = L"LingchuanMenuOwner";

void RegisterOwnerClass() {
  static const bool registered = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kOwnerClass;
    return RegisterClassExW(&wc) != 0;
  }();
  (void)registered;
}

UINT StateFlags(const TMenuItem& item) {
  return (item.Enabled() ? MF_ENABLED : MF_GRAYED) | (item.Checked() ? MF_CHECKED : 0);
}

}  // namespace

TWin32Menu::TWin32Menu(const TMenuItem& root) : menu_(CreatePopupMenu()) {
  Add(menu_, root);
}

TWin32Menu::~TWin32Menu() {
  DestroyMenu(menu_);  // the sub-menus go with it
}

void TWin32Menu::Add(HMENU target, const TMenuItem& parent) {
  for (int i = 0; i < parent.Count(); ++i) {
    TMenuItem* item = parent.Items(i);
    if (!item->Visible()) continue;
    if (item->IsLine()) {
      AppendMenuW(target, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    const std::wstring caption = Widen(item->Caption());
    if (item->Count() > 0) {
      HMENU sub = CreatePopupMenu();
      Add(sub, *item);
      AppendMenuW(target, MF_POPUP | StateFlags(*item), UINT_PTR(sub), caption.c_str());
      continue;
    }
    items_.emplace_back(item);
    const auto id = UINT(items_.size());
    AppendMenuW(target, MF_STRING | StateFlags(*item), id, caption.c_str());
    if (item->Default()) SetMenuDefaultItem(target, id, FALSE);
  }
}

TMenuItem* TWin32Menu::ItemOf(UINT id) const {
  return id >= 1 && id <= items_.size() ? items_[id - 1].Get() : nullptr;
}

TWin32MenuService::TWin32MenuService() {
  RegisterOwnerClass();
  // A top-level window that is never shown: a message-only window cannot be the foreground
  // window that a tracked menu needs.
  owner_ = CreateWindowExW(WS_EX_TOOLWINDOW, kOwnerClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
}

TWin32MenuService::~TWin32MenuService() {
  DestroyWindow(owner_);
}

// The menu's window must be the foreground one, or the menu stays open when the user clicks
// elsewhere (a menu opened from the notification area is the usual case); the WM_NULL after
// it lets the menu close properly the next time.
void TWin32MenuService::Popup(TPopupMenu& menu, int x, int y) {
  const TWin32Menu shown(menu.Items());
  if (shown.Empty()) return;
  const float ratio = TWin32Dpi::SystemRatio();
  SetForegroundWindow(owner_);
  const auto chosen = UINT(TrackPopupMenuEx(
      shown.Handle(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN,
      int(std::lround(float(x) * ratio)), int(std::lround(float(y) * ratio)), owner_, nullptr));
  PostMessageW(owner_, WM_NULL, 0, 0);
  if (TMenuItem* item = shown.ItemOf(chosen)) item->Click();
}
