#include "scene/core/PublishedValues.h"

#include "platform/component/PropAccess.h"

bool SetPublishedFloat(TObject& object, const std::string& path, double value) {
  const TPropRef ref = FindPropPath(object, path);
  if (!ref || !ref.prop->setFloat) return false;
  ref.prop->setFloat(*ref.instance, value);
  return true;
}

bool SetPublishedString(TObject& object, const std::string& path, const std::string& value) {
  const TPropRef ref = FindPropPath(object, path);
  if (!ref || !ref.prop->setString) return false;
  ref.prop->setString(*ref.instance, value);
  return true;
}

bool SetPublishedOrdinal(TObject& object, const std::string& path, int64_t value) {
  const TPropRef ref = FindPropPath(object, path);
  if (!ref || !ref.prop->setOrdinal) return false;
  ref.prop->setOrdinal(*ref.instance, value);
  return true;
}

bool SetPublishedEnum(TObject& object, const std::string& path, const std::string& valueName) {
  const TPropRef ref = FindPropPath(object, path);
  if (!ref || ref.prop->kind != TPropKind::Enum || !ref.prop->names) return false;
  const int ordinal = ref.prop->names->Find(valueName);
  if (ordinal < 0) return false;
  ref.prop->setOrdinal(*ref.instance, ordinal);
  return true;
}
