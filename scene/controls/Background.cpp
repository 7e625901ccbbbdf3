#include "scene/controls/Background.h"

#include "platform/component/Publisher.h"
#include "scene/graphics/Canvas.h"

LC_PUBLISH(TvxBackground) {
  p.Object("Fill", &TvxBackground::Fill);
}

TvxBackground::TvxBackground(TComponent* owner)
    : TvxControl(owner), fill_(std::make_unique<TvxBrush>(vxBrushNone, 0xFFE0E0E0)) {
  fill_->OnChange = [this](TObject*) { Repaint(); };
}

void TvxBackground::SetFill(const TvxBrush& value) {
  fill_->Assign(value);
}

void TvxBackground::Paint() {
  TvxCanvas* canvas = Canvas();
  if (!canvas || fill_->Style() == vxBrushNone) return;
  canvas->Fill().Assign(*fill_);
  canvas->FillRect(GetLocalRect(), 0, 0, AllCorners, GetAbsoluteOpacity(), vxCornerRound);
}

void TvxBackground::PaintChildren() {
  PaintChildrenExcept(HidesStyle() ? StyleObject() : nullptr);
}

bool TvxBackground::HidesStyle() const {
  if (fill_->Style() != vxBrushNone) return true;
  IvxScene* scene = Scene();
  return scene && scene->GetRoot() == this && scene->GetTransparency();
}
