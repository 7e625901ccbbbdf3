#pragma once

// The classes of visual objects, effects and menus that form data may name.

#include <vector>

#include "platform/component/ClassInfo.h"

void RegisterVisualClasses(std::vector<const TClassInfo*>& out);
