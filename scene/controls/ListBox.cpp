#include "scene/controls/ListBox.h"

#include <algorithm>
#include <cmath>
#include <cwctype>

#include "platform/component/Publisher.h"
#include "scene/controls/CheckBox.h"
#include "scene/controls/ComboBox.h"
#include "scene/controls/ListBoxItem.h"
#include "scene/controls/Popup.h"
#include "scene/controls/ScrollBar.h"
#include "scene/graphics/Brush.h"
#include "scene/graphics/Canvas.h"

namespace {

const TEnumInfo ListStyleNames{{"vxListVertical", "vxListHorizontal"}};

char16_t FoldCase(char16_t c) {
  return char16_t(std::towlower(wchar_t(c)));
}

int CompareTexts(const std::u16string& a, const std::u16string& b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i)
    if (FoldCase(a[i]) != FoldCase(b[i])) return FoldCase(a[i]) < FoldCase(b[i]) ? -1 : 1;
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

// Item sizes and widths from form data or arithmetic: finite and not negative.
float Size(float value) {
  return std::isfinite(value) && value > 0 ? value : 0;
}

}  // namespace

LC_PUBLISH(TvxListBox) {
  using C = TvxListBox;
  p.Integer("ItemIndex", &C::ItemIndex, &C::SetItemIndex, -1);
  p.Float("ItemHeight", &C::ItemHeight, &C::SetItemHeight);
  p.Float("ItemWidth", &C::ItemWidth, &C::SetItemWidth);
  p.Integer("Columns", &C::Columns, &C::SetColumns, 1);
  p.Enum("ListStyle", ListStyleNames, &C::ListStyle, &C::SetListStyle, vxListVertical);
  p.Bool("MultiSelect", &C::MultiSelect, &C::SetMultiSelect);
  p.Bool("Sorted", &C::Sorted, &C::SetSorted);
  p.Bool("ShowCheckboxes", &C::ShowCheckboxes, &C::SetShowCheckboxes);
  p.Bool("HideSelectionUnfocused", &C::HideSelectionUnfocused, &C::SetHideSelectionUnfocused, true);
  p.Bool("AlternatingRowBackground", &C::AlternatingRowBackground, &C::SetAlternatingRowBackground);
  p.Bool("AllowDrag", &C::AllowDrag, &C::SetAllowDrag);
  p.Component("BindingSource", &C::BindingSource, &C::SetBindingSource);
  p.Event("OnChange", &C::OnChange);
  p.Event("OnChangeCheck", &C::OnChangeCheck);
  p.Event("OnCompare", &C::OnCompare);
  p.Event("OnDragChange", &C::OnDragChange);
}

LC_PUBLISH(TvxComboListBox) {}
LC_PUBLISH(TvxStringListBox) {}

TvxListBox::TvxListBox(TComponent* owner) : TvxScrollBox(owner) {
  SetAutoCapture(true);
}

TvxListBox::~TvxListBox() = default;

// Items.

std::vector<TvxListBoxItem*> TvxListBox::Items() const {
  std::vector<TvxListBoxItem*> items;
  TvxVisualObject* content = Content();
  if (!content) return items;
  items.reserve(size_t(content->ChildrenCount()));
  for (int i = 0; i < content->ChildrenCount(); ++i)
    if (auto* item = dynamic_cast<TvxListBoxItem*>(content->Children(i))) items.push_back(item);
  return items;
}

int TvxListBox::Count() const {
  return int(Items().size());
}

TvxListBoxItem* TvxListBox::ItemByIndex(int index) const {
  const std::vector<TvxListBoxItem*> items = Items();
  return index >= 0 && index < int(items.size()) ? items[size_t(index)] : nullptr;
}

int TvxListBox::IndexOf(const TvxListBoxItem* item) const {
  const std::vector<TvxListBoxItem*> items = Items();
  const auto it = std::find(items.begin(), items.end(), item);
  return it == items.end() ? -1 : int(it - items.begin());
}

TvxRect TvxListBox::ViewRectOf(const TvxListBoxItem& item) const {
  const TvxPoint at = item.Position()->Point();
  const TvxPoint offset = ScrollOffset();
  return {at.X - offset.X, at.Y - offset.Y, at.X - offset.X + item.Width(),
          at.Y - offset.Y + item.Height()};
}

TvxListBoxItem* TvxListBox::ItemByPoint(float x, float y) {
  const TvxPoint p = Viewport()->AbsoluteToLocal(LocalToAbsolute({x, y}));
  if (!PointInRect(p, ViewportRect())) return nullptr;
  for (TvxListBoxItem* item : Items())
    if (item->Visible() && PointInRect(p, ViewRectOf(*item))) return item;
  return nullptr;
}

void TvxListBox::Clear() {
  BeginUpdate();
  for (TvxListBoxItem* item : Items()) delete item;
  itemIndex_ = -1;
  EndUpdate();
}

// Settings.

void TvxListBox::SetItemHeight(float value) {
  value = Size(value);
  if (value == itemHeight_) return;
  itemHeight_ = value;
  RealignContent();
}

void TvxListBox::SetItemWidth(float value) {
  value = Size(value);
  if (value == itemWidth_) return;
  itemWidth_ = value;
  RealignContent();
}

void TvxListBox::SetColumns(int64_t value) {
  const int columns = int(std::clamp<int64_t>(value, 1, 1 << 16));
  if (columns == columns_) return;
  columns_ = columns;
  RealignContent();
}

void TvxListBox::SetSorted(bool value) {
  if (value == sorted_) return;
  sorted_ = value;
  RealignContent();
}

void TvxListBox::SetShowCheckboxes(bool value) {
  if (value == showCheckboxes_) return;
  showCheckboxes_ = value;
  for (TvxListBoxItem* item : Items())
    if (item->check_) item->check_->SetVisible(value);
}

void TvxListBox::SetHideSelectionUnfocused(bool value) {
  if (value == hideSelectionUnfocused_) return;
  hideSelectionUnfocused_ = value;
  RebuildHighlight();
}

void TvxListBox::SetAlternatingRowBackground(bool value) {
  if (value == alternatingRowBackground_) return;
  alternatingRowBackground_ = value;
  if (Content()) Content()->Repaint();
}

// Layout.

void TvxListBox::SortItems() {
  const auto less = [this](TvxObject* a, TvxObject* b) {
    auto* first = dynamic_cast<TvxListBoxItem*>(a);
    auto* second = dynamic_cast<TvxListBoxItem*>(b);
    if (!first || !second) return !first && second;  // other children stay in front
    int order = CompareTexts(first->Text(), second->Text());
    if (OnCompare) OnCompare(this, first, second, order);
    return order < 0;
  };
  TvxListBoxItem* current = Selected();
  Content()->Sort(less);
  if (current) itemIndex_ = IndexOf(current);
}

void TvxListBox::SizeItems(const std::vector<TvxListBoxItem*>& items, float width) {
  if (itemWidth_ != 0) {
    columns_ = std::max(1, int(width / itemWidth_));
    for (TvxListBoxItem* item : items) {
      item->SetWidth(itemWidth_);
      if (itemHeight_ != 0) item->SetHeight(itemHeight_);
    }
  } else if (itemHeight_ != 0) {
    for (TvxListBoxItem* item : items) item->SetHeight(itemHeight_);
  }
}

TvxPoint TvxListBox::LayoutContent(float width) {
  if (IsUpdating()) return {Content()->Width(), Content()->Height()};
  if (sorted_) SortItems();
  std::vector<TvxListBoxItem*> items = Items();
  std::erase_if(items, [](TvxListBoxItem* item) { return !item->Visible(); });
  if (TvxListBoxItem* current = Selected()) current->MarkSelected(true);
  SizeItems(items, width);
  const float columnWidth = itemWidth_ != 0 ? itemWidth_ : width / float(columns_);
  rows_.clear();
  float top = 0;
  for (size_t first = 0; first < items.size(); first += size_t(columns_)) {
    const size_t end = std::min(items.size(), first + size_t(columns_));
    float height = 0;
    for (size_t i = first; i < end; ++i) {
      TvxListBoxItem& item = *items[i];
      const TvxRect pad = item.Padding()->Rect();
      item.SetBounds(pad.Left + columnWidth * float(i - first), top + pad.Top,
                     columnWidth - pad.Left - pad.Right, item.Height());
      height = std::max(height, item.Height() + pad.Top + pad.Bottom);
    }
    rows_.push_back({top, height});
    top += height;
  }
  return {itemWidth_ != 0 ? columnWidth * float(columns_) : width, top};
}

void TvxListBox::PaintContent(TvxCanvas& canvas) {
  if (!alternatingRowBackground_ || !alternateBrush_) return;
  const int saved = canvas.SaveCanvas();
  canvas.Fill().Assign(*alternateBrush_);
  const float opacity = Content()->GetAbsoluteOpacity();
  for (size_t row = 1; row < rows_.size(); row += 2)
    canvas.FillRect({0, rows_[row].top, Content()->Width(), rows_[row].top + rows_[row].height}, 0,
                    0, AllCorners, opacity, vxCornerRound);
  canvas.RestoreCanvas(saved);
}

// Selection.

void TvxListBox::SetItemIndex(int value) {
  value = std::max(-1, value);
  if (HasState(csLoading)) {
    itemIndex_ = value;
    return;
  }
  if (value == itemIndex_) return;
  if (TvxListBoxItem* previous = Selected(); previous && !multiSelect_)
    previous->MarkSelected(false);
  itemIndex_ = value;
  TvxListBoxItem* item = Selected();
  if (item) {
    ScrollIntoView(*item);
    item->MarkSelected(true);
  }
  if (!IsUpdating()) Changed(item);
  RebuildHighlight();
}

void TvxListBox::Changed(TvxListBoxItem* item) {
  UpdateBindings();
  // Handlers learn the item from the sender; without one they get the list box.
  OnChange(item ? static_cast<TObject*>(item) : this);
}

void TvxListBox::ScrollIntoView(const TvxListBoxItem& item) {
  const TvxRect view = ViewportRect();
  const TvxRect r = ViewRectOf(item);
  if (TvxScrollBar* bar = VScrollBar()) {
    if (r.Bottom > view.Bottom) bar->SetValue(bar->Value() + r.Bottom - view.Bottom);
    if (r.Top < view.Top) bar->SetValue(bar->Value() - (view.Top - r.Top));
  }
  if (TvxScrollBar* bar = HScrollBar()) {
    if (r.Right > view.Right) bar->SetValue(bar->Value() + r.Right - view.Right);
    if (r.Left < view.Left) bar->SetValue(bar->Value() - (view.Left - r.Left));
  }
}

void TvxListBox::SelectRange(int from, int to) {
  if (from > to) std::swap(from, to);
  const std::vector<TvxListBoxItem*> items = Items();
  for (size_t i = 0; i < items.size(); ++i) items[i]->MarkSelected(int(i) >= from && int(i) <= to);
  RebuildHighlight();
}

void TvxListBox::ClearSelection() {
  for (TvxListBoxItem* item : Items()) item->MarkSelected(false);
  RebuildHighlight();
}

bool TvxListBox::ShowsHighlight() const {
  return selectionTemplate_ && (!hideSelectionUnfocused_ || IsFocused());
}

// Neighbouring selected items of one row in view merge into one rectangle; a run does not
// wrap into the next row, where it would cover the items between.
std::vector<TvxRect> TvxListBox::HighlightRuns() const {
  std::vector<TvxRect> runs;
  const TvxRect view = ViewportRect();
  bool open = false;
  for (TvxListBoxItem* item : Items()) {
    TvxRect r = ViewRectOf(*item);
    TvxRect shown;
    if (!item->IsSelected() || !item->Visible() || !IntersectRect(shown, r, view)) {
      open = false;
      continue;
    }
    // Beside the run in its row, or below it in the same column.
    const bool joins = runs.empty() ? false
                                    : runs.back().Top == r.Top || (runs.back().Left == r.Left &&
                                                                   runs.back().Right == r.Right);
    if (open && joins) {
      runs.back() = UnionRect(runs.back(), r);
    } else {
      runs.push_back(r);
    }
    open = true;
  }
  return runs;
}

TvxVisualObject* TvxListBox::HighlightCopy(size_t index) {
  while (highlights_.size() <= index) {
    auto* copy = dynamic_cast<TvxVisualObject*>(selectionTemplate_->Clone(this));
    if (!copy) return nullptr;
    copy->SetStored(false);
    copy->SetParent(selectionTemplate_->Parent());
    copy->SetIndex(0);  // beneath the items
    highlights_.push_back(copy);
  }
  return highlights_[index];
}

void TvxListBox::RebuildHighlight() {
  if (!selectionTemplate_) return;
  const std::vector<TvxRect> runs = ShowsHighlight() ? HighlightRuns() : std::vector<TvxRect>{};
  for (size_t i = 0; i < runs.size(); ++i) {
    TvxVisualObject* copy = HighlightCopy(i);
    if (!copy) break;
    const TvxRect& r = runs[i];
    copy->SetBounds(r.Left, r.Top, RectWidth(r), RectHeight(r));
    copy->SetVisible(true);
  }
  for (size_t i = runs.size(); i < highlights_.size(); ++i) highlights_[i]->SetVisible(false);
}

// Style.

void TvxListBox::ApplyStyle() {
  selectionTemplate_ = dynamic_cast<TvxVisualObject*>(FindResource("selection"));
  if (selectionTemplate_) {
    selectionTemplate_->SetVisible(false);
    selectionTemplate_->SetAlign(vaNone);
  }
  auto* shading = dynamic_cast<TvxBrushObject*>(FindResource("AlternatingRowBackground"));
  alternateBrush_ = shading ? shading->Brush() : nullptr;
  TvxScrollBox::ApplyStyle();
}

void TvxListBox::FreeStyle() {
  // The copies sit in the style copy and leave with it.
  highlights_.clear();
  selectionTemplate_ = nullptr;
  alternateBrush_ = nullptr;
  TvxScrollBox::FreeStyle();
}

void TvxListBox::Loaded() {
  TvxScrollBox::Loaded();
  if (TvxListBoxItem* item = Selected()) item->MarkSelected(true);
  RebuildHighlight();
}

void TvxListBox::EndUpdate() {
  TvxScrollBox::EndUpdate();
  if (!IsUpdating()) RealignContent();
}

void TvxListBox::EnterFocus() {
  TvxScrollBox::EnterFocus();
  RebuildHighlight();
}

void TvxListBox::KillFocus() {
  TvxScrollBox::KillFocus();
  RebuildHighlight();
}

// Input.

void TvxListBox::PressItem(TvxListBoxItem& item, TShiftState shift) {
  const int index = IndexOf(&item);
  if (multiSelect_ && (shift & ssCtrl)) {
    item.MarkSelected(!item.IsSelected());
    if (item.IsSelected()) return SetItemIndex(index);
    return RebuildHighlight();
  }
  if (multiSelect_ && (shift & ssShift) && itemIndex_ >= 0) {
    SelectRange(itemIndex_, index);
    return SetItemIndex(index);
  }
  if (index == itemIndex_ && allowDrag_) item.BeginAutoDrag();
  if (multiSelect_) ClearSelection();
  SetItemIndex(index);
}

void TvxListBox::MouseDown(TMouseButton button, TShiftState shift, float x, float y) {
  TvxScrollBox::MouseDown(button, shift, x, y);
  if (button != TMouseButton::mbLeft) return;
  pressed_ = true;
  if (MouseTracking()) return;
  if (TvxListBoxItem* item = ItemByPoint(x, y)) {
    PressItem(*item, shift);
    item->Click();
  }
}

void TvxListBox::MouseMove(TShiftState shift, float x, float y) {
  TvxScrollBox::MouseMove(shift, x, y);
  if (!pressed_ || !(shift & ssLeft) || (multiSelect_ && (shift & (ssCtrl | ssShift)))) return;
  if (TvxListBoxItem* item = ItemByPoint(x, y)) SetItemIndex(IndexOf(item));
}

void TvxListBox::MouseUp(TMouseButton button, TShiftState shift, float x, float y) {
  TvxScrollBox::MouseUp(button, shift, x, y);
  if (button != TMouseButton::mbLeft) return;
  pressed_ = false;
  if (!MouseTracking()) return;
  if (TvxListBoxItem* item = ItemByPoint(x, y)) SetItemIndex(IndexOf(item));
}

int TvxListBox::IndexOfInitial(char16_t c) const {
  const std::vector<TvxListBoxItem*> items = Items();
  for (size_t i = 0; i < items.size(); ++i)
    if (!items[i]->Text().empty() && FoldCase(items[i]->Text()[0]) == FoldCase(c)) return int(i);
  return -1;
}

int TvxListBox::KeyTarget(uint16_t key, char16_t keyChar) const {
  const int last = Count() - 1;
  switch (key) {
    case vkEnd:
      return std::max(0, Count() - columns_);
    case vkHome:
      return 0;
    case vkLeft:
      return std::max(0, itemIndex_ - 1);
    case vkUp:
      return std::max(0, itemIndex_ - columns_);
    case vkRight:
      return std::min(last, itemIndex_ + 1);
    case vkDown:
      return std::min(last, itemIndex_ + columns_);
    default:
      break;
  }
  if (keyChar >= u' ') return IndexOfInitial(keyChar);
  return -2;
}

void TvxListBox::KeyDown(uint16_t& key, char16_t& keyChar, TShiftState shift) {
  TvxScrollBox::KeyDown(key, keyChar, shift);
  if (Count() == 0 || (key == 0 && keyChar == 0)) return;
  const int target = KeyTarget(key, keyChar);
  if (target == -2) return;
  if (target >= 0) SetItemIndex(target);
  key = 0;
  keyChar = 0;
}

void TvxListBox::DragOver(const TvxDragObject& data, const TvxPoint& point, bool& accept) {
  TvxScrollBox::DragOver(data, point, accept);
  auto* source = dynamic_cast<TvxListBoxItem*>(data.Source);
  accept = accept || (allowDrag_ && source && IndexOf(source) >= 0);
}

void TvxListBox::DragDrop(const TvxDragObject& data, const TvxPoint& point) {
  TvxScrollBox::DragDrop(data, point);
  auto* source = dynamic_cast<TvxListBoxItem*>(data.Source);
  const TvxPoint local = AbsoluteToLocal(point);
  TvxListBoxItem* target = ItemByPoint(local.X, local.Y);
  if (!allowDrag_ || !source || !target || source == target || IndexOf(source) < 0) return;
  bool allow = true;
  OnDragChange(this, source, target, allow);
  if (!allow) return;
  source->SetIndex(target->TvxObject::Index());
  itemIndex_ = IndexOf(source);
  RealignContent();
}

// Combo list box.

TvxComboListBox::TvxComboListBox(TComponent* owner, TvxComboBox* comboBox)
    : TvxListBox(owner), comboBox_(comboBox) {
  SetHideSelectionUnfocused(false);
}

void TvxComboListBox::ClosePopup() {
  if (auto* popup = dynamic_cast<TvxPopup*>(Parent()); popup && popup->IsOpen())
    popup->ClosePopup();
}

void TvxComboListBox::MouseDown(TMouseButton button, TShiftState shift, float x, float y) {
  pressIndex_ = ItemIndex();
  TvxListBox::MouseDown(button, shift, x, y);
}

void TvxComboListBox::MouseUp(TMouseButton button, TShiftState shift, float x, float y) {
  TvxListBox::MouseUp(button, shift, x, y);
  auto* popup = dynamic_cast<TvxPopup*>(Parent());
  if (!comboBox_ || !popup || !popup->IsOpen() || button != TMouseButton::mbLeft) return;
  const bool inside = PointInRect({x, y}, GetLocalRect());
  if (TvxListBoxItem* item = inside ? ItemByPoint(x, y) : nullptr) {
    comboBox_->SetItemIndex(IndexOf(item));
  } else {
    // The press moved the list's current item, which is the combo box's choice; put it back.
    BeginUpdate();
    SetItemIndex(pressIndex_);
    EndUpdate();
  }
  ClosePopup();
}

void TvxComboListBox::KeyDown(uint16_t& key, char16_t& keyChar, TShiftState shift) {
  if (key == vkReturn && comboBox_) {
    comboBox_->SetItemIndex(ItemIndex());
    ClosePopup();
    key = 0;
    return;
  }
  TvxListBox::KeyDown(key, keyChar, shift);
}
