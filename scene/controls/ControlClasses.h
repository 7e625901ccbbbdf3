#pragma once

// The control classes form data can name, for the engine's class registration.

#include <vector>

#include "platform/component/ClassInfo.h"

void RegisterControlClasses(std::vector<const TClassInfo*>& out);
