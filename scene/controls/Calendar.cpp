#include "scene/controls/Calendar.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "platform/DateTimeText.h"
#include "platform/Platform.h"
#include "platform/component/Publisher.h"
#include "platform/component/Unicode.h"
#include "scene/controls/Button.h"
#include "scene/controls/CalendarMonth.h"
#include "scene/controls/Label.h"
#include "scene/controls/ListBox.h"
#include "scene/controls/ListBoxItem.h"
#include "scene/controls/PopupBox.h"
#include "scene/core/Bounds.h"
#include "scene/core/Position.h"
#include "scene/graphics/GridLayout.h"
#include "scene/graphics/Path.h"
#include "scene/graphics/PathData.h"
#include "scene/graphics/Shapes.h"

namespace {

const TEnumInfo CalDayOfWeekNames{{"vxMonday", "vxTuesday", "vxWednesday", "vxThursday", "vxFriday",
                                   "vxSaturday", "vxSunday", "vxLocaleDefault"}};

constexpr float kRowHeight = 19;
constexpr int kYearsAround = 10;

TDateTime Now() {
  return Platform().clock->Now();
}

const TFormatSettings& Locale() {
  return Platform().locale->Settings();
}

bool InRange(TDateTime value) {
  return value >= MinDateTime && value <= MaxDateTime;
}

std::u16string Number(int value) {
  return Utf8ToUtf16(std::to_string(value));
}

}  // namespace

// Holds the calendar's update bracket open for its lifetime.
class TvxCalendar::TUpdate {
 public:
  explicit TUpdate(int& count) : count_(count) { ++count_; }
  ~TUpdate() { --count_; }
  TUpdate(const TUpdate&) = delete;
  TUpdate& operator=(const TUpdate&) = delete;

 private:
  int& count_;
};

LC_PUBLISH(TvxCalendar) {
  using C = TvxCalendar;
  p.Component("BindingSource", &C::BindingSource, &C::SetBindingSource);
  p.Float("Date", &C::Date, &C::SetDate);
  p.Enum("FirstDayOfWeek", CalDayOfWeekNames, &C::FirstDayOfWeek, &C::SetFirstDayOfWeek,
         vxLocaleDefault);
  p.Bool("TodayDefault", &C::TodayDefault, &C::SetTodayDefault);
  p.Bool("WeekNumbers", &C::WeekNumbers, &C::SetWeekNumbers);
  p.Event("OnChange", &C::OnChange);
  p.Event("OnDayChange", &C::OnDayChange);
}

TvxCalendar::TvxCalendar(TComponent* owner) : TvxControl(owner), date_(Now()) {
  SetWidth(180);
  SetHeight(160);
  BuildHeader();
  BuildWeekdays();
  BuildWeekColumn();
  BuildDays();
  Fill();
}

TvxCalendar::~TvxCalendar() = default;

template <class T>
T* TvxCalendar::Own(T* part) {
  part->SetLocked(true);
  part->SetStored(false);
  return part;
}

void TvxCalendar::BuildHeader() {
  auto* header = Own(new TvxLayout(this));
  header->SetParent(this);
  header->SetHeight(kRowHeight);
  header->SetAlign(vaMostTop);
  header->Padding()->SetBottom(2);
  auto arrow = [this](const char* path) {
    auto* shape = new TvxPath(this);
    shape->Data()->SetData(path);
    return shape;
  };
  previous_ = AddHeaderButton(*header, 0, arrow("M 1,0 L 1,1 L 0,0.5 Z"));
  previous_->OnClick = [this](TObject*) { SetDate(IncMonth(date_, -1)); };
  today_ = AddHeaderButton(*header, 30, new TvxEllipse(this));
  today_->OnClick = [this](TObject* sender) { TodayClicked(sender); };
  next_ = AddHeaderButton(*header, 50, arrow("M 0,0 L 1,0.5 L 0,1 Z"));
  next_->OnClick = [this](TObject*) { SetDate(IncMonth(date_, 1)); };

  monthPicker_ = AddPicker(*header);
  monthPicker_->SetAlign(vaClient);
  monthPicker_->Padding()->SetLeft(5);
  monthPicker_->Padding()->SetRight(5);
  monthPicker_->SetTextAlign(vxTextAlignFar);
  std::vector<std::u16string> months;
  for (const std::string& name : Locale().LongMonthNames) months.push_back(Utf8ToUtf16(name));
  monthPicker_->SetItems(std::move(months));
  monthPicker_->OnChange = [this](TObject* sender) { MonthChosen(sender); };

  yearPicker_ = AddPicker(*header);
  yearPicker_->SetWidth(40);
  yearPicker_->SetAlign(vaRight);
  yearPicker_->SetTextAlign(vxTextAlignNear);
  yearPicker_->OnChange = [this](TObject* sender) { YearChosen(sender); };
}

TvxButton* TvxCalendar::AddHeaderButton(TvxLayout& header, float x, TvxShape* mark) {
  auto* button = Own(new TvxButton(this));
  button->SetParent(&header);
  button->SetBounds(x, 0, kRowHeight, kRowHeight);
  button->SetAlign(vaLeft);
  button->Padding()->SetRight(2);
  button->SetResource("transparentcirclebuttonstyle");
  button->SetRepeatClick(true);
  button->SetCanFocused(false);
  Own(mark)->SetParent(button);
  mark->SetBounds(7, 7, 5, 5);
  mark->SetAlign(vaCenter);
  mark->SetHitTest(false);
  mark->Stroke()->SetStyle(vxBrushNone);
  return button;
}

TvxPopupBox* TvxCalendar::AddPicker(TvxLayout& header) {
  auto* picker = Own(new TvxPopupBox(this));
  picker->SetParent(&header);
  picker->SetDisableFocusEffect(true);
  picker->SetCanFocused(false);
  picker->SetResource("labelstyle");
  picker->Font()->SetStyle(vxFontBold);
  return picker;
}

void TvxCalendar::BuildWeekdays() {
  weekdays_ = Own(new TvxGridLayout(this));
  weekdays_->SetParent(this);
  weekdays_->SetBounds(0, 20, Width(), kRowHeight);
  weekdays_->SetAlign(vaTop);
  weekdays_->Padding()->SetBottom(2);
  weekdays_->SetItemHeight(kRowHeight);
  weekdays_->SetItemWidth(Width() / 7);
  for (TvxLabel*& label : weekdayLabels_) {
    label = Own(new TvxLabel(this));
    label->SetParent(weekdays_);
    label->SetWordWrap(false);
  }
}

void TvxCalendar::BuildWeekColumn() {
  weekColumn_ = Own(new TvxGridLayout(this));
  weekColumn_->SetParent(this);
  weekColumn_->SetWidth(23);
  weekColumn_->SetAlign(vaMostLeft);
  weekColumn_->Padding()->SetTop(21);
  weekColumn_->SetItemHeight(kRowHeight);
  weekColumn_->SetItemWidth(23);
  weekColumn_->SetVisible(false);
  for (TvxLabel*& label : weekLabels_) {
    label = Own(new TvxLabel(this));
    label->SetParent(weekColumn_);
    label->SetWordWrap(false);
  }
}

void TvxCalendar::BuildDays() {
  days_ = Own(new TvxListBox(this));
  days_->SetParent(this);
  days_->SetBounds(0, 50, Width(), 114);
  days_->SetAlign(vaTop);
  days_->SetColumns(7);
  days_->SetItemHeight(kRowHeight);
  days_->SetAlternatingRowBackground(true);
  days_->SetHideSelectionUnfocused(false);
  days_->SetShowScrollBars(false);
  days_->SetResource("transparentlistboxstyle");
  for (int i = 0; i < TvxCalendarMonth::kCells; ++i) {
    auto* item = Own(new TvxListBoxItem(this));
    item->SetParent(days_);
    item->SetTextAlign(vxTextAlignFar);
    item->SetWordWrap(false);
  }
  days_->OnChange = [this](TObject* sender) { DaysChanged(sender); };
}

void TvxCalendar::Realign() {
  TvxControl::Realign();
  // A hair less than a seventh, so that rounding never pushes the last name to a new row.
  if (weekdays_) weekdays_->SetItemWidth(weekdays_->Width() / 7 - 0.1f);
}

void TvxCalendar::SetDate(TDateTime value) {
  if (!InRange(value)) return;
  const TDateTime old = date_;
  TUpdate update(updating_);
  try {
    StoreDate(ReplaceTime(value, date_));
  } catch (...) {
    date_ = old;
    throw;
  }
}

void TvxCalendar::StoreDate(TDateTime value) {
  if (value == date_) return;
  date_ = value;
  Fill();
  UpdateBindings();
  OnChange(this);
}

void TvxCalendar::StoreDay(int year, int month, int day) {
  TDateTime value = 0;
  if (TryEncodeDate(year, month, std::min(day, DaysInMonth(year, month)), value)) {
    StoreDate(value);
  }
}

void TvxCalendar::SetFirstDayOfWeek(TvxCalDayOfWeek value) {
  if (firstDayOfWeek_ == value) return;
  firstDayOfWeek_ = value;
  Fill();
}

void TvxCalendar::SetTodayDefault(bool value) {
  todayDefault_ = value;
  if (value) SetDate(Now());
}

void TvxCalendar::SetWeekNumbers(bool value) {
  if (weekNumbers_ == value) return;
  weekNumbers_ = value;
  Fill();
}

int TvxCalendar::EffectiveFirstWeekday() const {
  const int setting =
      firstDayOfWeek_ == vxLocaleDefault ? Locale().FirstDayOfWeek : int(firstDayOfWeek_);
  return TvxCalendarMonth::WeekdayFromSetting(setting);
}

void TvxCalendar::Fill() {
  TUpdate update(updating_);
  firstWeekday_ = EffectiveFirstWeekday();
  const auto& dayNames = Locale().ShortDayNames;
  for (int i = 0; i < 7; ++i) {
    weekdayLabels_[i]->SetText(Utf8ToUtf16(dayNames[(i + firstWeekday_) % 7]));
  }
  const TvxCalendarMonth month(date_, firstWeekday_);
  offset_ = month.Offset();
  for (int cell = 0; cell < TvxCalendarMonth::kCells; ++cell) {
    TvxListBoxItem* item = days_->ItemByIndex(cell);
    item->SetText(Number(month.CellDay(cell)));
    item->SetOpacity(month.CellOpacity(cell));
  }
  weekColumn_->SetVisible(weekNumbers_);
  if (weekNumbers_) {
    for (int row = 0; row < TvxCalendarMonth::kRows; ++row) {
      weekLabels_[row]->SetText(Number(month.WeekNumber(row)));
    }
  }
  SelectDay(month.SelectedCell());
  monthPicker_->SetItemIndex(month.Month() - 1);
  std::vector<std::u16string> years;
  for (int year = month.Year() - kYearsAround; year <= month.Year() + kYearsAround; ++year) {
    years.push_back(Number(year));
  }
  yearPicker_->SetItems(std::move(years));
  yearPicker_->SetItemIndex(kYearsAround);
}

void TvxCalendar::SelectDay(int cell) {
  TUpdate update(updating_);
  days_->SetItemIndex(cell);
}

void TvxCalendar::DaysChanged(TObject*) {
  // The fill's own selection shows the current date; storing it would drop the time of day.
  if (updating_ > 0) return;
  const TvxCalendarMonth month(date_, firstWeekday_);
  const int day = month.DayOfCell(days_->ItemIndex());
  if (day > 0) {
    StoreDay(month.Year(), month.Month(), day);
  } else {
    SelectDay(month.SelectedCell());  // another month's day changes nothing, not even the mark
  }
  if (updating_ == 0) OnDayChange(this);
}

void TvxCalendar::MonthChosen(TObject*) {
  const TDateTimeParts parts = DecodeDateTime(date_);
  StoreDay(parts.year, monthPicker_->ItemIndex() + 1, parts.day);
}

void TvxCalendar::YearChosen(TObject*) {
  const TDateTimeParts parts = DecodeDateTime(date_);
  const std::string text = Utf16ToUtf8(yearPicker_->Text());
  int year = 0;
  for (char c : text) {
    if (c < '0' || c > '9' || year > 9999) return;
    year = year * 10 + (c - '0');
  }
  StoreDay(year, parts.month, parts.day);
}

void TvxCalendar::TodayClicked(TObject*) {
  SetDate(Now());
  if (updating_ == 0) OnDayChange(this);
}

void TvxCalendar::MouseWheel(TShiftState shift, int wheelDelta, bool& handled) {
  TvxControl::MouseWheel(shift, wheelDelta, handled);
  SetDate(IncMonth(date_, wheelDelta <= 0 ? 1 : -1));
  handled = true;
}

TVariant TvxCalendar::GetData() {
  return date_;
}

void TvxCalendar::SetData(const TVariant& value) {
  if (const auto* number = std::get_if<double>(&value)) return SetDate(*number);
  if (const auto* whole = std::get_if<int64_t>(&value)) return SetDate(double(*whole));
  const auto* text = std::get_if<std::string>(&value);
  TDateTime parsed = 0;
  if (text && TryStrToDateTime(*text, Locale(), parsed)) SetDate(parsed);
}
