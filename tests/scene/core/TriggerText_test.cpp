#include "scene/core/TriggerText.h"

#include <gtest/gtest.h>

#include "scene/core/VisualObject.h"

namespace {

TEST(TriggerText, SplitsConditionsAndTrimsBlanks) {
  const auto conditions = ParseTrigger(" IsMouseOver = true ;IsPressed=false;; Align=va=x ;Bare");
  ASSERT_EQ(conditions.size(), 4u);
  EXPECT_EQ(conditions[0].Property, "IsMouseOver");
  EXPECT_EQ(conditions[0].Value, "true");
  EXPECT_EQ(conditions[1].Value, "false");
  EXPECT_EQ(conditions[2].Value, "va=x");  // the value is all after the first "="
  EXPECT_EQ(conditions[3].Property, "Bare");
  EXPECT_EQ(conditions[3].Value, "");
  EXPECT_TRUE(ParseTrigger("  ").empty());
}

TEST(TriggerText, EventsAreFoundIgnoringCase) {
  EXPECT_TRUE(TriggerMentions("IsMouseOver=true;IsPressed=false", "ispressed"));
  EXPECT_FALSE(TriggerMentions("IsMouseOver=true", "IsFocused"));
  EXPECT_FALSE(TriggerMentions("IsMouseOver=true", ""));
}

TEST(TriggerText, ConditionsReadBooleanAndEnumerationStates) {
  TvxVisualObject object(nullptr);
  object.SetAlign(vaClient);
  EXPECT_EQ(ConditionHolds(object, {"IsVisible", "TRUE"}), true);
  EXPECT_EQ(ConditionHolds(object, {"isvisible", "false"}), false);
  EXPECT_EQ(ConditionHolds(object, {"Align", "vaclient"}), true);
  EXPECT_EQ(ConditionHolds(object, {"Width", "50"}), std::nullopt);  // not an enumeration
  EXPECT_EQ(ConditionHolds(object, {"IsPressed", "true"}), std::nullopt);
}

}  // namespace
