#pragma once

// Declaring published properties and methods. A class states `LC_CLASS(TName, TBase)` in its
// body and lists what it publishes in its .cpp:
//
//   LC_PUBLISH(TvxArc) {
//     p.Float("StartAngle", &TvxArc::StartAngle, &TvxArc::SetStartAngle);
//     p.Float("EndAngle", &TvxArc::EndAngle, &TvxArc::SetEndAngle, 270);
//   }
//
// A getter is a const member function or a data member; without a setter the data member is
// written directly.

#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <type_traits>

#include "platform/component/ClassInfo.h"
#include "platform/component/Component.h"
#include "platform/component/Event.h"

#define LC_CLASS(Class, Base)                          \
 public:                                               \
  using Inherited = Base;                              \
  static const TClassInfo& StaticClass();              \
                                                       \
 protected:                                            \
  const TClassInfo& StaticClassType() const override { \
    return StaticClass();                              \
  }                                                    \
                                                       \
 private:

#define LC_PUBLISH(Class)                                                          \
  static void Publish##Class(TPublisher<Class>&);                                  \
  const TClassInfo& Class::StaticClass() {                                         \
    static const TClassInfo info = BuildClassInfo<Class>(#Class, &Publish##Class); \
    return info;                                                                   \
  }                                                                                \
  static void Publish##Class([[maybe_unused]] TPublisher<Class>& p)

template <class C>
class TPublisher {
 public:
  explicit TPublisher(TClassInfo& info) : info_(info) {}

  template <class G, class S = std::nullptr_t>
  TPublisher& Integer(const char* name, G get, S set = nullptr, int64_t def = 0) {
    TPropInfo& prop = Add(name, TPropKind::Integer);
    prop.defaultOrdinal = def;
    Ordinal(prop, get, set);
    return *this;
  }

  template <class G, class S = std::nullptr_t>
  TPublisher& Bool(const char* name, G get, S set = nullptr, bool def = false) {
    TPropInfo& prop = Add(name, TPropKind::Bool);
    prop.defaultOrdinal = def;
    Ordinal(prop, get, set);
    return *this;
  }

  template <class G, class S = std::nullptr_t, class E = int>
  TPublisher& Enum(const char* name, const TEnumInfo& names, G get, S set = nullptr, E def = {}) {
    TPropInfo& prop = Add(name, TPropKind::Enum);
    prop.names = &names;
    prop.defaultOrdinal = static_cast<int64_t>(def);
    Ordinal(prop, get, set);
    return *this;
  }

  template <class G, class S = std::nullptr_t>
  TPublisher& Set(const char* name, const TEnumInfo& names, G get, S set = nullptr,
                  uint32_t def = 0) {
    TPropInfo& prop = Add(name, TPropKind::Set);
    prop.names = &names;
    prop.defaultOrdinal = def;
    Ordinal(prop, get, set);
    return *this;
  }

  template <class G, class S = std::nullptr_t>
  TPublisher& Float(const char* name, G get, S set = nullptr, double def = 0) {
    TPropInfo& prop = Add(name, TPropKind::Float);
    prop.defaultFloat = def;
    prop.largestFloat =
        std::numeric_limits<std::remove_cvref_t<std::invoke_result_t<G, const C&>>>::max();
    prop.getFloat = [get](const TObject& o) { return double(std::invoke(get, Self(o))); };
    prop.setFloat = [get, set](TObject& o, double v) { Put(Self(o), get, set, v); };
    return *this;
  }

  template <class G, class S = std::nullptr_t>
  TPublisher& String(const char* name, G get, S set = nullptr, std::string def = {}) {
    TPropInfo& prop = Add(name, TPropKind::String);
    prop.defaultString = std::move(def);
    prop.getString = [get](const TObject& o) { return std::string(std::invoke(get, Self(o))); };
    prop.setString = [get, set](TObject& o, const std::string& v) { Put(Self(o), get, set, v); };
    return *this;
  }

  template <class G, class S = std::nullptr_t>
  TPublisher& WString(const char* name, G get, S set = nullptr, std::u16string def = {}) {
    TPropInfo& prop = Add(name, TPropKind::WString);
    prop.defaultWide = std::move(def);
    prop.getWide = [get](const TObject& o) { return std::u16string(std::invoke(get, Self(o))); };
    prop.setWide = [get, set](TObject& o, const std::u16string& v) { Put(Self(o), get, set, v); };
    return *this;
  }

  // An owned sub-object (a brush, a position): streamed as dotted paths, or as a collection.
  // The getter may be non-const: the property hands out the part itself, which readers and
  // animations change, so owners need not declare their parts mutable.
  template <class G>
  TPublisher& Object(const char* name, G get) {
    using P = std::remove_pointer_t<std::remove_cvref_t<std::invoke_result_t<G, C&>>>;
    TPropInfo& prop = Add(name, TPropKind::Object);
    prop.objectClass = &P::StaticClass;
    prop.getObject = [get](const TObject& o) -> TObject* { return std::invoke(get, Owner(o)); };
    return *this;
  }

  // A reference to another component, written by its name.
  template <class G, class S = std::nullptr_t>
  TPublisher& Component(const char* name, G get, S set = nullptr) {
    using P = std::remove_pointer_t<std::remove_cvref_t<std::invoke_result_t<G, const C&>>>;
    TPropInfo& prop = Add(name, TPropKind::Component);
    prop.objectClass = &P::StaticClass;
    prop.getObject = [get](const TObject& o) -> TObject* { return std::invoke(get, Self(o)); };
    prop.setObject = [get, set](TObject& o, TObject* v) {
      Put(Self(o), get, set, dynamic_cast<P*>(v));
    };
    return *this;
  }

  template <class... A>
  TPublisher& Event(const char* name, TEvent<A...> C::*field) {
    TPropInfo& prop = Add(name, TPropKind::Method);
    prop.eventType = typeid(TEvent<A...>);
    prop.getMethod = [field](const TObject& o) { return (Self(o).*field).Method(); };
    prop.setMethod = [field](TObject& o, const TMethod& m) { (Self(o).*field).SetMethod(m); };
    prop.watch = [field, event = &prop](TObject& o, IEventWatcher* watcher) {
      (Self(o).*field).SetWatch({watcher, &o, event});
    };
    return *this;
  }

  template <class... A>
  TPublisher& Method(const char* name, void (C::*method)(A...)) {
    auto info = std::make_unique<TMethodInfo>();
    info->name = name;
    info->eventType = typeid(TEvent<A...>);
    info->invoker = typename TEvent<A...>::Invoker(
        [method](TObject* o, A... args) { (static_cast<C*>(o)->*method)(args...); });
    info_.methods.push_back(std::move(info));
    return *this;
  }

  // Modifiers of the property declared last.
  TPublisher& NoStore() {
    info_.props.back()->store = TPropInfo::Store::Never;
    return *this;
  }
  TPublisher& StoredIf(bool (C::*stored)() const) {
    TPropInfo& prop = *info_.props.back();
    prop.store = TPropInfo::Store::Custom;
    prop.isStored = [stored](const TObject& o) { return (Self(o).*stored)(); };
    return *this;
  }

 private:
  static const C& Self(const TObject& o) { return static_cast<const C&>(o); }
  static C& Self(TObject& o) { return static_cast<C&>(o); }
  // The one place where a const owner yields a changeable part: the property table reads
  // sub-objects of const instances (the writer) and of changeable ones alike.
  static C& Owner(const TObject& o) { return const_cast<C&>(Self(o)); }

  template <class G, class S, class V>
  static void Put(C& c, G get, S set, V&& value) {
    if constexpr (std::is_null_pointer_v<S>) {
      using T = std::remove_cvref_t<std::invoke_result_t<G, C&>>;
      std::invoke(get, c) = static_cast<T>(value);
    } else {
      using T = std::remove_cvref_t<std::invoke_result_t<G, const C&>>;
      std::invoke(set, c, static_cast<T>(value));
    }
  }

  template <class G, class S>
  static void Ordinal(TPropInfo& prop, G get, S set) {
    prop.getOrdinal = [get](const TObject& o) {
      return static_cast<int64_t>(std::invoke(get, Self(o)));
    };
    prop.setOrdinal = [get, set](TObject& o, int64_t v) { Put(Self(o), get, set, v); };
  }

  TPropInfo& Add(const char* name, TPropKind kind) {
    auto prop = std::make_unique<TPropInfo>();
    prop->name = name;
    prop->kind = kind;
    info_.props.push_back(std::move(prop));
    return *info_.props.back();
  }

  TClassInfo& info_;
};

template <class C>
TClassInfo BuildClassInfo(const char* name, void (*publish)(TPublisher<C>&)) {
  TClassInfo info;
  info.name = name;
  info.parent = &C::Inherited::StaticClass();
  if constexpr (std::is_constructible_v<C, TComponent*> && !std::is_abstract_v<C>)
    info.create = [](TComponent* owner) -> TComponent* { return new C(owner); };
  TPublisher<C> publisher(info);
  publish(publisher);
  return info;
}
