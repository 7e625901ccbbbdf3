#include <gtest/gtest.h>

#include "platform/component/Collection.h"
#include "platform/component/Component.h"
#include "platform/component/ObjectReader.h"
#include "platform/component/ObjectWriter.h"
#include "platform/component/PropAccess.h"
#include "platform/component/Publisher.h"

namespace {

enum TShade { shLight, shDark, shDeep };
const TEnumInfo kShades{{"shLight", "shDark", "shDeep"}};
const TEnumInfo kSides{{"sdTop", "sdLeft", "sdBottom", "sdRight"}};

class TPoint2 : public TPersistent {
  LC_CLASS(TPoint2, TPersistent)

 public:
  float x = 0, y = 0;
  int changes = 0;
  // Stored as one text, like a position's "Point".
  void DefineProperties(TFiler& filer) override {
    filer.DefineProperty(
        "Pair",
        [this](const TFormValue& v) {
          x = float(v.integer / 100);
          y = float(v.integer % 100);
        },
        [this] { return TFormValue::Integer(int64_t(x) * 100 + int64_t(y)); }, x != 0 || y != 0);
  }
};
LC_PUBLISH(TPoint2) {
  p.Float("X", &TPoint2::x).NoStore();
  p.Float("Y", &TPoint2::y).NoStore();
}

class TStop : public TCollectionItem {
  LC_CLASS(TStop, TCollectionItem)

 public:
  using TCollectionItem::TCollectionItem;
  float offset = 0;
  std::string color;
  TPoint2 at;
  TPoint2* At() { return &at; }
};
LC_PUBLISH(TStop) {
  p.Float("Offset", &TStop::offset);
  p.String("Color", &TStop::color);
  p.Object("At", &TStop::At);
}

class TThing : public TComponent {
  LC_CLASS(TThing, TComponent)

 public:
  explicit TThing(TComponent* owner) : TComponent(owner) {}
  ~TThing() override {
    if (link_) link_->RemoveFreeNotification(this);
  }

  int count = 0;
  bool visible = true;
  TShade shade = shLight;
  uint32_t sides = 0;
  float width = 0;
  std::string caption;
  std::u16string title;
  TPoint2 point;
  TCollection stops{[](TCollection* c) { return std::make_unique<TStop>(c); }};
  TNotifyEvent onClick;

  TThing* Link() const { return link_; }
  void SetLink(TThing* value) {
    if (link_) link_->RemoveFreeNotification(this);
    link_ = value;
    if (link_) link_->FreeNotification(this);
  }
  TPoint2* Point() { return &point; }
  TCollection* Stops() { return &stops; }
  void Notification(TComponent* component, TOperation operation) override {
    if (operation == TOperation::opRemove && component == link_) link_ = nullptr;
  }
  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent*) override {
    for (int i = 0; i < ComponentCount(); ++i) proc(Components(i));
  }
  void ThingClick(TObject*) { ++clicks; }
  int clicks = 0;

 private:
  TThing* link_ = nullptr;
};
LC_PUBLISH(TThing) {
  p.Integer("Count", &TThing::count);
  p.Bool("Visible", &TThing::visible, nullptr, true);
  p.Enum("Shade", kShades, &TThing::shade);
  p.Set("Sides", kSides, &TThing::sides);
  p.Float("Width", &TThing::width);
  p.String("Caption", &TThing::caption);
  p.WString("Title", &TThing::title);
  p.Object("Point", &TThing::Point);
  p.Object("Stops", &TThing::Stops);
  p.Component("Link", &TThing::Link, &TThing::SetLink);
  p.Event("OnClick", &TThing::onClick);
  p.Method("ThingClick", &TThing::ThingClick);
}

class ComponentModel : public testing::Test {
 protected:
  void SetUp() override { RegisterClass(TThing::StaticClass()); }
};

TFormProperty Prop(const std::string& name, TFormValue value) {
  return {name, std::move(value)};
}

TEST_F(ComponentModel, OwnerFreesWhatItOwnsAndNamesAreUniqueIgnoringCase) {
  auto* root = new TThing(nullptr);
  auto* a = new TThing(root);
  a->SetName("Alpha");
  auto* b = new TThing(root);
  EXPECT_THROW(b->SetName("ALPHA"), EComponentError);
  EXPECT_THROW(b->SetName("1abc"), EComponentError);
  b->SetName("Beta");
  EXPECT_EQ(root->FindComponent("alpha"), a);
  EXPECT_EQ(root->ComponentCount(), 2);
  delete a;
  EXPECT_EQ(root->ComponentCount(), 1);
  EXPECT_EQ(root->Components(5), nullptr);
  delete root;  // frees b
}

TEST_F(ComponentModel, FreeNotificationClearsReferences) {
  TThing holder(nullptr);
  auto* target = new TThing(nullptr);
  holder.SetLink(target);
  const auto address = reinterpret_cast<uintptr_t>(target);
  delete target;
  EXPECT_EQ(holder.Link(), nullptr);
  EXPECT_EQ(TComponent::FindLive(address), nullptr);
  EXPECT_EQ(TComponent::FindLive(reinterpret_cast<uintptr_t>(&holder)), &holder);
}

TEST_F(ComponentModel, ClassLookupsIgnoreCaseAndSeeAncestors) {
  EXPECT_EQ(FindClass("tthing"), &TThing::StaticClass());
  const TPropInfo* name = TThing::StaticClass().FindProp("NAME");
  ASSERT_NE(name, nullptr);
  EXPECT_EQ(name->kind, TPropKind::String);
  EXPECT_NE(TThing::StaticClass().FindMethod("thingclick"), nullptr);
  TThing thing(nullptr);
  EXPECT_TRUE(thing.InheritsFrom(TComponent::StaticClass()));
  TPropRef ref = FindPropPath(thing, "point.x");
  ASSERT_TRUE(ref);
  ref.prop->setFloat(*ref.instance, 3.5);
  EXPECT_EQ(thing.point.x, 3.5f);
  EXPECT_FALSE(FindPropPath(thing, "Count.X"));
  EXPECT_FALSE(FindPropPath(thing, "Nothing"));
}

TEST_F(ComponentModel, ReaderAppliesEveryKindOfValue) {
  TFormObject form;
  form.className = "TThing";
  TFormValue sides = TFormValue::Compound(TValueType::Set);
  sides.AppendSetName("sdTop");
  sides.AppendSetName("SDRIGHT");
  TFormValue stops = TFormValue::Compound(TValueType::Collection);
  TFormItem stop;
  stop.props = {Prop("Offset", TFormValue::Float(0.25)), Prop("Color", TFormValue::String("red"))};
  stops.AppendCollectionItem(stop);
  stop.props = {Prop("Offset", TFormValue::Integer(1)), Prop("At.Pair", TFormValue::Integer(102))};
  stops.AppendCollectionItem(stop);
  form.props = {Prop("Count", TFormValue::Integer(40000)),
                Prop("Visible", TFormValue::Bool(false)),
                Prop("Shade", TFormValue::Ident("shdeep")),
                Prop("Sides", sides),
                Prop("Width", TFormValue::Float(479)),
                Prop("Caption", TFormValue::Wide(u"关机")),
                Prop("Title", TFormValue::String("plain")),
                Prop("Point.Pair", TFormValue::Integer(2951)),
                Prop("Stops", stops),
                Prop("OnClick", TFormValue::Ident("ThingClick"))};
  TThing thing(nullptr);
  TObjectReader reader;
  reader.ReadInto(thing, form);
  EXPECT_TRUE(reader.Errors().empty()) << reader.Errors().front();
  EXPECT_EQ(thing.count, 40000);
  EXPECT_FALSE(thing.visible);
  EXPECT_EQ(thing.shade, shDeep);
  EXPECT_EQ(thing.sides, 0b1001u);
  EXPECT_EQ(thing.width, 479.f);
  EXPECT_EQ(thing.caption, "关机");
  EXPECT_EQ(thing.title, u"plain");
  EXPECT_EQ(thing.point.x, 29.f);
  EXPECT_EQ(thing.point.y, 51.f);
  ASSERT_EQ(thing.stops.Count(), 2);
  EXPECT_EQ(static_cast<TStop*>(thing.stops.Item(0))->color, "red");
  EXPECT_EQ(static_cast<TStop*>(thing.stops.Item(1))->offset, 1.f);
  EXPECT_EQ(static_cast<TStop*>(thing.stops.Item(1))->at.y, 2.f);
  thing.onClick(&thing);
  EXPECT_EQ(thing.clicks, 1);
  EXPECT_FALSE(thing.HasState(csLoading | csReading));
}

TEST_F(ComponentModel, ReaderSkipsWhatItCannotApplyAndReadsTheRest) {
  TFormObject form;
  form.className = "TThing";
  form.props = {
      Prop("Count", TFormValue::String("x")), Prop("Shade", TFormValue::Ident("shPurple")),
      Prop("Nothing", TFormValue::Integer(1)), Prop("Point.Nothing", TFormValue::Integer(1)),
      Prop("OnClick", TFormValue::Ident("Nope")), Prop("Link", TFormValue::Ident("Missing")),
      Prop("Width", TFormValue::Float(2)),
      // An ordinal no value name stands for, a number no float holds.
      Prop("Shade", TFormValue::Integer(3)), Prop("Shade", TFormValue::Integer(-1)),
      Prop("Width", TFormValue::Float(1e300L))};
  TFormObject child;
  child.className = "TNoSuchClass";
  form.children.push_back(child);
  TThing thing(nullptr);
  TObjectReader reader;
  reader.ReadInto(thing, form);
  EXPECT_EQ(reader.Errors().size(), 10u);
  EXPECT_EQ(thing.width, 2.f);
  EXPECT_EQ(thing.shade, shLight);
  EXPECT_EQ(thing.count, 0);
  EXPECT_EQ(thing.ComponentCount(), 0);
}

TEST_F(ComponentModel, ChildrenAreCreatedByNameAndReferencesResolvedAtTheEnd) {
  TFormObject form;
  form.className = "TThing";
  TFormObject first;
  first.className = "TThing";
  first.name = "First";
  first.props = {Prop("Link", TFormValue::Ident("second")),
                 Prop("OnClick", TFormValue::Ident("ThingClick"))};
  TFormObject second;
  second.className = "TThing";
  second.name = "Second";
  form.children = {first, second};
  TThing root(nullptr);
  TObjectReader reader;
  reader.ReadInto(root, form);
  ASSERT_EQ(root.ComponentCount(), 2);
  auto* a = static_cast<TThing*>(root.FindComponent("First"));
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->Link(), root.FindComponent("Second"));
  a->onClick(a);
  EXPECT_EQ(root.clicks, 1);  // handlers belong to the root

  TThing unnamed(nullptr);
  TObjectReader({.clearNames = true}).ReadInto(unnamed, form);
  EXPECT_EQ(unnamed.Components(0)->Name(), "");
}

TEST_F(ComponentModel, WriterStoresOnlyWhatDiffersFromTheDefault) {
  TThing root(nullptr);
  EXPECT_TRUE(TObjectWriter(root).Write(root).props.empty());

  root.count = 7;
  root.visible = false;
  root.shade = shDark;
  root.sides = 0b0101;
  root.width = 0.5f;
  root.caption = "关机";
  root.point.x = 1;
  static_cast<TStop*>(root.stops.Add())->at.x = 3;  // items write sub-objects as paths
  auto* child = new TThing(&root);
  child->SetName("Kid");
  child->SetLink(&root);  // not owned by the root: no name to write it by
  root.SetLink(child);
  root.onClick.SetMethod({&root, TThing::StaticClass().FindMethod("ThingClick")});

  const TFormObject form = TObjectWriter(root).Write(root);
  std::vector<std::string> names;
  for (const auto& prop : form.props) names.push_back(prop.name);
  EXPECT_EQ(names, (std::vector<std::string>{"Count", "Visible", "Shade", "Sides", "Width",
                                             "Caption", "Point.Pair", "Stops", "Link", "OnClick"}));
  EXPECT_EQ(form.props[5].value.type, TValueType::WString);
  EXPECT_EQ(form.props[3].value.SetNames(), (std::vector<std::string>{"sdTop", "sdBottom"}));
  ASSERT_EQ(form.children.size(), 1u);
  EXPECT_EQ(form.children[0].name, "Kid");
  EXPECT_TRUE(form.children[0].props.empty());

  TThing copy(nullptr);
  TObjectReader reader;
  reader.ReadInto(copy, ReadFormBinary(WriteFormBinary(form)));
  EXPECT_TRUE(reader.Errors().empty());
  EXPECT_EQ(WriteFormBinary(TObjectWriter(copy).Write(copy)), WriteFormBinary(form));
}

TEST_F(ComponentModel, PlaceholdersKeepWhatTheirBaseDoesNotKnow) {
  const TClassInfo& info = RegisterPlaceholder("TFancyThing", TThing::StaticClass());
  EXPECT_EQ(FindClass("TFancyThing"), &info);
  TFormObject form;
  form.className = "TThing";
  TFormObject fancy;
  fancy.className = "TFancyThing";
  fancy.props = {Prop("Count", TFormValue::Integer(3)), Prop("Sparkle", TFormValue::Float(1.5))};
  form.children = {fancy};
  TThing root(nullptr);
  TObjectReader reader;
  reader.ReadInto(root, form);
  EXPECT_TRUE(reader.Errors().empty());
  ASSERT_EQ(root.ComponentCount(), 1);
  EXPECT_EQ(root.Components(0)->ClassName(), "TFancyThing");
  EXPECT_EQ(WriteFormBinary(TObjectWriter(root).Write(root)), WriteFormBinary(form));
}

TEST_F(ComponentModel, EventsBoundFromCodeAreNotStreamed) {
  TThing root(nullptr);
  int calls = 0;
  root.onClick = TNotifyEvent([&](TObject*) { ++calls; });
  root.onClick(&root);
  EXPECT_EQ(calls, 1);
  EXPECT_TRUE(TObjectWriter(root).Write(root).props.empty());
}

}  // namespace

namespace {

// Records every firing it is told of, with what the handler had done by then.
class TRecorder : public IEventWatcher {
 public:
  void EventFired(TObject& sender, const TPropInfo& event) override {
    seen.push_back(event.name + " " + static_cast<TComponent&>(sender).Name() + " " +
                   std::to_string(static_cast<TThing&>(sender).clicks));
  }
  std::vector<std::string> seen;
};

TEST_F(ComponentModel, AWatchSeesEveryFiringBeforeTheHandlerAndStaysWithTheEvent) {
  TThing thing(nullptr);
  thing.SetName("Thing1");
  TRecorder recorder;
  const TPropInfo* onClick = TThing::StaticClass().FindProp("onclick");
  ASSERT_NE(onClick, nullptr);
  onClick->watch(thing, &recorder);
  thing.onClick(&thing);  // no handler: still seen
  thing.onClick.SetMethod({&thing, TThing::StaticClass().FindMethod("ThingClick")});
  thing.onClick(&thing);
  thing.onClick = [&thing](TObject*) { thing.clicks += 10; };  // another handler keeps the watch
  thing.onClick(&thing);
  EXPECT_EQ(recorder.seen,
            (std::vector<std::string>{"OnClick Thing1 0", "OnClick Thing1 0", "OnClick Thing1 1"}));
  EXPECT_EQ(thing.clicks, 11);
  // A copy of the event is the handler only.
  const TNotifyEvent copy = thing.onClick;
  copy(&thing);
  EXPECT_EQ(recorder.seen.size(), 3u);
  // Watching again changes nothing; no watcher ends the watch.
  onClick->watch(thing, &recorder);
  thing.onClick(&thing);
  EXPECT_EQ(recorder.seen.size(), 4u);
  onClick->watch(thing, nullptr);
  thing.onClick(&thing);
  EXPECT_EQ(recorder.seen.size(), 4u);
  EXPECT_EQ(thing.clicks, 41);
}

}  // namespace
