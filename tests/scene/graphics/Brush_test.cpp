#include "scene/graphics/Brush.h"

#include <gtest/gtest.h>

#include "platform/component/ObjectReader.h"
#include "platform/component/ObjectWriter.h"
#include "scene/graphics/Font.h"

namespace {

class TPaintHolder : public TComponent {
  LC_CLASS(TPaintHolder, TComponent)

 public:
  explicit TPaintHolder(TComponent* owner) : TComponent(owner) {}
  TvxBrush* Fill() const { return &fill; }
  TvxBrush* Stroke() const { return &stroke; }
  TvxFont* Font() const { return &font; }

  mutable TvxBrush fill{vxBrushSolid, 0xFFFFFFFF};
  mutable TvxBrush stroke{vxBrushNone, 0xFF000000};
  mutable TvxFont font;
};
LC_PUBLISH(TPaintHolder) {
  p.Object("Fill", &TPaintHolder::Fill);
  p.Object("Stroke", &TPaintHolder::Stroke);
  p.Object("Font", &TPaintHolder::Font);
}

std::vector<std::string> Names(const TFormObject& form) {
  std::vector<std::string> names;
  for (const auto& prop : form.props) names.push_back(prop.name);
  return names;
}

const TFormValue& Value(const TFormObject& form, const std::string& name) {
  for (const auto& prop : form.props)
    if (prop.name == name) return prop.value;
  static const TFormValue none;
  return none;
}

TFormObject Write(TPaintHolder& holder) {
  return TObjectWriter(holder).Write(holder);
}

void ReadBack(const TFormObject& form, TPaintHolder& into) {
  TObjectReader reader;
  reader.ReadInto(into, ReadFormBinary(WriteFormBinary(form)));
  EXPECT_TRUE(reader.Errors().empty()) << reader.Errors().front();
}

TEST(BrushStreaming, WritesOnlyWhatDiffersFromTheDefaults) {
  TPaintHolder holder(nullptr);
  EXPECT_TRUE(Write(holder).props.empty());

  holder.fill.SetColor(0xFFFF0000);
  holder.stroke.SetStyle(vxBrushSolid);
  TFormObject form = Write(holder);
  EXPECT_EQ(Names(form), (std::vector<std::string>{"Fill.Color", "Stroke.Style"}));
  EXPECT_EQ(FormValueText(Value(form, "Fill.Color")), "#FFFF0000");
  EXPECT_EQ(Value(form, "Stroke.Style").text, "vxBrushSolid");

  // The colour is only written for solid brushes.
  holder.fill.SetStyle(vxBrushNone);
  EXPECT_EQ(Names(Write(holder)), (std::vector<std::string>{"Fill.Style", "Stroke.Style"}));

  TPaintHolder copy(nullptr);
  ReadBack(Write(holder), copy);
  EXPECT_EQ(copy.fill.Style(), vxBrushNone);
  EXPECT_EQ(copy.stroke.Style(), vxBrushSolid);
}

TEST(BrushStreaming, GradientsRoundTripWithTheirStyleParts) {
  TPaintHolder holder(nullptr);
  TvxGradient& gradient = *holder.fill.Gradient();
  holder.fill.SetStyle(vxBrushGradient);
  gradient.Points()->Point(0)->SetColor(0xFF102030);
  gradient.Points()->AddPoint(0x80FFFFFF, 0.5f);
  gradient.StopPosition()->SetPoint({1, 0});
  TFormObject form = Write(holder);
  EXPECT_EQ(Names(form), (std::vector<std::string>{"Fill.Style", "Fill.Gradient.Points",
                                                   "Fill.Gradient.StopPosition.Point"}));
  TPaintHolder copy(nullptr);
  ReadBack(form, copy);
  const TvxGradient& read = *copy.fill.Gradient();
  ASSERT_EQ(read.Points()->Count(), 3);
  for (float offset : {0.0f, 0.25f, 0.5f, 0.75f, 1.0f})
    EXPECT_EQ(read.GradientColorAt(offset), gradient.GradientColorAt(offset)) << offset;
  EXPECT_EQ(read.StopPosition()->Point(), (TvxPoint{1, 0}));

  // A radial gradient stores its transform, not the positions.
  gradient.SetStyle(vxRadialGradient);
  gradient.RadialTransform()->Scale()->SetPoint({2, 2});
  form = Write(holder);
  EXPECT_EQ(Names(form),
            (std::vector<std::string>{"Fill.Style", "Fill.Gradient.Points", "Fill.Gradient.Style",
                                      "Fill.Gradient.RadialTransform.Scale.Point"}));
  TPaintHolder radial(nullptr);
  ReadBack(form, radial);
  EXPECT_EQ(radial.fill.Gradient()->Style(), vxRadialGradient);
  EXPECT_EQ(radial.fill.Gradient()->RadialTransform()->Matrix().m11, 2);
}

TEST(FontStreaming, DefaultsAreNotWritten) {
  TPaintHolder holder(nullptr);
  const TvxFont& font = holder.font;
  EXPECT_EQ(font.Family(), "Tahoma");
  EXPECT_EQ(font.Size(), 11);
  EXPECT_EQ(font.Style(), vxFontRegular);
  EXPECT_TRUE(font.ClearType());

  holder.font.SetFamily("黑体");
  holder.font.SetSize(14.5f);
  holder.font.SetStyle(vxFontBold);
  holder.font.SetClearType(false);
  const TFormObject form = Write(holder);
  EXPECT_EQ(Names(form),
            (std::vector<std::string>{"Font.ClearType", "Font.Family", "Font.Size", "Font.Style"}));
  EXPECT_EQ(Value(form, "Font.Family").type, TValueType::WString);
  TPaintHolder copy(nullptr);
  ReadBack(form, copy);
  EXPECT_EQ(copy.font.Family(), "黑体");
  EXPECT_EQ(copy.font.Size(), 14.5f);
  EXPECT_EQ(copy.font.Style(), vxFontBold);
  EXPECT_FALSE(copy.font.ClearType());
}

TEST(FontChanges, NotifyOnlyWhenSomethingDiffers) {
  TvxFont font, other;
  int changes = 0;
  font.OnChange = [&](TObject*) { ++changes; };
  font.SetSize(11);
  font.Assign(other);
  EXPECT_EQ(changes, 0);
  other.SetFamily("Impact");
  other.SetSize(20);
  font.Assign(other);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(font.Family(), "Impact");
  EXPECT_EQ(font.PlatformFontHeight(), -20);
  font.ImportPlatformFont("宋体", -12, true, true);
  EXPECT_EQ(font.Size(), 12);
  EXPECT_EQ(font.Style(), vxFontBoldItalic);
}

TEST(Gradient, ColourAtAnOffset) {
  TvxGradient gradient;
  gradient.Points()->Clear();
  EXPECT_EQ(gradient.GradientColorAt(0.5f), 0u);
  gradient.Points()->AddPoint(0xFFFF0000, 0.2f);
  EXPECT_EQ(gradient.GradientColorAt(0.2f), 0u);  // one point gives nothing
  gradient.Points()->AddPoint(0xFF0000FF, 0.8f);
  EXPECT_EQ(gradient.GradientColorAt(0), 0xFFFF0000u);
  EXPECT_EQ(gradient.GradientColorAt(0.2f), 0xFFFF0000u);
  EXPECT_EQ(gradient.GradientColorAt(0.5f), InterpolateColor(0xFFFF0000, 0xFF0000FF, 0.5f));
  EXPECT_EQ(gradient.GradientColorAt(0.8f), 0xFF0000FFu);
  EXPECT_EQ(gradient.GradientColorAt(1), 0xFF0000FFu);
  EXPECT_EQ(gradient.GradientColorAt(-0.5f), 0xFFFF0000u);
  EXPECT_EQ(gradient.GradientColorAt(1.5f), 0xFF0000FFu);

  // A step: two points at the same offset switch colour there.
  gradient.Points()->Point(1)->SetOffset(0.5f);
  gradient.Points()->AddPoint(0xFF00FF00, 0.5f);
  gradient.Points()->AddPoint(0xFF000000, 1);
  EXPECT_EQ(gradient.GradientColorAt(0.6f), InterpolateColor(0xFF00FF00, 0xFF000000, 0.2f));
}

TEST(Gradient, AssignNotifiesOnce) {
  TvxGradient gradient, other;
  int changes = 0;
  gradient.OnChange = [&](TObject*) { ++changes; };
  other.Points()->Point(1)->SetColor(0xFF00FF00);
  other.StartPosition()->SetPoint({0.5f, 0.5f});
  gradient.Assign(other);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(gradient.Points()->Point(1)->Color(), 0xFF00FF00u);
  EXPECT_EQ(gradient.StartPosition()->Point(), (TvxPoint{0.5f, 0.5f}));
  other.Points()->AddPoint(0xFF0000FF, 0.5f);
  gradient.Assign(other);
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(gradient.Points()->Count(), 3);
  gradient.Points()->Point(2)->SetOffset(0.75f);
  EXPECT_EQ(changes, 3);
}

TEST(Brush, SettersNotifyOnRealChangesOnly) {
  TvxBrush brush(vxBrushSolid, 0xFFFFFFFF);
  int changes = 0;
  brush.OnChange = [&](TObject*) { ++changes; };
  brush.SetColor(0xFFFFFFFF);
  brush.SetStyle(vxBrushSolid);
  EXPECT_EQ(changes, 0);
  brush.SetStyle(vxBrushGradient);
  brush.SetColor(0xFF123456);  // also recolours the first gradient point
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(brush.Gradient()->Points()->Point(0)->Color(), 0xFF123456u);
  brush.Gradient()->Points()->Point(1)->SetOffset(0.5f);
  EXPECT_EQ(changes, 3);
}

TEST(Brush, AssignCopiesWhatTheStyleUsesAndKeepsItsDefaults) {
  TvxBrush source(vxBrushSolid, 0xFF000000);
  source.SetStyle(vxBrushGradient);
  source.SetColor(0xFF000000);
  source.Gradient()->SetStyle(vxRadialGradient);
  TvxBrush target(vxBrushSolid, 0xFFFFFFFF);
  int changes = 0;
  target.OnChange = [&](TObject*) { ++changes; };
  target.Assign(source);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(target.Style(), vxBrushGradient);
  EXPECT_EQ(target.Gradient()->Style(), vxRadialGradient);
  // A black solid brush still streams its colour against its own white default.
  source.SetStyle(vxBrushSolid);
  target.Assign(source);
  EXPECT_EQ(target.DefaultColor(), 0xFFFFFFFFu);
  EXPECT_TRUE(target.ColorStored());
}

TEST(BrushResource, ResolvesByNameAndForgetsFreedResources) {
  auto* resource = new TvxBrushObject(nullptr);
  resource->SetResourceName("Foreground");
  resource->Brush()->SetColor(0xFF00FF00);
  TvxBrush brush(vxBrushSolid, 0xFFFFFFFF);
  brush.SetStyle(vxBrushResource);
  brush.SetColor(0xFF0000FF);
  brush.Resource()->SetResourceName("FOREGROUND");
  EXPECT_EQ(brush.ResolvedResource(), resource->Brush());
  EXPECT_EQ(brush.EffectiveColor(), 0xFF00FF00u);

  TvxBrush copy(vxBrushSolid, 0xFFFFFFFF);
  copy.Assign(brush);
  EXPECT_EQ(copy.Color(), 0xFF00FF00u);
  EXPECT_EQ(copy.Resource()->Resource(), resource);

  // A resource naming itself does not loop.
  resource->Brush()->SetStyle(vxBrushResource);
  resource->Brush()->Resource()->SetResourceName("foreground");
  EXPECT_EQ(brush.EffectiveColor(), 0xFF00FF00u);

  delete resource;
  EXPECT_EQ(brush.ResolvedResource(), nullptr);
  EXPECT_EQ(copy.Resource()->Resource(), nullptr);
  EXPECT_EQ(brush.EffectiveColor(), 0xFF0000FFu);
}

}  // namespace
