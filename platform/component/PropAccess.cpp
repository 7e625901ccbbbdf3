#include "platform/component/PropAccess.h"

TPropRef FindPropPath(TObject& root, std::string_view path) {
  TObject* instance = &root;
  while (true) {
    const size_t dot = path.find('.');
    const TPropInfo* prop = instance->ClassType().FindProp(path.substr(0, dot));
    if (!prop) return {};
    if (dot == std::string_view::npos) return {instance, prop};
    if (prop->kind != TPropKind::Object) return {};
    instance = prop->getObject(*instance);
    if (!instance) return {};
    path.remove_prefix(dot + 1);
  }
}

void CopyPublishedProperties(const TPersistent& from, TPersistent& to) {
  for (const TPropInfo* prop : from.ClassType().AllProps()) {
    switch (prop->kind) {
      case TPropKind::Integer:
      case TPropKind::Bool:
      case TPropKind::Enum:
      case TPropKind::Set:
        prop->setOrdinal(to, prop->getOrdinal(from));
        break;
      case TPropKind::Float:
        prop->setFloat(to, prop->getFloat(from));
        break;
      case TPropKind::String:
        prop->setString(to, prop->getString(from));
        break;
      case TPropKind::WString:
        prop->setWide(to, prop->getWide(from));
        break;
      case TPropKind::Object: {
        auto* source = dynamic_cast<TPersistent*>(prop->getObject(from));
        auto* target = dynamic_cast<TPersistent*>(prop->getObject(to));
        if (source && target) target->Assign(*source);
        break;
      }
      case TPropKind::Component:
      case TPropKind::Method:
        break;
    }
  }
}
