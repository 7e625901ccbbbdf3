#include "scene/graphics/PaintBox.h"

LC_PUBLISH(TvxPaintBox) {
  p.Event("OnPaint", &TvxPaintBox::OnPaint);
}

void TvxPaintBox::Paint() {
  if (TvxCanvas* canvas = Canvas()) OnPaint(this, canvas);
}
