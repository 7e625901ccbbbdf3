#include "scene/controls/CalendarBox.h"

#include "platform/component/Publisher.h"
#include "scene/controls/Calendar.h"
#include "scene/graphics/Canvas.h"
#include "scene/graphics/CanvasStateGuard.h"

LC_PUBLISH(TvxCalendarBox) {
  using C = TvxCalendarBox;
  p.Float("Date", &C::Date, &C::SetDate);
  p.Enum("TextAlign", TextAlignNames, &C::TextAlign, &C::SetTextAlign, vxTextAlignNear);
  p.Event("OnChange", &C::OnChange);
}

TvxCalendarBox::TvxCalendarBox(TComponent* owner) : TvxTextControl(owner), dropDown_(*this) {
  SetWidth(100);
  SetHeight(22);
  SetCanFocused(true);
  SetTextAlign(vxTextAlignNear);
  SetResource("combotextboxstyle");

  dropDown_.Calendar().OnChange = [this](TObject*) { DateChanged(); };
  ShowDate();
}

TvxCalendarBox::~TvxCalendarBox() = default;

TDateTime TvxCalendarBox::Date() const {
  return dropDown_.Calendar().Date();
}

void TvxCalendarBox::SetDate(TDateTime value) {
  dropDown_.Calendar().SetDate(value);
  ShowDate();
}

void TvxCalendarBox::DateChanged() {
  ShowDate();
  OnChange(this);
}

void TvxCalendarBox::ShowDate() {
  SetText(dropDown_.DateText());
}

void TvxCalendarBox::MouseDown(TMouseButton button, TShiftState shift, float x, float y) {
  TvxTextControl::MouseDown(button, shift, x, y);
  if (button != TMouseButton::mbLeft) return;
  dropDown_.Toggle();
}

void TvxCalendarBox::ApplyStyle() {
  TvxTextControl::ApplyStyle();
  content_ = dynamic_cast<TvxVisualObject*>(FindResource("content"));
  if (!content_) return;
  content_->OnPaint = [this](TObject*, TvxCanvas* canvas, const TvxRect& rect) {
    if (canvas) PaintText(*canvas, rect);
  };
}

void TvxCalendarBox::FreeStyle() {
  if (content_) content_->OnPaint = {};
  content_ = nullptr;
  TvxTextControl::FreeStyle();
}

// A date with its time of day is wider than the dialog's box; it ends at the content's edge
// instead of running under the arrow and over the neighbours.
void TvxCalendarBox::PaintText(TvxCanvas& canvas, const TvxRect& rect) {
  const TvxCanvasStateGuard clip(canvas);
  canvas.IntersectClipRect(rect);
  canvas.Font().Assign(*Font());
  canvas.Fill().Assign(*TextBrush());
  canvas.FillText(rect, Text(), false, GetAbsoluteOpacity(), TextAlign(), vxTextAlignCenter);
}
