#include "scene/controls/StyleTree.h"

#include <algorithm>

#include "platform/Resources.h"

namespace {

TvxObject*& DefaultRoot() {
  // Never freed: controls of every scene copy from it until the process ends.
  static TvxObject* root = nullptr;
  return root;
}

}  // namespace

TvxObject* DefaultStyle() {
  TvxObject*& root = DefaultRoot();
  if (root) return root;
  const std::span<const uint8_t> data = FindEmbeddedResource("DEFAULTVXSTYLE");
  if (data.empty()) return nullptr;
  TMemoryStream stream(std::vector<uint8_t>(data.begin(), data.end()));
  root = CreateObjectFromBinStream(nullptr, stream);
  return root;
}

TvxObject* DefaultStyleIfRead() {
  return DefaultRoot();
}

std::string ClassStyleName(std::string_view className) {
  const std::string name = std::string(className) + "style";
  return name.substr(std::min<size_t>(3, name.size()));
}
