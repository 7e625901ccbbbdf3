#pragma once

// Registration of the engine's classes by name, on which reading form data depends.

#include <span>

#include "platform/component/ClassInfo.h"

// Registers `realClasses`, then every other engine class name (with its palette category) as
// a placeholder deriving from its nearest real base, so that form data naming classes not
// built here still reads and writes back. Later calls only add what is new.
void RegisterObjects(std::span<const TClassInfo* const> realClasses);
