#pragma once

// A text drawn with the fill brush across the whole object: aligned, wrapped at words,
// stretched to the object's size, or sizing the object to itself.

#include <memory>
#include <string>

#include "scene/graphics/Font.h"
#include "scene/graphics/Shape.h"

class TvxText : public TvxShape {
  LC_CLASS(TvxText, TvxShape)

 public:
  explicit TvxText(TComponent* owner);
  ~TvxText() override;

  const std::u16string& Text() const { return text_; }
  void SetText(const std::u16string& value);
  TvxFont* Font() const { return font_.get(); }
  TvxTextAlign HorzTextAlign() const { return horzTextAlign_; }
  void SetHorzTextAlign(TvxTextAlign value);
  TvxTextAlign VertTextAlign() const { return vertTextAlign_; }
  void SetVertTextAlign(TvxTextAlign value);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool value);
  // Scales the text's own box onto the object; switches AutoSize off.
  bool Stretch() const { return stretch_; }
  void SetStretch(bool value);
  // Sizes the object to its text: the width without word wrap, the height unless the text
  // is centred vertically.
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);

  // The data value is the text.
  TVariant GetData() override;
  void SetData(const TVariant& value) override;

  void Paint() override;
  void Realign() override;

 private:
  void FontChanged(TObject*);
  void TextChanged();
  void PaintStretched(TvxCanvas& canvas, float opacity);
  void ApplyAutoSize();

  std::unique_ptr<TvxFont> font_;
  std::u16string text_;
  TvxTextAlign horzTextAlign_ = vxTextAlignCenter;
  TvxTextAlign vertTextAlign_ = vxTextAlignCenter;
  bool wordWrap_ = true;
  bool stretch_ = false;
  bool autoSize_ = false;
  bool autoSizing_ = false;
};
