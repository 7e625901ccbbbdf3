#include "scene/core/Object.h"

#include <algorithm>
#include <optional>
#include <thread>

#include "platform/Platform.h"
#include "platform/component/FormData.h"
#include "platform/component/ObjectReader.h"
#include "platform/component/ObjectWriter.h"
#include "platform/component/Unicode.h"

namespace {

// Every object created, oldest first; a freed object leaves an empty entry so the order of
// the others stays. Empty entries are squeezed out once they are the majority.
struct ObjectRegistry {
  std::vector<TvxObject*> entries;
  size_t empty = 0;
};

ObjectRegistry& Registry() {
  static ObjectRegistry registry = [] {
    ObjectRegistry r;
    r.entries.reserve(100);
    return r;
  }();
  return registry;
}

}  // namespace

LC_PUBLISH(TvxObject) {
  p.Integer("Index", &TvxObject::Index, &TvxObject::SetIndex).NoStore();
  p.Component("Parent", &TvxObject::Parent, &TvxObject::SetParent).NoStore();
  p.String("BindingName", &TvxObject::BindingName, &TvxObject::SetBindingName);
  p.String("ResourceName", &TvxObject::ResourceName, &TvxObject::SetResourceName);
}

TvxObject::TvxObject(TComponent* owner) : TComponent(owner) {
  ObjectRegistry& registry = Registry();
  registryIndex_ = registry.entries.size();
  registry.entries.push_back(this);
}

TvxObject::~TvxObject() {
  DestroyTree();
}

void TvxObject::DestroyTree() {
  if (treeDestroyed_) return;
  treeDestroyed_ = true;
  Destroying();
  if (scene_) scene_->Notification(this);
  while (!freeNotify_.empty()) {
    IvxFreeNotify* holder = freeNotify_.back();
    freeNotify_.pop_back();
    holder->FreeNotify(this);
  }
  Unregister();
  LeaveCurrentPlace();
  scene_ = nullptr;
  DeleteChildren();
}

void TvxObject::Unregister() {
  ObjectRegistry& registry = Registry();
  registry.entries[registryIndex_] = nullptr;
  if (++registry.empty * 2 <= registry.entries.size() || registry.entries.size() < 64) return;
  std::erase(registry.entries, nullptr);
  registry.empty = 0;
  for (size_t i = 0; i < registry.entries.size(); ++i) registry.entries[i]->registryIndex_ = i;
}

TvxObject* TvxObject::FindGlobalResource(const std::string& name) {
  if (name.empty()) return nullptr;
  const auto& entries = Registry().entries;
  for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
    TvxObject* object = *it;
    if (object && object->stored_ && SameText(object->resourceName_, name)) return object;
  }
  return nullptr;
}

// Tree.

void TvxObject::SetScene(IvxScene* scene) {
  scene_ = scene;
  for (TvxObject* child : children_) child->SetScene(scene);
}

void TvxObject::LeaveCurrentPlace() {
  if (parent_) {
    parent_->RemoveObject(this);
  } else if (scene_) {
    scene_->RemoveObject(this);
  }
}

bool TvxObject::IsSelfOrAncestorOf(const TvxObject* object) const {
  for (; object; object = object->parent_)
    if (object == this) return true;
  return false;
}

void TvxObject::SetParent(TvxObject* value) {
  // Under its own descendant the object would close a loop that no walk of the tree leaves.
  if (value == parent_ || IsSelfOrAncestorOf(value)) return;
  LeaveCurrentPlace();
  if (value) {
    value->AddObject(this);
  } else {
    parent_ = nullptr;
  }
}

void TvxObject::AddObject(TvxObject* object) {
  if (!object || object->IsSelfOrAncestorOf(this)) return;
  if (object->parent_) object->SetParent(nullptr);
  if (std::find(children_.begin(), children_.end(), object) != children_.end()) return;
  if (children_.capacity() == 0) children_.reserve(10);
  children_.push_back(object);
  object->parent_ = this;
  object->index_ = int(children_.size()) - 1;
  object->SetScene(scene_);
  object->ChangeParent();
  ChildAdded(object);
}

void TvxObject::RemoveObject(TvxObject* object) {
  auto it = std::find(children_.begin(), children_.end(), object);
  if (it == children_.end()) return;
  ChildRemoving(object);
  object->parent_ = nullptr;
  object->SetScene(nullptr);
  // The child may have moved while being told; look it up again.
  it = std::find(children_.begin(), children_.end(), object);
  if (it == children_.end()) return;
  const size_t position = size_t(it - children_.begin());
  children_.erase(it);
  ResetSiblingIndexes(position);
  object->index_ = -1;
  ChildRemoved(object);
}

void TvxObject::Exchange(TvxObject* object1, TvxObject* object2) {
  if (!object1 || !object2 || object1->parent_ != this || object2->parent_ != this) return;
  const int i1 = object1->Index();
  const int i2 = object2->Index();
  std::swap(children_[size_t(i1)], children_[size_t(i2)]);
  std::swap(object1->index_, object2->index_);
  if (!HasState(csLoading)) Realign();
}

void TvxObject::DeleteChildren() {
  while (!children_.empty()) {
    TvxObject* child = children_.back();
    children_.pop_back();
    child->parent_ = nullptr;
    child->index_ = -1;
    child->SetScene(nullptr);
    delete child;
  }
  children_.shrink_to_fit();
}

TvxObject* TvxObject::Children(int index) const {
  return index >= 0 && index < ChildrenCount() ? children_[size_t(index)] : nullptr;
}

void TvxObject::Sort(const std::function<bool(TvxObject*, TvxObject*)>& less) {
  std::stable_sort(children_.begin(), children_.end(), less);
  ResetSiblingIndexes(0);
}

void TvxObject::ResetSiblingIndexes(size_t from) {
  for (size_t i = from; i < children_.size(); ++i) children_[i]->index_ = -1;
}

int TvxObject::Index() const {
  if (index_ < 0 && parent_) {
    const auto& list = parent_->children_;
    index_ = int(std::find(list.begin(), list.end(), this) - list.begin());
  }
  return index_;
}

void TvxObject::SetIndex(int index) {
  if (!parent_) return;
  auto& list = parent_->children_;
  auto it = std::find(list.begin(), list.end(), this);
  if (it == list.end()) return;
  list.erase(it);
  const size_t position = size_t(std::clamp(index, 0, int(list.size())));
  list.insert(list.begin() + long(position), this);
  parent_->ResetSiblingIndexes(0);
  if (isVisual_ && parent_->isVisual_ && !HasState(csLoading)) parent_->Realign();
}

void TvxObject::BringToFront() {
  if (!parent_) return;
  auto& list = parent_->children_;
  std::erase(list, this);
  list.push_back(this);
  parent_->ResetSiblingIndexes(0);
  Repaint();
}

void TvxObject::SendToBack() {
  if (!parent_) return;
  auto& list = parent_->children_;
  std::erase(list, this);
  list.insert(list.begin(), this);
  parent_->ResetSiblingIndexes(0);
  parent_->Realign();
}

// Data binding.

TVariant TvxObject::GetBinding(const std::string& name) {
  TvxObject* object = FindBinding(name);
  return object ? object->GetData() : TVariant(std::string());
}

void TvxObject::SetBinding(const std::string& name, const TVariant& value) {
  TvxObject* object = FindBinding(name);
  if (!object) return;
  try {
    object->SetData(value);
  } catch (const std::exception&) {
    // A binding target that cannot take the value keeps its own.
  }
}

TVariant TvxObject::GetData() {
  return Name();
}

TvxObject* TvxObject::FindBinding(const std::string& name) {
  if (SameText(bindingName_, name)) return this;
  for (TvxObject* child : children_) {
    if (SameText(child->bindingName_, name)) return child;
    if (TvxObject* found = child->FindBinding(name)) return found;
  }
  return nullptr;
}

// Resources and styles.

TvxObject* TvxObject::FindResource(const std::string& name) {
  if (name.empty()) return nullptr;
  for (TvxObject* child : children_) {
    if (SameText(child->resourceName_, name)) return child;
    if (!child->IsControl())
      if (TvxObject* found = child->FindResource(name)) return found;
  }
  return nullptr;
}

void TvxObject::UpdateStyle() {
  if (HasState(csLoading | csDestroying)) return;
  for (TvxObject* child : children_) child->UpdateStyle();
}

void TvxObject::SetStored(bool value) {
  if (value == stored_) return;
  StoreSubtree(value);
}

// Every descendant takes the value, also those below one that had it already.
void TvxObject::StoreSubtree(bool value) {
  stored_ = value;
  for (TvxObject* child : children_) child->StoreSubtree(value);
}

// Animations and the trigger fan-out.

// Starting and stopping may end runs whose handlers free animations, so the children are
// walked by position, never by a vector iterator that such a change would leave dangling.

void TvxObject::StartAnimation(const std::string& name) {
  for (TvxObject& child : ChildrenOf())
    if (auto* animation = dynamic_cast<IvxAnimationEnd*>(&child))
      if (SameText(child.Name(), name)) animation->Start();
}

void TvxObject::StopAnimation(const std::string& name) {
  for (TvxObject& child : ChildrenOfReversed())
    if (auto* animation = dynamic_cast<IvxAnimationEnd*>(&child))
      if (SameText(child.Name(), name)) animation->Stop();
}

void TvxObject::StopTriggerAnimation(TvxObject* instance) {
  for (TvxObject& child : ChildrenOf()) {
    if (auto* animation = dynamic_cast<IvxAnimationEnd*>(&child)) {
      if (animation->HasTrigger()) animation->Stop();
    } else if (child.IsStylePart()) {
      child.StopTriggerAnimation(instance);
    }
  }
}

void TvxObject::StartTriggerAnimation(TvxObject* instance, const std::string& trigger) {
  StopTriggerAnimation(instance);
  for (TvxObject& child : ChildrenOf()) {
    if (auto* animation = dynamic_cast<IvxAnimationEnd*>(&child)) {
      animation->StartTrigger(instance, trigger);
    } else if (child.IsStylePart()) {
      child.StartTriggerAnimation(instance, trigger);
    }
  }
}

void TvxObject::StartTriggerAnimationWait(TvxObject* instance, const std::string& trigger) {
  StopTriggerAnimation(instance);
  // Messages run while waiting may free an animation, or this object with all its children.
  const TWeakRef<TvxObject> self(this);
  for (TvxObject& child : ChildrenOf()) {
    if (auto* animation = dynamic_cast<IvxAnimationEnd*>(&child)) {
      animation->StartTrigger(instance, trigger);
      const TWeakRef<TvxObject> awaited(&child);
      while (awaited && animation->IsRunning()) {
        Platform().loop->ProcessMessages();
        std::this_thread::yield();
      }
    } else if (child.IsStylePart()) {
      child.StartTriggerAnimationWait(instance, trigger);
    }
    if (!self) return;
  }
}

void TvxObject::ApplyTriggerEffect(TvxObject* instance, const std::string& trigger) {
  for (TvxObject& child : ChildrenOf()) {
    if (auto* effect = dynamic_cast<IvxEffectEnd*>(&child)) {
      effect->ApplyTrigger(instance, trigger);
    } else if (child.IsStylePart()) {
      child.ApplyTriggerEffect(instance, trigger);
    }
  }
}

// Free notifications.

void TvxObject::AddFreeNotify(IvxFreeNotify* holder) {
  if (holder && std::find(freeNotify_.begin(), freeNotify_.end(), holder) == freeNotify_.end())
    freeNotify_.push_back(holder);
}

void TvxObject::RemoveFreeNotify(IvxFreeNotify* holder) {
  std::erase(freeNotify_, holder);
}

// Streaming.

void TvxObject::GetChildren(const std::function<void(TComponent*)>& proc, TComponent*) {
  if (IsContent()) return;
  for (TvxObject* child : children_) {
    if (child->IsContent())
      for (TvxObject* inner : child->children_)
        if (inner->stored_) proc(inner);
    if (child->stored_) proc(child);
  }
}

void TvxObject::SetParentComponent(TComponent* parent) {
  SetParent(nullptr);
  if (auto* object = dynamic_cast<TvxObject*>(parent)) {
    object->AddObject(this);
  } else if (auto* scene = dynamic_cast<IvxScene*>(parent)) {
    scene->AddObject(this);
  }
}

TComponent* TvxObject::GetParentComponent() const {
  if (parent_) {
    if ((parent_->IsContent() || parent_->IsComboListBox()) && parent_->parent_)
      return parent_->parent_;
    return parent_;
  }
  return scene_ ? scene_->GetComponent() : nullptr;
}

bool TvxObject::LoadFromStream(TMemoryStream& stream) {
  std::optional<TFormData> form;
  try {
    size_t position = stream.Position();
    form.emplace(stream.Bytes(), &position);
    stream.SetPosition(position);
  } catch (const EFormError&) {
    return false;
  }
  LoadFromForm(*form);
  return true;
}

template <class Form>
void TvxObject::LoadFromForm(const Form& form) {
  const bool designing = HasState(csDesigning);
  SetState(csDesigning, true);
  TObjectReader({.clearNames = true}).ReadInto(*this, form);
  SetState(csDesigning, designing);
}
template void TvxObject::LoadFromForm(const TFormData& form);
template void TvxObject::LoadFromForm(const TFormObject& form);

void TvxObject::SaveToStream(TMemoryStream& stream) {
  std::vector<uint8_t> bytes;
  WriteFormBinary(TObjectWriter(*this).Write(*this), bytes);
  stream.Write(bytes);
}

TvxObject* TvxObject::Clone(TComponent* owner) {
  // The form data goes straight from writer to reader: the bytes in between would be the same.
  const std::string name = Name();
  SetName({});
  const TFormObject form = TObjectWriter(*this).Write(*this);
  SetName(name);
  auto* copy = dynamic_cast<TvxObject*>(ClassType().Create(owner));
  if (copy) copy->LoadFromForm(form);
  return copy;
}

TvxObject* CreateObjectFromBinStream(TComponent* owner, TMemoryStream& stream) {
  std::optional<TFormData> form;
  size_t end = stream.Position();
  try {
    form.emplace(stream.Bytes(), &end);
  } catch (const EFormError&) {
    return nullptr;
  }
  // A class the registry does not know anywhere in the tree makes the data unreadable: a
  // partial object would pass for a whole one.
  if (!FormClassesRegistered(form->Root())) return nullptr;
  TComponent* instance = FindClass(form->Root().ClassName())->Create(owner);
  auto* object = dynamic_cast<TvxObject*>(instance);
  if (!object) {
    delete instance;
    return nullptr;
  }
  stream.SetPosition(end);
  object->LoadFromForm(*form);
  return object;
}
