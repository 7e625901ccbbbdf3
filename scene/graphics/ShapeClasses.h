#pragma once

// The shapes, texts, images and layouts that form data can name.

#include <vector>

#include "platform/component/ClassInfo.h"

void RegisterShapeClasses(std::vector<const TClassInfo*>& out);
