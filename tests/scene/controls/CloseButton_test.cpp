#include "scene/controls/CloseButton.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ControlsTesting_support.h"
#include "platform/Form.h"
#include "scene/controls/Background.h"

namespace {

class TFormScene : public TStyleScene {
 public:
  TComponent* GetComponent() override { return component; }
  TComponent* component = nullptr;
};

class CloseButtonInput : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    form_ = std::make_unique<TForm>(nullptr);
    form_->OnClose = [this](TObject*) { events_.push_back("close"); };
    scene_.component = new TComponent(form_.get());
    root_ = new TvxBackground(&owner_);
    scene_.SetRoot(root_);
    button_ = new TvxCloseButton(&owner_);
    root_->AddObject(button_);
    button_->OnClick = [this](TObject*) { events_.push_back("click"); };
  }
  void Click() {
    button_->MouseDown(TMouseButton::mbLeft, ssLeft, 5, 5);
    button_->MouseUp(TMouseButton::mbLeft, 0, 5, 5);
  }

  std::unique_ptr<TForm> form_;
  TFormScene scene_;
  TvxBackground* root_ = nullptr;
  TvxCloseButton* button_ = nullptr;
  std::vector<std::string> events_;
};

TEST_F(CloseButtonInput, AsksTheFormToCloseBeforeItsOwnClick) {
  Click();
  EXPECT_EQ(events_, (std::vector<std::string>{"close", "click"}));
  EXPECT_TRUE(form_->Closed());
}

TEST_F(CloseButtonInput, ItsOwnClickIsApartFromTheVisualObjects) {
  int visualClicks = 0;
  static_cast<TvxVisualObject*>(button_)->OnClick = [&](TObject*) { ++visualClicks; };
  Click();
  EXPECT_EQ(visualClicks, 1);
  EXPECT_EQ(events_, (std::vector<std::string>{"close", "click"}));
}

TEST_F(CloseButtonInput, WithoutCloseFormOnlyClicks) {
  button_->SetCloseForm(false);
  Click();
  EXPECT_EQ(events_, (std::vector<std::string>{"click"}));
  EXPECT_FALSE(form_->Closed());
}

TEST_F(CloseButtonInput, DoesNotCaptureAndIgnoresAReleaseWithoutAPress) {
  button_->MouseDown(TMouseButton::mbLeft, ssLeft, 5, 5);
  EXPECT_EQ(scene_.captured, nullptr);
  button_->MouseUp(TMouseButton::mbLeft, 0, 5, 5);
  events_.clear();
  button_->MouseUp(TMouseButton::mbLeft, 0, 5, 5);
  button_->MouseDown(TMouseButton::mbRight, 0, 5, 5);
  button_->MouseUp(TMouseButton::mbRight, 0, 5, 5);
  EXPECT_TRUE(events_.empty());
}

TEST_F(CloseButtonInput, OutsideAnyFormItStillClicks) {
  scene_.component = nullptr;
  Click();
  EXPECT_EQ(events_, (std::vector<std::string>{"click"}));
}

}  // namespace
