#pragma once

// The value of a numeric text box: its range, its kind and the texts it is shown as.

#include <string>

#include "platform/component/ClassInfo.h"
#include "scene/core/Variant.h"

enum TvxValueType { vxValueInteger, vxValueFloat };

const TEnumInfo& ValueTypeNames();

struct TvxNumericValue {
  float value = 0;
  float min = 0;
  float max = 10;
  int decimalDigits = 2;
  TvxValueType valueType = vxValueInteger;

  // Within Max, then at least Min; a value that is no number ends as Min.
  float Clamped(float candidate) const;
  // Stores the candidate clamped, or as it is while loading, since Min and Max may follow it
  // in form data; false when it equals the value.
  bool Set(float candidate, bool loading);
  // Clamps a value stored while loading; true when that moved it.
  bool ClampStored();
  bool ShowsFraction() const;
  // The value with DecimalDigits digits when it shows its fraction, else truncated.
  std::u16string FixedText() const;
  // The shortest text that reads back as the value when it shows its fraction, else truncated.
  std::u16string GeneralText() const;
};

// A decimal number with '.' as the separator, an optional sign and exponent, and surrounding
// spaces; false for anything else, infinities and not-a-number included.
bool ParseNumber(const std::u16string& text, float& result);
// The nearest float, the largest one for a double beyond the float range.
float NearestFloat(double value);
// The value of a variant as a numeric box takes it: numbers as they are, texts parsed, the
// rest zero.
float VariantToFloat(const TVariant& value);
