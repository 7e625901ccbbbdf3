#pragma once

// The base of every scene element: a component placed in an ordered tree, linked to the
// scene host that shows it, findable by binding and resource name, streamable as form data.
// Ownership (who frees whom) and parenthood (where it sits in the tree) are independent.

#include <algorithm>
#include <functional>
#include <iterator>
#include <string>
#include <type_traits>
#include <vector>

#include "platform/component/Component.h"
#include "platform/component/Publisher.h"
#include "platform/component/Stream.h"
#include "scene/core/SceneInterface.h"
#include "scene/core/Variant.h"

class TvxObject;
template <class T, bool Reverse>
class TvxChildRange;

// Non-component holders of a reference to an object (a visual brush source, a brush, path or
// bitmap resource) that must forget it when the object is freed.
class IvxFreeNotify {
 public:
  virtual void FreeNotify(TvxObject* object) = 0;

 protected:
  ~IvxFreeNotify() = default;
};

// What an animation offers the tree's trigger fan-out.
class IvxAnimationEnd {
 public:
  virtual void Start() = 0;
  virtual void Stop() = 0;
  virtual bool IsRunning() const = 0;
  virtual bool HasTrigger() const = 0;
  virtual void StartTrigger(TvxObject* instance, const std::string& trigger) = 0;

 protected:
  ~IvxAnimationEnd() = default;
};

// What an effect offers the tree's trigger fan-out.
class IvxEffectEnd {
 public:
  virtual void ApplyTrigger(TvxObject* instance, const std::string& trigger) = 0;

 protected:
  ~IvxEffectEnd() = default;
};

class TvxObject : public TComponent {
  LC_CLASS(TvxObject, TComponent)

 public:
  explicit TvxObject(TComponent* owner);
  ~TvxObject() override;

  // Tree.
  virtual void SetScene(IvxScene* scene);
  virtual void ChangeParent() {}
  virtual void SetParent(TvxObject* value);
  virtual void AddObject(TvxObject* object);
  virtual void RemoveObject(TvxObject* object);
  virtual void Exchange(TvxObject* object1, TvxObject* object2);
  virtual void DeleteChildren();
  TvxObject* Parent() const { return parent_; }
  IvxScene* Scene() const { return scene_; }
  int ChildrenCount() const { return int(children_.size()); }
  TvxObject* Children(int index) const;
  // The children of class T in tree order (or last first), for range-for without allocating.
  template <class T = TvxObject>
  TvxChildRange<T, false> ChildrenOf() const {
    return TvxChildRange<T, false>(children_);
  }
  template <class T = TvxObject>
  TvxChildRange<T, true> ChildrenOfReversed() const {
    return TvxChildRange<T, true>(children_);
  }
  void Sort(const std::function<bool(TvxObject*, TvxObject*)>& less);
  int Index() const;
  void SetIndex(int index);
  void BringToFront();
  void SendToBack();
  bool IsVisual() const { return isVisual_; }

  // Data binding.
  virtual TVariant GetBinding(const std::string& name);
  virtual void SetBinding(const std::string& name, const TVariant& value);
  virtual TVariant GetData();
  virtual void SetData(const TVariant&) {}
  virtual std::string ItemClass() const { return {}; }
  TvxObject* FindBinding(const std::string& name);
  const std::string& BindingName() const { return bindingName_; }
  void SetBindingName(const std::string& name) { bindingName_ = name; }

  // Resources and styles.
  virtual TvxObject* FindResource(const std::string& name);
  static TvxObject* FindGlobalResource(const std::string& name);
  const std::string& ResourceName() const { return resourceName_; }
  void SetResourceName(const std::string& name) { resourceName_ = name; }
  virtual void UpdateStyle();
  bool Stored() const { return stored_; }
  void SetStored(bool value);

  // Animations and the trigger fan-out.
  virtual void StartAnimation(const std::string& name);
  virtual void StopAnimation(const std::string& name);
  virtual void StartTriggerAnimation(TvxObject* instance, const std::string& trigger);
  virtual void StartTriggerAnimationWait(TvxObject* instance, const std::string& trigger);
  virtual void StopTriggerAnimation(TvxObject* instance);
  virtual void ApplyTriggerEffect(TvxObject* instance, const std::string& trigger);

  // Free notifications of non-component holders.
  void AddFreeNotify(IvxFreeNotify* holder);
  void RemoveFreeNotify(IvxFreeNotify* holder);

  // Streaming.
  TvxObject* Clone(TComponent* owner);
  // Reads binary form data at the stream's position into this object; names read are
  // dropped and bad properties skipped. False when the data is not readable at all.
  bool LoadFromStream(TMemoryStream& stream);
  // The same for form data already read (TFormData) or built (TFormObject).
  template <class Form>
  void LoadFromForm(const Form& form);
  void SaveToStream(TMemoryStream& stream);
  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;
  void SetParentComponent(TComponent* parent) override;
  TComponent* GetParentComponent() const override;
  bool HasParent() const override { return true; }

  // The roles some subclasses take, asked where the tree treats them apart.
  virtual bool IsContent() const { return false; }
  virtual bool IsControl() const { return false; }
  virtual bool IsComboListBox() const { return false; }
  // A part of a control's style copy: visual, Locked and not hit-testable.
  virtual bool IsStylePart() const { return false; }

 protected:
  // Tears the object out of the tree and frees its children. Called by the destructor of
  // the most derived class that needs its own parts alive while leaving; runs once.
  void DestroyTree();
  // Layout and painting of visual objects, reached from the list operations above.
  virtual void Realign() {}
  virtual void Repaint() {}
  // Bookkeeping of visual objects around the list operations: after a child was appended,
  // before it leaves, after it left.
  virtual void ChildAdded(TvxObject*) {}
  virtual void ChildRemoving(TvxObject*) {}
  virtual void ChildRemoved(TvxObject*) {}
  void SetVisual() { isVisual_ = true; }
  std::vector<TvxObject*>& ChildList() { return children_; }
  void ResetSiblingIndexes(size_t from);

 private:
  void LeaveCurrentPlace();
  bool IsSelfOrAncestorOf(const TvxObject* object) const;
  void Unregister();
  void StoreSubtree(bool value);

  bool stored_ = true;
  bool isVisual_ = false;
  bool treeDestroyed_ = false;
  std::string resourceName_;
  std::string bindingName_;
  std::vector<IvxFreeNotify*> freeNotify_;
  mutable int index_ = -1;
  size_t registryIndex_ = 0;
  std::vector<TvxObject*> children_;
  TvxObject* parent_ = nullptr;
  IvxScene* scene_ = nullptr;
};

// `object` as a T, or null.
template <class T>
T* ChildAs(TvxObject* object) {
  if constexpr (std::is_same_v<T, TvxObject>) {
    return object;
  } else if constexpr (std::is_base_of_v<TvxVisualObject, T>) {
    // The flag spares the cast for children that are not visual; the cast still guards an
    // object whose visual part is already destroyed.
    return object->IsVisual() ? dynamic_cast<T*>(object) : nullptr;
  } else {
    return dynamic_cast<T*>(object);
  }
}

// The children of one class. Positions are read afresh at each step, so a loop body that adds
// or removes children sees the list as an index loop would, never a stale entry.
template <class T, bool Reverse>
class TvxChildRange {
 public:
  explicit TvxChildRange(const std::vector<TvxObject*>& list) : list_(list) {}

  class iterator {
   public:
    iterator(const std::vector<TvxObject*>& list, std::ptrdiff_t position)
        : list_(&list), position_(position) {
      Seek();
    }
    T& operator*() const { return *current_; }
    T* operator->() const { return current_; }
    iterator& operator++() {
      position_ += Reverse ? -1 : 1;
      Seek();
      return *this;
    }
    bool operator==(std::default_sentinel_t) const { return current_ == nullptr; }

   private:
    void Seek() {
      const auto size = std::ptrdiff_t(list_->size());
      if (Reverse) position_ = std::min(position_, size - 1);
      current_ = nullptr;
      for (; position_ >= 0 && position_ < size; position_ += Reverse ? -1 : 1)
        if ((current_ = ChildAs<T>((*list_)[size_t(position_)]))) return;
    }

    const std::vector<TvxObject*>* list_;
    std::ptrdiff_t position_;
    T* current_ = nullptr;
  };

  iterator begin() const { return iterator(list_, Reverse ? std::ptrdiff_t(list_.size()) - 1 : 0); }
  std::default_sentinel_t end() const { return {}; }

 private:
  const std::vector<TvxObject*>& list_;
};

// Binary form data at the stream's position as a standalone object; null on any failure
// (unknown class, malformed data).
TvxObject* CreateObjectFromBinStream(TComponent* owner, TMemoryStream& stream);
