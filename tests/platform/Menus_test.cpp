#include "platform/Menus.h"

#include <gtest/gtest.h>

#include "platform/MenuService.h"
#include "platform/component/ObjectReader.h"
#include "platform/component/ObjectWriter.h"
#include "platform/component/Publisher.h"
#include "platform/headless/HeadlessMenuService.h"

namespace {

// A form that owns a menu and handles its items' clicks.
class TMenuForm : public TComponent {
  LC_CLASS(TMenuForm, TComponent)

 public:
  using TComponent::TComponent;
  void N2Click(TObject* sender) { clicked.push_back(static_cast<TComponent*>(sender)->Name()); }
  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent*) override {
    for (int i = 0; i < ComponentCount(); ++i)
      if (!Components(i)->HasParent()) proc(Components(i));
  }
  std::vector<std::string> clicked;
};
LC_PUBLISH(TMenuForm) {
  p.Method("N2Click", &TMenuForm::N2Click);
}

TFormObject Item(const std::string& name, const std::string& caption, bool enabled = true) {
  TFormObject item;
  item.className = "TMenuItem";
  item.name = name;
  // In the order the writer uses: published order.
  item.props = {{"Caption", TFormValue::String(caption)}};
  if (!enabled) item.props.push_back({"Enabled", TFormValue::Bool(false)});
  item.props.push_back({"OnClick", TFormValue::Ident("N2Click")});
  return item;
}

class Menus : public testing::Test {
 protected:
  void SetUp() override {
    RegisterClass(TMenuForm::StaticClass());
    RegisterClass(TPopupMenu::StaticClass());
    RegisterClass(TMenuItem::StaticClass());
    previous_ = InstallMenuService(&service_);
  }
  void TearDown() override { InstallMenuService(previous_); }

  TFormObject MenuForm() {
    TFormObject menu;
    menu.className = "TPopupMenu";
    menu.name = "PopupMenu1";
    TFormObject sub = Item("N4", "More");
    sub.children = {Item("N9", "Deep")};
    menu.children = {Item("N2", "Stop", false), Item("N1", "-"), Item("N3", "Show"), sub};
    TFormObject form;
    form.className = "TMenuForm";
    form.children = {menu};
    return form;
  }

  THeadlessMenuService service_;
  IMenuService* previous_ = nullptr;
};

TEST_F(Menus, ReadFromFormDataAndWrittenBackTheSame) {
  TMenuForm form(nullptr);
  TObjectReader reader;
  reader.ReadInto(form, MenuForm());
  ASSERT_TRUE(reader.Errors().empty()) << reader.Errors().front();
  auto* menu = dynamic_cast<TPopupMenu*>(form.FindComponent("PopupMenu1"));
  ASSERT_NE(menu, nullptr);
  ASSERT_EQ(menu->Items().Count(), 4);
  EXPECT_EQ(menu->Items().Items(0)->Caption(), "Stop");
  EXPECT_FALSE(menu->Items().Items(0)->Enabled());
  EXPECT_TRUE(menu->Items().Items(1)->IsLine());
  EXPECT_EQ(menu->Items().Items(3)->Items(0)->Menu(), menu);
  EXPECT_EQ(WriteFormBinary(TObjectWriter(form).Write(form)), WriteFormBinary(MenuForm()));
}

TEST_F(Menus, PopupAsksTheServiceAndTheChosenItemClicks) {
  TMenuForm form(nullptr);
  TObjectReader().ReadInto(form, MenuForm());
  auto* menu = static_cast<TPopupMenu*>(form.FindComponent("PopupMenu1"));
  int popups = 0;
  menu->OnPopup = [&](TObject*) { ++popups; };
  menu->Popup(12, 34);
  EXPECT_EQ(popups, 1);
  ASSERT_EQ(service_.Requests().size(), 1u);
  EXPECT_EQ(service_.Requests()[0].x, 12);
  EXPECT_EQ(service_.Requests()[0].y, 34);
  EXPECT_FALSE(service_.Choose("N2"));  // disabled
  EXPECT_FALSE(service_.Choose("-"));   // a separator
  EXPECT_TRUE(service_.Choose("Deep"));
  EXPECT_TRUE(service_.Choose("N3"));
  EXPECT_EQ(form.clicked, (std::vector<std::string>{"N9", "N3"}));
}

TEST_F(Menus, FreeingItemsAndComponentsLeavesNoDanglingLinks) {
  TComponent owner(nullptr);
  auto* menu = new TPopupMenu(&owner);
  auto* item = new TMenuItem(&owner);
  auto* child = new TMenuItem(&owner);
  menu->Items().Add(item);
  item->Add(child);
  item->Add(item);   // an item cannot hold itself
  child->Add(item);  // nor one of its ancestors
  EXPECT_EQ(item->Count(), 1);
  EXPECT_EQ(child->Count(), 0);
  delete child;
  EXPECT_EQ(item->Count(), 0);

  auto* target = new TComponent(nullptr);
  menu->SetPopupComponent(target);
  delete target;
  EXPECT_EQ(menu->PopupComponent(), nullptr);
  delete menu;  // frees the item it holds
  EXPECT_EQ(owner.ComponentCount(), 0);
}

}  // namespace
