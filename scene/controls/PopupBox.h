#pragma once

// A button that shows its current item as text and, when clicked, offers all items in a
// platform popup menu below itself with the current one checked; choosing one makes it
// current and fires OnChange.
//
//   box->SetItems({u"2009", u"2010", u"2011"});
//   box->SetItemIndex(1);   // shows "2010"

#include <string>
#include <vector>

#include "scene/controls/Button.h"

class TPopupMenu;

class TvxPopupBox : public TvxCustomButton {
  LC_CLASS(TvxPopupBox, TvxCustomButton)

 public:
  explicit TvxPopupBox(TComponent* owner);

  const std::vector<std::u16string>& Items() const { return items_; }
  // Keeps the index when it still names an item, else none is current.
  void SetItems(std::vector<std::u16string> items);
  // -1 for none; an index outside the items reads as -1.
  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int64_t value);

  void Click() override;

  TNotifyEvent OnChange;

 private:
  void ShowItem();
  void Choose(int index);
  TPopupMenu& Menu();

  std::vector<std::u16string> items_;
  int itemIndex_ = -1;
  TPopupMenu* menu_ = nullptr;  // owned as a component
};
