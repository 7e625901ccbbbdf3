#include "scene/core/TriggerText.h"

#include <algorithm>
#include <cctype>

#include "platform/component/ClassInfo.h"
#include "platform/component/Unicode.h"

namespace {

std::string Trim(const std::string& text) {
  const auto blank = [](unsigned char c) { return std::isspace(c) != 0; };
  auto begin = std::find_if_not(text.begin(), text.end(), blank);
  auto end = std::find_if_not(text.rbegin(), text.rend(), blank).base();
  return begin < end ? std::string(begin, end) : std::string();
}

std::string Lower(std::string text) {
  for (char& c : text) c = char(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

std::vector<TvxTriggerCondition> ParseTrigger(const std::string& text) {
  std::vector<TvxTriggerCondition> conditions;
  std::string rest = Trim(text);
  while (!rest.empty()) {
    const size_t separator = rest.find(';');
    const std::string piece = Trim(rest.substr(0, separator));
    rest = separator == std::string::npos ? std::string() : Trim(rest.substr(separator + 1));
    if (piece.empty()) continue;
    const size_t equals = piece.find('=');
    if (equals == std::string::npos) {
      conditions.push_back({piece, {}});
    } else {
      conditions.push_back({Trim(piece.substr(0, equals)), Trim(piece.substr(equals + 1))});
    }
  }
  return conditions;
}

bool TriggerMentions(const std::string& trigger, const std::string& event) {
  return !event.empty() && Lower(trigger).find(Lower(event)) != std::string::npos;
}

std::optional<bool> ConditionHolds(const TObject& instance, const TvxTriggerCondition& condition) {
  const TPropInfo* prop = instance.ClassType().FindProp(condition.Property);
  if (!prop || !prop->getOrdinal) return std::nullopt;
  const int64_t value = prop->getOrdinal(instance);
  if (prop->kind == TPropKind::Bool) return SameText(value ? "True" : "False", condition.Value);
  if (prop->kind == TPropKind::Enum && prop->names)
    return SameText(prop->names->Name(value), condition.Value);
  return std::nullopt;
}
