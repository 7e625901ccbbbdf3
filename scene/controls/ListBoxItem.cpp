#include "scene/controls/ListBoxItem.h"

#include "platform/component/Publisher.h"
#include "scene/controls/CheckBox.h"
#include "scene/controls/ListBox.h"

LC_PUBLISH(TvxListBoxItem) {
  using C = TvxListBoxItem;
  p.Bool("IsChecked", &C::IsChecked, &C::SetIsChecked);
  p.Bool("IsSelected", &C::IsSelected, &C::SetIsSelected);
  p.Bool("AutoTranslate", &C::AutoTranslate, &C::SetAutoTranslate, true);
  p.Object("Font", &C::Font);
  p.WString("Text", &C::Text, &C::SetText);
  p.Enum("TextAlign", TextAlignNames, &C::TextAlign, &C::SetTextAlign, vxTextAlignNear);
  p.Bool("WordWrap", &C::WordWrap, &C::SetWordWrap);
}

TvxListBoxItem::TvxListBoxItem(TComponent* owner) : TvxTextControl(owner) {
  SetBounds(5000, 5000, 19, 19);  // out of sight until the list box places it
  SetHitTest(false);
  SetTextAlign(vxTextAlignNear);
  SetAutoTranslate(true);
}

TvxListBox* TvxListBoxItem::ListBox() const {
  for (TvxObject* up = Parent(); up; up = up->Parent())
    if (auto* list = dynamic_cast<TvxListBox*>(up)) return list;
  return nullptr;
}

int TvxListBoxItem::Index() const {
  TvxListBox* list = ListBox();
  return list ? list->IndexOf(this) : -1;
}

void TvxListBoxItem::SetIsChecked(bool value) {
  if (value == isChecked_) return;
  isChecked_ = value;
  if (check_) check_->SetIsChecked(value);
  StartTriggerAnimation(this, "IsChecked");
}

void TvxListBoxItem::MarkSelected(bool value) {
  if (value == isSelected_) return;
  isSelected_ = value;
  StartTriggerAnimation(this, "IsSelected");
  Repaint();
}

void TvxListBoxItem::SetIsSelected(bool value) {
  if (value == isSelected_) return;
  MarkSelected(value);
  TvxListBox* list = ListBox();
  if (!list || HasState(csLoading)) return;
  const int index = list->IndexOf(this);
  if (value && !list->MultiSelect()) return list->SetItemIndex(index);
  if (!value && list->ItemIndex() == index) return list->SetItemIndex(-1);
  list->RebuildHighlight();
}

void TvxListBoxItem::ApplyStyle() {
  TvxTextControl::ApplyStyle();
  check_ = dynamic_cast<TvxCheckBox*>(FindResource("check"));
  if (!check_) return;
  TvxListBox* list = ListBox();
  check_->SetIsChecked(isChecked_);
  check_->SetVisible(list && list->ShowCheckboxes());
  check_->OnChange = [this](TObject*) { CheckChanged(); };
}

void TvxListBoxItem::CheckChanged() {
  if (!check_ || check_->IsChecked() == isChecked_) return;
  isChecked_ = check_->IsChecked();
  StartTriggerAnimation(this, "IsChecked");
  TvxListBox* list = ListBox();
  if (!list) return;
  list->SetFocus();
  list->SetItemIndex(list->IndexOf(this));
  list->OnChangeCheck(this);
}

void TvxListBoxItem::FreeStyle() {
  if (check_) check_->OnChange = {};
  check_ = nullptr;
  TvxTextControl::FreeStyle();
}

void TvxListBoxItem::ChildFocused(TvxVisualObject* child) {
  TvxTextControl::ChildFocused(child);
  if (TvxListBox* list = ListBox()) list->SetItemIndex(list->IndexOf(this));
}
