#pragma once

// The base of interactive controls. A control draws nothing of its own look: it attaches a
// private copy of a style (a small tree of shapes, texts, animations and effects) as its
// first child, binds named parts of the copy, and announces state changes as trigger events
// that the copy's animations and effects answer by themselves.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "scene/core/VisualObject.h"

class TAction;
class TForm;

enum TvxHelpType { htKeyword, htContext };

class TvxControl : public TvxVisualObject {
  LC_CLASS(TvxControl, TvxVisualObject)

 public:
  explicit TvxControl(TComponent* owner);
  ~TvxControl() override;

  // Form data sets these focus settings on controls.
  using TvxVisualObject::DisableFocusEffect;
  using TvxVisualObject::SetCanFocused;
  using TvxVisualObject::SetDisableFocusEffect;

  // The explicit style name; empty derives it from the class name. Assigning re-styles at
  // once unless the control is loading or inside an update bracket.
  const std::string& Resource() const { return resource_; }
  void SetResource(const std::string& value);
  bool NeedStyle() const { return needStyle_; }
  // The attached style copy, or null.
  TvxVisualObject* StyleObject() const { return styleObject_; }

  // A fresh copy of the control's style, owned by the control, or null. Looks in the scene's
  // style container, the default style and the object registry.
  TvxVisualObject* GetStyleObject();
  // Looks the style up, copies and attaches it; only while NeedStyle is set.
  void ApplyResource() override;
  // Binds the parts of a newly attached copy; subclasses call this first.
  virtual void ApplyStyle();
  // Called before the current copy is freed, so that subclasses drop their part references.
  virtual void FreeStyle() {}
  // Searches the style copy first, then the control's own children.
  TvxObject* FindResource(const std::string& name) override;
  void UpdateStyle() override;

  void BeforePaint() override;
  void EnterFocus() override;
  bool IsControl() const override { return true; }
  void ChangeParent() override;
  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;

  // The control whose value this one mirrors; registers with it and leaves the previous one.
  TvxControl* BindingSource() const { return bindingSource_; }
  void SetBindingSource(TvxControl* source);
  // The controls that mirror this one, in the order they bound.
  const std::vector<TvxControl*>& BoundControls() const { return bound_; }

  // The platform action the control follows (caption, enabled state, hint, visibility, and
  // OnClick executing it); null unlinks.
  TAction* Action() const;
  void SetAction(TAction* action);

  // Whether bound data carries a method reference rather than a value.
  static bool IsMethodData(const TVariant& value);

  // Stored only; the engine does nothing with them.
  TvxHelpType HelpType() const { return helpType_; }
  void SetHelpType(TvxHelpType value) { helpType_ = value; }
  const std::string& HelpKeyword() const { return helpKeyword_; }
  void SetHelpKeyword(const std::string& value) { helpKeyword_ = value; }
  int HelpContext() const { return helpContext_; }
  void SetHelpContext(int value) { helpContext_ = value; }
  // The place in the parent's list of tab stops; -1 without a visual parent. While loading
  // the value is only remembered, and placed once the parent's children have all loaded.
  // Values outside 16 bits are ignored.
  int16_t TabOrder() const;
  void SetTabOrder(int64_t value);
  // Texts shown by the control pass through the translation lookup.
  bool AutoTranslate() const { return autoTranslate_; }
  void SetAutoTranslate(bool value) { autoTranslate_ = value; }

 protected:
  // The first form on the owner chain from the scene's component, or null outside a form.
  TForm* SceneForm() const;
  // Hands this control's value to every control bound to it.
  void UpdateBindings();
  // Takes the action's values; `loading` keeps what form data set where it matters.
  virtual void ActionChange(TAction& action, bool loading);

 private:
  TvxObject* SceneStyleRoot() const;
  // The style the explicit Resource names, from any source, as an unnamed copy.
  TvxVisualObject* CopyNamedStyle(TvxObject* sceneStyle);
  // A copy of `source` when it can serve as this control's style.
  TvxVisualObject* CopyStyle(TvxObject* source);
  void AttachStyle(TvxVisualObject* copy);
  void RaiseFocusState();
  // The parent's control children in tab order.
  std::vector<TvxControl*> TabSiblings() const;
  void MoveInTabList(int index);
  // Places the siblings' remembered tab orders, lowest first.
  void PlaceRememberedTabOrders();

  class TLink;

  std::string resource_;
  bool needStyle_ = true;
  TvxVisualObject* styleObject_ = nullptr;
  TvxHelpType helpType_ = htContext;
  std::string helpKeyword_;
  int helpContext_ = 0;
  int16_t rememberedTabOrder_ = -1;
  uint64_t tabKey_ = 0;  // ranks the parent's tab stops; a fresh key puts a control last
  bool autoTranslate_ = false;
  TvxControl* bindingSource_ = nullptr;
  std::vector<TvxControl*> bound_;
  std::unique_ptr<TLink> actionLink_;
};
