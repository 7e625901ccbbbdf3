#pragma once

// The SVG-like text form of paths: the writer and the reader behind TvxPathData::Data.

#include <span>
#include <string>

#include "scene/graphics/PathData.h"

// "M x,y " per MoveTo, "L x,y " per LineTo, "C x1,y1 x2,y2 x3,y3 " per curve, "Z " per Close;
// empty for no entries.
std::string PathToText(std::span<const TvxPathPoint> points);

// Appends what the text describes to `path`. Parsing stops silently at what it cannot read; a
// command whose numbers do not convert is abandoned and the next command letter goes on.
void ParsePathText(const std::string& text, TvxPathData& path);
