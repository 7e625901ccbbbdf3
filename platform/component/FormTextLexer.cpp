#include "platform/component/FormTextLexer.h"

#include <cctype>

#include "platform/component/FormData.h"
#include "platform/component/FormTextCodec.h"

namespace {

bool IsWordStart(char c) {
  return std::isalpha(uint8_t(c)) || c == '_';
}
bool IsWordChar(char c) {
  return std::isalnum(uint8_t(c)) || c == '_' || c == '.';
}
bool IsDigit(char c) {
  return std::isdigit(uint8_t(c));
}
int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

TFormTextLexer::TFormTextLexer(std::string_view text) : text_(text) {
  if (text_.starts_with("\xEF\xBB\xBF")) pos_ = 3;
  next_ = Scan();
}

TFormToken TFormTextLexer::Take() {
  TFormToken token = std::move(next_);
  next_ = Scan();
  return token;
}

bool TFormTextLexer::PeekSymbol(char symbol) const {
  return next_.kind == TFormTokenKind::Symbol && next_.text[0] == symbol;
}

char TFormTextLexer::At(size_t offset) const {
  return pos_ + offset < text_.size() ? text_[pos_ + offset] : '\0';
}

void TFormTextLexer::Fail(const std::string& reason) const {
  throw EFormError(line_, reason);
}

bool TFormTextLexer::SkipSpace() {
  const size_t start = pos_;
  while (pos_ < text_.size()) {
    const char c = text_[pos_];
    if (c == '\n') {
      ++line_;
    } else if (c != ' ' && c != '\t' && c != '\r') {
      break;
    }
    ++pos_;
  }
  return pos_ != start;
}

TFormToken TFormTextLexer::Scan() {
  TFormToken token;
  token.glued = !SkipSpace();
  token.line = line_;
  if (pos_ == text_.size()) return token;
  const char c = At(0);
  const bool signedNumber =
      (c == '-' || c == '+') && (IsDigit(At(1)) || At(1) == '$' || IsWordStart(At(1)));
  if (IsWordStart(c)) {
    ScanWord(token);
  } else if (IsDigit(c) || c == '$' || signedNumber) {
    ScanNumber(token);
  } else if (c == '\'' || c == '#') {
    ScanString(token);
  } else if (c == '&' && (At(1) == '\'' || At(1) == '#')) {
    ++pos_;
    ScanString(token);
    token.kind = TFormTokenKind::Name;
  } else if (c == '{') {
    ScanBinary(token);
  } else if (std::string_view("=:()[]<>,+").find(c) != std::string_view::npos) {
    token.kind = TFormTokenKind::Symbol;
    token.text = c;
    ++pos_;
  } else {
    Fail("unexpected character");
  }
  return token;
}

void TFormTextLexer::ScanWord(TFormToken& token) {
  const size_t start = pos_;
  while (IsWordChar(At(0))) ++pos_;
  token.kind = TFormTokenKind::Word;
  token.text = text_.substr(start, pos_ - start);
}

// Takes the longest run that can belong to a number and leaves checking it to the parser, so
// "1x" is one malformed number rather than a number and a word.
void TFormTextLexer::ScanNumber(TFormToken& token) {
  const size_t start = pos_;
  if (At(0) == '-' || At(0) == '+') ++pos_;
  const bool hex = At(0) == '$';
  if (hex) ++pos_;
  auto exponentSign = [&] {
    return !hex && (At(0) == '+' || At(0) == '-') && (text_[pos_ - 1] | 0x20) == 'e';
  };
  while (IsWordChar(At(0)) || exponentSign()) ++pos_;
  token.kind = TFormTokenKind::Number;
  token.text = text_.substr(start, pos_ - start);
}

void TFormTextLexer::ScanString(TFormToken& token) {
  token.kind = TFormTokenKind::String;
  while (At(0) == '\'' || At(0) == '#') {
    if (At(0) == '\'') {
      ScanQuoted(token);
    } else {
      ScanCode(token);
    }
  }
}

void TFormTextLexer::ScanQuoted(TFormToken& token) {
  ++pos_;
  while (true) {
    if (pos_ == text_.size() || At(0) == '\n' || At(0) == '\r') Fail("unterminated string");
    if (At(0) == '\'') {
      if (At(1) != '\'') break;
      ++pos_;
    }
    char32_t c;
    if (!NextUtf8(text_, &pos_, &c)) Fail("malformed UTF-8");
    token.chars.push_back({c, false});
  }
  ++pos_;
}

void TFormTextLexer::ScanCode(TFormToken& token) {
  ++pos_;
  if (!IsDigit(At(0))) Fail("character code expected after #");
  char32_t value = 0;
  while (IsDigit(At(0))) {
    value = value * 10 + char32_t(At(0) - '0');
    if (value > 0xFFFF) Fail("character code above 65535");
    ++pos_;
  }
  token.chars.push_back({value, true});
}

void TFormTextLexer::ScanBinary(TFormToken& token) {
  ++pos_;
  token.kind = TFormTokenKind::Binary;
  int high = -1;
  while (true) {
    SkipSpace();
    if (pos_ == text_.size()) Fail("unterminated binary data");
    if (At(0) == '}') break;
    const int digit = HexDigit(At(0));
    if (digit < 0) Fail("hexadecimal digit expected");
    if (high < 0) {
      high = digit;
    } else {
      token.text += char((high << 4) | digit);
      high = -1;
    }
    ++pos_;
  }
  if (high >= 0) Fail("odd number of hexadecimal digits");
  ++pos_;
}
