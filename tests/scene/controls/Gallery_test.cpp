// Renders the controls gallery through the real raster backend: every control must show the
// default style's look, and state triggers must reach the drawn pixels.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "ControlsTesting_support.h"
#include "platform/Form.h"
#include "platform/component/FormText.h"
#include "platform/component/ObjectReader.h"
#include "scene/controls/CheckBox.h"
#include "scene/graphics/RasterBackend.h"
#include "scene/host/Scene.h"

namespace {

constexpr uint32_t kBackground = 0xFF505050;  // the default "backgroundstyle" fill

std::string ReadSource(const std::string& path) {
  std::ifstream file(std::string(LC_SOURCE_DIR) + "/" + path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

class Gallery : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    UseRasterBackend();
    form_ = std::make_unique<TForm>(nullptr);
    TObjectReader reader;
    reader.ReadInto(*form_, ReadFormText(ReadSource("tests/e2e/gallery.form")));
    for (const std::string& error : reader.Errors()) ADD_FAILURE() << error;
    for (int i = 0; i < form_->ComponentCount() && !scene_; ++i)
      scene_ = dynamic_cast<TvxCustomScene*>(form_->Components(i));
    ASSERT_NE(scene_, nullptr);
    scene_->SetBounds(0, 0, 400, 300);
    Draw();
  }
  void TearDown() override {
    form_.reset();
    ControlsTest::TearDown();
  }
  void Draw() {
    scene_->DrawAll();
    frame_ = scene_->Pixels();
  }
  uint32_t Pixel(int x, int y) const {
    const auto* row = reinterpret_cast<const uint8_t*>(frame_.pixels) + size_t(y * frame_.stride);
    return reinterpret_cast<const uint32_t*>(row)[x];
  }
  TvxVisualObject* Object(const std::string& name) {
    return dynamic_cast<TvxVisualObject*>(form_->FindComponent(name));
  }
  // How many pixels of the object's area differ from the plain background.
  int Marked(const std::string& name) {
    TvxVisualObject* object = Object(name);
    if (!object) return -1;
    const TvxRect r = object->GetAbsoluteRect();
    int count = 0;
    for (int y = std::max(0, int(r.Top)); y < std::min(frame_.height, int(r.Bottom)); ++y)
      for (int x = std::max(0, int(r.Left)); x < std::min(frame_.width, int(r.Right)); ++x)
        if (Pixel(x, y) != kBackground) ++count;
    return count;
  }
  static bool IsOrange(uint32_t argb) {
    const int r = int(argb >> 16 & 255), g = int(argb >> 8 & 255), b = int(argb & 255);
    return r > 200 && g > 120 && b < 100;
  }

  std::unique_ptr<TForm> form_;
  TvxCustomScene* scene_ = nullptr;
  TPixelFrame frame_;
};

TEST_F(Gallery, TheRootShowsTheBackgroundStyle) {
  ASSERT_EQ(frame_.width, 400);
  EXPECT_EQ(Pixel(300, 280), kBackground);
}

TEST_F(Gallery, EveryControlDrawsItsLook) {
  for (const char* name : {"Label1", "CloseButton1", "Button1", "SpeedButton1", "CheckBox1",
                           "RadioButton1", "RadioButton2", "RadioButton3", "Label2"})
    EXPECT_GT(Marked(name), 20) << name;
}

TEST_F(Gallery, TheAutoSizedLabelTookTheSizeOfItsText) {
  TvxVisualObject* label = Object("Label2");
  ASSERT_NE(label, nullptr);
  EXPECT_LT(label->Width(), 360);
  EXPECT_GT(label->Width(), 40);
}

TEST_F(Gallery, TheCheckedRadioButtonShowsItsMarkOnceTheAnimationRan) {
  platform_.Advance(300);
  Draw();
  EXPECT_TRUE(IsOrange(Pixel(26, 129))) << std::hex << Pixel(26, 129);
  EXPECT_FALSE(IsOrange(Pixel(26, 153))) << std::hex << Pixel(26, 153);
  auto* second = dynamic_cast<TvxRadioButton*>(Object("RadioButton2"));
  ASSERT_NE(second, nullptr);
  second->SetIsChecked(true);
  platform_.Advance(300);
  Draw();
  EXPECT_FALSE(IsOrange(Pixel(26, 129))) << std::hex << Pixel(26, 129);
  EXPECT_TRUE(IsOrange(Pixel(26, 153))) << std::hex << Pixel(26, 153);
}

TEST_F(Gallery, RadioGroupsAndTabOrderComeFromTheFormData) {
  auto* first = dynamic_cast<TvxRadioButton*>(Object("RadioButton1"));
  auto* third = dynamic_cast<TvxRadioButton*>(Object("RadioButton3"));
  ASSERT_NE(first, nullptr);
  ASSERT_NE(third, nullptr);
  EXPECT_TRUE(first->IsChecked());
  EXPECT_TRUE(third->IsChecked());
  EXPECT_EQ(first->GroupName(), "type");
  EXPECT_EQ(first->TabOrder(), 2);
}

}  // namespace
