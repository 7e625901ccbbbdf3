#include "platform/component/FormTextPrinter.h"

#include <strings.h>

#include <algorithm>
#include <cctype>
#include <cstring>

#include "platform/component/Cp936.h"
#include "platform/component/FormTextCodec.h"

namespace {

// As in the classic form files: long strings are cut into lines of 64 characters, binary data
// into lines of 32 bytes.
constexpr size_t kCharsPerLine = 64;
constexpr size_t kBytesPerLine = 32;
// The size of the pieces handed to a sink.
constexpr size_t kPieceSize = 64 * 1024;

// One character of a string as written: a literal character, or a #NNNN code. Kept to a few
// bytes, as a long string has one per character.
struct TTextAtom {
  char32_t value;
  bool isCode;
};
using TAtoms = std::vector<TTextAtom>;

void AddLiteral(TAtoms& atoms, char32_t c) {
  atoms.push_back({c, false});
}

void AddCode(TAtoms& atoms, unsigned code) {
  atoms.push_back({char32_t(code), true});
}

// The atoms of the character at `*i`, advancing past it.
void WideAtom(std::u16string_view text, size_t* i, TAtoms& atoms) {
  char32_t c = text[*i];
  const bool pair = c >= 0xD800 && c <= 0xDBFF && *i + 1 < text.size() && text[*i + 1] >= 0xDC00 &&
                    text[*i + 1] <= 0xDFFF;
  if (pair) c = 0x10000 + ((c - 0xD800) << 10) + (text[*i + 1] - 0xDC00);
  if (IsShownChar(c)) {
    AddLiteral(atoms, c);
    *i += pair ? 1 : 0;
  } else {
    AddCode(atoms, text[*i]);  // a pair that is not shown is written unit by unit
  }
  ++*i;
}

// The code page 936 character that the bytes at `pos` (one or two of them) stand for, when it
// encodes back to exactly those bytes; 0 when there is none.
char32_t Cp936Char(std::string_view bytes, size_t pos, size_t* length) {
  for (size_t n = 2; n >= 1; --n) {
    if (pos + n > bytes.size()) continue;
    const std::string_view code = bytes.substr(pos, n);
    const std::u16string decoded = Cp936ToUtf16(code);
    if (decoded.size() == 1 && decoded[0] >= 0x80 && IsShownChar(decoded[0]) &&
        Utf16ToCp936(decoded) == code) {
      *length = n;
      return decoded[0];
    }
  }
  return 0;
}

void ByteAtom(std::string_view bytes, size_t* i, TAtoms& atoms) {
  const uint8_t b = uint8_t(bytes[*i]);
  size_t length = 1;
  const char32_t c = b < 0x80 ? (IsShownChar(b) ? b : 0) : Cp936Char(bytes, *i, &length);
  if (c != 0) {
    AddLiteral(atoms, c);
  } else {
    AddCode(atoms, b);
  }
  *i += length;
}

void Utf8Atom(std::string_view bytes, size_t* i, TAtoms& atoms) {
  size_t next = *i;
  char32_t c;
  const bool valid = NextUtf8(bytes, &next, &c);
  if (valid && IsShownChar(c)) {
    AddLiteral(atoms, c);
    *i = next;
    return;
  }
  if (!valid) next = *i + 1;
  for (; *i < next; ++*i) AddCode(atoms, uint8_t(bytes[*i]));
}

std::string Quote(TAtoms::const_iterator begin, TAtoms::const_iterator end) {
  std::string out;
  bool quoted = false;
  for (auto atom = begin; atom != end; ++atom) {
    if (atom->isCode) {
      if (quoted) out += '\'';
      quoted = false;
      out += '#' + std::to_string(unsigned(atom->value));
    } else {
      if (!quoted) out += '\'';
      quoted = true;
      if (atom->value == '\'') out += '\'';
      AppendUtf8(out, atom->value);
    }
  }
  if (quoted) out += '\'';
  return out.empty() ? "''" : out;
}

bool AllAscii(std::string_view bytes) {
  return std::all_of(bytes.begin(), bytes.end(), [](char c) { return uint8_t(c) < 0x80; });
}

// The prefix that keeps a string's binary type where the plain spelling would choose another.
std::string TextPrefix(const TFormValue& value, std::u16string_view wide) {
  switch (value.type) {
    case TValueType::WString:
      return std::all_of(wide.begin(), wide.end(), [](char16_t c) { return c < 0x80; }) ? "W" : "";
    case TValueType::Utf8String:
      return "U";
    default: {
      const bool plainType = (value.type == TValueType::LString) == (value.text.size() > 255);
      if (!plainType) return "L";
      return AllAscii(value.text) ? "" : "A";
    }
  }
}

bool IsPlainName(std::string_view name) {
  static constexpr const char* kReserved[] = {"object", "inherited", "inline", "end",
                                              "item",   "true",      "false",  "null"};
  if (name.empty() || !(std::isalpha(uint8_t(name[0])) || name[0] == '_')) return false;
  for (char c : name) {
    if (!(std::isalnum(uint8_t(c)) || c == '_' || c == '.')) return false;
  }
  return std::none_of(std::begin(kReserved), std::end(kReserved), [&](const char* word) {
    return name.size() == strlen(word) && strncasecmp(name.data(), word, name.size()) == 0;
  });
}

// Names that are no plain word are quoted after '&', with every byte but printable ASCII as a
// code.
std::string NameText(std::string_view name) {
  if (IsPlainName(name)) return std::string(name);
  TAtoms atoms;
  for (char c : name) {
    if (IsShownChar(uint8_t(c)) && uint8_t(c) < 0x80) {
      AddLiteral(atoms, uint8_t(c));
    } else {
      AddCode(atoms, uint8_t(c));
    }
  }
  return '&' + Quote(atoms.begin(), atoms.end());
}

std::string IntegerText(const TFormValue& value) {
  const std::string digits = std::to_string(value.integer);
  if (TFormValue::Integer(value.integer).type == value.type) return digits;
  return (value.type == TValueType::Int16 ? "Int16(" : "Int32(") + digits + ")";
}

std::string HexText(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string out;
  for (char b : bytes) {
    out += kDigits[uint8_t(b) >> 4];
    out += kDigits[uint8_t(b) & 15];
  }
  return out;
}

std::string FloatText(const TExtended& value) {
  if (std::optional<std::string> text = FormFloatText(value)) return *text;
  return "Extended{" + HexText(std::string_view(reinterpret_cast<const char*>(value.data()), 10)) +
         "}";
}

}  // namespace

// The quoted lines of a string value, made one at a time, as a long string has many. There is
// always a first line, even for an empty string; it carries the prefix that keeps the string's
// type.
class TTextLines {
 public:
  explicit TTextLines(const TFormValue& value)
      : value_(value),
        wide_(value.type == TValueType::WString ? value.WideText() : std::u16string()),
        prefix_(TextPrefix(value, wide_)) {
    Refill();
  }

  bool AtEnd() const { return atoms_.empty(); }  // once the first line was taken

  std::string Next() {
    const auto end = atoms_.begin() + std::min(kCharsPerLine, atoms_.size());
    std::string line = std::move(prefix_) + Quote(atoms_.begin(), end);
    prefix_.clear();
    atoms_.erase(atoms_.begin(), end);
    Refill();
    return line;
  }

 private:
  void Refill() {
    const size_t size = value_.type == TValueType::WString ? wide_.size() : value_.text.size();
    while (atoms_.size() < kCharsPerLine && pos_ < size) {
      if (value_.type == TValueType::WString) {
        WideAtom(wide_, &pos_, atoms_);
      } else if (value_.type == TValueType::Utf8String) {
        Utf8Atom(value_.text, &pos_, atoms_);
      } else {
        ByteAtom(value_.text, &pos_, atoms_);
      }
    }
  }

  const TFormValue& value_;
  const std::u16string wide_;
  std::string prefix_;
  size_t pos_ = 0;
  TAtoms atoms_;
};

std::string TFormTextPrinter::Print(const TFormData& root) {
  out_.clear();
  Object(root.Root(), 0);
  return std::move(out_);
}

void TFormTextPrinter::Print(const TFormData& root,
                             const std::function<void(std::string_view)>& sink) {
  out_.clear();
  sink_ = &sink;
  Object(root.Root(), 0);
  sink(out_);
  out_.clear();
  sink_ = nullptr;
}

// Every line starts here, which makes it the place to pass on a full piece.
void TFormTextPrinter::Indent(int indent) {
  if (sink_ && out_.size() >= kPieceSize) {
    (*sink_)(out_);
    out_.clear();
  }
  out_.append(size_t(indent), ' ');
}

void TFormTextPrinter::Object(const TFormNode& object, int indent) {
  Indent(indent);
  const uint8_t flags = object.Flags();
  const bool inherited = flags & ffInherited;
  const bool isInline = flags & ffInline;
  out_ += inherited && isInline ? "inherited inline "
          : isInline            ? "inline "
          : inherited           ? "inherited "
                                : "object ";
  const std::string_view name = object.Name();
  if (!name.empty()) out_ += NameText(name) + ": ";
  out_ += NameText(object.ClassName());
  if (flags & ffChildPos) out_ += " [" + IntegerText(object.ChildPos()) + "]";
  out_ += '\n';
  for (const TFormProperty& prop : object.Properties()) Property(prop, indent + 2);
  for (const TFormNode child : object.Children()) Object(child, indent + 2);
  Indent(indent);
  out_ += "end\n";
}

void TFormTextPrinter::Property(const TFormProperty& prop, int indent) {
  Indent(indent);
  out_ += NameText(prop.name);
  if (!prop.value.IsString()) {
    out_ += " = ";
    Value(prop.value, indent);
  } else {
    TTextLines lines(prop.value);
    std::string first = lines.Next();
    if (lines.AtEnd()) {
      out_ += " = ";
      out_ += first;
    } else {
      // Long strings start on their own line, one level in.
      out_ += " =\n";
      Indent(indent + 2);
      Text(first, lines, indent + 2);
    }
  }
  out_ += '\n';
}

// Writes `value` where the cursor stands; `indent` is that of the line it starts on.
void TFormTextPrinter::Value(const TFormValue& value, int indent) {
  switch (value.type) {
    case TValueType::Null:
      out_ += "Null";
      break;
    case TValueType::List:
      List(value, indent);
      break;
    case TValueType::Int8:
    case TValueType::Int16:
    case TValueType::Int32:
      out_ += IntegerText(value);
      break;
    case TValueType::Extended:
      out_ += FloatText(value.extended);
      break;
    case TValueType::String:
    case TValueType::LString:
    case TValueType::WString:
    case TValueType::Utf8String: {
      TTextLines lines(value);
      Text(lines.Next(), lines, indent);
    } break;
    case TValueType::Ident:
      out_ += NameText(value.text);
      break;
    case TValueType::False:
      out_ += "False";
      break;
    case TValueType::True:
      out_ += "True";
      break;
    case TValueType::Binary:
      Binary(value.text, indent);
      break;
    case TValueType::Set:
      Set(value);
      break;
    case TValueType::Collection:
      Collection(value, indent);
      break;
  }
}

// Writes the first line where the cursor stands and the rest below it, joined with '+'.
void TFormTextPrinter::Text(const std::string& first, TTextLines& rest, int indent) {
  out_ += first;
  while (!rest.AtEnd()) {
    out_ += " +\n";
    Indent(indent);
    out_ += rest.Next();
  }
}

void TFormTextPrinter::List(const TFormValue& value, int indent) {
  out_ += '(';
  for (const TFormValue& item : value.ListValues()) {
    out_ += '\n';
    Indent(indent + 2);
    Value(item, indent + 2);
  }
  out_ += ')';
}

void TFormTextPrinter::Set(const TFormValue& value) {
  out_ += '[';
  const std::vector<std::string> names = value.SetNames();
  for (size_t i = 0; i < names.size(); ++i) {
    if (i > 0) out_ += ", ";
    out_ += NameText(names[i]);
  }
  out_ += ']';
}

void TFormTextPrinter::Collection(const TFormValue& value, int indent) {
  out_ += '<';
  for (const TFormItem& item : value.CollectionItems()) {
    out_ += '\n';
    Indent(indent + 2);
    out_ += "item";
    if (item.hasIndex) out_ += " [" + IntegerText(item.index) + "]";
    out_ += '\n';
    for (const TFormProperty& prop : item.props) Property(prop, indent + 4);
    Indent(indent + 2);
    out_ += "end";
  }
  out_ += '>';
}

void TFormTextPrinter::Binary(const std::string& bytes, int indent) {
  out_ += '{';
  for (size_t i = 0; i < bytes.size(); i += kBytesPerLine) {
    out_ += '\n';
    Indent(indent + 2);
    out_ += HexText(std::string_view(bytes).substr(i, kBytesPerLine));
  }
  out_ += '}';
}
