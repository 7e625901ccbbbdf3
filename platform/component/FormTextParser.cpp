#include "platform/component/FormTextParser.h"

#include <strings.h>

#include <algorithm>
#include <optional>

#include "platform/component/Cp936.h"
#include "platform/component/FormTextCodec.h"

namespace {

constexpr size_t kMaxShortString = 255;
// Without a prefix byte a class name length of 0xF0 or more would read back as a prefix.
constexpr size_t kMaxBareClassName = 0xEF;

bool IsWord(const TFormToken& token, std::string_view word) {
  return token.kind == TFormTokenKind::Word && token.text.size() == word.size() &&
         strncasecmp(token.text.data(), word.data(), word.size()) == 0;
}

bool IsObjectKeyword(const TFormToken& token) {
  return IsWord(token, "object") || IsWord(token, "inherited") || IsWord(token, "inline");
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = char(c | 0x20);
  return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

// Decimal, or `$` hexadecimal taken as a 32-bit pattern; empty when malformed or out of range.
std::optional<int64_t> ParseInteger(std::string_view text) {
  const bool negative = text.starts_with('-');
  if (negative || text.starts_with('+')) text.remove_prefix(1);
  const bool hex = text.starts_with('$');
  if (hex) text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  int64_t value = 0;
  for (char c : text) {
    const int digit = hex ? HexValue(c) : (c >= '0' && c <= '9' ? c - '0' : -1);
    if (digit < 0) return std::nullopt;
    value = value * (hex ? 16 : 10) + digit;
    if (value > UINT32_MAX) return std::nullopt;
  }
  if (hex) value = int32_t(uint32_t(value));
  if (negative) value = -value;
  if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
  return value;
}

bool FitsIn(TValueType type, int64_t value) {
  if (type == TValueType::Int16) return value >= INT16_MIN && value <= INT16_MAX;
  return value >= INT32_MIN && value <= INT32_MAX;
}

}  // namespace

TFormObject TFormTextParser::Parse() {
  TFormObject root = Object(0);
  if (lexer_.Peek().kind != TFormTokenKind::End)
    Fail(lexer_.Peek().line, "text after the form's end");
  return root;
}

void TFormTextParser::Fail(size_t line, const std::string& reason) const {
  throw EFormError(line, reason);
}

bool TFormTextParser::PeekWord(std::string_view word) const {
  return IsWord(lexer_.Peek(), word);
}

bool TFormTextParser::PeekGlued(TFormTokenKind kind) const {
  return lexer_.Peek().kind == kind && lexer_.Peek().glued;
}

void TFormTextParser::Expect(char symbol) {
  if (!lexer_.PeekSymbol(symbol))
    Fail(lexer_.Peek().line, std::string("'") + symbol + "' expected");
  lexer_.Take();
}

TFormObject TFormTextParser::Object(int depth) {
  if (depth > kMaxFormDepth) Fail(lexer_.Peek().line, "objects nested too deeply");
  TFormObject object;
  object.flags = ObjectKeyword();
  const size_t line = lexer_.Peek().line;
  object.className = Name("class name");
  if (lexer_.PeekSymbol(':')) {
    lexer_.Take();
    object.name = std::move(object.className);
    object.className = Name("class name");
  }
  if (object.className.empty()) Fail(line, "empty class name");
  if (lexer_.PeekSymbol('[')) {
    lexer_.Take();
    object.flags |= ffChildPos;
    object.childPos = IntegerValue(depth + 1, "child position");
    Expect(']');
  }
  if (object.flags == 0 && object.className.size() > kMaxBareClassName)
    Fail(line, "class name too long");
  ObjectBody(object, depth);
  return object;
}

uint8_t TFormTextParser::ObjectKeyword() {
  const TFormToken keyword = lexer_.Take();
  if (IsWord(keyword, "object")) return 0;
  if (IsWord(keyword, "inline")) return ffInline;
  if (!IsWord(keyword, "inherited")) Fail(keyword.line, "object expected");
  if (!PeekWord("inline")) return ffInherited;
  lexer_.Take();
  return ffInherited | ffInline;
}

void TFormTextParser::ObjectBody(TFormObject& object, int depth) {
  while (!PeekWord("end")) {
    if (lexer_.Peek().kind == TFormTokenKind::End) Fail(lexer_.Peek().line, "end expected");
    if (IsObjectKeyword(lexer_.Peek())) {
      object.children.push_back(Object(depth + 1));
    } else if (!object.children.empty()) {
      Fail(lexer_.Peek().line, "property after a child object");
    } else {
      object.props.push_back(Property(depth));
    }
  }
  lexer_.Take();
  TrimFormList(object.props);
  TrimFormList(object.children);
}

TFormProperty TFormTextParser::Property(int depth) {
  TFormProperty prop;
  const size_t line = lexer_.Peek().line;
  prop.name = Name("property name");
  if (prop.name.empty()) Fail(line, "empty property name");
  Expect('=');
  prop.value = Value(depth + 1);
  return prop;
}

std::string TFormTextParser::Name(const char* what) {
  const TFormToken token = lexer_.Take();
  std::string name;
  if (token.kind == TFormTokenKind::Word) {
    name = token.text;
  } else if (token.kind == TFormTokenKind::Name) {
    name = Bytes(token);
  } else {
    Fail(token.line, std::string(what) + " expected");
  }
  if (name.size() > kMaxShortString) Fail(token.line, "name longer than 255 bytes");
  return name;
}

// The bytes of a quoted name or 8-bit string: codes are bytes, literal characters UTF-8.
std::string TFormTextParser::Bytes(const TFormToken& token) {
  std::string bytes;
  for (const TFormTextChar& c : token.chars) {
    if (!c.isCode) {
      AppendUtf8(bytes, c.value);
    } else if (c.value > 0xFF) {
      Fail(token.line, "byte code above 255");
    } else {
      bytes += char(c.value);
    }
  }
  return bytes;
}

TFormValue TFormTextParser::Value(int depth) {
  if (depth > kMaxFormDepth) Fail(lexer_.Peek().line, "values nested too deeply");
  const TFormToken token = lexer_.Take();
  switch (token.kind) {
    case TFormTokenKind::Number:
      return Number(token);
    case TFormTokenKind::String:
      return Text('\0', token);
    case TFormTokenKind::Binary:
      return TFormValue::Bytes(token.text);
    case TFormTokenKind::Name: {
      std::string name = Bytes(token);
      if (name.size() > kMaxShortString) Fail(token.line, "name longer than 255 bytes");
      return TFormValue::Ident(std::move(name));
    }
    case TFormTokenKind::Word:
      return WordValue(token);
    case TFormTokenKind::Symbol:
      if (token.text == "(") return List(depth);
      if (token.text == "[") return Set();
      if (token.text == "<") return Collection(depth);
      break;
    case TFormTokenKind::End:
      break;
  }
  Fail(token.line, "value expected");
}

TFormValue TFormTextParser::WordValue(const TFormToken& word) {
  const std::string& w = word.text;
  if ((w == "A" || w == "L" || w == "W" || w == "U") && PeekGlued(TFormTokenKind::String))
    return Text(w[0], lexer_.Take());
  if ((w == "Int16" || w == "Int32") && PeekGlued(TFormTokenKind::Symbol) && lexer_.PeekSymbol('('))
    return TypedInteger(w == "Int16" ? TValueType::Int16 : TValueType::Int32);
  if (w == "Extended" && PeekGlued(TFormTokenKind::Binary)) {
    const TFormToken raw = lexer_.Take();
    if (raw.text.size() != 10) Fail(raw.line, "an extended float has 10 bytes");
    TFormValue value;
    value.type = TValueType::Extended;
    std::copy(raw.text.begin(), raw.text.end(), value.extended.begin());
    return value;
  }
  if (IsWord(word, "True")) return TFormValue::Bool(true);
  if (IsWord(word, "False")) return TFormValue::Bool(false);
  if (IsWord(word, "Null")) return TFormValue();
  if (w.size() > kMaxShortString) Fail(word.line, "name longer than 255 bytes");
  return TFormValue::Ident(w);
}

TFormValue TFormTextParser::Number(const TFormToken& token) {
  const std::string& text = token.text;
  const bool hex = text.find('$') != std::string::npos;
  if (!hex && text.find_first_of(".eEIiNn") != std::string::npos) {
    TFormValue value;
    value.type = TValueType::Extended;
    if (!ParseFormFloat(text, &value.extended))
      Fail(token.line, "malformed or out-of-range number");
    return value;
  }
  const std::optional<int64_t> integer = ParseInteger(text);
  if (!integer) Fail(token.line, "malformed integer or beyond 32 bits");
  return TFormValue::Integer(*integer);
}

// Int16(5), Int32(5): an integer kept wider than its value needs.
TFormValue TFormTextParser::TypedInteger(TValueType type) {
  lexer_.Take();
  const TFormToken number = lexer_.Take();
  const std::optional<int64_t> integer =
      number.kind == TFormTokenKind::Number ? ParseInteger(number.text) : std::nullopt;
  if (!integer || !FitsIn(type, *integer)) Fail(number.line, "integer of the type expected");
  Expect(')');
  TFormValue value;
  value.type = type;
  value.integer = *integer;
  return value;
}

TFormValue TFormTextParser::IntegerValue(int depth, const char* what) {
  const size_t line = lexer_.Peek().line;
  TFormValue value = Value(depth);
  if (!value.IsInteger()) Fail(line, std::string(what) + " is not an integer");
  return value;
}

// A quoted text, joined with `+`. Without a prefix, any character above 127 makes it a wide
// string; A, L, W and U keep an 8-bit, long 8-bit, wide or UTF-8 string what it was.
TFormValue TFormTextParser::Text(char prefix, TFormToken first) {
  std::vector<TFormTextChar> chars = std::move(first.chars);
  while (lexer_.PeekSymbol('+')) {
    lexer_.Take();
    TFormToken next = lexer_.Take();
    if (next.kind != TFormTokenKind::String) Fail(next.line, "string expected after '+'");
    chars.insert(chars.end(), next.chars.begin(), next.chars.end());
  }
  TFormToken joined;
  joined.line = first.line;
  joined.chars = std::move(chars);
  if (prefix == 'U') {
    TFormValue value;
    value.type = TValueType::Utf8String;
    value.text = Bytes(joined);
    return value;
  }
  std::u16string wide;
  for (const TFormTextChar& c : joined.chars) AppendUtf16(wide, c.value);
  const bool ascii = std::all_of(wide.begin(), wide.end(), [](char16_t c) { return c < 0x80; });
  if (prefix == 'W' || (prefix == '\0' && !ascii)) return TFormValue::Wide(std::move(wide));
  if (prefix == '\0') return TFormValue::String(std::string(wide.begin(), wide.end()));
  std::string bytes;
  for (const TFormTextChar& c : joined.chars) {
    if (c.isCode || c.value < 0x80) {
      if (c.value > 0xFF) Fail(joined.line, "byte code above 255");
      bytes += char(c.value);
      continue;
    }
    std::u16string one;
    AppendUtf16(one, c.value);
    const std::string encoded = Utf16ToCp936(one);
    if (encoded == "?") Fail(joined.line, "character not in code page 936");
    bytes += encoded;
  }
  TFormValue value = TFormValue::String(std::move(bytes));
  if (prefix == 'L') value.type = TValueType::LString;
  return value;
}

TFormValue TFormTextParser::List(int depth) {
  TFormValue list = TFormValue::Compound(TValueType::List);
  while (!lexer_.PeekSymbol(')')) {
    const size_t line = lexer_.Peek().line;
    const TFormValue item = Value(depth + 1);
    // A zero type byte ends a binary list, so a null item could not be read back.
    if (item.type == TValueType::Null) Fail(line, "Null in a list");
    list.AppendListValue(item);
  }
  lexer_.Take();
  return list;
}

TFormValue TFormTextParser::Set() {
  TFormValue set = TFormValue::Compound(TValueType::Set);
  if (lexer_.PeekSymbol(']')) {
    lexer_.Take();
    return set;
  }
  while (true) {
    const size_t line = lexer_.Peek().line;
    const std::string name = Name("set element");
    if (name.empty()) Fail(line, "empty set element");
    set.AppendSetName(name);
    if (lexer_.PeekSymbol(']')) break;
    Expect(',');
  }
  lexer_.Take();
  return set;
}

TFormValue TFormTextParser::Collection(int depth) {
  TFormValue collection = TFormValue::Compound(TValueType::Collection);
  while (!lexer_.PeekSymbol('>')) {
    if (!PeekWord("item")) Fail(lexer_.Peek().line, "item expected");
    lexer_.Take();
    TFormItem item;
    if (lexer_.PeekSymbol('[')) {
      lexer_.Take();
      item.hasIndex = true;
      item.index = IntegerValue(depth + 1, "item index");
      Expect(']');
    }
    while (!PeekWord("end")) {
      if (lexer_.Peek().kind == TFormTokenKind::End) Fail(lexer_.Peek().line, "end expected");
      item.props.push_back(Property(depth + 1));
    }
    lexer_.Take();
    collection.AppendCollectionItem(item);
  }
  lexer_.Take();
  return collection;
}
