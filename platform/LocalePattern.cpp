#include "platform/LocalePattern.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

// A date or time pattern cut into letter fields and the literal text between them.
struct TPatternToken {
  char letter = 0;  // 0 for literal text
  int count = 0;
  std::string text;
};

// Quoted text is literal; two quotes in a row stand for one.
std::vector<TPatternToken> Tokenize(std::string_view pattern, std::string_view letters) {
  std::vector<TPatternToken> tokens;
  auto literal = [&tokens]() -> std::string& {
    if (tokens.empty() || tokens.back().letter != 0) tokens.push_back({});
    return tokens.back().text;
  };
  for (size_t i = 0; i < pattern.size();) {
    const char c = pattern[i];
    if (c == '\'') {
      const size_t end = pattern.find('\'', i + 1);
      const size_t stop = end == std::string_view::npos ? pattern.size() : end;
      literal() += stop == i + 1 ? std::string_view("'") : pattern.substr(i + 1, stop - i - 1);
      i = stop + 1;
    } else if (letters.find(c) != std::string_view::npos) {
      size_t count = 0;
      while (i < pattern.size() && pattern[i] == c) ++i, ++count;
      tokens.push_back({c, static_cast<int>(count), {}});
    } else {
      literal() += c;
      ++i;
    }
  }
  return tokens;
}

// The fields kept, in order, with the literal text that precedes each (after the first).
struct TFieldRun {
  std::vector<TPatternToken> fields;
  std::vector<std::string> separators;
};

TFieldRun KeepFields(const std::vector<TPatternToken>& tokens, const std::string& kept) {
  TFieldRun run;
  std::string pending;
  for (const TPatternToken& token : tokens) {
    if (token.letter == 0 || kept.find(token.letter) == std::string::npos) {
      pending += token.text;
      continue;
    }
    if (!run.fields.empty()) run.separators.push_back(pending);
    pending.clear();
    run.fields.push_back(token);
  }
  return run;
}

// One separator between all fields, holding no digit, or the fallback.
std::string CommonSeparator(const std::vector<std::string>& separators, const char* fallback) {
  if (separators.empty() || separators.front().empty()) return fallback;
  const std::string& first = separators.front();
  const bool same = std::all_of(separators.begin(), separators.end(),
                                [&first](const std::string& s) { return s == first; });
  const bool digitFree = first.find_first_of("0123456789") == std::string::npos;
  return same && digitFree ? first : fallback;
}

}  // namespace

void ApplyShortDatePattern(std::string_view pattern, std::string_view otherLetters,
                           TFormatSettings& settings) {
  std::vector<TPatternToken> tokens = Tokenize(pattern, "dMy" + std::string(otherLetters));
  // Weekday names cannot be read back, and month names are printed as numbers.
  std::erase_if(tokens, [](const TPatternToken& t) { return t.letter == 'd' && t.count > 2; });
  const TFieldRun run = KeepFields(tokens, "dMy");
  std::string letters;
  for (const TPatternToken& field : run.fields) letters += field.letter;
  std::ranges::sort(letters);
  if (letters != "Mdy") return;  // keep the numeric ISO default
  std::string format;
  for (const TPatternToken& field : run.fields) {
    if (!format.empty()) format += '/';
    if (field.letter == 'y') format += "yyyy";
    if (field.letter == 'M') format += field.count >= 2 ? "mm" : "m";
    if (field.letter == 'd') format += field.count >= 2 ? "dd" : "d";
  }
  settings.ShortDateFormat = format;
  settings.DateSeparator = CommonSeparator(run.separators, "-");
}

void ApplyLongTimePattern(std::string_view pattern, std::string_view markerLetters,
                          std::string_view otherLetters, TFormatSettings& settings) {
  const std::vector<TPatternToken> tokens =
      Tokenize(pattern, "hHms" + std::string(markerLetters) + std::string(otherLetters));
  const TFieldRun run = KeepFields(tokens, "hHms");
  std::string order;
  for (const TPatternToken& field : run.fields) order += field.letter == 'H' ? 'h' : field.letter;
  if (order != "hms") return;  // keep "hh:nn:ss"
  const auto marker = std::ranges::find_if(tokens, [markerLetters](const TPatternToken& t) {
    return t.letter != 0 && markerLetters.find(t.letter) != std::string_view::npos;
  });
  const auto hour = std::ranges::find_if(
      tokens, [](const TPatternToken& t) { return t.letter == 'h' || t.letter == 'H'; });
  std::string format = run.fields[0].count >= 2 ? "hh" : "h";
  format += run.fields[1].count >= 2 ? ":nn" : ":n";
  format += ":ss";
  if (marker != tokens.end()) format = marker < hour ? "ampm " + format : format + " ampm";
  settings.LongTimeFormat = format;
  settings.TimeSeparator = CommonSeparator(run.separators, ":");
}
