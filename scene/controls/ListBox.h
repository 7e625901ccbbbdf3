#pragma once

// A scroll box of TvxListBoxItem entries laid out row by row, Columns to a row, with a
// current item (ItemIndex), an optional multiple selection, sorting, check boxes and
// alternating row shading. The selection shows as copies of the style's hidden "selection"
// part, one per run of neighbouring selected items in a row, beneath the items.
//
//   list->SetColumns(7);
//   list->SetItemHeight(19);
//   for (...) { auto* item = new TvxListBoxItem(owner); item->SetParent(list); }
//   list->SetItemIndex(3);   // scrolls it into view, highlights it, fires OnChange(item)

#include <cstdint>
#include <vector>

#include "scene/controls/ScrollBox.h"

class TvxBrush;
class TvxComboBox;
class TvxListBoxItem;

enum TvxListStyle { vxListVertical, vxListHorizontal };

// Sorting order: negative when the first item goes first.
using TvxCompareEvent = TEvent<TObject*, TvxListBoxItem*, TvxListBoxItem*, int&>;
// An item dragged onto another; clearing `allow` keeps the order.
using TvxDragChangeEvent = TEvent<TObject*, TvxListBoxItem*, TvxListBoxItem*, bool&>;

class TvxListBox : public TvxScrollBox {
  LC_CLASS(TvxListBox, TvxScrollBox)

 public:
  explicit TvxListBox(TComponent* owner);
  ~TvxListBox() override;

  // -1 for none; an index beyond the items shows no current item.
  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int value);
  float ItemHeight() const { return itemHeight_; }
  void SetItemHeight(float value);
  float ItemWidth() const { return itemWidth_; }
  void SetItemWidth(float value);
  int Columns() const { return columns_; }
  void SetColumns(int64_t value);
  TvxListStyle ListStyle() const { return listStyle_; }
  void SetListStyle(TvxListStyle value) { listStyle_ = value; }
  bool MultiSelect() const { return multiSelect_; }
  void SetMultiSelect(bool value) { multiSelect_ = value; }
  bool Sorted() const { return sorted_; }
  void SetSorted(bool value);
  bool ShowCheckboxes() const { return showCheckboxes_; }
  void SetShowCheckboxes(bool value);
  bool HideSelectionUnfocused() const { return hideSelectionUnfocused_; }
  void SetHideSelectionUnfocused(bool value);
  bool AlternatingRowBackground() const { return alternatingRowBackground_; }
  void SetAlternatingRowBackground(bool value);
  bool AllowDrag() const { return allowDrag_; }
  void SetAllowDrag(bool value) { allowDrag_ = value; }

  int Count() const;
  // The item at `index`, or null.
  TvxListBoxItem* ItemByIndex(int index) const;
  int IndexOf(const TvxListBoxItem* item) const;
  // The current item, or null.
  TvxListBoxItem* Selected() const { return ItemByIndex(itemIndex_); }
  // The visible item under a point in the list box's coordinates, or null.
  TvxListBoxItem* ItemByPoint(float x, float y);
  // Frees every item.
  void Clear();
  // The first item whose text starts with `c`, letter case ignored; -1 when none.
  int IndexOfInitial(char16_t c) const;
  // Selects the items from `from` to `to` (either order) and no others.
  void SelectRange(int from, int to);
  void ClearSelection();
  // Shows the selection highlight for the selected items now in view.
  void RebuildHighlight();

  void ApplyStyle() override;
  void FreeStyle() override;
  void Loaded() override;
  void EndUpdate() override;
  void EnterFocus() override;
  void KillFocus() override;
  void MouseDown(TMouseButton button, TShiftState shift, float x, float y) override;
  void MouseMove(TShiftState shift, float x, float y) override;
  void MouseUp(TMouseButton button, TShiftState shift, float x, float y) override;
  void KeyDown(uint16_t& key, char16_t& keyChar, TShiftState shift) override;
  void DragOver(const TvxDragObject& data, const TvxPoint& point, bool& accept) override;
  void DragDrop(const TvxDragObject& data, const TvxPoint& point) override;
  std::string ItemClass() const override { return "TvxListBoxItem"; }

  TNotifyEvent OnChange;
  TNotifyEvent OnChangeCheck;
  TvxCompareEvent OnCompare;
  TvxDragChangeEvent OnDragChange;

 protected:
  TvxPoint LayoutContent(float width) override;
  void ContentScrolled() override { RebuildHighlight(); }
  void PaintContent(TvxCanvas& canvas) override;
  // The index a key moves to, or -2 for a key the list does not take.
  int KeyTarget(uint16_t key, char16_t keyChar) const;
  // The item's rectangle in the viewport's coordinates.
  TvxRect ViewRectOf(const TvxListBoxItem& item) const;

 private:
  struct Row {
    float top;
    float height;
  };

  std::vector<TvxListBoxItem*> Items() const;
  void SortItems();
  void SizeItems(const std::vector<TvxListBoxItem*>& items, float width);
  void ScrollIntoView(const TvxListBoxItem& item);
  void PressItem(TvxListBoxItem& item, TShiftState shift);
  void Changed(TvxListBoxItem* item);
  bool ShowsHighlight() const;
  std::vector<TvxRect> HighlightRuns() const;
  TvxVisualObject* HighlightCopy(size_t index);

  int itemIndex_ = -1;
  float itemHeight_ = 0;
  float itemWidth_ = 0;
  int columns_ = 1;
  TvxListStyle listStyle_ = vxListVertical;
  bool multiSelect_ = false;
  bool sorted_ = false;
  bool showCheckboxes_ = false;
  bool hideSelectionUnfocused_ = true;
  bool alternatingRowBackground_ = false;
  bool allowDrag_ = false;
  bool pressed_ = false;
  std::vector<Row> rows_;
  TvxVisualObject* selectionTemplate_ = nullptr;
  std::vector<TvxVisualObject*> highlights_;
  TvxBrush* alternateBrush_ = nullptr;
};

// The list inside a combo box's popup: a release over an item or Enter picks it for the
// combo box, and the popup closes; a release elsewhere closes it and keeps the old choice.
class TvxComboListBox : public TvxListBox {
  LC_CLASS(TvxComboListBox, TvxListBox)

 public:
  explicit TvxComboListBox(TComponent* owner, TvxComboBox* comboBox = nullptr);

  TvxComboBox* ComboBox() const { return comboBox_; }
  bool IsComboListBox() const override { return true; }
  void MouseDown(TMouseButton button, TShiftState shift, float x, float y) override;
  void MouseUp(TMouseButton button, TShiftState shift, float x, float y) override;
  void KeyDown(uint16_t& key, char16_t& keyChar, TShiftState shift) override;

 private:
  void ClosePopup();

  TvxComboBox* comboBox_ = nullptr;
  int pressIndex_ = -1;  // the current item when the press began
};

// A list box of text entries; the items are given as children in form data.
class TvxStringListBox : public TvxListBox {
  LC_CLASS(TvxStringListBox, TvxListBox)

 public:
  using TvxListBox::TvxListBox;
};
