#pragma once

// The base of interactive controls. A control draws nothing of its own look: it attaches a
// private copy of a style (a small tree of shapes, texts, animations and effects) as its
// first child, binds named parts of the copy, and announces state changes as trigger events
// that the copy's animations and effects answer by themselves.

#include <cstdint>
#include <string>

#include "scene/core/VisualObject.h"

enum TvxHelpType { htKeyword, htContext };

class TvxControl : public TvxVisualObject {
  LC_CLASS(TvxControl, TvxVisualObject)

 public:
  explicit TvxControl(TComponent* owner);
  ~TvxControl() override;

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
  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;

  // Stored only; the engine does nothing with them.
  TvxHelpType HelpType() const { return helpType_; }
  void SetHelpType(TvxHelpType value) { helpType_ = value; }
  const std::string& HelpKeyword() const { return helpKeyword_; }
  void SetHelpKeyword(const std::string& value) { helpKeyword_ = value; }
  int HelpContext() const { return helpContext_; }
  void SetHelpContext(int value) { helpContext_ = value; }
  int16_t TabOrder() const { return tabOrder_; }
  void SetTabOrder(int16_t value) { tabOrder_ = value; }
  // Texts shown by the control pass through the translation lookup.
  bool AutoTranslate() const { return autoTranslate_; }
  void SetAutoTranslate(bool value) { autoTranslate_ = value; }

 private:
  TvxObject* SceneStyleRoot() const;
  // The style the explicit Resource names, from any source, as an unnamed copy.
  TvxVisualObject* CopyNamedStyle(TvxObject* sceneStyle);
  // A copy of `source` when it can serve as this control's style.
  TvxVisualObject* CopyStyle(TvxObject* source);
  void AttachStyle(TvxVisualObject* copy);
  void RaiseFocusState();

  std::string resource_;
  bool needStyle_ = true;
  TvxVisualObject* styleObject_ = nullptr;
  TvxHelpType helpType_ = htContext;
  std::string helpKeyword_;
  int helpContext_ = 0;
  int16_t tabOrder_ = -1;
  bool autoTranslate_ = false;
};
