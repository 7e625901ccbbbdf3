#pragma once

// Trigger texts: conditions such as "IsMouseOver=true;IsPressed=false" on the published state
// of the object that raised a trigger event.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class TObject;

struct TvxTriggerCondition {
  std::string property;
  std::string value;
};

// Conditions separated by ";", each a property name, "=" and the value (the rest after the
// first "="); blanks around pieces are dropped, empty pieces skipped.
std::vector<TvxTriggerCondition> ParseTrigger(std::string_view text);

// Whether the enumeration (or boolean) property of `instance` named in the condition has the
// condition's value, by value name ("True", "False") ignoring letter case. Empty when the
// instance publishes no such enumeration property.
std::optional<bool> ConditionHolds(const TObject& instance, const TvxTriggerCondition& condition);

// Whether the event name occurs in the trigger text, ignoring letter case.
bool TriggerMentions(std::string_view text, std::string_view event);
