#include "platform/component/FormData.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <stdexcept>

namespace {

constexpr uint8_t kSignature[4] = {'T', 'P', 'F', '0'};

bool KeepsText(TValueType type) {
  switch (type) {
    case TValueType::List:
    case TValueType::String:
    case TValueType::Ident:
    case TValueType::Binary:
    case TValueType::Set:
    case TValueType::LString:
    case TValueType::Collection:
    case TValueType::WString:
    case TValueType::Utf8String:
      return true;
    default:
      return false;
  }
}

// Reads the binary form. Lists, sets and collections are only checked here and kept as their
// bytes, so reading costs one pass and about the input's size whatever the values' shape.
class Reader {
 public:
  Reader(std::span<const uint8_t> data, size_t pos, int maxDepth = kMaxFormDepth)
      : data_(data), pos_(pos), maxDepth_(maxDepth) {}

  size_t pos() const { return pos_; }

  [[noreturn]] void Fail(const std::string& reason) const { throw EFormError(pos_, reason); }

  void Need(size_t n) const {
    if (pos_ > data_.size() || n > data_.size() - pos_) Fail("unexpected end of data");
  }
  void Skip(size_t n) {
    Need(n);
    pos_ += n;
  }
  uint8_t Byte() {
    Need(1);
    return data_[pos_++];
  }
  uint8_t PeekByte() const {
    Need(1);
    return data_[pos_];
  }
  uint32_t U32() {
    Need(4);
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= uint32_t(data_[pos_ + i]) << (8 * i);
    pos_ += 4;
    return v;
  }
  std::string Bytes(size_t n) {
    Need(n);
    std::string s(reinterpret_cast<const char*>(data_.data() + pos_), n);
    pos_ += n;
    return s;
  }
  std::string ShortString() { return Bytes(Byte()); }
  // Skips a short string, answering its length.
  size_t ShortLength() {
    const uint8_t n = Byte();
    Skip(n);
    return n;
  }

  void Signature() {
    Need(4);
    if (std::memcmp(data_.data() + pos_, kSignature, 4) != 0) Fail("not binary form data");
    pos_ += 4;
  }

  // Checks one object and its subtree, adding a node for each to `nodes` in document order.
  // Offsets are taken from `base`, where the form's signature starts.
  void Object(int depth, size_t base, std::deque<TFormData::TNode>& nodes) {
    if (depth > maxDepth_) Fail("objects nested too deeply");
    const size_t index = nodes.size();
    nodes.push_back({uint32_t(pos_ - base), 0, 0});
    if ((PeekByte() & 0xF0) == 0xF0) {
      const uint8_t flags = Byte() & 0x0F;
      // A prefix is only written for known flags; anything else could not be written back.
      if (flags == 0 || (flags & ~(ffInherited | ffChildPos | ffInline)) != 0)
        Fail("bad object prefix");
      if (flags & ffChildPos) {
        TFormValue childPos;
        Value(depth + 1, &childPos);
        if (!childPos.IsInteger()) Fail("child position is not an integer");
      }
    }
    if (ShortLength() == 0) Fail("empty class name");
    ShortLength();  // the object's name
    while (PeekByte() != 0) {
      Skip(Byte());
      Value(depth + 1, nullptr);
    }
    nodes[index].propsEnd = uint32_t(pos_ - base);
    ++pos_;
    while (PeekByte() != 0) Object(depth + 1, base, nodes);
    ++pos_;
    nodes[index].next = uint32_t(nodes.size());
  }

  // A first pass counts the properties, so the list is made at its size: the values are
  // only checked on the way, and many tiny properties would otherwise leave a quarter of a
  // long list unused.
  std::vector<TFormProperty> Properties(int depth) {
    const size_t start = pos_;
    size_t count = 0;
    for (; PeekByte() != 0; ++count) {
      Skip(Byte());
      Value(depth + 1, nullptr);
    }
    pos_ = start;
    std::vector<TFormProperty> props;
    props.reserve(count);
    while (PeekByte() != 0) {
      TFormProperty prop;
      prop.name = ShortString();
      prop.value = Value(depth + 1);
      props.push_back(std::move(prop));
    }
    ++pos_;
    return props;
  }

  TFormValue Value(int depth) {
    TFormValue v;
    Value(depth, &v);
    return v;
  }

  // Reads one value into `out`, or only checks it when `out` is empty.
  void Value(int depth, TFormValue* out) {
    if (depth > maxDepth_) Fail("values nested too deeply");
    const size_t start = pos_;
    const auto type = static_cast<TValueType>(Byte());
    size_t from = pos_;  // where the bytes that `text` keeps begin
    int64_t integer = 0;
    bool closed = false;  // a zero byte ends the entries
    switch (type) {
      case TValueType::Null:
      case TValueType::False:
      case TValueType::True:
        break;
      case TValueType::List:
        while (PeekByte() != 0) Value(depth + 1, nullptr);
        closed = true;
        break;
      case TValueType::Int8:
        integer = int8_t(Byte());
        break;
      case TValueType::Int16:
        Need(2);
        integer = int16_t(data_[pos_] | (data_[pos_ + 1] << 8));
        pos_ += 2;
        break;
      case TValueType::Int32:
        integer = int32_t(U32());
        break;
      case TValueType::Extended:
        Skip(10);
        if (out) std::memcpy(out->extended.data(), data_.data() + from, 10);
        break;
      case TValueType::String:
      case TValueType::Ident:
        from = pos_ + 1;
        Skip(Byte());
        break;
      case TValueType::Binary:
      case TValueType::LString:
      case TValueType::Utf8String: {
        const uint32_t n = U32();
        from = pos_;
        Skip(n);
        break;
      }
      case TValueType::Set:
        while (PeekByte() != 0) Skip(Byte());
        closed = true;
        break;
      case TValueType::Collection:
        Items(depth);
        closed = true;
        break;
      case TValueType::WString: {
        const uint32_t count = U32();
        if (count > (data_.size() - pos_) / 2) Fail("unexpected end of data");
        from = pos_;
        pos_ += 2 * size_t(count);
        break;
      }
      default:
        pos_ = start;
        Fail("unknown value type " + std::to_string(int(type)));
    }
    if (out) {
      out->type = type;
      out->integer = integer;
      if (KeepsText(type))
        out->text.assign(reinterpret_cast<const char*>(data_.data() + from), pos_ - from);
      else
        out->text.clear();  // a value decoded into the place of another keeps no stale text
    }
    if (closed) ++pos_;
  }

  void Items(int depth) {
    while (PeekByte() != 0) {
      if (PeekByte() != uint8_t(TValueType::List)) {
        TFormValue index;
        Value(depth + 1, &index);
        if (!index.IsInteger()) Fail("collection index is not an integer");
      }
      if (Byte() != uint8_t(TValueType::List)) Fail("collection item expected");
      while (PeekByte() != 0) {
        Skip(Byte());
        Value(depth + 2, nullptr);
      }
      ++pos_;
    }
  }

  // One property of a checked property list.
  void Property(TFormProperty* out) {
    const uint8_t n = Byte();
    Need(n);
    out->name.assign(reinterpret_cast<const char*>(data_.data() + pos_), n);  // keeps its room
    pos_ += n;
    Value(0, &out->value);
  }

  // One item of a checked collection.
  void Item(TFormItem* out) {
    out->hasIndex = PeekByte() != uint8_t(TValueType::List);
    out->index = out->hasIndex ? Value(0) : TFormValue();
    ++pos_;
    out->props = Properties(0);
  }

 private:
  std::span<const uint8_t> data_;
  size_t pos_;
  int maxDepth_;
};

// Writes the binary form into a byte vector or a string.
template <class Out>
class Writer {
 public:
  explicit Writer(Out& out) : out_(out) {}

  void Byte(uint8_t b) { out_.push_back(typename Out::value_type(b)); }
  void U32(uint32_t v) {
    for (int i = 0; i < 4; ++i) Byte(uint8_t(v >> (8 * i)));
  }
  void Bytes(std::string_view s) { out_.insert(out_.end(), s.begin(), s.end()); }
  void ShortString(std::string_view s) {
    const std::string_view cut = s.substr(0, 255);
    Byte(uint8_t(cut.size()));
    Bytes(cut);
  }

  void Object(const TFormObject& object) {
    if (object.flags != 0) {
      Byte(0xF0 | (object.flags & 0x0F));
      if (object.flags & ffChildPos) Value(object.childPos);
    }
    ShortString(object.className);
    ShortString(object.name);
    Properties(object.props);
    for (const TFormObject& child : object.children) Object(child);
    Byte(0);
  }

  void Properties(const std::vector<TFormProperty>& props) {
    for (const TFormProperty& prop : props) {
      ShortString(prop.name);
      Value(prop.value);
    }
    Byte(0);
  }

  void Value(const TFormValue& v) {
    Byte(uint8_t(v.type));
    switch (v.type) {
      case TValueType::Int8:
        Byte(uint8_t(v.integer));
        break;
      case TValueType::Int16:
        Byte(uint8_t(v.integer));
        Byte(uint8_t(v.integer >> 8));
        break;
      case TValueType::Int32:
        U32(uint32_t(v.integer));
        break;
      case TValueType::Extended:
        out_.insert(out_.end(), v.extended.begin(), v.extended.end());
        break;
      case TValueType::String:
      case TValueType::Ident:
        ShortString(v.text);
        break;
      case TValueType::Binary:
      case TValueType::LString:
      case TValueType::Utf8String:
        U32(uint32_t(v.text.size()));
        Bytes(v.text);
        break;
      case TValueType::List:
      case TValueType::Set:
      case TValueType::Collection:
        Bytes(v.text);
        Byte(0);
        break;
      case TValueType::WString: {
        const size_t count = v.text.size() / 2;
        U32(uint32_t(count));
        Bytes(std::string_view(v.text).substr(0, 2 * count));
        break;
      }
      default:
        break;
    }
  }

  void Item(const TFormItem& item) {
    if (item.hasIndex) Value(item.index);
    Byte(uint8_t(TValueType::List));
    Properties(item.props);
  }

 private:
  Out& out_;
};

}  // namespace

TExtended ExtendedFromLongDouble(long double value) {
  TExtended out{};
  uint64_t mantissa = 0;
  int exponent = 0;
  const bool negative = std::signbit(value);
  if (std::isnan(value)) {
    exponent = 0x7FFF;
    mantissa = 0xC000000000000000ull;
  } else if (std::isinf(value)) {
    exponent = 0x7FFF;
    mantissa = 0x8000000000000000ull;
  } else if (value != 0) {
    int e = 0;
    const long double fraction = std::frexp(std::fabs(value), &e);  // in [0.5, 1)
    exponent = e - 1 + 16383;
    if (exponent <= 0) {  // denormal: shift the mantissa right, exponent field 0
      mantissa = uint64_t(std::ldexp(fraction, 64 + exponent - 1));
      exponent = 0;
    } else {
      mantissa = uint64_t(std::ldexp(fraction, 64));
    }
  }
  for (int i = 0; i < 8; ++i) out[i] = uint8_t(mantissa >> (8 * i));
  const unsigned top = (negative ? 0x8000u : 0u) | unsigned(exponent);
  out[8] = uint8_t(top);
  out[9] = uint8_t(top >> 8);
  return out;
}

long double ExtendedToLongDouble(const TExtended& value) {
  uint64_t mantissa = 0;
  for (int i = 0; i < 8; ++i) mantissa |= uint64_t(value[i]) << (8 * i);
  const unsigned top = value[8] | (value[9] << 8);
  const bool negative = top & 0x8000;
  const int exponent = int(top & 0x7FFF);
  long double result;
  if (exponent == 0x7FFF) {
    result = (mantissa << 1) != 0 ? std::numeric_limits<long double>::quiet_NaN()
                                  : std::numeric_limits<long double>::infinity();
  } else {
    result =
        std::ldexp(static_cast<long double>(mantissa), (exponent == 0 ? 1 : exponent) - 16383 - 63);
  }
  return negative ? -result : result;
}

size_t DecodeFormEntry(std::string_view bytes, size_t pos, TFormValue* out) {
  Reader reader({reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()}, pos);
  *out = reader.Value(0);
  return reader.pos();
}

size_t DecodeFormEntry(std::string_view bytes, size_t pos, TFormProperty* out) {
  Reader reader({reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()}, pos);
  reader.Property(out);
  return reader.pos();
}

size_t DecodeFormEntry(std::string_view bytes, size_t pos, TFormItem* out) {
  Reader reader({reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()}, pos);
  reader.Item(out);
  return reader.pos();
}

std::u16string TFormValue::WideText() const {
  std::u16string wide;
  if (type != TValueType::WString) return wide;
  wide.resize(text.size() / 2);
  for (size_t i = 0; i < wide.size(); ++i)
    wide[i] = char16_t(uint8_t(text[2 * i]) | (uint8_t(text[2 * i + 1]) << 8));
  return wide;
}

std::vector<std::string> TFormValue::SetNames() const {
  std::vector<std::string> names;
  if (type != TValueType::Set) return names;
  for (size_t pos = 0; pos < text.size(); pos += 1 + uint8_t(text[pos]))
    names.push_back(text.substr(pos + 1, uint8_t(text[pos])));
  return names;
}

TFormEntries<TFormValue> TFormValue::ListValues() const {
  return TFormEntries<TFormValue>(type == TValueType::List ? text : std::string_view());
}

TFormEntries<TFormItem> TFormValue::CollectionItems() const {
  return TFormEntries<TFormItem>(type == TValueType::Collection ? text : std::string_view());
}

void TFormValue::AppendListValue(const TFormValue& item) {
  if (type != TValueType::List) throw std::invalid_argument("not a list");
  if (item.type == TValueType::Null) throw std::invalid_argument("Null in a list");
  Writer<std::string>(text).Value(item);
}

void TFormValue::AppendSetName(std::string_view name) {
  if (type != TValueType::Set) throw std::invalid_argument("not a set");
  if (name.empty()) throw std::invalid_argument("empty set element");
  Writer<std::string>(text).ShortString(name);
}

void TFormValue::AppendCollectionItem(const TFormItem& item) {
  if (type != TValueType::Collection) throw std::invalid_argument("not a collection");
  if (item.hasIndex && !item.index.IsInteger())
    throw std::invalid_argument("collection index is not an integer");
  Writer<std::string>(text).Item(item);
}

TFormValue TFormValue::Integer(int64_t v) {
  TFormValue value;
  value.integer = v;
  if (v >= INT8_MIN && v <= INT8_MAX) {
    value.type = TValueType::Int8;
  } else if (v >= INT16_MIN && v <= INT16_MAX) {
    value.type = TValueType::Int16;
  } else {
    value.type = TValueType::Int32;
    value.integer = int32_t(v);
  }
  return value;
}

TFormValue TFormValue::Float(long double v) {
  TFormValue value;
  value.type = TValueType::Extended;
  value.extended = ExtendedFromLongDouble(v);
  return value;
}

TFormValue TFormValue::Ident(std::string name) {
  TFormValue value;
  value.type = TValueType::Ident;
  value.text = std::move(name);
  return value;
}

TFormValue TFormValue::Bool(bool v) {
  TFormValue value;
  value.type = v ? TValueType::True : TValueType::False;
  return value;
}

TFormValue TFormValue::String(std::string bytes) {
  TFormValue value;
  value.type = bytes.size() > 255 ? TValueType::LString : TValueType::String;
  value.text = std::move(bytes);
  return value;
}

TFormValue TFormValue::Wide(std::u16string_view text) {
  TFormValue value;
  value.type = TValueType::WString;
  value.text.resize(2 * text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    value.text[2 * i] = char(text[i]);
    value.text[2 * i + 1] = char(text[i] >> 8);
  }
  return value;
}

TFormValue TFormValue::Bytes(std::string bytes) {
  TFormValue value;
  value.type = TValueType::Binary;
  value.text = std::move(bytes);
  return value;
}

TFormValue TFormValue::Compound(TValueType type) {
  TFormValue value;
  value.type = type;
  return value;
}

bool TFormValue::IsInteger() const {
  return type == TValueType::Int8 || type == TValueType::Int16 || type == TValueType::Int32;
}

bool TFormValue::IsString() const {
  return type == TValueType::String || type == TValueType::LString || type == TValueType::WString ||
         type == TValueType::Utf8String;
}

EFormError::EFormError(size_t offset, const std::string& reason)
    : Exception(std::to_string(offset) + ": " + reason), offset_(offset), reason_(reason) {}

bool HasFormSignature(std::span<const uint8_t> data) {
  return data.size() >= 4 && std::memcmp(data.data(), kSignature, 4) == 0;
}

struct TFormNode::THead {
  uint8_t flags = 0;
  size_t childPos = 0;  // where the child position's value starts, when there is one
  std::string_view className;
  std::string_view name;
  size_t props = 0;  // where the properties start
};

TFormNode::THead TFormNode::Head() const {
  const std::string_view bytes = data_->bytes_;
  size_t pos = data_->nodes_[index_].pos;
  THead head;
  if ((uint8_t(bytes[pos]) & 0xF0) == 0xF0) {
    head.flags = bytes[pos++] & 0x0F;
    if (head.flags & ffChildPos) {
      TFormValue skipped;
      head.childPos = pos;
      pos = DecodeFormEntry(bytes, pos, &skipped);
    }
  }
  const auto shortString = [&] {
    const size_t n = uint8_t(bytes[pos]);
    pos += 1 + n;
    return bytes.substr(pos - n, n);
  };
  head.className = shortString();
  head.name = shortString();
  head.props = pos;
  return head;
}

uint8_t TFormNode::Flags() const {
  return Head().flags;
}

TFormValue TFormNode::ChildPos() const {
  TFormValue value;
  const THead head = Head();
  if (head.flags & ffChildPos) DecodeFormEntry(data_->bytes_, head.childPos, &value);
  return value;
}

std::string_view TFormNode::ClassName() const {
  return Head().className;
}

std::string_view TFormNode::Name() const {
  return Head().name;
}

TFormEntries<TFormProperty> TFormNode::Properties() const {
  const size_t start = Head().props;
  return TFormEntries<TFormProperty>(
      std::string_view(data_->bytes_).substr(start, data_->nodes_[index_].propsEnd - start));
}

TFormNodes TFormNode::Children() const {
  return TFormNodes(*data_, index_ + 1, data_->nodes_[index_].next);
}

TFormNodes::iterator& TFormNodes::iterator::operator++() {
  index_ = data_->nodes_[index_].next;
  return *this;
}

TFormData::TFormData(std::span<const uint8_t> data, size_t* pos) {
  const size_t start = *pos;
  const size_t end = Index(data, start, kMaxFormDepth);
  bytes_.assign(reinterpret_cast<const char*>(data.data() + start), end - start);
  *pos = end;
}

TFormData::TFormData(std::string data) : bytes_(std::move(data)) {
  const size_t end = Index(Bytes(), 0, kMaxFormDepth);
  if (end != bytes_.size()) throw EFormError(end, "data after the form's end");
}

TFormData::TFormData(const TFormObject& object)
    : bytes_(std::begin(kSignature), std::end(kSignature)) {
  Writer<std::string>(bytes_).Object(object);
  Index(Bytes(), 0, std::numeric_limits<int>::max());
}

size_t TFormData::Index(std::span<const uint8_t> data, size_t start, int maxDepth) {
  if (start <= data.size() && data.size() - start > kMaxFormBytes)
    throw EFormError(start, "form data too large");
  Reader reader(data, start, maxDepth);
  reader.Signature();
  reader.Object(0, start, nodes_);
  return reader.pos();
}

TFormData ReadFormBinary(std::span<const uint8_t> data, size_t* pos) {
  return TFormData(data, pos);
}

TFormData ReadFormBinary(std::span<const uint8_t> data) {
  size_t pos = 0;
  return TFormData(data, &pos);
}

void WriteFormBinary(const TFormObject& object, std::vector<uint8_t>& out) {
  out.insert(out.end(), std::begin(kSignature), std::end(kSignature));
  Writer<std::vector<uint8_t>>(out).Object(object);
}

std::vector<uint8_t> WriteFormBinary(const TFormData& data) {
  const std::span<const uint8_t> bytes = data.Bytes();
  return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

std::vector<uint8_t> WriteFormBinary(const TFormObject& object) {
  // Made with the signature rather than inserting it into an empty vector, whose inlined
  // growth path GCC 12 misreads at -O3 as writing past the allocation.
  std::vector<uint8_t> out(std::begin(kSignature), std::end(kSignature));
  Writer(out).Object(object);
  return out;
}
