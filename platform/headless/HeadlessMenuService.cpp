#include "platform/headless/HeadlessMenuService.h"

namespace {

TMenuItem* FindChoosable(const TMenuItem& parent, const std::string& name) {
  for (int i = 0; i < parent.Count(); ++i) {
    TMenuItem* item = parent.Items(i);
    if (!item->Visible()) continue;
    if (!item->IsLine() && item->Enabled() && (item->Name() == name || item->Caption() == name))
      return item;
    if (TMenuItem* found = FindChoosable(*item, name)) return found;
  }
  return nullptr;
}

}  // namespace

void THeadlessMenuService::Popup(TPopupMenu& menu, int x, int y) {
  requests_.push_back({&menu, x, y});
}

bool THeadlessMenuService::Choose(const std::string& name) {
  if (requests_.empty()) return false;
  TMenuItem* item = FindChoosable(requests_.back().menu->Items(), name);
  if (!item) return false;
  item->Click();
  return true;
}
