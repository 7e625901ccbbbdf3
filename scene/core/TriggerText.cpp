#include "scene/core/TriggerText.h"

#include "platform/component/ClassInfo.h"
#include "platform/component/Unicode.h"

namespace {

std::string_view Trim(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || (c >= 0 && c < ' '); };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

TvxTriggerCondition ParseCondition(std::string_view piece) {
  const size_t equals = piece.find('=');
  if (equals == std::string_view::npos) return {std::string(piece), {}};
  return {std::string(Trim(piece.substr(0, equals))), std::string(Trim(piece.substr(equals + 1)))};
}

}  // namespace

std::vector<TvxTriggerCondition> ParseTrigger(std::string_view text) {
  std::vector<TvxTriggerCondition> conditions;
  while (!text.empty()) {
    const size_t separator = text.find(';');
    const std::string_view piece = Trim(text.substr(0, separator));
    text = separator == std::string_view::npos ? std::string_view() : text.substr(separator + 1);
    if (!piece.empty()) conditions.push_back(ParseCondition(piece));
  }
  return conditions;
}

std::optional<bool> ConditionHolds(const TObject& instance, const TvxTriggerCondition& condition) {
  const TPropInfo* prop = instance.ClassType().FindProp(condition.property);
  if (!prop) return std::nullopt;
  std::string name;
  if (prop->kind == TPropKind::Bool) {
    name = prop->getOrdinal(instance) ? "True" : "False";
  } else if (prop->kind == TPropKind::Enum) {
    name = prop->names->Name(prop->getOrdinal(instance));
  } else {
    return std::nullopt;
  }
  return SameText(name, condition.value);
}

bool TriggerMentions(std::string_view text, std::string_view event) {
  return LowerAscii(text).find(LowerAscii(event)) != std::string::npos;
}
