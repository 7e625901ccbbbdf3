#include "platform/Menus.h"

#include <algorithm>

#include "platform/MenuService.h"

LC_PUBLISH(TMenuItem) {
  p.String("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption);
  p.Bool("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked);
  p.Bool("Default", &TMenuItem::Default, &TMenuItem::SetDefault);
  p.Bool("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled, true);
  p.Bool("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible, true);
  p.Event("OnClick", &TMenuItem::OnClick);
}

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) {}

TMenuItem::~TMenuItem() {
  if (parent_) parent_->Remove(this);
  while (!items_.empty()) {
    TMenuItem* item = items_.back();
    items_.pop_back();
    item->parent_ = nullptr;
    delete item;
  }
}

TMenuItem* TMenuItem::Items(int index) const {
  return index >= 0 && index < Count() ? items_[size_t(index)] : nullptr;
}

void TMenuItem::Add(TMenuItem* item) {
  if (!item || item == this) return;
  // An item cannot hold one of its own ancestors.
  for (TMenuItem* up = parent_; up; up = up->parent_)
    if (up == item) return;
  if (item->parent_) item->parent_->Remove(item);
  items_.push_back(item);
  item->parent_ = this;
}

void TMenuItem::Remove(TMenuItem* item) {
  auto it = std::find(items_.begin(), items_.end(), item);
  if (it == items_.end()) return;
  items_.erase(it);
  item->parent_ = nullptr;
}

TPopupMenu* TMenuItem::Menu() const {
  const TMenuItem* top = this;
  while (top->parent_) top = top->parent_;
  return top->menu_;
}

void TMenuItem::Click() {
  if (enabled_) OnClick(this);
}

void TMenuItem::GetChildren(const std::function<void(TComponent*)>& proc, TComponent*) {
  for (TMenuItem* item : items_) proc(item);
}

void TMenuItem::SetParentComponent(TComponent* parent) {
  if (auto* menu = dynamic_cast<TPopupMenu*>(parent)) {
    menu->Items().Add(this);
  } else if (auto* item = dynamic_cast<TMenuItem*>(parent)) {
    item->Add(this);
  }
}

TComponent* TMenuItem::GetParentComponent() const {
  if (parent_ && parent_->menu_) return parent_->menu_;
  return parent_;
}

LC_PUBLISH(TPopupMenu) {
  p.Bool("AutoPopup", &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup, true);
  p.Event("OnPopup", &TPopupMenu::OnPopup);
}

TPopupMenu::TPopupMenu(TComponent* owner) : TComponent(owner), items_(new TMenuItem(nullptr)) {
  items_->menu_ = this;
}

TPopupMenu::~TPopupMenu() {
  delete items_;
}

void TPopupMenu::SetPopupComponent(TComponent* component) {
  if (component == popupComponent_) return;
  popupComponent_ = component;
}

void TPopupMenu::Popup(int x, int y) {
  OnPopup(this);
  if (IMenuService* service = MenuService()) service->Popup(*this, x, y);
}

void TPopupMenu::GetChildren(const std::function<void(TComponent*)>& proc, TComponent*) {
  for (int i = 0; i < items_->Count(); ++i) proc(items_->Items(i));
}
