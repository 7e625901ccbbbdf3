#pragma once

// The single-line text entry: caret, selection, keyboard editing, the clipboard, a built-in
// context menu, a character filter and a password mode. The box draws its text itself inside
// the "content" part of its style; the caret is a small blinking rectangle child.

#include <memory>
#include <string>

#include "scene/controls/Control.h"
#include "scene/core/Variant.h"
#include "scene/graphics/Brush.h"
#include "scene/graphics/Font.h"

class TPopupMenu;

class TvxCustomTextBox : public TvxControl {
  LC_CLASS(TvxCustomTextBox, TvxControl)

 public:
  explicit TvxCustomTextBox(TComponent* owner);

  const std::u16string& Text() const { return text_; }
  void SetText(const std::u16string& value);
  TvxFont* Font() const { return font_.get(); }
  TvxTextAlign TextAlign() const { return textAlign_; }
  void SetTextAlign(TvxTextAlign value);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value) { readOnly_ = value; }
  bool Password() const { return password_; }
  void SetPassword(bool value);
  // Whether the focused box shows its caret.
  bool ShowsCaret() const { return showCaret_; }
  void SetShowsCaret(bool value);
  // 0 is unlimited.
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int value) { maxLength_ = value; }
  // The characters typing may insert; empty allows any.
  const std::u16string& FilterChar() const { return filterChar_; }
  void SetFilterChar(const std::u16string& value) { filterChar_ = value; }
  // The text brush, taking the style's "foreground" brush, and the selection brush.
  TvxBrush* FontFill() const { return fontFill_.get(); }
  TvxBrush* SelectionFill() const { return selectionFill_.get(); }

  // The caret is a boundary index 0..length.
  int CaretPosition() const { return caret_; }
  // Clamps, clears the selection, scrolls the caret into view and places the caret rectangle.
  void SetCaretPosition(int value);
  // The selected range: its first index and its character count.
  int SelStart() const;
  int SelLength() const;
  std::u16string SelText() const;
  // Clears the selection and moves the caret to `value`.
  void SetSelStart(int value);
  void SelectAll();
  void ClearSelection();
  // 1-based index of the first character shown.
  int FirstVisibleChar() const { return firstVisible_; }
  // Set by every change of the text since the box last received the focus.
  bool Changed() const { return changed_; }

  void CopyToClipboard();
  void CutToClipboard();
  void PasteFromClipboard();
  void DeleteSelection();
  // Inserts at the caret, replacing the selection, unless read-only or beyond MaxLength.
  void InsertText(const std::u16string& text);
  // Commits the edit: OnChange fires when the text changed since the focus entered.
  virtual void Change();

  // The built-in context menu, made on its first use.
  TPopupMenu* ContextMenu() const { return contextMenu_; }

  void KeyDown(uint16_t& key, char16_t& keyChar, TShiftState shift) override;
  void InputText(const std::u16string& text, TShiftState shift) override;
  void MouseDown(TMouseButton button, TShiftState shift, float x, float y) override;
  void MouseMove(TShiftState shift, float x, float y) override;
  void MouseUp(TMouseButton button, TShiftState shift, float x, float y) override;
  void DblClick() override;
  void ContextPopup(const TvxPoint& screenPoint) override;
  void EnterFocus() override;
  void KillFocus() override;
  void ApplyStyle() override;
  void FreeStyle() override;
  void Paint() override;
  TVariant GetData() override;
  void SetData(const TVariant& value) override;

  // The area the text is drawn in, in local coordinates: the style's "content" part, else the
  // whole box.
  TvxRect ContentRect();
  // The caret index nearest to the local x position.
  int IndexAtX(float x);

  TNotifyEvent OnChange;
  TNotifyEvent OnChangeTracking;
  TNotifyEvent OnTyping;

 protected:
  // Replaces the text without events or the changed flag (number boxes rebuilding it).
  void StoreText(const std::u16string& value);
  void MarkChanged() { changed_ = true; }
  // Dropped while typing: the characters FilterChar does not hold.
  bool Filtered(char16_t ch) const;

 private:
  void FontChanged(TObject*);
  void BindContent(TvxVisualObject* content);
  // Keeps caret, selection and scroll position inside the text.
  void ClampToText();
  bool EditKey(uint16_t key, TShiftState shift);
  bool MoveKey(uint16_t key, TShiftState shift, int& target);
  bool ControlLetter(char16_t letter);
  void MoveCaret(int target, bool extend);
  void DeleteKey(uint16_t key, TShiftState shift);
  void Typed() { OnTyping(this); }
  void ScrollToCaret();
  void PlaceCaret();
  void UpdateCaretVisibility();
  int PreviousWordStart(int from) const;
  int NextWordEnd(int from) const;
  // Width of the characters [from, to) as drawn.
  float TextWidth(int from, int to);
  // Where the visible text starts inside the content rectangle.
  float TextOffset(const TvxRect& content);
  float CaretX(int index);
  float PasswordCell() const { return font_->Size() / 2; }
  void PaintText(TvxCanvas& canvas);
  void PaintSelection(TvxCanvas& canvas, const TvxRect& content);
  void PaintPassword(TvxCanvas& canvas, const TvxRect& content);
  TPopupMenu& BuiltInMenu();
  void EnableMenuItems();

  std::u16string text_;
  std::unique_ptr<TvxFont> font_;
  std::unique_ptr<TvxBrush> fontFill_;
  std::unique_ptr<TvxBrush> selectionFill_;
  TvxTextAlign textAlign_ = vxTextAlignNear;
  bool readOnly_ = false;
  bool password_ = false;
  bool showCaret_ = true;
  int maxLength_ = 0;
  std::u16string filterChar_;
  int caret_ = 0;
  // The fixed end of the selection, the caret its moving end; equal when nothing is selected.
  int anchor_ = 0;
  int firstVisible_ = 1;
  bool changed_ = false;
  bool selecting_ = false;
  TvxVisualObject* content_ = nullptr;
  TPopupMenu* contextMenu_ = nullptr;
};

// The text box form data names; publishes the password mode.
class TvxTextBox : public TvxCustomTextBox {
  LC_CLASS(TvxTextBox, TvxCustomTextBox)

 public:
  using TvxCustomTextBox::TvxCustomTextBox;
};
