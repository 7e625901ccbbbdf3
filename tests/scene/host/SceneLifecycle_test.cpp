// A scene's life: read from form data and written back, the registry of live scenes, roots,
// framing by a TvxFrame, styles and weak references.

#include <gtest/gtest.h>

#include <algorithm>

#include "SceneFixture_support.h"
#include "platform/component/FormText.h"
#include "platform/component/ObjectWriter.h"
#include "scene/core/AniThread.h"
#include "scene/graphics/RasterBackend.h"
#include "scene/host/Frame.h"
#include "scene/host/HostClasses.h"
#include "scene/host/SceneStyleLink.h"

namespace {

const std::string kForm =
    "object Form1: TForm\n"
    "  ClientWidth = 120\n"
    "  ClientHeight = 80\n"
    "  object vxScene1: TvxScene\n"
    "    Width = 120\n"
    "    Height = 80\n"
    "    Align = alClient\n"
    "    Transparency = True\n"
    "    DesignSnapGridShow = True\n"
    "    DesignSnapToGrid = True\n"
    "    DesignSnapToLines = True\n"
    "    object Root1: TvxVisualObject\n"
    "      Width = 120\n"
    "      Height = 80\n"
    "      HitTest = False\n"
    "    end\n"
    "  end\n"
    "end\n";

class SceneLifecycle : public testing::Test {
 protected:
  SceneLifecycle() {
    UseRasterBackend();
    std::vector<const TClassInfo*> classes;
    RegisterHostClasses(classes);
    for (const TClassInfo* info : classes) RegisterClass(*info);
    RegisterClass(TForm::StaticClass());
    RegisterClass(TvxVisualObject::StaticClass());
  }
  THeadlessPlatform platform;
};

TEST_F(SceneLifecycle, FormDataPlacesTheSceneAndItsRootAndDrawsOnceLoaded) {
  auto* form = CreateForm<TForm>(nullptr, WriteFormBinary(ReadFormText(kForm)));
  auto* scene = dynamic_cast<TvxScene*>(form->FindComponent("vxScene1"));
  ASSERT_NE(scene, nullptr);
  EXPECT_EQ(scene->Form(), form);
  ASSERT_NE(scene->GetRoot(), nullptr);
  EXPECT_EQ(scene->GetRoot()->Name(), "Root1");
  auto& window = static_cast<THeadlessWindow&>(form->Window());
  EXPECT_TRUE(window.Transparent());
  platform.Advance(1);
  EXPECT_GE(window.Presentations(), 2);  // the blank first frame, then the drawing
  EXPECT_EQ(window.FrameWidth(), 120);

  const std::string text = WriteFormText(TObjectWriter(*form).Write(*form));
  EXPECT_NE(text.find("object vxScene1: TvxScene"), std::string::npos) << text;
  EXPECT_NE(text.find("object Root1: TvxVisualObject"), std::string::npos) << text;
  EXPECT_NE(text.find("Transparency = True"), std::string::npos) << text;
  EXPECT_NE(text.find("DesignSnapGridShow = False"), std::string::npos) << text;
  EXPECT_NE(text.find("DesignSnapToGrid = False"), std::string::npos) << text;
  EXPECT_NE(text.find("DesignSnapToLines = True"), std::string::npos) << text;
  delete form;
}

TEST_F(SceneLifecycle, LiveScenesAreRegisteredAndTheLastOneFreesTheAnimationDriver) {
  auto* scene = new TvxScene(nullptr);
  EXPECT_NE(std::find(Scenes().begin(), Scenes().end(), scene), Scenes().end());
  EnsureAniThread();
  delete scene;
  EXPECT_EQ(std::find(Scenes().begin(), Scenes().end(), scene), Scenes().end());
  EXPECT_EQ(AniThread(), nullptr);
}

TEST_F(SceneLifecycle, RootsMoveBetweenScenesAndAreFreedWithTheirScene) {
  TvxScene first(nullptr);
  auto* second = new TvxScene(nullptr);
  auto* object = new TvxVisualObject(nullptr);
  auto* other = new TvxVisualObject(nullptr);
  first.AddObject(object);
  first.AddObject(other);
  EXPECT_EQ(first.GetRoot(), object);
  second->AddObject(object);
  EXPECT_EQ(object->Scene(), second);
  EXPECT_EQ(first.GetRoot(), other);
  first.RemoveObject(other);
  EXPECT_EQ(first.GetRoot(), nullptr);
  EXPECT_EQ(other->Scene(), nullptr);
  delete other;
  delete second;  // frees `object`, as the sanitizer build checks
}

TEST_F(SceneLifecycle, FrameBorrowsTheRootAndGivesItBack) {
  TvxScene shown(nullptr);
  shown.SetBounds(0, 0, 60, 40);
  auto* root = new TvxVisualObject(nullptr);
  auto* extra = new TvxVisualObject(nullptr);
  shown.AddObject(root);
  shown.AddObject(extra);
  int presented = 0;
  shown.SetPresentationHandler([&](TvxCustomScene*) { ++presented; });

  TvxScene host(nullptr);
  host.SetBounds(0, 0, 100, 100);
  auto* hostRoot = new TvxVisualObject(nullptr);
  host.AddObject(hostRoot);
  auto* frame = new TvxFrame(nullptr);
  frame->SetBounds(10, 10, 50, 50);
  hostRoot->AddObject(frame);
  frame->SetSceneObject(&shown);
  EXPECT_EQ(shown.FramedBy(), frame);
  EXPECT_EQ(root->Parent(), frame);
  EXPECT_EQ(root->Align(), vaClient);
  EXPECT_EQ(root->Width(), 50);
  EXPECT_EQ(shown.GetRoot(), extra);
  shown.DrawAll();
  EXPECT_EQ(presented, 0);  // the frame shows the tree now

  TvxFrame second(nullptr);
  second.SetSceneObject(&shown);
  EXPECT_EQ(second.SceneObject(), nullptr);

  delete frame;
  EXPECT_EQ(shown.FramedBy(), nullptr);
  EXPECT_EQ(shown.GetRoot(), root);
  EXPECT_EQ(root->Align(), vaNone);
  EXPECT_EQ(root->Width(), 60);
  shown.DrawAll();
  EXPECT_EQ(presented, 1);
}

class TStyled : public TvxVisualObject {
 public:
  TStyled() : TvxVisualObject(nullptr) {}
  void UpdateStyle() override { ++updates; }
  int updates = 0;
};

TEST_F(SceneLifecycle, StyleContainersAreReachedThroughTheLinkAndForgottenWhenFreed) {
  TvxScene scene(nullptr);
  auto* root = new TStyled;
  scene.AddObject(root);
  auto* container = new TComponent(nullptr);
  scene.SetStyleComponent(container);
  EXPECT_EQ(scene.GetStyle(), nullptr);  // no styles library: nothing to link with

  // The container type stays opaque to the scene, which only hands pointers back.
  std::vector<std::string> calls;
  SetSceneStyleLink({
      [](TComponent* c) { return reinterpret_cast<TvxResources*>(c); },
      [](TvxResources* r) { return reinterpret_cast<TComponent*>(r); },
      [&](TvxResources*, IvxScene*) { calls.push_back("attach"); },
      [&](TvxResources*, IvxScene*) { calls.push_back("detach"); },
  });
  scene.SetStyleComponent(container);
  EXPECT_EQ(scene.GetStyle(), reinterpret_cast<TvxResources*>(container));
  EXPECT_EQ(scene.StyleComponent(), container);
  EXPECT_EQ(root->updates, 1);
  delete container;
  EXPECT_EQ(scene.GetStyle(), nullptr);
  scene.SetStyle(nullptr);
  EXPECT_EQ(calls, (std::vector<std::string>{"attach"}));
  SetSceneStyleLink({});
}

class TControlProbe : public TvxVisualObject {
 public:
  TControlProbe() : TvxVisualObject(nullptr) { SetCanFocused(true); }
  bool IsControl() const override { return true; }
};

TEST_F(SceneLifecycle, ActiveControlTakesControlsAndFocusesThem) {
  TvxScene scene(nullptr);
  auto* root = new TvxVisualObject(nullptr);
  auto* plain = new TvxVisualObject(nullptr);
  auto* control = new TControlProbe;
  scene.AddObject(root);
  root->AddObject(plain);
  root->AddObject(control);
  scene.SetActiveControl(plain);
  EXPECT_EQ(scene.GetActiveControl(), nullptr);
  scene.SetActiveControl(control);
  EXPECT_EQ(scene.GetActiveControl(), control);
  EXPECT_EQ(scene.GetFocused(), control);
  delete control;
  EXPECT_EQ(scene.GetActiveControl(), nullptr);
  EXPECT_EQ(scene.GetFocused(), nullptr);
}

}  // namespace
