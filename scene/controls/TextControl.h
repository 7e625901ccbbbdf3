#pragma once

// The base of controls that show a text: it keeps the text, font, alignments and word wrap
// and hands them to the "text" part of its style, and the style's "foreground" brush to that
// part's fill. Each subclass publishes its own selection of these.

#include <memory>
#include <string>

#include "scene/controls/Control.h"
#include "scene/graphics/Brush.h"
#include "scene/graphics/Font.h"

class TvxText;

class TvxTextControl : public TvxControl {
  LC_CLASS(TvxTextControl, TvxControl)

 public:
  explicit TvxTextControl(TComponent* owner);
  ~TvxTextControl() override;

  const std::u16string& Text() const { return text_; }
  void SetText(const std::u16string& value);
  TvxFont* Font() const { return font_.get(); }
  TvxTextAlign TextAlign() const { return textAlign_; }
  void SetTextAlign(TvxTextAlign value);
  TvxTextAlign VertTextAlign() const { return vertTextAlign_; }
  void SetVertTextAlign(TvxTextAlign value);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool value);
  // The text colour; takes the style's "foreground" brush.
  TvxBrush* TextBrush() const { return textBrush_.get(); }

  void ApplyStyle() override;
  void FreeStyle() override;

  // The bound value is the text.
  TVariant GetData() override;
  // Empty clears the text; anything else shows its text form.
  void SetData(const TVariant& value) override;

 protected:
  // The "text" part of the current style copy, or null.
  TvxText* TextPart() const { return textPart_; }
  // After a real change of Text.
  virtual void TextChanged() {}
  // Also takes the caption, at load time only over an empty text or the control's name.
  void ActionChange(TAction& action, bool loading) override;

 private:
  void FontChanged(TObject*);
  void TextBrushChanged(TObject*);

  std::u16string text_;
  std::unique_ptr<TvxFont> font_;
  std::unique_ptr<TvxBrush> textBrush_;
  TvxTextAlign textAlign_ = vxTextAlignCenter;
  TvxTextAlign vertTextAlign_ = vxTextAlignCenter;
  bool wordWrap_ = false;
  TvxText* textPart_ = nullptr;
};
