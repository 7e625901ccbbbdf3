#pragma once

// The scene host classes form data can name, for the engine's class registration.

#include <vector>

#include "platform/component/ClassInfo.h"

void RegisterHostClasses(std::vector<const TClassInfo*>& out);
