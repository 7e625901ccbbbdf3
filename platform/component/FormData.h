#pragma once

// Binary form data ("TPF0"): the value model and its byte codec. Reading checks the whole data
// first, so malformed data is rejected before any object sees a property, and then keeps it as
// its bytes with a small index (TFormData), so that a form costs a small multiple of its size.
// TFormObject is the tree that forms are built in (by the text parser and the object writer).

#include <array>
#include <cstdint>
#include <deque>
#include <iterator>
#include <span>
#include <string>
#include <string_view>
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
struct TFormValue;

// Decodes the value, collection item or property that starts at `pos` of encoded bytes known to
// be well formed, and answers the position after it.
size_t DecodeFormEntry(std::string_view bytes, size_t pos, TFormValue* out);
size_t DecodeFormEntry(std::string_view bytes, size_t pos, TFormItem* out);
size_t DecodeFormEntry(std::string_view bytes, size_t pos, TFormProperty* out);

// The entries of an encoded list, collection or property list, decoded one at a time as they are
// visited, so that a long list costs its bytes rather than a model per entry. It refers to the
// value's bytes: the value must outlive it and stay unchanged while it is used.
template <class T>
class TFormEntries {
 public:
  class iterator {
   public:
    using iterator_category = std::input_iterator_tag;
    using value_type = T;
    using difference_type = std::ptrdiff_t;
    using pointer = const T*;
    using reference = const T&;

    iterator() = default;
    iterator(std::string_view bytes, size_t pos) : bytes_(bytes), pos_(pos) { Decode(); }
    const T& operator*() const { return entry_; }
    const T* operator->() const { return &entry_; }
    iterator& operator++() {
      pos_ = next_;
      Decode();
      return *this;
    }
    void operator++(int) { ++*this; }
    bool operator==(const iterator& other) const { return pos_ == other.pos_; }

   private:
    void Decode() {
      if (pos_ < bytes_.size()) next_ = DecodeFormEntry(bytes_, pos_, &entry_);
    }

    std::string_view bytes_;
    size_t pos_ = 0;
    size_t next_ = 0;
    T entry_{};
  };

  explicit TFormEntries(std::string_view bytes) : bytes_(bytes) {}
  iterator begin() const { return iterator(bytes_, 0); }
  iterator end() const { return iterator(bytes_, bytes_.size()); }
  bool empty() const { return bytes_.empty(); }
  size_t size() const { return size_t(std::distance(begin(), end())); }  // walks them

 private:
  std::string_view bytes_;
};

// One value. Scalars are held in place; every other kind is held in `text` as the bytes it is
// written with (after its type byte, without a list's, set's or collection's closing zero and
// without a wide string's count), so that a value costs about its encoded size whatever its
// shape. The accessors decode wide strings, sets, lists and collections on use; the Append
// operations encode into them.
struct TFormValue {
  TValueType type = TValueType::Null;
  TExtended extended{};  // Extended
  int64_t integer = 0;   // Int8, Int16, Int32
  std::string text;      // every other type (see above)

  static TFormValue Integer(int64_t v);  // the smallest integer type that holds v
  static TFormValue Float(long double v);
  static TFormValue Ident(std::string name);
  static TFormValue Bool(bool v);
  static TFormValue String(std::string bytes);  // short or long by length
  static TFormValue Wide(std::u16string_view text);
  static TFormValue Bytes(std::string bytes);
  static TFormValue Compound(TValueType type);  // an empty List, Set or Collection

  bool IsInteger() const;
  bool IsString() const;  // any of the text types: String, LString, WString, Utf8String

  // The compound parts; a value of another type answers an empty part.
  std::u16string WideText() const;                  // WString
  std::vector<std::string> SetNames() const;        // Set
  TFormEntries<TFormValue> ListValues() const;      // List
  TFormEntries<TFormItem> CollectionItems() const;  // Collection

  // Append to a value of the matching type. What the binary form could not hold (a Null in a
  // list, an empty set name, an item index that is no integer) throws std::invalid_argument,
  // since its zero byte would end the entries early; names are cut to 255 bytes.
  void AppendListValue(const TFormValue& item);
  void AppendSetName(std::string_view name);
  void AppendCollectionItem(const TFormItem& item);
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
// Form data is indexed by 32-bit offsets: more than this from where a form starts is refused.
constexpr size_t kMaxFormBytes = UINT32_MAX;

class TFormData;
class TFormNodes;

// One object of read form data: a handle that decodes the object's parts from the data's bytes
// as they are asked for. The data must outlive it.
class TFormNode {
 public:
  TFormNode(const TFormData& data, uint32_t index) : data_(&data), index_(index) {}

  uint8_t Flags() const;        // TFormFlag bits
  TFormValue ChildPos() const;  // Null unless ffChildPos is set
  std::string_view ClassName() const;
  std::string_view Name() const;
  TFormEntries<TFormProperty> Properties() const;
  TFormNodes Children() const;

 private:
  struct THead;
  THead Head() const;

  const TFormData* data_;
  uint32_t index_;
};

// The children of a read object, in order.
class TFormNodes {
 public:
  class iterator {
   public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = TFormNode;
    using difference_type = std::ptrdiff_t;

    iterator() = default;
    iterator(const TFormData* data, uint32_t index) : data_(data), index_(index) {}
    TFormNode operator*() const { return TFormNode(*data_, index_); }
    iterator& operator++();
    iterator operator++(int) {
      iterator before = *this;
      ++*this;
      return before;
    }
    bool operator==(const iterator& other) const { return index_ == other.index_; }

   private:
    const TFormData* data_ = nullptr;
    uint32_t index_ = 0;
  };

  TFormNodes(const TFormData& data, uint32_t first, uint32_t end)
      : data_(&data), first_(first), end_(end) {}
  iterator begin() const { return iterator(data_, first_); }
  iterator end() const { return iterator(data_, end_); }
  bool empty() const { return first_ == end_; }
  size_t size() const { return size_t(std::distance(begin(), end())); }  // walks them

 private:
  const TFormData* data_;
  uint32_t first_;
  uint32_t end_;
};

// One object of binary form data, checked whole when it is made and then kept as its bytes
// (signature included) with twelve bytes of index per object; properties and values are
// decoded as they are visited.
class TFormData {
 public:
  struct TNode {
    uint32_t pos;       // where the object starts: its prefix or its class name
    uint32_t propsEnd;  // the zero byte that ends its properties
    uint32_t next;      // the node after its subtree
  };

  // Reads one object with its leading signature from `data` starting at `*pos`, advancing it.
  // Throws EFormError for malformed data.
  TFormData(std::span<const uint8_t> data, size_t* pos);
  // Takes `data`, which must hold exactly one object with its signature.
  explicit TFormData(std::string data);
  // Encodes a built form; a form built deeper than form data may be read is kept all the same.
  // Not explicit: a built form goes wherever a read one goes.
  TFormData(const TFormObject& object);

  TFormNode Root() const { return TFormNode(*this, 0); }
  std::span<const uint8_t> Bytes() const {
    return {reinterpret_cast<const uint8_t*>(bytes_.data()), bytes_.size()};
  }

 private:
  friend class TFormNode;
  friend class TFormNodes::iterator;

  // Checks the object at `start` of `data` and builds its nodes; answers where it ends.
  size_t Index(std::span<const uint8_t> data, size_t start, int maxDepth);

  std::string bytes_;
  std::deque<TNode> nodes_;  // in document order; grows without copying what it holds
};

bool HasFormSignature(std::span<const uint8_t> data);
// Reads one object with its leading signature from `data` starting at `*pos`, advancing it.
TFormData ReadFormBinary(std::span<const uint8_t> data, size_t* pos);
TFormData ReadFormBinary(std::span<const uint8_t> data);
void WriteFormBinary(const TFormObject& object, std::vector<uint8_t>& out);
std::vector<uint8_t> WriteFormBinary(const TFormObject& object);
std::vector<uint8_t> WriteFormBinary(const TFormData& data);
