#pragma once

// The values GetData and SetData exchange, and the texts in which object and method
// references travel inside them ("vxobj<address>", "vxmet<object><code>").

#include <cstdint>
#include <string>
#include <variant>

#include "platform/component/ClassInfo.h"

using TVariant = std::variant<std::monostate, bool, int64_t, double, std::string>;

class TvxObject;

std::string VariantToText(const TVariant& value);
TVariant ObjectToVariant(const TvxObject* object);
// Null unless the text names an object that is alive now, so a forged text cannot reach
// arbitrary memory.
TvxObject* VariantToObject(const TVariant& value);
TVariant MethodToVariant(const TMethod& method);
// Empty unless the text names a live object and a method its class publishes.
TMethod VariantToMethod(const TVariant& value);
