#include "platform/component/Component.h"

#include <algorithm>
#include <unordered_set>

#include "platform/component/Unicode.h"

namespace {

void Erase(std::vector<TComponent*>& list, TComponent* item) {
  auto it = std::find(list.begin(), list.end(), item);
  if (it != list.end()) list.erase(it);
}

bool Contains(const std::vector<TComponent*>& list, const TComponent* item) {
  return std::find(list.begin(), list.end(), item) != list.end();
}

std::unordered_set<uintptr_t>& LiveComponents() {
  static std::unordered_set<uintptr_t> live;
  return live;
}

}  // namespace

bool IsValidIdent(std::string_view name) {
  if (name.empty()) return false;
  const auto letter = [](char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
  };
  if (!letter(name[0])) return false;
  return std::all_of(name.begin(), name.end(),
                     [&](char c) { return letter(c) || (c >= '0' && c <= '9'); });
}

const TClassInfo& TComponent::StaticClass() {
  static const TClassInfo info = [] {
    TClassInfo i;
    i.name = "TComponent";
    i.parent = &TPersistent::StaticClass();
    auto name = std::make_unique<TPropInfo>();
    name->name = "Name";
    name->kind = TPropKind::String;
    name->store = TPropInfo::Store::Never;  // written in the object's header instead
    name->getString = [](const TObject& o) { return static_cast<const TComponent&>(o).Name(); };
    name->setString = [](TObject& o, const std::string& v) {
      static_cast<TComponent&>(o).SetName(v);
    };
    i.props.push_back(std::move(name));
    return i;
  }();
  return info;
}

TComponent::TComponent(TComponent* owner) {
  LiveComponents().insert(reinterpret_cast<uintptr_t>(this));
  if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
  life_.Expire();
  Destroying();
  // Tell whoever asked; each may remove itself from our list while being told.
  while (!freeNotifies_.empty()) {
    TComponent* other = freeNotifies_.back();
    freeNotifies_.pop_back();
    Erase(other->freeNotifies_, this);
    other->Notification(this, TOperation::opRemove);
  }
  DestroyComponents();
  if (owner_) owner_->RemoveComponent(this);
  LiveComponents().erase(reinterpret_cast<uintptr_t>(this));
}

TComponent* TComponent::FindLive(uintptr_t address) {
  return LiveComponents().count(address) ? reinterpret_cast<TComponent*>(address) : nullptr;
}

void TComponent::DestroyComponents() {
  while (!components_.empty()) {
    TComponent* component = components_.back();
    components_.pop_back();
    component->owner_ = nullptr;
    delete component;
  }
}

void TComponent::Destroying() {
  if (HasState(csDestroying)) return;
  state_ |= csDestroying;
  for (TComponent* component : components_) component->Destroying();
}

void TComponent::SetState(uint32_t flags, bool on) {
  state_ = on ? (state_ | flags) : (state_ & ~flags);
}

void TComponent::SetName(const std::string& name) {
  if (name == name_) return;
  if (!name.empty()) {
    if (!IsValidIdent(name)) throw EComponentError("'" + name + "' is not a valid component name");
    if (owner_) {
      TComponent* other = owner_->FindComponent(name);
      if (other && other != this)
        throw EComponentError("A component named " + name + " already exists");
    }
  }
  name_ = name;
}

TComponent* TComponent::Components(int index) const {
  return index >= 0 && index < ComponentCount() ? components_[size_t(index)] : nullptr;
}

TComponent* TComponent::FindComponent(std::string_view name) const {
  if (name.empty()) return nullptr;
  for (TComponent* component : components_)
    if (SameText(component->name_, name)) return component;
  return nullptr;
}

void TComponent::InsertComponent(TComponent* component) {
  if (component->owner_) component->owner_->RemoveComponent(component);
  components_.push_back(component);
  component->owner_ = this;
  Notification(component, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
  if (component->owner_ != this) return;
  Notification(component, TOperation::opRemove);
  Erase(components_, component);
  component->owner_ = nullptr;
}

void TComponent::FreeNotification(TComponent* component) {
  if (!component || component == this) return;
  if (!Contains(freeNotifies_, component)) freeNotifies_.push_back(component);
  if (!Contains(component->freeNotifies_, this)) component->freeNotifies_.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
  if (!component) return;
  Erase(freeNotifies_, component);
  Erase(component->freeNotifies_, this);
}

void TComponent::Notification(TComponent*, TOperation) {}

void TComponent::Loaded() {
  SetState(csLoading, false);
}

void TComponent::GetChildren(const std::function<void(TComponent*)>&, TComponent*) {}

void TComponent::SetParentComponent(TComponent*) {}

bool TComponent::KeepUnknownProperty(const TFormProperty& property) {
  if (!ClassType().placeholder) return false;
  if (!kept_) kept_ = std::make_unique<std::vector<TFormProperty>>();
  kept_->push_back(property);
  return true;
}
