#pragma once

// Trigger texts such as "IsMouseOver=true;IsPressed=false": the state conditions on which
// animations start and effects switch, read against an object's published properties.

#include <optional>
#include <string>
#include <vector>

#include "platform/component/Persistent.h"

struct TvxTriggerCondition {
  std::string Property;
  std::string Value;
};

// Conditions separated by ";", each "Property=Value"; blanks around pieces are dropped.
std::vector<TvxTriggerCondition> ParseTrigger(const std::string& text);
// True when `event` occurs in `trigger`, letter case ignored.
bool TriggerMentions(const std::string& trigger, const std::string& event);
// Whether the condition holds for `instance`: empty when the instance publishes no
// enumeration or boolean property of that name, else the comparison of the value's name
// ("True", "False", enumeration names) with the condition, letter case ignored.
std::optional<bool> ConditionHolds(const TObject& instance, const TvxTriggerCondition& condition);
