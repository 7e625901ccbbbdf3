#include "scene/core/PropertyPath.h"

namespace {

std::string_view Trim(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || (c >= 0 && c < ' '); };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace

const TPropInfo* TvxPropertyPath::Find(TPropKind kind) const {
  const TPropInfo* prop = Find();
  return prop && prop->kind == kind ? prop : nullptr;
}

TvxPropertyPath ResolvePropertyPath(TObject& root, std::string_view path) {
  TObject* target = &root;
  for (size_t dot = path.find('.'); dot != std::string_view::npos; dot = path.find('.')) {
    const TPropInfo* prop = target->ClassType().FindProp(Trim(path.substr(0, dot)));
    if (prop && prop->kind == TPropKind::Object)
      if (TObject* inner = prop->getObject(*target)) target = inner;
    path.remove_prefix(dot + 1);
  }
  return {target, std::string(Trim(path))};
}
