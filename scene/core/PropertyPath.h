#pragma once

// Property paths of animations, such as "Fill.Color": leading segments walk into sub-objects,
// the last one names the property to change.

#include <string>
#include <string_view>

#include "platform/component/ClassInfo.h"

struct TvxPropertyPath {
  TObject* object = nullptr;  // where the property lives; null when unresolved
  std::string name;

  // The property of that name, or null.
  const TPropInfo* Find() const { return object ? object->ClassType().FindProp(name) : nullptr; }
  // The property when it is of `kind`, else null.
  const TPropInfo* Find(TPropKind kind) const;
  // The sub-object held by an object property of that name when it is a `T`, else null.
  template <class T>
  T* FindObject() const {
    const TPropInfo* prop = Find(TPropKind::Object);
    return prop ? dynamic_cast<T*>(prop->getObject(*object)) : nullptr;
  }
};

// Starts at `root`; a leading segment naming an object property (letter case ignored) moves
// into that property's object, any other leading segment is passed over.
TvxPropertyPath ResolvePropertyPath(TObject& root, std::string_view path);
