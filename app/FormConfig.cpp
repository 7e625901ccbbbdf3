#include "app/FormConfig.h"

#include "app/UnitMain.h"
#include "platform/DateTimeText.h"
#include "platform/Platform.h"
#include "platform/component/Unicode.h"
#include "scene/controls/CalendarBox.h"
#include "scene/controls/CheckBox.h"
#include "scene/controls/ComboBox.h"
#include "scene/controls/NumberBox.h"
#include "scene/core/VisualObject.h"

LC_PUBLISH(TfConfig) {
  p.Method("RadioButton1Click", &TfConfig::RadioButton1Click);
  p.Method("RadioButton2Click", &TfConfig::RadioButton2Click);
  p.Method("RadioButton3Click", &TfConfig::RadioButton3Click);
  p.Method("RadioButton4Click", &TfConfig::RadioButton4Click);
  p.Method("CloseButton1Click", &TfConfig::CloseButton1Click);
}

namespace {

std::string TextOf(const std::u16string& text) {
  return Utf16ToUtf8(text);
}

}  // namespace

TfConfig::TfConfig(TComponent* owner) : TForm(owner) {}

// The form data names every part; a missing one is a broken build, not a user's problem.
template <class T>
T& TfConfig::Part(const char* name) const {
  auto* part = dynamic_cast<T*>(FindComponent(name));
  if (!part) throw EComponentError(std::string("settings dialog lacks ") + name);
  return *part;
}

TFormMain* TfConfig::Main() const {
  return dynamic_cast<TFormMain*>(Owner());
}

void TfConfig::ShowPanel(bool countdown) {
  Part<TvxVisualObject>("Layout1").SetVisible(!countdown);
  Part<TvxVisualObject>("Layout2").SetVisible(countdown);
}

void TfConfig::RadioButton1Click(TObject*) {
  ShowPanel(true);
  for (const char* name : {"HourText", "MinutText", "SecondText"})
    Part<TvxNumberBox>(name).SetText(u"0");
}

void TfConfig::RadioButton2Click(TObject*) {
  ShowPanel(false);
  const TDateTimeParts now = DecodeDateTime(Platform().clock->Now());
  Part<TvxNumberBox>("NumberBox1").SetText(Utf8ToUtf16(PadTwo(now.hour)));
  Part<TvxNumberBox>("NumberBox2").SetText(Utf8ToUtf16(PadTwo(now.minute)));
  Part<TvxNumberBox>("NumberBox3").SetText(Utf8ToUtf16(PadTwo(now.second)));
}

// A refused moment leaves the dialog open; text that reads as no time is reported here, as
// the engine leaves that to its caller.
void TfConfig::RadioButton3Click(TObject*) {
  TFormMain* main = Main();
  if (!main) return;
  try {
    main->Engine().Start(Input());
  } catch (const Exception& failure) {
    ShowErrorReport(failure);
  }
}

void TfConfig::RadioButton4Click(TObject*) {
  if (TFormMain* main = Main()) main->Engine().Stop();
}

void TfConfig::CloseButton1Click(TObject*) {
  if (TFormMain* main = Main())
    main->SetShowSpriteChecked(main->Engine().DisplayMode() == DisplaySpriteAndTray);
}

TConfigInput TfConfig::Input() const {
  TConfigInput input;
  input.RadioButton1 = Part<TvxRadioButton>("RadioButton1").IsChecked();
  input.HourText = TextOf(Part<TvxNumberBox>("HourText").Text());
  input.MinutText = TextOf(Part<TvxNumberBox>("MinutText").Text());
  input.SecondText = TextOf(Part<TvxNumberBox>("SecondText").Text());
  const TFormatSettings& settings = Platform().locale->Settings();
  const TDateTime day = ReplaceTime(Part<TvxCalendarBox>("CalendarBox1").Date(), 0);
  input.CalendarBox1 = FormatDateTime(settings.ShortDateFormat, day, settings);
  input.NumberBox1 = TextOf(Part<TvxNumberBox>("NumberBox1").Text());
  input.NumberBox2 = TextOf(Part<TvxNumberBox>("NumberBox2").Text());
  input.NumberBox3 = TextOf(Part<TvxNumberBox>("NumberBox3").Text());
  input.StringComboBox1 = Part<TvxComboBox>("StringComboBox1").ItemIndex();
  input.StringComboBox2 = Part<TvxComboBox>("StringComboBox2").ItemIndex();
  return input;
}
