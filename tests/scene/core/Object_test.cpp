#include "scene/core/Object.h"

#include <gtest/gtest.h>

#include "platform/component/FormText.h"
#include "platform/component/ObjectReader.h"
#include "scene/core/ObjectText.h"
#include "scene/core/Position.h"
#include "scene/core/Registration.h"
#include "scene/core/Visual.h"

namespace {

// A stand-in for a visual object, with a property of its own to stream.
class TTestVisual : public TvxObject {
  LC_CLASS(TTestVisual, TvxObject)

 public:
  explicit TTestVisual(TComponent* owner) : TvxObject(owner) { SetVisual(); }
  TvxPosition* Position() { return &position_; }
  void Clicked(TObject*) {}
  int realigns = 0;

 protected:
  void Realign() override { ++realigns; }

 private:
  TvxPosition position_;
};
LC_PUBLISH(TTestVisual) {
  p.Object("Position", &TTestVisual::Position);
  p.Method("Clicked", &TTestVisual::Clicked);
}

class TTestControl : public TvxObject {
  LC_CLASS(TTestControl, TvxObject)

 public:
  using TvxObject::TvxObject;
  bool IsControl() const override { return true; }
};
LC_PUBLISH(TTestControl) {}

// A content holder: what is placed in it streams as its holder's own children.
class TTestContent : public TvxObject {
  LC_CLASS(TTestContent, TvxObject)

 public:
  using TvxObject::TvxObject;
  bool IsContent() const override { return true; }
};
LC_PUBLISH(TTestContent) {}

class ObjectTree : public testing::Test {
 protected:
  void SetUp() override {
    const TClassInfo* classes[] = {&TTestVisual::StaticClass(), &TTestControl::StaticClass()};
    RegisterObjects(classes);
  }
  TvxObject* Make(TvxObject* parent, const std::string& resource = {}) {
    auto* object = new TvxObject(&owner_);
    object->SetResourceName(resource);
    if (parent) parent->AddObject(object);
    return object;
  }
  TComponent owner_{nullptr};
};

TEST_F(ObjectTree, AddingMovesAndNeverDuplicates) {
  TvxObject* a = Make(nullptr);
  TvxObject* b = Make(nullptr);
  TvxObject* child = Make(a);
  a->AddObject(child);
  EXPECT_EQ(a->ChildrenCount(), 1);
  b->AddObject(child);
  EXPECT_EQ(a->ChildrenCount(), 0);
  EXPECT_EQ(child->Parent(), b);
  child->SetParent(b);
  EXPECT_EQ(b->ChildrenCount(), 1);
  child->SetParent(nullptr);
  EXPECT_EQ(child->Parent(), nullptr);
  EXPECT_EQ(b->Children(0), nullptr);
}

TEST_F(ObjectTree, AnObjectNeverGoesUnderItsOwnDescendant) {
  TvxObject* root = Make(nullptr);
  TvxObject* child = Make(root);
  TvxObject* grandchild = Make(child);
  child->SetParent(grandchild);
  grandchild->AddObject(root);
  child->AddObject(child);
  EXPECT_EQ(child->Parent(), root);
  EXPECT_EQ(root->Parent(), nullptr);
  EXPECT_EQ(grandchild->ChildrenCount(), 0);
  EXPECT_EQ(child->ChildrenCount(), 1);

  // Form data may name a descendant as an object's parent; the tree keeps its shape.
  auto* form = new TvxObject(&owner_);
  TObjectReader().ReadInto(*form, ReadFormText("object A: TvxObject\n"
                                               "  object B: TvxObject\n"
                                               "    Parent = C\n"
                                               "    object C: TvxObject\n"
                                               "    end\n"
                                               "  end\n"
                                               "end\n"));
  ASSERT_EQ(form->ChildrenCount(), 1);
  TvxObject* b = form->Children(0);
  ASSERT_EQ(b->ChildrenCount(), 1);
  EXPECT_EQ(b->Children(0)->Name(), "C");
}

TEST_F(ObjectTree, IndexesFollowReordering) {
  TvxObject* parent = Make(nullptr);
  TvxObject* c0 = Make(parent);
  TvxObject* c1 = Make(parent);
  TvxObject* c2 = Make(parent);
  parent->Exchange(c0, c2);
  EXPECT_EQ(c0->Index(), 2);
  EXPECT_EQ(c2->Index(), 0);
  EXPECT_EQ(parent->Children(0), c2);
  c0->SetIndex(0);
  EXPECT_EQ(c0->Index(), 0);
  EXPECT_EQ(c2->Index(), 1);
  EXPECT_EQ(c1->Index(), 2);
  c0->BringToFront();
  EXPECT_EQ(parent->Children(2), c0);
  EXPECT_EQ(c1->Index(), 1);
  c0->SendToBack();
  EXPECT_EQ(c0->Index(), 0);
  parent->RemoveObject(c2);
  EXPECT_EQ(c1->Index(), 1);
  EXPECT_EQ(c2->Index(), -1);
}

// Names of the children a range yields, in the order yielded.
template <class Range>
std::vector<std::string> Walk(Range&& range) {
  std::vector<std::string> names;
  for (auto& child : range) names.push_back(child.Name());
  return names;
}

TEST_F(ObjectTree, ChildIterationYieldsOneClassInEitherOrder) {
  TvxObject* parent = Make(nullptr);
  const char* names[] = {"A", "B", "C", "D"};
  for (const char* name : names) {
    TvxObject* child = std::string(name) == "B" || std::string(name) == "D"
                           ? new TTestControl(&owner_)
                           : Make(nullptr);
    child->SetName(name);
    parent->AddObject(child);
  }
  using Names = std::vector<std::string>;
  EXPECT_EQ(Walk(parent->ChildrenOf()), (Names{"A", "B", "C", "D"}));
  EXPECT_EQ(Walk(parent->ChildrenOf<TTestControl>()), (Names{"B", "D"}));
  EXPECT_EQ(Walk(parent->ChildrenOfReversed<TTestControl>()), (Names{"D", "B"}));
  EXPECT_EQ(Walk(parent->ChildrenOf<TTestVisual>()), Names{});
  EXPECT_EQ(Walk(Make(nullptr)->ChildrenOfReversed()), Names{});
}

TEST_F(ObjectTree, ChildIterationFollowsChangesMadeByTheLoopBody) {
  TvxObject* parent = Make(nullptr);
  for (const char* name : {"A", "B", "C"}) Make(parent)->SetName(name);
  std::vector<std::string> seen;
  for (TvxObject& child : parent->ChildrenOf()) {
    seen.push_back(child.Name());
    // Freeing a later child: it is never reached. Adding one: it is reached.
    if (child.Name() == "A") delete parent->Children(2);
    if (child.Name() == "B") Make(parent)->SetName("E");
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"A", "B", "E"}));
  seen.clear();
  // Backwards, freeing the current child and the one before it leaves the rest in order.
  for (TvxObject& child : parent->ChildrenOfReversed()) {
    seen.push_back(child.Name());
    if (child.Name() == "E") {
      delete parent->Children(1);
      delete &child;
    }
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"E", "A"}));
}

TEST_F(ObjectTree, FreeingAParentFreesItsChildrenWhateverTheirOwner) {
  TvxObject* parent = Make(nullptr);
  auto* child = new TvxObject(nullptr);  // owned by nobody
  parent->AddObject(child);
  Make(child);
  const int before = owner_.ComponentCount();
  delete parent;
  EXPECT_EQ(owner_.ComponentCount(), before - 2);
}

TEST_F(ObjectTree, LookupsByBindingAndResourceName) {
  TvxObject* root = Make(nullptr);
  TvxObject* plain = Make(root, "outer");
  TvxObject* deep = Make(plain, "Deep");
  deep->SetBindingName("Value");
  auto* control = new TTestControl(&owner_);
  control->SetResourceName("ctl");
  root->AddObject(control);
  Make(control, "hidden");
  EXPECT_EQ(root->FindBinding("VALUE"), deep);
  EXPECT_EQ(root->FindResource("deep"), deep);
  EXPECT_EQ(root->FindResource("ctl"), control);
  EXPECT_EQ(root->FindResource("hidden"), nullptr);
  EXPECT_EQ(root->FindResource(""), nullptr);
}

TEST_F(ObjectTree, GlobalResourcesFavourTheNewestStoredObject) {
  TvxObject* older = Make(nullptr, "shared");
  TvxObject* newer = Make(nullptr, "Shared");
  EXPECT_EQ(TvxObject::FindGlobalResource("SHARED"), newer);
  newer->SetStored(false);
  EXPECT_EQ(TvxObject::FindGlobalResource("shared"), older);
  delete older;
  EXPECT_EQ(TvxObject::FindGlobalResource("shared"), nullptr);
}

TEST_F(ObjectTree, SetStoredReachesEveryDescendant) {
  TvxObject* root = Make(nullptr);
  TvxObject* grandchild = Make(Make(root));
  root->SetStored(false);
  EXPECT_FALSE(grandchild->Stored());
}

TEST_F(ObjectTree, SetStoredPassesADescendantThatHadTheValueAlready) {
  TvxObject* root = Make(nullptr);
  TvxObject* child = Make(root);
  TvxObject* grandchild = Make(child);
  child->SetStored(false);
  grandchild->SetStored(true);
  root->SetStored(false);
  EXPECT_FALSE(child->Stored());
  EXPECT_FALSE(grandchild->Stored());
  // An unchanged value is no change: the grandchild keeps what it was given last.
  grandchild->SetStored(true);
  root->SetStored(false);
  EXPECT_TRUE(grandchild->Stored());
}

TEST_F(ObjectTree, CloneCopiesStoredChildrenWithoutNames) {
  auto* root = new TTestVisual(&owner_);
  root->SetName("Original");
  root->Position()->SetPoint({29, 51});
  auto* kept = new TTestVisual(&owner_);
  kept->SetResourceName("kept");
  root->AddObject(kept);
  TvxObject* dropped = Make(root, "dropped");
  dropped->SetStored(false);

  auto* copy = dynamic_cast<TTestVisual*>(root->Clone(&owner_));
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(root->Name(), "Original");
  EXPECT_EQ(copy->Name(), "");
  EXPECT_EQ(copy->Parent(), nullptr);
  EXPECT_EQ(copy->Position()->Point(), (TvxPoint{29, 51}));
  ASSERT_EQ(copy->ChildrenCount(), 1);
  EXPECT_EQ(copy->Children(0)->ResourceName(), "kept");
  EXPECT_EQ(copy->Children(0)->ClassName(), "TTestVisual");
}

TEST_F(ObjectTree, ContentChildrenAreWrittenAsTheirHoldersOwn) {
  TvxObject* root = Make(nullptr);
  auto* content = new TTestContent(&owner_);
  root->AddObject(content);
  TvxObject* inner = Make(content, "inner");
  Make(content, "transient")->SetStored(false);
  Make(root, "after");
  EXPECT_EQ(ObjectToText(*root),
            "object TvxObject\n"
            "  object TvxObject\n"
            "    ResourceName = 'inner'\n"
            "  end\n"
            "  object TTestContent\n"
            "  end\n"
            "  object TvxObject\n"
            "    ResourceName = 'after'\n"
            "  end\n"
            "end\n");
  EXPECT_EQ(inner->GetParentComponent(), root);
  EXPECT_EQ(content->GetParentComponent(), root);
}

TEST_F(ObjectTree, FreeingAVisualForgetsItInItsHolders) {
  TvxVisual ref;
  int changes = 0;
  ref.OnChange = [&](TObject*) { ++changes; };
  auto* visual = new TTestVisual(&owner_);
  ref.SetVisualObject(Make(nullptr));  // not visual: refused
  EXPECT_EQ(ref.VisualObject(), nullptr);
  ref.SetVisualObject(visual);
  EXPECT_EQ(changes, 1);
  delete visual;
  EXPECT_EQ(ref.VisualObject(), nullptr);
}

// The bytes of a small form, spelled out: a TvxObject with a ResourceName and one child
// carrying a position.
const std::vector<uint8_t> kHandMadeForm = {
    'T', 'P', 'F', '0', 9, 'T', 'v', 'x', 'O', 'b', 'j', 'e', 'c', 't',  // class
    4, 'R', 'o', 'o', 't',  // name (dropped on loading)
    12, 'R', 'e', 's', 'o', 'u', 'r', 'c', 'e', 'N', 'a', 'm', 'e', 6, 2, 'o', 'k', 7, 'U', 'n',
    'k', 'n', 'o', 'w', 'n', 2, 5,  // unknown property, skipped
    0,                              // end of properties
    11, 'T', 'T', 'e', 's', 't', 'V', 'i', 's', 'u', 'a', 'l', 0, 14, 'P', 'o', 's', 'i', 't', 'i',
    'o', 'n', '.', 'P', 'o', 'i', 'n', 't', 6, 7, '(', '2', '9', ',', '5', '1', ')', 0,
    0,  // end of the child's properties and
        // children
    0,  // end of the root's children
};

TEST_F(ObjectTree, ReadsHandMadeFormDataSkippingWhatItDoesNotKnow) {
  TMemoryStream stream(kHandMadeForm);
  TvxObject* object = CreateObjectFromBinStream(&owner_, stream);
  ASSERT_NE(object, nullptr);
  EXPECT_EQ(object->Name(), "");
  EXPECT_EQ(object->ResourceName(), "ok");
  ASSERT_EQ(object->ChildrenCount(), 1);
  auto* child = dynamic_cast<TTestVisual*>(object->Children(0));
  ASSERT_NE(child, nullptr);
  EXPECT_EQ(child->Position()->Point(), (TvxPoint{29, 51}));
}

TEST_F(ObjectTree, BrokenFormDataMakesNoObject) {
  for (size_t cut = 0; cut < kHandMadeForm.size(); ++cut) {
    TMemoryStream stream(
        std::vector<uint8_t>(kHandMadeForm.begin(), kHandMadeForm.begin() + long(cut)));
    EXPECT_EQ(CreateObjectFromBinStream(&owner_, stream), nullptr) << cut;
  }
  std::vector<uint8_t> unknown = kHandMadeForm;
  unknown[5] = 'X';  // TXxObject
  TMemoryStream stream(unknown);
  EXPECT_EQ(CreateObjectFromBinStream(&owner_, stream), nullptr);
  TMemoryStream text(std::vector<uint8_t>{'o', 'b', 'j'});
  EXPECT_EQ(CreateObjectFromStream(&owner_, text), nullptr);
}

TEST_F(ObjectTree, AnUnknownClassAnywhereMakesNoObject) {
  const int before = owner_.ComponentCount();
  const std::string nested =
      "object TvxObject\n"
      "  object TTestVisual\n"
      "    object TNoSuchClass\n"
      "      object TvxObject\n"
      "      end\n"
      "    end\n"
      "  end\n"
      "end\n";
  TMemoryStream text(std::vector<uint8_t>(nested.begin(), nested.end()));
  EXPECT_EQ(CreateObjectFromStream(&owner_, text), nullptr);
  TMemoryStream binary(WriteFormBinary(ReadFormText(nested)));
  EXPECT_EQ(CreateObjectFromBinStream(&owner_, binary), nullptr);
  EXPECT_EQ(owner_.ComponentCount(), before);  // nothing half made is left behind
  // Known classes all the way down still read, and the stream moves past the object.
  std::string known = nested;
  known.replace(known.find("TNoSuchClass"), 12, "TTestControl");
  TMemoryStream whole(WriteFormBinary(ReadFormText(known)));
  TvxObject* object = CreateObjectFromBinStream(&owner_, whole);
  ASSERT_NE(object, nullptr);
  EXPECT_EQ(object->Children(0)->Children(0)->ClassName(), "TTestControl");
  EXPECT_EQ(whole.Position(), whole.Bytes().size());
}

TEST_F(ObjectTree, TextFormRoundTrips) {
  const std::string text =
      "object TTestVisual\n"
      "  ResourceName = 'panel'\n"
      "  Position.Point = '(1,0.500)'\n"
      "  object TvxObject\n"
      "    BindingName = 'v'\n"
      "  end\n"
      "end\n";
  TMemoryStream stream(std::vector<uint8_t>(text.begin(), text.end()));
  TvxObject* object = CreateObjectFromStream(&owner_, stream);
  ASSERT_NE(object, nullptr);
  EXPECT_EQ(ObjectToText(*object), text);
}

TEST_F(ObjectTree, PlaceholdersReadAndWriteBackUnknownClasses) {
  const std::string text =
      "object TvxCheckBox\n"
      "  ResourceName = 'box'\n"
      "  IsChecked = True\n"
      "end\n";
  TMemoryStream stream(std::vector<uint8_t>(text.begin(), text.end()));
  TvxObject* object = CreateObjectFromStream(&owner_, stream);
  ASSERT_NE(object, nullptr);
  EXPECT_EQ(object->ClassName(), "TvxCheckBox");
  EXPECT_EQ(ObjectToText(*object), text);
}

TEST_F(ObjectTree, EveryPaletteClassReadsAndWritesBackByName) {
  const auto& palette = RegisteredCategories();
  EXPECT_EQ(palette.size(), 181u);
  EXPECT_EQ(palette.front().first, "Resources");
  EXPECT_EQ(palette.back().second->name, "TvxHudTabControl");
  for (const auto& [category, info] : palette) {
    const std::string text = "object " + info->name + "\nend\n";
    TMemoryStream stream(std::vector<uint8_t>(text.begin(), text.end()));
    TvxObject* object = CreateObjectFromStream(&owner_, stream);
    ASSERT_NE(object, nullptr) << info->name;
    EXPECT_EQ(object->ClassName(), info->name);
    // Built classes may store defaults of their own (a gradient's points); stand-ins add none.
    if (FindClass(info->name)->placeholder) {
      EXPECT_EQ(ObjectToText(*object), text);
    }
  }
  for (const char* name : {"TvxBitmap", "TvxGradientPoint", "TvxWideStringList", "TvxResources",
                           "TvxContent", "TvxCustomScene", "TvxStringColumn"})
    EXPECT_NE(FindClass(name), nullptr) << name;
}

TEST_F(ObjectTree, ObjectAndMethodTextsOnlyReachLiveTargets) {
  TvxObject* object = Make(nullptr);
  const TVariant text = ObjectToVariant(object);
  EXPECT_EQ(VariantToObject(text), object);
  EXPECT_EQ(VariantToObject(std::string("vxobj12345")), nullptr);
  EXPECT_EQ(VariantToObject(std::string("vxobjzz")), nullptr);
  EXPECT_EQ(VariantToObject(int64_t(5)), nullptr);
  delete object;
  EXPECT_EQ(VariantToObject(text), nullptr);
  EXPECT_EQ(VariantToMethod(std::string("vxmet0000000000000000")).code, nullptr);
  auto* visual = new TTestVisual(&owner_);
  const TMethod method{visual, TTestVisual::StaticClass().FindMethod("Clicked")};
  const TVariant methodText = MethodToVariant(method);
  EXPECT_TRUE(std::get<std::string>(methodText).starts_with("vxmet"));
  EXPECT_EQ(VariantToMethod(methodText), method);
  EXPECT_EQ(VariantToMethod(ObjectToVariant(visual)).code, nullptr);
}

}  // namespace
