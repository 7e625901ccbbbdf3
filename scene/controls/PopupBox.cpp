#include "scene/controls/PopupBox.h"

#include <cmath>

#include "platform/Menus.h"
#include "platform/component/Publisher.h"
#include "platform/component/Unicode.h"
#include "scene/core/SceneInterface.h"

LC_PUBLISH(TvxPopupBox) {
  using C = TvxPopupBox;
  p.Integer("ItemIndex", &C::ItemIndex, &C::SetItemIndex, -1);
  p.Event("OnChange", &C::OnChange);
}

TvxPopupBox::TvxPopupBox(TComponent* owner) : TvxCustomButton(owner) {
  SetAutoTranslate(false);
}

void TvxPopupBox::SetItems(std::vector<std::u16string> items) {
  items_ = std::move(items);
  if (itemIndex_ >= int(items_.size())) itemIndex_ = -1;
  ShowItem();
}

void TvxPopupBox::SetItemIndex(int64_t value) {
  const int index = value >= 0 && value < int64_t(items_.size()) ? int(value) : -1;
  if (itemIndex_ == index) return;
  itemIndex_ = index;
  ShowItem();
}

void TvxPopupBox::ShowItem() {
  SetText(itemIndex_ >= 0 ? items_[itemIndex_] : std::u16string());
}

void TvxPopupBox::Click() {
  TvxCustomButton::Click();
  if (items_.empty()) return;
  TPopupMenu& menu = Menu();
  TMenuItem& root = menu.Items();
  while (root.Count() > 0) delete root.Items(root.Count() - 1);
  for (int i = 0; i < int(items_.size()); ++i) {
    auto* item = new TMenuItem(nullptr);
    item->SetCaption(Utf16ToUtf8(items_[i]));
    item->SetChecked(i == itemIndex_);
    item->OnClick = [this, i](TObject*) { Choose(i); };
    root.Add(item);
  }
  const TvxPoint below = LocalToAbsolute({0, Height()});
  IvxScene* scene = Scene();
  const TvxPoint at = scene ? scene->LocalToScreen(below) : below;
  menu.Popup(int(std::lround(at.X)), int(std::lround(at.Y)));
}

void TvxPopupBox::Choose(int index) {
  SetItemIndex(index);
  OnChange(this);
}

TPopupMenu& TvxPopupBox::Menu() {
  if (!menu_) menu_ = new TPopupMenu(this);
  return *menu_;
}
