#pragma once

// Reads form text into the binary form model, with the same nesting limit as the binary
// reader, so that every text it accepts can be written and read back as binary.

#include <string_view>

#include "platform/component/FormData.h"
#include "platform/component/FormTextLexer.h"

class TFormTextParser {
 public:
  explicit TFormTextParser(std::string_view text) : lexer_(text) {}

  TFormObject Parse();

 private:
  TFormObject Object(int depth);
  uint8_t ObjectKeyword();
  void ObjectBody(TFormObject& object, int depth);
  TFormProperty Property(int depth);
  TFormValue Value(int depth);
  TFormValue WordValue(const TFormToken& word);
  TFormValue Number(const TFormToken& token);
  TFormValue TypedInteger(TValueType type);
  TFormValue Text(char prefix, TFormToken first);
  TFormValue List(int depth);
  TFormValue Set();
  TFormValue Collection(int depth);
  TFormValue IntegerValue(int depth, const char* what);
  std::string Name(const char* what);
  std::string Bytes(const TFormToken& token);
  void Expect(char symbol);
  bool PeekWord(std::string_view word) const;
  bool PeekGlued(TFormTokenKind kind) const;
  [[noreturn]] void Fail(size_t line, const std::string& reason) const;

  TFormTextLexer lexer_;
};
