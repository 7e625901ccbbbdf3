#pragma once

// A drop-down choice: the closed box shows the current entry with its list-item look in its
// style's "Content" part; a press drops a popup down below it holding a TvxComboListBox.
// TvxStringComboBox builds its entries from a list of strings.
//
//   combo->Items()->SetStrings({u"安全关机", u"强制关机"});
//   combo->SetItemIndex(0);
//   combo->DropDown();   // opens the list below the box; again closes it

#include <cstdint>
#include <memory>
#include <string>

#include "scene/controls/Popup.h"
#include "scene/graphics/GraphicsTypes.h"

class TvxCanvas;
class TvxComboListBox;
class TvxListBoxItem;
class TvxWideStrings;

class TvxComboBox : public TvxControl {
  LC_CLASS(TvxComboBox, TvxControl)

 public:
  explicit TvxComboBox(TComponent* owner);
  ~TvxComboBox() override;

  int ItemIndex() const;
  // Selects in the list and fires OnChange, even when the index stays the same.
  void SetItemIndex(int value);
  virtual float ItemHeight() const;
  virtual void SetItemHeight(float value);
  int DropDownCount() const { return dropDownCount_; }
  void SetDropDownCount(int64_t value);
  TvxPlacement Placement() const;
  void SetPlacement(TvxPlacement value);
  const std::string& ListBoxResource() const;
  void SetListBoxResource(const std::string& value);
  int Count() const;
  // Opens the popup below the box, or closes it when open.
  void DropDown();

  TvxPopup* Popup() const { return popup_; }
  TvxComboListBox* ListBox() const { return listBox_; }

  void ApplyStyle() override;
  void FreeStyle() override;
  void AddObject(TvxObject* object) override;
  void SetWidth(float value) override;
  void MouseDown(TMouseButton button, TShiftState shift, float x, float y) override;
  void MouseWheel(TShiftState shift, int wheelDelta, bool& handled) override;
  void KeyDown(uint16_t& key, char16_t& keyChar, TShiftState shift) override;

  TNotifyEvent OnChange;

 private:
  void PaintSelected(TvxCanvas& canvas);
  // Selects `index` when it names an entry.
  void Select(int index);

  TvxPopup* popup_ = nullptr;
  TvxComboListBox* listBox_ = nullptr;
  TvxVisualObject* content_ = nullptr;
  int dropDownCount_ = 8;
};

class TvxStringComboBox : public TvxComboBox {
  LC_CLASS(TvxStringComboBox, TvxComboBox)

 public:
  explicit TvxStringComboBox(TComponent* owner);
  ~TvxStringComboBox() override;

  // Assigning copies the strings and rebuilds the entries.
  TvxWideStrings* Items() const { return items_.get(); }
  float ItemHeight() const override { return itemHeight_; }
  void SetItemHeight(float value) override;
  TvxTextAlign TextAlign() const { return textAlign_; }
  void SetTextAlign(TvxTextAlign value);
  void Loaded() override;

  // The bound value is the current entry's text; empty without one.
  TVariant GetData() override;
  // Replaces the current entry's text.
  void SetData(const TVariant& value) override;

 private:
  void Rebuild();

  std::unique_ptr<TvxWideStrings> items_;
  float itemHeight_ = 19;
  TvxTextAlign textAlign_ = vxTextAlignCenter;
};
