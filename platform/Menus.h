#pragma once

// Popup menus: a tree of menu items read from form data, shown at a screen point by the
// installed menu service. Items are owned by their form but freed with the menu that holds
// them.

#include <string>
#include <vector>

#include "platform/component/Component.h"
#include "platform/component/Publisher.h"

class TPopupMenu;

class TMenuItem : public TComponent {
  LC_CLASS(TMenuItem, TComponent)

 public:
  explicit TMenuItem(TComponent* owner);
  ~TMenuItem() override;

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption) { caption_ = caption; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value) { enabled_ = value; }
  bool Checked() const { return checked_; }
  void SetChecked(bool value) { checked_ = value; }
  bool Default() const { return default_; }
  void SetDefault(bool value) { default_ = value; }
  bool Visible() const { return visible_; }
  void SetVisible(bool value) { visible_ = value; }
  // The caption "-" makes the item a separator line.
  bool IsLine() const { return caption_ == "-"; }

  int Count() const { return int(items_.size()); }
  TMenuItem* Items(int index) const;
  // Appends `item`, taking it from the item it was in.
  void Add(TMenuItem* item);
  void Remove(TMenuItem* item);
  TMenuItem* Parent() const { return parent_; }
  // The menu whose item tree this item belongs to, if any.
  TPopupMenu* Menu() const;

  // Fires OnClick when the item is enabled.
  virtual void Click();

  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;
  void SetParentComponent(TComponent* parent) override;
  TComponent* GetParentComponent() const override;
  bool HasParent() const override { return true; }

  TNotifyEvent OnClick;

 private:
  friend class TPopupMenu;

  std::string caption_;
  bool enabled_ = true;
  bool checked_ = false;
  bool default_ = false;
  bool visible_ = true;
  std::vector<TMenuItem*> items_;
  TMenuItem* parent_ = nullptr;
  TPopupMenu* menu_ = nullptr;  // set on a menu's root item only
};

class TPopupMenu : public TComponent {
  LC_CLASS(TPopupMenu, TComponent)

 public:
  explicit TPopupMenu(TComponent* owner);
  ~TPopupMenu() override;

  // The root item; its items are the menu's entries.
  TMenuItem& Items() const { return *items_; }
  bool AutoPopup() const { return autoPopup_; }
  void SetAutoPopup(bool value) { autoPopup_ = value; }
  // The component the menu was last opened for; forgotten when that component is freed.
  TComponent* PopupComponent() const { return popupComponent_; }
  void SetPopupComponent(TComponent* component);

  // Fires OnPopup, then asks the menu service to show the menu at the screen point. Without
  // a service nothing is shown.
  void Popup(int x, int y);

  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;

  TNotifyEvent OnPopup;

 private:
  TMenuItem* items_;
  bool autoPopup_ = true;
  TWeakRef<TComponent> popupComponent_;
};
