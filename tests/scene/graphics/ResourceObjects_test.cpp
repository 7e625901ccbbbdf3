#include <gtest/gtest.h>

#include "scene/core/Registration.h"
#include "scene/graphics/Brush.h"
#include "scene/graphics/GraphicsClasses.h"
#include "scene/graphics/PathData.h"

namespace {

TEST(ResourceObjects, StreamAsNamedClassesAndServeTheirHolders) {
  std::vector<const TClassInfo*> classes;
  RegisterGraphicsClasses(classes);
  RegisterObjects(classes);
  for (const char* name : {"TvxBrushObject", "TvxPathObject", "TvxBitmapObject", "TvxBrush",
                           "TvxGradientPoint", "TvxPathData", "TvxFont"}) {
    const TClassInfo* info = FindClass(name);
    ASSERT_NE(info, nullptr) << name;
    EXPECT_FALSE(info->placeholder) << name;
  }

  TvxObject root(nullptr);
  auto* brush = new TvxBrushObject(&root);
  brush->SetResourceName("glow");
  brush->Brush()->SetColor(0xFF00FF00);
  root.AddObject(brush);
  auto* path = new TvxPathObject(&root);
  path->SetResourceName("tick");
  path->Path()->SetData("M0,0 L4,4 L10,-2");
  root.AddObject(path);
  TMemoryStream stream;
  root.SaveToStream(stream);

  stream.SetPosition(0);
  std::unique_ptr<TvxObject> copy(CreateObjectFromBinStream(nullptr, stream));
  ASSERT_NE(copy, nullptr);
  ASSERT_EQ(copy->ChildrenCount(), 2);
  auto* brushCopy = dynamic_cast<TvxBrushObject*>(copy->Children(0));
  auto* pathCopy = dynamic_cast<TvxPathObject*>(copy->Children(1));
  ASSERT_NE(brushCopy, nullptr);
  ASSERT_NE(pathCopy, nullptr);
  EXPECT_EQ(brushCopy->Brush()->Color(), 0xFF00FF00u);
  EXPECT_EQ(pathCopy->Path()->Data(), "M 0,0 L 4,4 L 10,-2 ");

  // The newest object of a name serves holders, until it goes.
  TvxPathData holder;
  holder.SetResourceName("TICK");
  EXPECT_EQ(holder.Resource(), pathCopy);
  copy.reset();
  EXPECT_EQ(holder.Resource(), path);
}

}  // namespace
