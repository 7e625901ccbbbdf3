#pragma once

// The graphics classes form data can name, for the engine's class registration.

#include <vector>

#include "platform/component/ClassInfo.h"

void RegisterGraphicsClasses(std::vector<const TClassInfo*>& out);
