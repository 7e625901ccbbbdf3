#include "scene/core/Variant.h"

#include <charconv>
#include <cstdio>

#include "scene/core/Object.h"
#include "scene/core/ValueText.h"

namespace {

constexpr int kHexDigits = int(sizeof(void*) * 2);

TvxObject* LiveObject(uintptr_t address) {
  return dynamic_cast<TvxObject*>(TComponent::FindLive(address));
}

bool ParseHex(std::string_view text, uintptr_t& value) {
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
  return ec == std::errc() && end == text.data() + text.size();
}

std::string Hex(uintptr_t value) {
  char buffer[2 * sizeof(void*) + 1];
  std::snprintf(buffer, sizeof buffer, "%0*jX", kHexDigits, uintmax_t(value));
  return buffer;
}

}  // namespace

std::string VariantToText(const TVariant& value) {
  struct Visitor {
    std::string operator()(std::monostate) const { return {}; }
    std::string operator()(bool v) const { return v ? "True" : "False"; }
    std::string operator()(int64_t v) const { return std::to_string(v); }
    std::string operator()(double v) const { return FloatToText(float(v)); }
    std::string operator()(const std::string& v) const { return v; }
  };
  return std::visit(Visitor{}, value);
}

TVariant ObjectToVariant(const TvxObject* object) {
  return "vxobj" + std::to_string(reinterpret_cast<uintptr_t>(object));
}

TvxObject* VariantToObject(const TVariant& value) {
  const auto* text = std::get_if<std::string>(&value);
  if (!text || text->rfind("vxobj", 0) != 0) return nullptr;
  uintptr_t address = 0;
  const char* begin = text->data() + 5;
  const char* end = text->data() + text->size();
  auto [last, ec] = std::from_chars(begin, end, address);
  if (ec != std::errc() || last != end || address == 0) return nullptr;
  return LiveObject(address);
}

TVariant MethodToVariant(const TMethod& method) {
  return "vxmet" + Hex(reinterpret_cast<uintptr_t>(method.data)) +
         Hex(reinterpret_cast<uintptr_t>(method.code));
}

TMethod VariantToMethod(const TVariant& value) {
  const auto* text = std::get_if<std::string>(&value);
  if (!text || text->size() != 5 + 2 * size_t(kHexDigits) || text->rfind("vxmet", 0) != 0)
    return {};
  uintptr_t data = 0, code = 0;
  const std::string_view digits = std::string_view(*text).substr(5);
  if (!ParseHex(digits.substr(0, kHexDigits), data) || !ParseHex(digits.substr(kHexDigits), code))
    return {};
  TComponent* object = TComponent::FindLive(data);
  if (!object) return {};
  for (const TClassInfo* c = &object->ClassType(); c; c = c->parent)
    for (const auto& method : c->methods)
      if (reinterpret_cast<uintptr_t>(method.get()) == code) return {object, method.get()};
  return {};
}
