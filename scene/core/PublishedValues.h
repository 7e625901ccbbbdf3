#pragma once

// Writing published properties by path (such as "Fill.Color") from code, for objects whose
// classes this code does not know: parts created by class name, popups. Each
// returns false, writing nothing, when the path does not lead to a property of that kind.

#include <cstdint>
#include <string>

#include "platform/component/ClassInfo.h"

bool SetPublishedFloat(TObject& object, const std::string& path, double value);
bool SetPublishedString(TObject& object, const std::string& path, const std::string& value);
// Integers, booleans and enumerations by ordinal.
bool SetPublishedOrdinal(TObject& object, const std::string& path, int64_t value);
// An enumeration by its value name.
bool SetPublishedEnum(TObject& object, const std::string& path, const std::string& valueName);
