#pragma once

// The engine's text translation lookup: controls with AutoTranslate pass their texts through
// it. Without an installed translator every text stays as it is.

#include <functional>
#include <string>

using TvxTranslator = std::function<std::u16string(const std::u16string&)>;

// Installs `translator` (an empty one removes it) and returns the previous one.
TvxTranslator SetTranslator(TvxTranslator translator);
std::u16string Translate(const std::u16string& text);
