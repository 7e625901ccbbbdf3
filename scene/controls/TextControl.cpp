#include "scene/controls/TextControl.h"

#include <variant>

#include "platform/Action.h"
#include "platform/component/Publisher.h"
#include "platform/component/Unicode.h"
#include "scene/controls/Translation.h"
#include "scene/graphics/Text.h"

LC_PUBLISH(TvxTextControl) {}

TvxTextControl::TvxTextControl(TComponent* owner)
    : TvxControl(owner),
      font_(std::make_unique<TvxFont>()),
      textBrush_(std::make_unique<TvxBrush>(vxBrushSolid, 0xFF000000)) {
  font_->OnChange = TNotifyEvent(this, &TvxTextControl::FontChanged);
  textBrush_->OnChange = TNotifyEvent(this, &TvxTextControl::TextBrushChanged);
}

TvxTextControl::~TvxTextControl() {
  // The style copy goes before the members its parts refer to.
  DestroyTree();
}

void TvxTextControl::SetText(const std::u16string& value) {
  if (text_ == value) return;
  text_ = value;
  if (textPart_) {
    textPart_->SetText(text_);
    textPart_->Repaint();
  } else if (auto* styleText = dynamic_cast<TvxText*>(StyleObject())) {
    styleText->SetText(text_);
  } else {
    Repaint();
  }
  TextChanged();
}

void TvxTextControl::SetTextAlign(TvxTextAlign value) {
  if (textAlign_ == value) return;
  textAlign_ = value;
  if (textPart_) {
    textPart_->SetHorzTextAlign(value);
  } else {
    Repaint();
  }
}

void TvxTextControl::SetVertTextAlign(TvxTextAlign value) {
  if (vertTextAlign_ == value) return;
  vertTextAlign_ = value;
  if (textPart_) {
    textPart_->SetVertTextAlign(value);
  } else {
    Repaint();
  }
}

void TvxTextControl::SetWordWrap(bool value) {
  if (wordWrap_ == value) return;
  wordWrap_ = value;
  if (textPart_) textPart_->SetWordWrap(value);
}

void TvxTextControl::FontChanged(TObject*) {
  if (textPart_) textPart_->Font()->Assign(*font_);
}

void TvxTextControl::TextBrushChanged(TObject*) {
  if (textPart_) textPart_->Fill()->Assign(*textBrush_);
}

void TvxTextControl::ApplyStyle() {
  TvxControl::ApplyStyle();
  textPart_ = dynamic_cast<TvxText*>(FindResource("text"));
  if (auto* foreground = dynamic_cast<TvxBrushObject*>(FindResource("foreground"))) {
    textBrush_->Assign(*foreground->Brush());
    TextBrushChanged(this);  // also when the brush was already equal
  }
  if (textPart_) {
    textPart_->SetText(text_);
    textPart_->SetHorzTextAlign(textAlign_);
    textPart_->SetVertTextAlign(vertTextAlign_);
    textPart_->SetWordWrap(wordWrap_);
    textPart_->Font()->Assign(*font_);
  }
  if (!AutoTranslate()) return;
  const std::u16string translated = Translate(text_);
  IvxScene* scene = Scene();
  if (!(scene && scene->IsDesigning())) {
    SetText(translated);
  } else if (textPart_) {
    textPart_->SetText(translated);  // shown only: the designed text stays untranslated
  }
}

void TvxTextControl::FreeStyle() {
  textPart_ = nullptr;
  TvxControl::FreeStyle();
}

TVariant TvxTextControl::GetData() {
  return Utf16ToUtf8(text_);
}

void TvxTextControl::SetData(const TVariant& value) {
  SetText(Utf8ToUtf16(VariantToText(value)));
}

void TvxTextControl::ActionChange(TAction& action, bool loading) {
  TvxControl::ActionChange(action, loading);
  if (!loading || text_.empty() || text_ == Utf8ToUtf16(Name()))
    SetText(Utf8ToUtf16(action.Caption()));
}
