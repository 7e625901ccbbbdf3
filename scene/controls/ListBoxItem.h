#pragma once

// An entry of a list box: a text with the "listboxitemstyle" look, a selected state the list
// box keeps, and a check box shown when the list box asks for check boxes. Items do no hit
// testing of their own; the list box finds the item under the pointer.

#include "scene/controls/TextControl.h"

class TvxCheckBox;
class TvxListBox;

class TvxListBoxItem : public TvxTextControl {
  LC_CLASS(TvxListBoxItem, TvxTextControl)

 public:
  explicit TvxListBoxItem(TComponent* owner);

  bool IsChecked() const { return isChecked_; }
  // Also sets the check box of the style.
  void SetIsChecked(bool value);
  bool IsSelected() const { return isSelected_; }
  // Selecting makes the item current in a single-select list; deselecting the current item
  // leaves the list without one.
  void SetIsSelected(bool value);
  // The nearest list box above the item.
  TvxListBox* ListBox() const;
  // The item's index among its list box's items, or -1.
  int Index() const;

  void ApplyStyle() override;
  void FreeStyle() override;
  void ChildFocused(TvxVisualObject* child) override;

 private:
  friend class TvxListBox;
  // The selected look alone, as the list box sets it.
  void MarkSelected(bool value);
  void CheckChanged();

  TvxCheckBox* check_ = nullptr;
  bool isChecked_ = false;
  bool isSelected_ = false;
};
