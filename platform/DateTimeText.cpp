#include "platform/DateTimeText.h"

#include "platform/component/Exceptions.h"

namespace {

// ASCII only, so UTF-8 bytes never change whatever C locale the host has set.
char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool StartsWithNoCase(std::string_view text, size_t pos, std::string_view prefix) {
  if (prefix.empty() || text.size() - pos < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    if (Lower(text[pos + i]) != Lower(prefix[i])) return false;
  }
  return true;
}

std::string Digits(int value, int width) {
  std::string text = std::to_string(value);
  if (static_cast<int>(text.size()) < width) text.insert(0, width - text.size(), '0');
  return text;
}

bool HasAmPm(std::string_view pattern) {
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (StartsWithNoCase(pattern, i, "ampm") || StartsWithNoCase(pattern, i, "am/pm")) {
      return true;
    }
  }
  return false;
}

class TPatternPrinter {
 public:
  TPatternPrinter(std::string_view pattern, TDateTime value, const TFormatSettings& settings)
      : pattern_(pattern),
        parts_(DecodeDateTime(value)),
        settings_(settings),
        twelveHour_(HasAmPm(pattern)) {}

  std::string Print() {
    while (pos_ < pattern_.size()) Step();
    return out_;
  }

 private:
  void Step() {
    const char c = pattern_[pos_];
    if (c == '"' || c == '\'') return Quoted(c);
    if (StartsWithNoCase(pattern_, pos_, "ampm")) return Marker(4, LocaleMarker());
    if (StartsWithNoCase(pattern_, pos_, "am/pm")) return Marker(5, LiteralMarker());
    if (c == '/') return Literal(settings_.DateSeparator);
    if (c == ':') return Literal(settings_.TimeSeparator);
    const char letter = Lower(c);
    if (std::string_view("ymdhns").find(letter) == std::string_view::npos) {
      return Literal(std::string(1, c));
    }
    size_t count = 0;
    while (pos_ < pattern_.size() && Lower(pattern_[pos_]) == letter) ++pos_, ++count;
    Field(letter, count);
  }

  void Quoted(char quote) {
    const size_t end = pattern_.find(quote, pos_ + 1);
    const size_t stop = end == std::string_view::npos ? pattern_.size() : end;
    out_.append(pattern_.substr(pos_ + 1, stop - pos_ - 1));
    pos_ = end == std::string_view::npos ? stop : end + 1;
  }

  void Literal(const std::string& text) {
    out_ += text;
    ++pos_;
  }

  void Marker(size_t length, const std::string& text) {
    out_ += text;
    pos_ += length;
  }

  std::string LocaleMarker() const {
    return parts_.hour < 12 ? settings_.TimeAMString : settings_.TimePMString;
  }

  std::string LiteralMarker() const {
    if (pattern_[pos_] == 'A') return parts_.hour < 12 ? "AM" : "PM";
    return parts_.hour < 12 ? "am" : "pm";
  }

  void Field(char letter, size_t count) {
    const int width = count >= 2 ? 2 : 1;
    switch (letter) {
      case 'y':
        out_ += count <= 2 ? Digits(parts_.year % 100, 2) : Digits(parts_.year, 4);
        break;
      case 'm':
        out_ += Digits(previousWasHour_ ? parts_.minute : parts_.month, width);
        break;
      case 'd':
        out_ += Digits(parts_.day, width);
        break;
      case 'h':
        out_ += Digits(DisplayHour(), width);
        break;
      case 'n':
        out_ += Digits(parts_.minute, width);
        break;
      default:
        out_ += Digits(parts_.second, width);
        break;
    }
    previousWasHour_ = letter == 'h';
  }

  int DisplayHour() const {
    if (!twelveHour_) return parts_.hour;
    const int hour = parts_.hour % 12;
    return hour == 0 ? 12 : hour;
  }

  std::string_view pattern_;
  TDateTimeParts parts_;
  const TFormatSettings& settings_;
  bool twelveHour_;
  bool previousWasHour_ = false;
  size_t pos_ = 0;
  std::string out_;
};

// Field positions of year, month and day in the short date format.
struct TDateOrder {
  int year = 0, month = 1, day = 2;
};

TDateOrder DateOrderOf(std::string_view format) {
  std::string letters;
  for (size_t i = 0; i < format.size(); ++i) {
    const char c = Lower(format[i]);
    if (c == '"' || c == '\'') {
      const size_t end = format.find(format[i], i + 1);
      if (end == std::string_view::npos) break;
      i = end;
    } else if ((c == 'y' || c == 'm' || c == 'd') && letters.find(c) == std::string::npos) {
      letters += c;
    }
  }
  if (letters.size() != 3) return {};
  return {static_cast<int>(letters.find('y')), static_cast<int>(letters.find('m')),
          static_cast<int>(letters.find('d'))};
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

class TTextScanner {
 public:
  explicit TTextScanner(std::string_view text) : text_(text) {}

  bool AtEnd() const { return pos_ >= text_.size(); }

  size_t SkipBlanks() {
    const size_t start = pos_;
    while (!AtEnd() && (text_[pos_] == ' ' || text_[pos_] == '\t')) ++pos_;
    return pos_ - start;
  }

  // One to four digits.
  bool Number(int& value) {
    SkipBlanks();
    size_t count = 0;
    value = 0;
    while (!AtEnd() && IsDigit(text_[pos_])) {
      if (++count > 4) return false;
      value = value * 10 + (text_[pos_++] - '0');
    }
    return count > 0;
  }

  // The separator without its surrounding blanks; one made of blanks only needs a blank.
  bool Separator(std::string_view separator) {
    const size_t blanks = SkipBlanks();
    const std::string_view core = Trimmed(separator);
    if (core.empty()) return blanks > 0 || separator.empty();
    if (text_.substr(pos_, core.size()) != core) return false;
    pos_ += core.size();
    return true;
  }

  bool Exact(std::string_view word) {
    if (!StartsWithNoCase(text_, pos_, word)) return false;
    pos_ += word.size();
    return true;
  }

  // Digits after a decimal point as milliseconds; digits past the third are dropped.
  int Fraction() {
    if (pos_ + 1 >= text_.size() || text_[pos_] != '.' || !IsDigit(text_[pos_ + 1])) {
      return 0;
    }
    ++pos_;
    int msec = 0, scale = 100;
    while (!AtEnd() && IsDigit(text_[pos_])) {
      msec += (text_[pos_++] - '0') * scale;
      scale /= 10;
    }
    return msec;
  }

 private:
  std::string_view text_;
  size_t pos_ = 0;
};

bool ScanDate(TTextScanner& scanner, const TFormatSettings& settings, TDateTime& date) {
  int fields[3] = {};
  if (!scanner.Number(fields[0])) return false;
  for (int i = 1; i < 3; ++i) {
    if (!scanner.Separator(settings.DateSeparator) || !scanner.Number(fields[i])) return false;
  }
  const TDateOrder order = DateOrderOf(settings.ShortDateFormat);
  return TryEncodeDate(fields[order.year], fields[order.month], fields[order.day], date);
}

// Returns 0 for AM, 12 for PM, -1 for no marker.
int ScanMarker(TTextScanner& scanner, const TFormatSettings& settings) {
  scanner.SkipBlanks();
  if (scanner.Exact(settings.TimeAMString) || scanner.Exact("AM")) return 0;
  if (scanner.Exact(settings.TimePMString) || scanner.Exact("PM")) return 12;
  return -1;
}

bool ApplyMarker(int baseHour, int& hour) {
  if (baseHour < 0) return true;
  if (hour > 12) return false;
  hour = hour % 12 + baseHour;
  return true;
}

bool ScanTime(TTextScanner& scanner, const TFormatSettings& settings, TDateTime& time) {
  int baseHour = ScanMarker(scanner, settings);
  int hour = 0, minute = 0, second = 0, msec = 0;
  if (!scanner.Number(hour)) return false;
  if (scanner.Separator(settings.TimeSeparator)) {
    if (!scanner.Number(minute)) return false;
    if (scanner.Separator(settings.TimeSeparator)) {
      if (!scanner.Number(second)) return false;
      msec = scanner.Fraction();
    }
  }
  if (baseHour < 0) baseHour = ScanMarker(scanner, settings);
  return ApplyMarker(baseHour, hour) && TryEncodeTime(hour, minute, second, msec, time);
}

[[noreturn]] void ThrowNotValid(std::string_view text, const char* what) {
  throw EConvertError("'" + std::string(text) + "' is not a valid " + what);
}

}  // namespace

std::string FormatDateTime(std::string_view pattern, TDateTime value,
                           const TFormatSettings& settings) {
  return TPatternPrinter(pattern, value, settings).Print();
}

std::string DateTimeToText(TDateTime value, const TFormatSettings& settings) {
  std::string text = FormatDateTime(settings.ShortDateFormat, value, settings);
  const TDateTimeParts parts = DecodeDateTime(value);
  if (parts.hour != 0 || parts.minute != 0 || parts.second != 0) {
    text += ' ';
    text += FormatDateTime(settings.LongTimeFormat, value, settings);
  }
  return text;
}

bool TryStrToDateTime(std::string_view text, const TFormatSettings& settings, TDateTime& out) {
  TTextScanner scanner(text);
  TDateTime date = 0, time = 0;
  if (!ScanDate(scanner, settings, date)) return false;
  scanner.SkipBlanks();
  if (!scanner.AtEnd() && !ScanTime(scanner, settings, time)) return false;
  out = ComposeDateTime(date, time);
  return true;
}

TDateTime StrToDateTime(std::string_view text, const TFormatSettings& settings) {
  TDateTime result = 0;
  if (!TryStrToDateTime(text, settings, result)) ThrowNotValid(text, "date and time");
  return result;
}

TDateTime StrToTimeOfDay(std::string_view text) {
  TTextScanner scanner(text);
  int hour = 0, minute = 0, second = 0;
  TDateTime result = 0;
  const bool read = scanner.Number(hour) && scanner.Separator(":") && scanner.Number(minute) &&
                    scanner.Separator(":") && scanner.Number(second);
  scanner.SkipBlanks();
  if (!read || !scanner.AtEnd() || !TryEncodeTime(hour, minute, second, 0, result)) {
    ThrowNotValid(text, "time");
  }
  return result;
}

std::string TimeOfDayText(TDateTime value) {
  const TDateTimeParts parts = DecodeDateTime(value);
  return Digits(parts.hour, 2) + ":" + Digits(parts.minute, 2) + ":" + Digits(parts.second, 2);
}
