#include "platform/component/ClassInfo.h"

#include <cmath>
#include <deque>

#include "platform/component/Component.h"
#include "platform/component/Unicode.h"

namespace {

struct Registry {
  std::unordered_map<std::string, const TClassInfo*> classes;
  std::deque<TClassInfo> placeholders;
  std::vector<std::pair<std::string, const TClassInfo*>> categories;
};

Registry& TheRegistry() {
  static Registry registry;
  return registry;
}

}  // namespace

int TEnumInfo::Find(std::string_view name) const {
  for (size_t i = 0; i < names.size(); ++i)
    if (SameText(names[i], name)) return int(i);
  return -1;
}

std::string TEnumInfo::Name(int64_t value) const {
  return value >= 0 && value < int64_t(names.size()) ? names[size_t(value)] : std::string();
}

bool TPropInfo::IsStored(const TObject& instance) const {
  switch (store) {
    case Store::Never:
      return false;
    case Store::Custom:
      if (!isStored(instance)) return false;
      break;
    case Store::IfNotDefault:
      break;
  }
  switch (kind) {
    case TPropKind::Integer:
    case TPropKind::Bool:
    case TPropKind::Enum:
    case TPropKind::Set:
      return getOrdinal(instance) != defaultOrdinal;
    case TPropKind::Float:
      return getFloat(instance) != defaultFloat;
    case TPropKind::String:
      return getString(instance) != defaultString;
    case TPropKind::WString:
      return getWide(instance) != defaultWide;
    case TPropKind::Object:
    case TPropKind::Component:
      return getObject(instance) != nullptr;
    case TPropKind::Method:
      return getMethod(instance).code != nullptr;
  }
  return false;
}

bool TClassInfo::InheritsFrom(const TClassInfo& other) const {
  for (const TClassInfo* c = this; c; c = c->parent)
    if (c == &other) return true;
  return false;
}

void TClassInfo::BuildIndex() const {
  if (parent) all_ = parent->AllProps();
  for (const auto& prop : props) all_.push_back(prop.get());
  for (const TPropInfo* prop : all_) byName_[LowerAscii(prop->name)] = prop;
  indexed_ = true;
}

const std::vector<const TPropInfo*>& TClassInfo::AllProps() const {
  if (!indexed_) BuildIndex();
  return all_;
}

const TPropInfo* TClassInfo::FindProp(std::string_view name) const {
  if (!indexed_) BuildIndex();
  char lower[64];
  if (name.size() >= sizeof lower) return nullptr;
  for (size_t i = 0; i < name.size(); ++i)
    lower[i] = (name[i] >= 'A' && name[i] <= 'Z') ? char(name[i] + 32) : name[i];
  auto it = byName_.find(std::string(lower, name.size()));
  return it == byName_.end() ? nullptr : it->second;
}

const TMethodInfo* TClassInfo::FindMethod(std::string_view name) const {
  for (const TClassInfo* c = this; c; c = c->parent)
    for (const auto& method : c->methods)
      if (SameText(method->name, name)) return method.get();
  return nullptr;
}

TComponent* TClassInfo::Create(TComponent* owner) const {
  return create ? create(owner) : nullptr;
}

void RegisterClass(const TClassInfo& info) {
  TheRegistry().classes[LowerAscii(info.name)] = &info;
}

const TClassInfo& RegisterPlaceholder(const std::string& name, const TClassInfo& base) {
  TClassInfo& info = TheRegistry().placeholders.emplace_back();
  info.name = name;
  info.parent = &base;
  info.placeholder = true;
  if (base.create) {
    info.create = [&info, &base](TComponent* owner) {
      TComponent* instance = base.create(owner);
      instance->BecomePlaceholder(info);
      return instance;
    };
  }
  RegisterClass(info);
  return info;
}

const TClassInfo* FindClass(std::string_view name) {
  const auto& classes = TheRegistry().classes;
  auto it = classes.find(LowerAscii(name));
  return it == classes.end() ? nullptr : it->second;
}

void RegisterCategory(const std::string& category, const TClassInfo& info) {
  TheRegistry().categories.emplace_back(category, &info);
  RegisterClass(info);
}

const std::vector<std::pair<std::string, const TClassInfo*>>& RegisteredCategories() {
  return TheRegistry().categories;
}
