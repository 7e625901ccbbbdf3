#include "platform/component/Persistent.h"

#include "platform/component/ClassInfo.h"
#include "platform/component/Exceptions.h"

const TClassInfo& TObject::StaticClass() {
  static const TClassInfo info = [] {
    TClassInfo i;
    i.name = "TObject";
    return i;
  }();
  return info;
}

const TClassInfo& TObject::ClassType() const {
  return placeholder_ ? *placeholder_ : StaticClassType();
}

const std::string& TObject::ClassName() const {
  return ClassType().name;
}

bool TObject::InheritsFrom(const TClassInfo& info) const {
  return ClassType().InheritsFrom(info);
}

const TClassInfo& TPersistent::StaticClass() {
  static const TClassInfo info = [] {
    TClassInfo i;
    i.name = "TPersistent";
    i.parent = &TObject::StaticClass();
    return i;
  }();
  return info;
}

void TPersistent::Assign(const TPersistent& source) {
  source.AssignTo(*this);
}

void TPersistent::AssignTo(TPersistent& dest) const {
  throw EConvertError("Cannot assign a " + ClassName() + " to a " + dest.ClassName());
}
