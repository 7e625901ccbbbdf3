#include "scene/graphics/Text.h"

#include "platform/component/TemporaryChange.h"
#include "platform/component/Unicode.h"
#include "scene/graphics/Canvas.h"

LC_PUBLISH(TvxText) {
  using C = TvxText;
  p.Bool("AutoSize", &C::AutoSize, &C::SetAutoSize, false);
  PublishFill(p);
  p.Object("Font", &C::Font);
  p.Enum("HorzTextAlign", TextAlignNames, &C::HorzTextAlign, &C::SetHorzTextAlign,
         vxTextAlignCenter);
  p.Enum("VertTextAlign", TextAlignNames, &C::VertTextAlign, &C::SetVertTextAlign,
         vxTextAlignCenter);
  p.WString("Text", &C::Text, &C::SetText);
  p.Bool("Stretch", &C::Stretch, &C::SetStretch, false);
  p.Bool("WordWrap", &C::WordWrap, &C::SetWordWrap, true);
}

TvxText::TvxText(TComponent* owner)
    : TvxShape(owner, {.FillColor = 0xFF000000, .StrokeStyle = vxBrushNone}),
      font_(std::make_unique<TvxFont>()) {
  font_->OnChange = TNotifyEvent(this, &TvxText::FontChanged);
}

TvxText::~TvxText() {
  DestroyTree();
}

void TvxText::SetText(const std::u16string& value) {
  if (value == text_) return;
  text_ = value;
  TextChanged();
}

void TvxText::SetHorzTextAlign(TvxTextAlign value) {
  if (value == horzTextAlign_) return;
  horzTextAlign_ = value;
  ShapeChanged();
}

void TvxText::SetVertTextAlign(TvxTextAlign value) {
  if (value == vertTextAlign_) return;
  vertTextAlign_ = value;
  ShapeChanged();
}

void TvxText::SetWordWrap(bool value) {
  if (value == wordWrap_) return;
  wordWrap_ = value;
  ShapeChanged();
}

void TvxText::SetStretch(bool value) {
  if (value == stretch_) return;
  stretch_ = value;
  if (stretch_) autoSize_ = false;
  ShapeChanged();
}

void TvxText::SetAutoSize(bool value) {
  if (value == autoSize_) return;
  autoSize_ = value;
  ApplyAutoSize();
}

void TvxText::FontChanged(TObject*) {
  TextChanged();
}

void TvxText::TextChanged() {
  ApplyAutoSize();
  ShapeChanged();
}

TVariant TvxText::GetData() {
  return Utf16ToUtf8(text_);
}

void TvxText::SetData(const TVariant& value) {
  SetText(Utf8ToUtf16(VariantToText(value)));
}

void TvxText::Realign() {
  TvxShape::Realign();
  ApplyAutoSize();
}

// Measured with the canvas the text is drawn on, whose font is given back afterwards.
void TvxText::ApplyAutoSize() {
  if (!autoSize_ || autoSizing_ || text_.empty()) return;
  TvxCanvas* canvas = Canvas();
  if (!canvas) return;
  const TTemporaryChange sizing(autoSizing_, true);
  TvxFont saved;
  saved.Assign(canvas->Font());
  canvas->Font().Assign(*font_);
  TvxRect box = wordWrap_ ? TvxRect{0, 0, Width(), 1000} : TvxRect{0, 0, 1000, 1000};
  canvas->MeasureText(box, text_, wordWrap_, vxTextAlignNear, vxTextAlignNear);
  canvas->Font().Assign(saved);
  if (!wordWrap_) SetWidth(font_->Size() / 2 + box.Right);
  if (vertTextAlign_ != vxTextAlignCenter) SetHeight(box.Bottom);
  if (TvxVisualObject* parent = VisualParent()) parent->Realign();
}

void TvxText::Paint() {
  TvxCanvas* canvas = Canvas();
  if (!canvas) return;
  canvas->Font().Assign(*font_);
  const float opacity = GetAbsoluteOpacity();
  if (stretch_) return PaintStretched(*canvas, opacity);
  canvas->FillText(GetLocalRect(), text_, wordWrap_, opacity, horzTextAlign_, vertTextAlign_);
}

// The text's own box, measured on one line, is scaled onto the object; the box is drawn
// with room around it so that glyphs reaching past their advance are not cut.
void TvxText::PaintStretched(TvxCanvas& canvas, float opacity) {
  TvxRect box{0, 0, 1000, 1000};
  canvas.MeasureText(box, text_, false, horzTextAlign_, vertTextAlign_);
  OffsetRect(box, -box.Left, -box.Top);
  if (!IsRectEmpty(box)) {
    TvxMatrix scale = IdentityMatrix;
    scale.m11 = Width() / RectWidth(box);
    scale.m22 = Height() / RectHeight(box);
    canvas.MultiplyMatrix(scale);
  }
  const float room = font_->Size() / 3;
  InflateRect(box, room, room);
  canvas.FillText(box, text_, false, opacity, horzTextAlign_, vertTextAlign_);
  // The drawing transform goes back to the object's matrix for what follows.
  canvas.SetMatrix(canvas.Matrix());
}
