#pragma once

// Reaching published properties by name and path.

#include <string_view>

#include "platform/component/ClassInfo.h"

struct TPropRef {
  TObject* instance = nullptr;
  const TPropInfo* prop = nullptr;
  explicit operator bool() const { return prop != nullptr; }
};

// Resolves a dotted path such as "Fill.Color": every segment but the last must name an
// object property holding an object. Letter case is ignored. Empty when anything is missing.
TPropRef FindPropPath(TObject& root, std::string_view path);

// Copies every published value property (numbers, enumerations, sets, texts) and, through
// Assign, every sub-object, from `from` to `to` of the same class.
void CopyPublishedProperties(const TPersistent& from, TPersistent& to);
