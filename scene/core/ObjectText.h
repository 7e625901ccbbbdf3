#pragma once

// Objects and the text form of form data.

#include <string>

#include "scene/core/Object.h"

// Text form data at the stream's position as a standalone object; null on any failure.
TvxObject* CreateObjectFromStream(TComponent* owner, TMemoryStream& stream);
// The object in the text form of form data.
std::string ObjectToText(TvxObject& object);
