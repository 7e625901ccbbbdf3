#include <gtest/gtest.h>

#include "ControlsTesting_support.h"
#include "scene/controls/StyleTree.h"

namespace {

// A combo box and a subclass without a style of its own; the names differ from the engine's
// only in their first three letters, which the derived style names drop.
class TtsComboBox : public TvxControl {
  LC_CLASS(TtsComboBox, TvxControl)

 public:
  using TvxControl::TvxControl;
};
class TtsStringComboBox : public TtsComboBox {
  LC_CLASS(TtsStringComboBox, TtsComboBox)

 public:
  using TtsComboBox::TtsComboBox;
};

}  // namespace

LC_PUBLISH(TtsComboBox) {}
LC_PUBLISH(TtsStringComboBox) {}

namespace {

const char* const kSceneStyles = R"(object TvxBackground
  object TvxLayout
    ResourceName = 'labelstyle'
    Width = 11.0
  end
  object TvxLayout
    ResourceName = 'LabelStyle'
    Width = 22.0
  end
  object TvxBrushObject
    ResourceName = 'Controlstyle'
  end
  object TvxLayout
    ResourceName = 'own'
    Width = 33.0
  end
end
)";

class StyleLookup : public ControlsTest {
 protected:
  float StyleWidth(TvxControl* control) {
    TvxVisualObject* style = control->GetStyleObject();
    const float width = style ? style->Width() : -1;
    delete style;
    return width;
  }
  std::string StyleName(TvxControl* control) {
    TvxVisualObject* style = control->GetStyleObject();
    const std::string name = style ? style->ResourceName() : "<none>";
    delete style;
    return name;
  }
};

TEST_F(StyleLookup, ClassNamesGiveStyleNames) {
  EXPECT_EQ(ClassStyleName("TvxRadioButton"), "RadioButtonstyle");
  EXPECT_EQ(ClassStyleName("TvxTextControl"), "TextControlstyle");
  EXPECT_EQ(ClassStyleName("Tv"), "tyle");
  EXPECT_EQ(StyleName(Make("TvxCloseButton")), "CloseButtonStyle");
  EXPECT_EQ(StyleName(Make("TvxLabel")), "labelstyle");
  EXPECT_EQ(StyleName(Make("TvxNumberBox")), "numberboxstyle");
}

TEST_F(StyleLookup, SubclassFallsBackToItsBaseInTheDefaultStyle) {
  TtsStringComboBox box(&owner_);
  EXPECT_EQ(StyleName(&box), "comboboxstyle");
  box.SetResource("comboboxstyle");
  TvxVisualObject* style = box.StyleObject();
  ASSERT_NE(style, nullptr);
  EXPECT_FLOAT_EQ(style->Width(), box.Width());  // aligned to the control
  EXPECT_NE(box.FindResource("content"), nullptr);
  // A name found nowhere falls back to the class-derived names.
  box.SetResource("nosuchstyle");
  EXPECT_EQ(StyleName(&box), "comboboxstyle");
}

TEST_F(StyleLookup, SceneContainerOverridesTheDefaultForItsSceneOnly) {
  TStyleScene styled;
  TStyleScene plain;
  styled.SetStyle(Container(kSceneStyles));
  TvxControl* inStyled = Make("TvxLabel");
  TvxControl* inPlain = Make("TvxLabel");
  styled.AddObject(inStyled);
  plain.AddObject(inPlain);
  // Of two styles with the same name the first wins.
  EXPECT_FLOAT_EQ(StyleWidth(inStyled), 11);
  EXPECT_FLOAT_EQ(StyleWidth(inPlain), 49);
}

TEST_F(StyleLookup, ExplicitNameClearsTheCopysNameClassNameKeepsIt) {
  TStyleScene scene;
  scene.SetStyle(Container(kSceneStyles));
  TvxControl* label = Make("TvxLabel");
  scene.AddObject(label);
  EXPECT_EQ(StyleName(label), "labelstyle");
  label->SetResource("own");
  EXPECT_EQ(StyleName(label), "");
  EXPECT_FLOAT_EQ(StyleWidth(label), 33);
}

TEST_F(StyleLookup, ObjectRegistryServesStoredObjectsOnly) {
  auto* look = new TvxVisualObject(&owner_);
  look->SetResourceName("registrylook");
  look->SetWidth(77);
  TvxControl* control = Make("TvxLabel");
  control->SetResource("registrylook");
  ASSERT_NE(control->StyleObject(), nullptr);
  EXPECT_FLOAT_EQ(control->StyleObject()->Width(), control->Width());
  EXPECT_EQ(control->StyleObject()->ResourceName(), "");
}

TEST_F(StyleLookup, CopiesNeverServeAsStyles) {
  TStyleScene scene;
  TvxResources* container = Container(
      "object TvxBackground\n object TvxLayout\n ResourceName = 'ProbeControlstyle'\n end\nend");
  scene.SetStyle(container);
  auto* control = new TtsProbeControl(&owner_);
  scene.AddObject(control);
  control->ApplyResource();
  ASSERT_NE(control->StyleObject(), nullptr);
  EXPECT_EQ(control->StyleObject()->ResourceName(), "ProbeControlstyle");
  delete container;
  EXPECT_EQ(scene.GetStyle(), nullptr);
  EXPECT_EQ(TvxObject::FindGlobalResource("ProbeControlstyle"), nullptr);
}

TEST_F(StyleLookup, NonVisualObjectsServeAsNoStyle) {
  TStyleScene scene;
  scene.SetStyle(Container(kSceneStyles));
  // "Controlstyle" in the scene is a brush: the control gets nothing from there, and the
  // default style has none for the class.
  auto* control = new TvxControl(&owner_);
  scene.AddObject(control);
  EXPECT_EQ(control->GetStyleObject(), nullptr);
  control->ApplyResource();
  EXPECT_EQ(control->StyleObject(), nullptr);
  EXPECT_FALSE(control->NeedStyle());
}

TEST_F(StyleLookup, StyleHoldingTheControlItselfIsRefused) {
  auto* holder = new TvxVisualObject(&owner_);
  holder->SetResourceName("selfholder");
  TvxControl* control = Make("TvxLabel");
  holder->AddObject(control);
  control->SetResource("selfholder");
  // Falls back to the class-derived style instead of copying itself into its own look.
  EXPECT_EQ(StyleName(control), "labelstyle");
  control->SetResource("selfholder");
  ASSERT_NE(control->StyleObject(), nullptr);
  EXPECT_EQ(control->StyleObject()->ChildrenCount(), 1);
}

}  // namespace
