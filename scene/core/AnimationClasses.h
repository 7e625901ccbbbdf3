#pragma once

// The animation classes that form data can name.

#include <vector>

#include "platform/component/ClassInfo.h"

void RegisterAnimationClasses(std::vector<const TClassInfo*>& out);
