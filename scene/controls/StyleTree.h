#pragma once

// Style trees: a root object whose direct children are the styles, each found by its
// ResourceName. The engine's default tree comes from the embedded resource DEFAULTVXSTYLE,
// read once on first need and kept for the rest of the process; all scenes share it.

#include <string>
#include <string_view>

#include "scene/core/Object.h"

// The default style tree, read now when it has not been yet; null while the resource is
// missing or unreadable (every later call tries again).
TvxObject* DefaultStyle();
// The default style tree when it has been read, without reading it.
TvxObject* DefaultStyleIfRead();

// The style name a class answers to: "TvxRadioButton" gives "RadioButtonstyle".
std::string ClassStyleName(std::string_view className);
