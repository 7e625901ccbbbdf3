#pragma once

// Run-time class descriptions: published properties with their kinds, defaults and stored
// rules, published methods, and the registry that creates instances by class name. All
// lookups by name ignore letter case.

#include <any>
#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <string_view>
#include <typeindex>
#include <unordered_map>
#include <vector>

#include "platform/component/Persistent.h"

class TComponent;
class IEventWatcher;
struct TMethodInfo;

// Value names of an enumeration or of a set's elements, in ordinal order.
struct TEnumInfo {
  std::vector<std::string> names;
  int Find(std::string_view name) const;  // -1 when unknown
  std::string Name(int64_t value) const;  // empty when out of range
};

enum class TPropKind {
  Integer,
  Float,
  Bool,
  Enum,
  Set,
  String,
  WString,
  Object,
  Component,
  Method
};

// A method reference: the object and the published method to call on it.
struct TMethod {
  TObject* data = nullptr;
  const TMethodInfo* code = nullptr;
  bool operator==(const TMethod&) const = default;
};

struct TPropInfo {
  enum class Store { IfNotDefault, Never, Custom };

  std::string name;
  TPropKind kind = TPropKind::Integer;
  const TEnumInfo* names = nullptr;              // Enum, Set
  const TClassInfo& (*objectClass)() = nullptr;  // Object, Component: the class it must be
  std::type_index eventType = typeid(void);      // Method: the TEvent type it holds
  Store store = Store::IfNotDefault;
  std::function<bool(const TObject&)> isStored;  // Store::Custom

  int64_t defaultOrdinal = 0;
  double defaultFloat = 0;
  double largestFloat = std::numeric_limits<double>::max();  // Float: what its type can hold
  std::string defaultString;
  std::u16string defaultWide;

  // The accessors that fit the kind are set: ordinal (Integer, Bool, Enum, Set), Float,
  // String, WString, object (Object, Component) and method.
  std::function<int64_t(const TObject&)> getOrdinal;
  std::function<void(TObject&, int64_t)> setOrdinal;
  std::function<double(const TObject&)> getFloat;
  std::function<void(TObject&, double)> setFloat;
  std::function<std::string(const TObject&)> getString;
  std::function<void(TObject&, const std::string&)> setString;
  std::function<std::u16string(const TObject&)> getWide;
  std::function<void(TObject&, const std::u16string&)> setWide;
  std::function<TObject*(const TObject&)> getObject;
  std::function<void(TObject&, TObject*)> setObject;  // Component only
  std::function<TMethod(const TObject&)> getMethod;
  std::function<void(TObject&, const TMethod&)> setMethod;
  // Method: makes the watcher see every firing of the instance's event (null: none).
  std::function<void(TObject&, IEventWatcher*)> watch;

  bool IsStored(const TObject& instance) const;  // the stored rule and the default together
};

// A published method: the TEvent type it fits and a type-erased caller
// (std::function<void(TObject*, Args...)>).
struct TMethodInfo {
  std::string name;
  std::type_index eventType = typeid(void);
  std::any invoker;
};

struct TClassInfo {
  using Creator = std::function<TComponent*(TComponent* owner)>;

  std::string name;
  const TClassInfo* parent = nullptr;
  Creator create;  // empty for classes that are not created by name
  bool placeholder = false;
  std::vector<std::unique_ptr<TPropInfo>> props;      // own properties, in declaration order
  std::vector<std::unique_ptr<TMethodInfo>> methods;  // own published methods

  bool InheritsFrom(const TClassInfo& other) const;
  // Lookups include the ancestors; names ignore letter case.
  const TPropInfo* FindProp(std::string_view name) const;
  const TMethodInfo* FindMethod(std::string_view name) const;
  // Every property, ancestors' first.
  const std::vector<const TPropInfo*>& AllProps() const;
  // Creates an instance; a placeholder creates its base class's code under its own name.
  TComponent* Create(TComponent* owner) const;

 private:
  void BuildIndex() const;
  mutable std::vector<const TPropInfo*> all_;
  mutable std::unordered_map<std::string, const TPropInfo*> byName_;
  mutable bool indexed_ = false;
};

// The process-wide class registry.
void RegisterClass(const TClassInfo& info);
// Registers `name` as a class that streams like `base` but keeps its own name and the
// properties `base` does not know.
const TClassInfo& RegisterPlaceholder(const std::string& name, const TClassInfo& base);
const TClassInfo* FindClass(std::string_view name);
void RegisterCategory(const std::string& category, const TClassInfo& info);
const std::vector<std::pair<std::string, const TClassInfo*>>& RegisteredCategories();
