#include "platform/Form.h"

#include <gtest/gtest.h>

#include "platform/TimerComponent.h"
#include "platform/component/FormText.h"
#include "platform/headless/HeadlessPlatform.h"

namespace {

class TTestForm : public TForm {
  LC_CLASS(TTestForm, TForm)

 public:
  using TForm::TForm;
  void FormCreate(TObject*) { ++creates; }
  void Timer1Timer(TObject*) {
    ++ticks;
    if (ticks == 3 && Modal()) SetModalResult(mrOk);
  }
  int creates = 0;
  int ticks = 0;
};
LC_PUBLISH(TTestForm) {
  p.Method("FormCreate", &TTestForm::FormCreate);
  p.Method("Timer1Timer", &TTestForm::Timer1Timer);
}

// Records what reaches the client area.
class TRecordingContent : public IFormContent {
 public:
  void ContentMessage(const TWindowMessage& m) override { kinds.push_back(m.kind); }
  void ContentResized(int w, int h) override { size = {0, 0, w, h}; }
  void ContentShown() override { ++shown; }
  std::vector<TWindowMessage::Kind> kinds;
  TBoundsI size;
  int shown = 0;
};

std::vector<uint8_t> Binary(const std::string& text) {
  return WriteFormBinary(ReadFormText(text));
}

const std::string kForm =
    "object Form1: TTestForm\n"
    "  Left = 405\n"
    "  Top = 243\n"
    "  ClientWidth = 479\n"
    "  ClientHeight = 195\n"
    "  BorderStyle = bsNone\n"
    "  Caption = 'yi'\n"
    "  OnCreate = FormCreate\n"
    "  object Timer1: TTimer\n"
    "    Interval = 500\n"
    "    OnTimer = Timer1Timer\n"
    "  end\n"
    "end\n";

class FormTest : public testing::Test {
 protected:
  void SetUp() override {
    RegisterClass(TTestForm::StaticClass());
    RegisterClass(TTimer::StaticClass());
  }
  THeadlessWindow& Window() { return *platform.Windows().Windows().back(); }
  THeadlessPlatform platform;
};

TEST_F(FormTest, FormDataSetsTheWindowAndBindsHandlers) {
  auto* form = CreateForm<TTestForm>(nullptr, Binary(kForm));
  EXPECT_EQ(form->creates, 1);
  EXPECT_EQ(Window().Bounds(), (TBoundsI{405, 243, 479, 195}));
  EXPECT_TRUE(Window().Frameless());
  EXPECT_EQ(Window().Title(), "yi");
  EXPECT_FALSE(Window().Visible());
  auto* timer = dynamic_cast<TTimer*>(form->FindComponent("Timer1"));
  ASSERT_NE(timer, nullptr);
  platform.Advance(1000);
  EXPECT_EQ(form->ticks, 2);
  delete form;
  EXPECT_TRUE(platform.Windows().Windows().empty());
}

TEST_F(FormTest, ModalRunEndsWithTheResultItWasGiven) {
  auto* form = CreateForm<TTestForm>(nullptr, Binary(kForm));
  EXPECT_EQ(form->ShowModal(), mrOk);
  EXPECT_EQ(form->ticks, 3);
  EXPECT_FALSE(form->Visible());
  delete form;
}

TEST_F(FormTest, ClosingAModalFormCancelsAndAnOtherFormIsClosed) {
  auto* form = CreateForm<TTestForm>(nullptr, Binary(kForm));
  form->FindComponent("Timer1")->SetName("");  // keep it from ending the run
  dynamic_cast<TTimer*>(form->Components(0))->OnTimer = [form](TObject*) { form->Close(); };
  EXPECT_EQ(form->ShowModal(), mrCancel);
  form->Show();
  EXPECT_FALSE(form->Closed());
  TWindowMessage close;
  close.kind = TWindowMessage::Kind::Close;
  Window().Send(close);
  EXPECT_TRUE(form->Closed());
  EXPECT_FALSE(form->Visible());
  delete form;
}

TEST_F(FormTest, HooksSeeEveryMessageBeforeTheContent) {
  TTestForm form(nullptr);
  TRecordingContent content;
  form.SetContent(&content);
  EXPECT_EQ(content.size, (TBoundsI{0, 0, 320, 240}));
  form.SetClientWidth(100);
  EXPECT_EQ(content.size.width, 100);
  std::vector<std::string> order;
  const int hook = AddMessageHook([&](INativeWindow&, const TWindowMessage& m) {
    order.push_back("hook");
    EXPECT_EQ(content.kinds.size(), m.kind == TWindowMessage::Kind::MouseDown ? 0u : 1u);
  });
  form.Show();
  EXPECT_EQ(content.shown, 1);
  Window().MouseDown(5, 5);
  Window().MouseUp(5, 5);
  RemoveMessageHook(hook);
  Window().MouseMove(6, 6);
  EXPECT_EQ(order.size(), 2u);
  EXPECT_EQ(content.kinds.size(), 3u);
}

TEST_F(FormTest, AFilterThatTakesAMessageKeepsItFromHooksAndContent) {
  TTestForm form(nullptr);
  TRecordingContent content;
  form.SetContent(&content);
  std::vector<std::string> order;
  const int filter = AddMessageFilter([&](INativeWindow&, const TWindowMessage& m) {
    order.push_back("filter");
    return m.kind == TWindowMessage::Kind::MouseDown;
  });
  const int hook =
      AddMessageHook([&](INativeWindow&, const TWindowMessage&) { order.push_back("hook"); });
  Window().MouseDown(5, 5);
  Window().MouseUp(5, 5);
  RemoveMessageFilter(filter);
  Window().MouseDown(5, 5);
  RemoveMessageHook(hook);
  EXPECT_EQ(order, (std::vector<std::string>{"filter", "filter", "hook", "hook"}));
  EXPECT_EQ(content.kinds, (std::vector<TWindowMessage::Kind>{TWindowMessage::Kind::MouseUp,
                                                              TWindowMessage::Kind::MouseDown}));
}

}  // namespace
