#pragma once

#include <string>

#include "scene/core/Color.h"
#include "scene/core/Geometry.h"

// The text forms of values inside form data, the style tree and animations. The decimal
// separator is always the point, whatever the process locale says, and the locale is never
// touched. Only TextToFloat raises; every other reader yields zeros for text it cannot read.

// Integral values as plain integers ("2", "-9"), others as "%.3f" ("0.500", "99.000").
std::string FloatToText(float value);
// Throws EConvertError when text is no finite number.
float TextToFloat(const std::string& text);
// Like TextToFloat, but returns false (and sets value to 0) instead of throwing.
bool TryTextToFloat(const std::string& text, float& value);

// "(x,y)", e.g. "(29,51)" or "(0,0.500)".
std::string PointToText(const TvxPoint& point);
// "(left,top,right,bottom)", e.g. "(2,2,2,2)".
std::string RectToText(const TvxRect& rect);
// Texts of the form "(x,y)" with blanks allowed around numbers; (0, 0) if unreadable.
TvxPoint TextToPoint(const std::string& text);
// Texts of the form "(l,t,r,b)"; (0, 0, 0, 0) if unreadable.
TvxRect TextToRect(const std::string& text);

// "#AARRGGBB" in upper case.
std::string ColorToText(TvxColor color);
// "#hex" (short forms read as plain numbers: "#FF" is 0x000000FF), a colour keyword, or an
// integer (decimal, or hexadecimal after "$"); 0 when unreadable.
TvxColor TextToColor(const std::string& text);
