#include "scene/controls/CalendarBox.h"

#include "platform/DateTimeText.h"
#include "platform/Platform.h"
#include "platform/component/Publisher.h"
#include "platform/component/Unicode.h"
#include "scene/controls/Calendar.h"
#include "scene/controls/Popup.h"
#include "scene/core/Bounds.h"
#include "scene/graphics/Canvas.h"
#include "scene/graphics/CanvasStateGuard.h"

LC_PUBLISH(TvxCalendarBox) {
  using C = TvxCalendarBox;
  p.Float("Date", &C::Date, &C::SetDate);
  p.Enum("TextAlign", TextAlignNames, &C::TextAlign, &C::SetTextAlign, vxTextAlignNear);
  p.Event("OnChange", &C::OnChange);
}

TvxCalendarBox::TvxCalendarBox(TComponent* owner) : TvxTextControl(owner) {
  SetWidth(100);
  SetHeight(22);
  SetCanFocused(true);
  SetTextAlign(vxTextAlignNear);
  SetResource("combotextboxstyle");

  popup_ = new TvxPopup(this);
  popup_->SetStored(false);
  popup_->SetLocked(true);
  popup_->SetDesignHide(true);
  popup_->SetParent(this);
  popup_->SetResource("combopopupstyle");
  popup_->SetPlacementTarget(this);
  popup_->SetPlacement(vxPlacementBottom);
  popup_->SetStaysOpen(false);
  popup_->SetBounds(0, 0, 186, 166);

  calendar_ = new TvxCalendar(this);
  calendar_->SetStored(false);
  calendar_->SetLocked(true);
  calendar_->SetParent(popup_);
  calendar_->Padding()->SetRect({3, 3, 3, 3});
  calendar_->SetAlign(vaClient);
  calendar_->OnChange = [this](TObject*) { DateChanged(); };
  calendar_->OnDayChange = [this](TObject*) { DayPicked(); };
  ShowDate();
}

TvxCalendarBox::~TvxCalendarBox() = default;

TDateTime TvxCalendarBox::Date() const {
  return calendar_->Date();
}

void TvxCalendarBox::SetDate(TDateTime value) {
  calendar_->SetDate(value);
  ShowDate();
}

void TvxCalendarBox::DateChanged() {
  ShowDate();
  OnChange(this);
}

void TvxCalendarBox::ShowDate() {
  SetText(Utf8ToUtf16(DateTimeToText(calendar_->Date(), Platform().locale->Settings())));
}

void TvxCalendarBox::DayPicked() {
  if (popup_->IsOpen()) popup_->ClosePopup();
}

void TvxCalendarBox::MouseDown(TMouseButton button, TShiftState shift, float x, float y) {
  TvxTextControl::MouseDown(button, shift, x, y);
  if (button != TMouseButton::mbLeft) return;
  if (popup_->IsOpen()) return popup_->ClosePopup();
  popup_->SetPlacement(vxPlacementBottom);
  popup_->SetIsOpen(true);
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
