#pragma once

// Binary form data ("TPF0"): the value model and its byte codec. Reading builds a whole tree
// first, so malformed data is rejected before any object sees a property.

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/component/Exceptions.h"

enum class TValueType : uint8_t {
  Null = 0,
  List = 1,
  Int8 = 2,
  Int16 = 3,
  Int32 = 4,
  Extended = 5,
  String = 6,
  Ident = 7,
  False = 8,
  True = 9,
  Binary = 10,
  Set = 11,
  LString = 12,
  Collection = 14,
  WString = 18,
  Utf8String = 20,
};

// 80-bit IEEE extended float as stored: 64-bit mantissa with explicit integer bit, then sign
// and 15-bit exponent, little-endian.
using TExtended = std::array<uint8_t, 10>;
TExtended ExtendedFromLongDouble(long double value);
long double ExtendedToLongDouble(const TExtended& value);

struct TFormItem;
struct TFormProperty;

// One value. Scalars and 8-bit texts are held in place; the parts only wide strings, sets,
// lists and collections need live in a block of their own, made on first use, because scalar
// values are by far the most common and a form's model should stay a small multiple of its
// bytes.
struct TFormValue {
  TValueType type = TValueType::Null;
  TExtended extended{};  // Extended
  int64_t integer = 0;   // Int8, Int16, Int32
  std::string text;      // String, LString, Ident, Binary, Utf8String (raw bytes)

  TFormValue();
  TFormValue(const TFormValue& other);
  TFormValue(TFormValue&& other) noexcept;
  TFormValue& operator=(const TFormValue& other);
  TFormValue& operator=(TFormValue&& other) noexcept;
  ~TFormValue();

  static TFormValue Integer(int64_t v);  // the smallest integer type that holds v
  static TFormValue Float(long double v);
  static TFormValue Ident(std::string name);
  static TFormValue Bool(bool v);
  static TFormValue String(std::string bytes);  // short or long by length
  static TFormValue Wide(std::u16string text);
  static TFormValue Bytes(std::string bytes);

  bool IsInteger() const;
  bool IsString() const;  // any of the text types: String, LString, WString, Utf8String

  // The compound parts; the const forms answer an empty part when there is none.
  std::u16string& WideText();  // WString
  const std::u16string& WideText() const;
  std::vector<std::string>& SetNames();  // Set
  const std::vector<std::string>& SetNames() const;
  std::vector<TFormValue>& ListValues();  // List
  const std::vector<TFormValue>& ListValues() const;
  std::vector<TFormItem>& CollectionItems();  // Collection
  const std::vector<TFormItem>& CollectionItems() const;

 private:
  struct TCompound;
  TCompound& Compound();
  const TCompound& CompoundOrEmpty() const;

  std::unique_ptr<TCompound> compound_;
};

struct TFormProperty {
  std::string name;  // dotted path such as "Fill.Color"
  TFormValue value;
};

struct TFormItem {
  bool hasIndex = false;
  TFormValue index;
  std::vector<TFormProperty> props;
};

enum TFormFlag : uint8_t { ffInherited = 1, ffChildPos = 2, ffInline = 4 };

struct TFormObject {
  uint8_t flags = 0;  // TFormFlag bits
  TFormValue childPos;
  std::string className;
  std::string name;
  std::vector<TFormProperty> props;
  std::vector<TFormObject> children;
};

// Malformed form data; `offset` is the byte (binary) or line (text) where reading stopped.
class EFormError : public Exception {
 public:
  EFormError(size_t offset, const std::string& reason);
  size_t offset() const { return offset_; }
  const std::string& reason() const { return reason_; }

 private:
  size_t offset_;
  std::string reason_;
};

// Trims a list of the model once it is read: growth by doubling leaves about a quarter of a
// list unused, which adds up over a form's many small lists. A long list is left as it is, as
// trimming would hold it twice for a moment.
template <class T>
void TrimFormList(std::vector<T>& list) {
  if (list.size() <= 256) list.shrink_to_fit();
}

// Nesting deeper than this (objects, lists and collections together) is rejected.
constexpr int kMaxFormDepth = 64;

bool HasFormSignature(std::span<const uint8_t> data);
// Reads one object with its leading signature from `data` starting at `*pos`, advancing it.
TFormObject ReadFormBinary(std::span<const uint8_t> data, size_t* pos);
TFormObject ReadFormBinary(std::span<const uint8_t> data);
void WriteFormBinary(const TFormObject& object, std::vector<uint8_t>& out);
std::vector<uint8_t> WriteFormBinary(const TFormObject& object);
