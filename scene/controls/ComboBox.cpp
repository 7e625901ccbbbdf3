#include "scene/controls/ComboBox.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "platform/component/Publisher.h"
#include "platform/component/Unicode.h"
#include "scene/controls/ListBox.h"
#include "scene/controls/ListBoxItem.h"
#include "scene/controls/WideStrings.h"
#include "scene/core/Variant.h"
#include "scene/graphics/CanvasStateGuard.h"

namespace {

// What the closed box's frame takes from its height when the list's items have no height.
constexpr float kFrame = 4;

}  // namespace

LC_PUBLISH(TvxComboBox) {
  using C = TvxComboBox;
  p.Integer("ItemIndex", &C::ItemIndex, &C::SetItemIndex, -1);
  p.Float("ItemHeight", &C::ItemHeight, &C::SetItemHeight);
  p.Integer("DropDownCount", &C::DropDownCount, &C::SetDropDownCount, 8);
  p.Enum("Placement", PlacementNames, &C::Placement, &C::SetPlacement, vxPlacementBottom);
  p.String("ListBoxResource", &C::ListBoxResource, &C::SetListBoxResource);
  p.Component("BindingSource", &C::BindingSource, &C::SetBindingSource);
  p.Bool("CanFocused", &C::CanFocused, &C::SetCanFocused, true);
  p.Bool("DisableFocusEffect", &C::DisableFocusEffect, &C::SetDisableFocusEffect);
  p.Event("OnChange", &C::OnChange);
}

LC_PUBLISH(TvxStringComboBox) {
  using C = TvxStringComboBox;
  p.Object("Items", &C::Items);
  p.Float("ItemHeight", &C::ItemHeight, &C::SetItemHeight, 19);
  p.Enum("TextAlign", TextAlignNames, &C::TextAlign, &C::SetTextAlign, vxTextAlignCenter);
  p.Bool("AutoTranslate", &C::AutoTranslate, &C::SetAutoTranslate);
  p.String("Resource", &C::Resource, &C::SetResource, "comboboxstyle");
}

// Combo box.

TvxComboBox::TvxComboBox(TComponent* owner) : TvxControl(owner) {
  SetWidth(100);
  SetHeight(22);
  SetCanFocused(true);
  popup_ = new TvxPopup(this);
  popup_->SetStored(false);
  popup_->SetLocked(true);
  popup_->SetDesignHide(true);
  popup_->SetPlacementTarget(this);
  popup_->SetStaysOpen(false);
  popup_->SetWidth(Width());
  TvxControl::AddObject(popup_);
  listBox_ = new TvxComboListBox(this, this);
  listBox_->SetStored(false);
  listBox_->SetShowCheckboxes(false);
  listBox_->SetAlign(vaClient);
  listBox_->SetParent(popup_);
}

TvxComboBox::~TvxComboBox() {
  // The list and the popup hold items that report to this box while leaving.
  DestroyTree();
}

int TvxComboBox::ItemIndex() const {
  return listBox_->ItemIndex();
}

void TvxComboBox::SetItemIndex(int value) {
  listBox_->SetItemIndex(value);
  if (HasState(csLoading)) return;
  UpdateBindings();
  OnChange(this);
  Repaint();
}

float TvxComboBox::ItemHeight() const {
  return listBox_->ItemHeight();
}

void TvxComboBox::SetItemHeight(float value) {
  listBox_->SetItemHeight(value);
}

void TvxComboBox::SetDropDownCount(int64_t value) {
  dropDownCount_ = int(std::clamp<int64_t>(value, 1, 1000));
}

TvxPlacement TvxComboBox::Placement() const {
  return popup_->Placement();
}

void TvxComboBox::SetPlacement(TvxPlacement value) {
  popup_->SetPlacement(value);
}

const std::string& TvxComboBox::ListBoxResource() const {
  return listBox_->Resource();
}

void TvxComboBox::SetListBoxResource(const std::string& value) {
  listBox_->SetResource(value);
}

int TvxComboBox::Count() const {
  return listBox_->Count();
}

void TvxComboBox::DropDown() {
  if (popup_->IsOpen()) return popup_->ClosePopup();
  const float itemHeight = listBox_->ItemHeight();
  // As many rows as DropDownCount, however many entries there are.
  const float height = itemHeight != 0 ? itemHeight * float(dropDownCount_)
                                       : float(dropDownCount_) * (Height() - kFrame);
  popup_->SetBounds(0, 0, Width(), height);
  popup_->SetIsOpen(true);
  if (popup_->IsOpen()) listBox_->SetFocus();
}

void TvxComboBox::AddObject(TvxObject* object) {
  if (listBox_ && dynamic_cast<TvxListBoxItem*>(object)) return listBox_->AddObject(object);
  TvxControl::AddObject(object);
}

void TvxComboBox::SetWidth(float value) {
  TvxControl::SetWidth(value);
  if (popup_) popup_->SetWidth(value);
}

void TvxComboBox::ApplyStyle() {
  TvxControl::ApplyStyle();
  content_ = dynamic_cast<TvxVisualObject*>(FindResource("Content"));
  if (!content_) return;
  content_->OnPaint = [this](TObject*, TvxCanvas* canvas, const TvxRect& rect) {
    if (!canvas) return;
    // A long entry ends at the content's edge instead of running under the arrow.
    const TvxCanvasStateGuard clip(*canvas);
    canvas->IntersectClipRect(rect);
    PaintSelected(*canvas);
  };
}

void TvxComboBox::FreeStyle() {
  if (content_) content_->OnPaint = {};
  content_ = nullptr;
  TvxControl::FreeStyle();
}

// Draws the current entry as the list draws it, at the size of the content part; the entry
// is lent for the call and given back as it was.
void TvxComboBox::PaintSelected(TvxCanvas& canvas) {
  TvxListBoxItem* item = listBox_->Selected();
  if (!item || !content_) return;
  const TvxScrollBox::TLayoutFreeze freeze(*listBox_);
  IvxScene* const oldScene = item->Scene();
  const float oldWidth = item->Width();
  const float oldHeight = item->Height();
  const float oldOpacity = item->Opacity();
  item->SetScene(Scene());
  if (item->NeedStyle()) item->ApplyResource();
  item->SetWidth(content_->Width());
  item->SetHeight(content_->Height());
  item->SetOpacity(GetAbsoluteOpacity());
  item->PaintTo(canvas, content_->GetAbsoluteRect());
  item->SetOpacity(oldOpacity);
  item->SetWidth(oldWidth);
  item->SetHeight(oldHeight);
  item->SetScene(oldScene);
}

void TvxComboBox::Select(int index) {
  if (index >= 0 && index < Count()) SetItemIndex(index);
}

void TvxComboBox::MouseDown(TMouseButton button, TShiftState shift, float x, float y) {
  TvxControl::MouseDown(button, shift, x, y);
  if (button == TMouseButton::mbLeft) DropDown();
}

void TvxComboBox::MouseWheel(TShiftState shift, int wheelDelta, bool& handled) {
  TvxControl::MouseWheel(shift, wheelDelta, handled);
  if (handled || Count() == 0) return;
  Select(wheelDelta < 0 ? ItemIndex() + 1 : ItemIndex() - 1);
  handled = true;
}

void TvxComboBox::KeyDown(uint16_t& key, char16_t& keyChar, TShiftState shift) {
  TvxControl::KeyDown(key, keyChar, shift);
  if (Count() == 0 || (key == 0 && keyChar == 0)) return;
  switch (key) {
    case vkEnd:
      Select(Count() - 1);
      break;
    case vkHome:
      Select(0);
      break;
    case vkLeft:
    case vkUp:
      Select(ItemIndex() - 1);
      break;
    case vkRight:
      Select(ItemIndex() + 1);
      break;
    case vkDown:
      if (shift & ssAlt)
        DropDown();
      else
        Select(ItemIndex() + 1);
      break;
    default:
      if (keyChar < u' ') return;
      Select(listBox_->IndexOfInitial(keyChar));
      break;
  }
  key = 0;
  keyChar = 0;
}

// String combo box.

TvxStringComboBox::TvxStringComboBox(TComponent* owner)
    : TvxComboBox(owner), items_(std::make_unique<TvxWideStrings>()) {
  items_->OnChange = [this](TObject*) { Rebuild(); };
  SetResource("comboboxstyle");
}

TvxStringComboBox::~TvxStringComboBox() {
  items_->OnChange = {};
}

void TvxStringComboBox::SetItemHeight(float value) {
  if (!std::isfinite(value) || value < 0) value = 0;
  if (value == itemHeight_) return;
  itemHeight_ = value;
  Rebuild();
}

void TvxStringComboBox::SetTextAlign(TvxTextAlign value) {
  if (value == textAlign_) return;
  textAlign_ = value;
  Rebuild();
}

void TvxStringComboBox::Loaded() {
  TvxComboBox::Loaded();
  Rebuild();
}

void TvxStringComboBox::Rebuild() {
  if (HasState(csLoading)) return;
  TvxComboListBox& list = *ListBox();
  int index = list.ItemIndex();
  list.BeginUpdate();
  list.SetItemIndex(-1);
  list.Clear();
  for (const std::u16string& text : items_->Strings()) {
    auto* item = new TvxListBoxItem(this);
    item->SetAutoTranslate(AutoTranslate());
    item->SetHeight(itemHeight_);
    item->SetStored(false);
    item->SetLocked(true);
    item->SetResource("listboxitemstyle");
    item->SetText(text);
    item->SetTextAlign(textAlign_);
    item->SetParent(&list);
  }
  list.EndUpdate();
  if (index >= Count()) index = Count() - 1;
  list.BeginUpdate();
  list.SetItemIndex(index);
  list.EndUpdate();
  Repaint();
}

TVariant TvxStringComboBox::GetData() {
  if (TvxListBoxItem* item = ListBox()->Selected()) return Utf16ToUtf8(item->Text());
  return {};
}

void TvxStringComboBox::SetData(const TVariant& value) {
  if (TvxListBoxItem* item = ListBox()->Selected()) {
    item->SetText(Utf8ToUtf16(VariantToText(value)));
    Repaint();
  }
}
