#pragma once

// Splits form text into tokens; lines are counted for error messages.

#include <string>
#include <string_view>
#include <vector>

// One character of a quoted text. Literal characters and `#NNNN` codes are kept apart because
// 8-bit strings take codes as bytes but encode literal characters.
struct TFormTextChar {
  char32_t value;
  bool isCode;
};

enum class TFormTokenKind {
  End,
  Word,    // letters, digits, '_' and '.', not starting with a digit
  Name,    // &'...' or &#NN...: a name that is no plain word
  Number,  // the number as written, sign and '$' included
  String,  // quoted texts and #codes written next to each other
  Binary,  // {hex}: the bytes
  Symbol,  // one of = : ( ) [ ] < > , +
};

struct TFormToken {
  TFormTokenKind kind = TFormTokenKind::End;
  std::string text;                  // Word, Number, Symbol; the bytes of Binary
  std::vector<TFormTextChar> chars;  // String, Name
  size_t line = 1;
  bool glued = false;  // follows the previous token without white space
};

class TFormTextLexer {
 public:
  explicit TFormTextLexer(std::string_view text);

  const TFormToken& Peek() const { return next_; }
  TFormToken Take();
  bool PeekSymbol(char symbol) const;

 private:
  TFormToken Scan();
  bool SkipSpace();
  void ScanWord(TFormToken& token);
  void ScanNumber(TFormToken& token);
  void ScanString(TFormToken& token);
  void ScanQuoted(TFormToken& token);
  void ScanCode(TFormToken& token);
  void ScanBinary(TFormToken& token);
  char At(size_t offset) const;
  [[noreturn]] void Fail(const std::string& reason) const;

  std::string_view text_;
  size_t pos_ = 0;
  size_t line_ = 1;
  TFormToken next_;
};
