#include "scene/controls/Label.h"

#include "platform/component/Publisher.h"
#include "scene/core/ScopedValue.h"
#include "scene/graphics/Text.h"

LC_PUBLISH(TvxLabel) {
  using C = TvxLabel;
  p.Bool("AutoSize", &C::AutoSize, &C::SetAutoSize);
  p.Bool("AutoTranslate", &C::AutoTranslate, &C::SetAutoTranslate, true);
  p.Component("BindingSource", &C::BindingSource, &C::SetBindingSource);
  p.Object("Font", &C::Font);
  p.Enum("TextAlign", TextAlignNames, &C::TextAlign, &C::SetTextAlign, vxTextAlignCenter);
  p.Enum("VertTextAlign", TextAlignNames, &C::VertTextAlign, &C::SetVertTextAlign,
         vxTextAlignCenter);
  p.WString("Text", &C::Text, &C::SetText);
  p.Bool("WordWrap", &C::WordWrap, &C::SetWordWrap, true);
}

TvxLabel::TvxLabel(TComponent* owner) : TvxTextControl(owner) {
  SetWidth(120);
  SetHeight(15);
  SetHitTest(false);
  SetAutoTranslate(true);
}

void TvxLabel::SetAutoSize(bool value) {
  if (autoSize_ == value) return;
  autoSize_ = value;
  if (value) Restyle();
}

void TvxLabel::SetWordWrap(bool value) {
  if (wordWrap_ == value) return;
  wordWrap_ = value;
  if (TvxText* part = TextPart()) part->SetWordWrap(value);
}

void TvxLabel::TextChanged() {
  if (autoSize_ && !styling_) Restyle();
}

void TvxLabel::Restyle() {
  if (StyleObject() && !HasState(csLoading)) ApplyStyle();
}

void TvxLabel::ApplyStyle() {
  const TvxScopedValue<bool> guard(styling_, true);
  TvxTextControl::ApplyStyle();
  TvxText* part = TextPart();
  if (!part) return;
  part->SetWordWrap(wordWrap_);
  if (autoSize_) FitToText(*part);
}

void TvxLabel::FitToText(TvxText& part) {
  wordWrap_ = false;
  part.SetWordWrap(false);
  part.SetVertTextAlign(vxTextAlignNear);
  part.SetHorzTextAlign(vxTextAlignNear);
  const TvxAlign align = part.Align();
  part.SetAlign(vaNone);
  part.SetAutoSize(true);
  SetWidth(part.Width());
  SetHeight(part.Height());
  part.SetAutoSize(false);
  part.SetAlign(align);
}
