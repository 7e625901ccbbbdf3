#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "ControlsTesting_support.h"
#include "platform/component/ObjectReader.h"
#include "platform/component/ObjectWriter.h"
#include "scene/core/ObjectText.h"
#include "scene/core/VisualObject.h"

namespace {

const char* const kTree = R"(object TvxBackground
  Width = 300.0
  object TvxLayout
    ResourceName = 'panelstyle'
    DesignHide = True
    Width = 40.0
  end
end
)";

class StyleResources : public ControlsTest {
 protected:
  TvxVisualObject* FirstStyle(TvxResources& container) {
    TvxObject* root = container.Root();
    return root ? dynamic_cast<TvxVisualObject*>(root->Children(0)) : nullptr;
  }
};

TEST_F(StyleResources, LinesBuildTheTreeAndTellTheScenes) {
  TStyleScene scene;
  TvxResources container(nullptr);
  scene.SetStyle(&container);
  container.SetText(kTree);
  ASSERT_NE(FirstStyle(container), nullptr);
  EXPECT_EQ(FirstStyle(container)->ResourceName(), "panelstyle");
  EXPECT_FALSE(FirstStyle(container)->DesignHide());
  EXPECT_EQ(container.Lines().size(), 8u);
  EXPECT_EQ(scene.styleUpdates, 1);
  // Unreadable or empty lines leave no tree.
  container.SetLines({"object TvxBackground", "  Width = "});
  EXPECT_EQ(container.Root(), nullptr);
  container.SetLines({});
  EXPECT_EQ(container.Root(), nullptr);
  container.SetLines({"object TNoSuchClass", "end"});
  EXPECT_EQ(container.Root(), nullptr);
  EXPECT_EQ(scene.styleUpdates, 4);
}

TEST_F(StyleResources, TreeTravelsWithTheFormAsBinary) {
  TvxResources source(nullptr);
  TFormObject empty = TObjectWriter(source).Write(source);
  EXPECT_TRUE(empty.props.empty());
  source.SetText(kTree);
  const TFormObject form = TObjectWriter(source).Write(source);
  ASSERT_EQ(form.props.size(), 1u);
  EXPECT_EQ(form.props[0].name, "ResourcesBin");

  TvxResources copy(nullptr);
  TObjectReader reader;
  reader.ReadInto(copy, form);
  EXPECT_TRUE(reader.Errors().empty());
  ASSERT_NE(copy.Root(), nullptr);
  EXPECT_EQ(ObjectToText(*copy.Root()), ObjectToText(*source.Root()));
  EXPECT_TRUE(copy.Lines().empty());
}

TEST_F(StyleResources, FileNameLoadsTheLinesWhenTheFileExists) {
  const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                     ("lc_styles_" + std::to_string(::getpid()) + ".form");
  std::ofstream(path) << kTree;
  TvxResources container(nullptr);
  container.SetFileName("/nonexistent/dir/none.form");
  EXPECT_EQ(container.Root(), nullptr);
  container.SetFileName(path.string());
  std::filesystem::remove(path);
  ASSERT_NE(FirstStyle(container), nullptr);
  // A missing file changes nothing.
  container.SetFileName("/nonexistent/dir/other.form");
  EXPECT_NE(container.Root(), nullptr);
}

TEST_F(StyleResources, FreedContainerLeavesItsScenes) {
  TStyleScene scene;
  auto* container = new TvxResources(nullptr);
  scene.SetStyle(container);
  delete container;
  EXPECT_EQ(scene.GetStyle(), nullptr);
}

}  // namespace
