#include "platform/qt/QtLocale.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

// A Qt date or time pattern cut into letter fields and the literal text between them.
struct TQtToken {
  char letter = 0;  // 0 for literal text
  int count = 0;
  std::string text;
};

std::vector<TQtToken> Tokenize(const std::string& pattern, const std::string& letters) {
  std::vector<TQtToken> tokens;
  auto literal = [&tokens]() -> std::string& {
    if (tokens.empty() || tokens.back().letter != 0) tokens.push_back({});
    return tokens.back().text;
  };
  for (size_t i = 0; i < pattern.size();) {
    const char c = pattern[i];
    if (c == '\'') {
      const size_t end = pattern.find('\'', i + 1);
      const size_t stop = end == std::string::npos ? pattern.size() : end;
      literal() += stop == i + 1 ? "'" : pattern.substr(i + 1, stop - i - 1);
      i = stop + 1;
    } else if (letters.find(c) != std::string::npos) {
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
  std::vector<TQtToken> fields;
  std::vector<std::string> separators;
};

TFieldRun KeepFields(const std::vector<TQtToken>& tokens, const std::string& kept) {
  TFieldRun run;
  std::string pending;
  for (const TQtToken& token : tokens) {
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

void ReadDateFormat(const QLocale& locale, TFormatSettings& settings) {
  std::vector<TQtToken> tokens =
      Tokenize(locale.dateFormat(QLocale::ShortFormat).toStdString(), "dMy");
  // Weekday names cannot be read back, and month names are printed as numbers.
  std::erase_if(tokens, [](const TQtToken& t) { return t.letter == 'd' && t.count > 2; });
  const TFieldRun run = KeepFields(tokens, "dMy");
  std::string letters;
  for (const TQtToken& field : run.fields) letters += field.letter;
  std::ranges::sort(letters);
  if (letters != "Mdy") return;  // keep the numeric ISO default
  std::string format;
  for (const TQtToken& field : run.fields) {
    if (!format.empty()) format += '/';
    if (field.letter == 'y') format += "yyyy";
    if (field.letter == 'M') format += field.count >= 2 ? "mm" : "m";
    if (field.letter == 'd') format += field.count >= 2 ? "dd" : "d";
  }
  settings.ShortDateFormat = format;
  settings.DateSeparator = CommonSeparator(run.separators, "-");
}

void ReadTimeFormat(const QLocale& locale, TFormatSettings& settings) {
  const std::vector<TQtToken> tokens =
      Tokenize(locale.timeFormat(QLocale::LongFormat).toStdString(), "hHmsaAPpzt");
  const TFieldRun run = KeepFields(tokens, "hHms");
  std::string order;
  for (const TQtToken& field : run.fields) order += field.letter == 'H' ? 'h' : field.letter;
  if (order != "hms") return;  // keep "hh:nn:ss"
  auto isMarker = [](const TQtToken& t) { return t.letter == 'a' || t.letter == 'A'; };
  const auto marker = std::find_if(tokens.begin(), tokens.end(), isMarker);
  const auto hour = std::find_if(tokens.begin(), tokens.end(), [](const TQtToken& t) {
    return t.letter == 'h' || t.letter == 'H';
  });
  std::string format = run.fields[0].count >= 2 ? "hh" : "h";
  format += run.fields[1].count >= 2 ? ":nn" : ":n";
  format += ":ss";
  if (marker != tokens.end()) format = marker < hour ? "ampm " + format : format + " ampm";
  settings.LongTimeFormat = format;
  settings.TimeSeparator = CommonSeparator(run.separators, ":");
}

}  // namespace

TFormatSettings TQtLocale::FromQLocale(const QLocale& locale) {
  TFormatSettings settings;
  ReadDateFormat(locale, settings);
  ReadTimeFormat(locale, settings);
  settings.TimeAMString = locale.amText().toStdString();
  settings.TimePMString = locale.pmText().toStdString();
  for (int i = 0; i < 12; ++i) {
    settings.LongMonthNames[i] = locale.monthName(i + 1, QLocale::LongFormat).toStdString();
  }
  for (int i = 0; i < 7; ++i) {
    settings.ShortDayNames[i] = locale.dayName(i == 0 ? 7 : i, QLocale::ShortFormat).toStdString();
  }
  settings.FirstDayOfWeek = static_cast<int>(locale.firstDayOfWeek()) - 1;
  return settings;
}
