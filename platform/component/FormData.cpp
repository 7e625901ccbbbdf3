#include "platform/component/FormData.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace {

constexpr uint8_t kSignature[4] = {'T', 'P', 'F', '0'};

class Reader {
 public:
  Reader(std::span<const uint8_t> data, size_t pos) : data_(data), pos_(pos) {}

  size_t pos() const { return pos_; }

  [[noreturn]] void Fail(const std::string& reason) const { throw EFormError(pos_, reason); }

  void Need(size_t n) const {
    if (pos_ > data_.size() || n > data_.size() - pos_) Fail("unexpected end of data");
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

  void Signature() {
    Need(4);
    if (std::memcmp(data_.data() + pos_, kSignature, 4) != 0) Fail("not binary form data");
    pos_ += 4;
  }

  TFormObject Object(int depth) {
    if (depth > kMaxFormDepth) Fail("objects nested too deeply");
    TFormObject object;
    if ((PeekByte() & 0xF0) == 0xF0) {
      object.flags = Byte() & 0x0F;
      // A prefix is only written for known flags; anything else could not be written back.
      if (object.flags == 0 || (object.flags & ~(ffInherited | ffChildPos | ffInline)) != 0)
        Fail("bad object prefix");
      if (object.flags & ffChildPos) {
        object.childPos = Value(depth + 1);
        if (!object.childPos.IsInteger()) Fail("child position is not an integer");
      }
    }
    object.className = ShortString();
    if (object.className.empty()) Fail("empty class name");
    object.name = ShortString();
    object.props = Properties(depth);
    while (PeekByte() != 0) object.children.push_back(Object(depth + 1));
    ++pos_;
    TrimFormList(object.children);
    return object;
  }

  std::vector<TFormProperty> Properties(int depth) {
    std::vector<TFormProperty> props;
    while (PeekByte() != 0) {
      TFormProperty prop;
      prop.name = ShortString();
      prop.value = Value(depth + 1);
      props.push_back(std::move(prop));
    }
    ++pos_;
    TrimFormList(props);
    return props;
  }

  TFormValue Value(int depth) {
    if (depth > kMaxFormDepth) Fail("values nested too deeply");
    TFormValue v;
    const size_t start = pos_;
    v.type = static_cast<TValueType>(Byte());
    switch (v.type) {
      case TValueType::Null:
      case TValueType::False:
      case TValueType::True:
        break;
      case TValueType::List:
        while (PeekByte() != 0) v.ListValues().push_back(Value(depth + 1));
        ++pos_;
        TrimFormList(v.ListValues());
        break;
      case TValueType::Int8:
        v.integer = int8_t(Byte());
        break;
      case TValueType::Int16: {
        Need(2);
        v.integer = int16_t(data_[pos_] | (data_[pos_ + 1] << 8));
        pos_ += 2;
        break;
      }
      case TValueType::Int32:
        v.integer = int32_t(U32());
        break;
      case TValueType::Extended:
        Need(10);
        std::memcpy(v.extended.data(), data_.data() + pos_, 10);
        pos_ += 10;
        break;
      case TValueType::String:
      case TValueType::Ident:
        v.text = ShortString();
        break;
      case TValueType::Binary:
      case TValueType::LString:
      case TValueType::Utf8String:
        v.text = Bytes(U32());
        break;
      case TValueType::Set:
        for (std::string s = ShortString(); !s.empty(); s = ShortString())
          v.SetNames().push_back(std::move(s));
        break;
      case TValueType::Collection:
        v.CollectionItems() = Items(depth);
        break;
      case TValueType::WString:
        v.WideText() = Wide();
        break;
      default:
        pos_ = start;
        Fail("unknown value type " + std::to_string(int(v.type)));
    }
    return v;
  }

  std::vector<TFormItem> Items(int depth) {
    std::vector<TFormItem> items;
    while (PeekByte() != 0) {
      TFormItem item;
      if (PeekByte() != uint8_t(TValueType::List)) {
        item.hasIndex = true;
        item.index = Value(depth + 1);
        if (!item.index.IsInteger()) Fail("collection index is not an integer");
      }
      if (Byte() != uint8_t(TValueType::List)) Fail("collection item expected");
      item.props = Properties(depth + 1);
      items.push_back(std::move(item));
    }
    ++pos_;
    TrimFormList(items);
    return items;
  }

  std::u16string Wide() {
    const uint32_t count = U32();
    if (count > (data_.size() - pos_) / 2) Fail("unexpected end of data");
    std::u16string s(count, u'\0');
    for (uint32_t i = 0; i < count; ++i)
      s[i] = char16_t(data_[pos_ + 2 * i] | (data_[pos_ + 2 * i + 1] << 8));
    pos_ += 2 * size_t(count);
    return s;
  }

 private:
  std::span<const uint8_t> data_;
  size_t pos_;
};

class Writer {
 public:
  explicit Writer(std::vector<uint8_t>& out) : out_(out) {}

  void Byte(uint8_t b) { out_.push_back(b); }
  void U32(uint32_t v) {
    for (int i = 0; i < 4; ++i) Byte(uint8_t(v >> (8 * i)));
  }
  void Bytes(const std::string& s) { out_.insert(out_.end(), s.begin(), s.end()); }
  void ShortString(const std::string& s) {
    const std::string cut = s.substr(0, 255);
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
      case TValueType::List:
        for (const TFormValue& item : v.ListValues()) Value(item);
        Byte(0);
        break;
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
      case TValueType::Set:
        for (const std::string& s : v.SetNames()) ShortString(s);
        Byte(0);
        break;
      case TValueType::Collection:
        Items(v.CollectionItems());
        break;
      case TValueType::WString:
        U32(uint32_t(v.WideText().size()));
        for (char16_t c : v.WideText()) {
          Byte(uint8_t(c));
          Byte(uint8_t(c >> 8));
        }
        break;
      default:
        break;
    }
  }

  void Items(const std::vector<TFormItem>& items) {
    for (const TFormItem& item : items) {
      if (item.hasIndex) Value(item.index);
      Byte(uint8_t(TValueType::List));
      Properties(item.props);
    }
    Byte(0);
  }

 private:
  std::vector<uint8_t>& out_;
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

struct TFormValue::TCompound {
  std::u16string wide;
  std::vector<std::string> set;
  std::vector<TFormValue> list;
  std::vector<TFormItem> items;
};

TFormValue::TFormValue() = default;
TFormValue::TFormValue(TFormValue&& other) noexcept = default;
TFormValue& TFormValue::operator=(TFormValue&& other) noexcept = default;
TFormValue::~TFormValue() = default;

TFormValue::TFormValue(const TFormValue& other)
    : type(other.type),
      extended(other.extended),
      integer(other.integer),
      text(other.text),
      compound_(other.compound_ ? std::make_unique<TCompound>(*other.compound_) : nullptr) {}

TFormValue& TFormValue::operator=(const TFormValue& other) {
  if (this != &other) *this = TFormValue(other);
  return *this;
}

TFormValue::TCompound& TFormValue::Compound() {
  if (!compound_) compound_ = std::make_unique<TCompound>();
  return *compound_;
}

const TFormValue::TCompound& TFormValue::CompoundOrEmpty() const {
  static const TCompound kEmpty;
  return compound_ ? *compound_ : kEmpty;
}

std::u16string& TFormValue::WideText() {
  return Compound().wide;
}
const std::u16string& TFormValue::WideText() const {
  return CompoundOrEmpty().wide;
}
std::vector<std::string>& TFormValue::SetNames() {
  return Compound().set;
}
const std::vector<std::string>& TFormValue::SetNames() const {
  return CompoundOrEmpty().set;
}
std::vector<TFormValue>& TFormValue::ListValues() {
  return Compound().list;
}
const std::vector<TFormValue>& TFormValue::ListValues() const {
  return CompoundOrEmpty().list;
}
std::vector<TFormItem>& TFormValue::CollectionItems() {
  return Compound().items;
}
const std::vector<TFormItem>& TFormValue::CollectionItems() const {
  return CompoundOrEmpty().items;
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

TFormValue TFormValue::Wide(std::u16string text) {
  TFormValue value;
  value.type = TValueType::WString;
  value.WideText() = std::move(text);
  return value;
}

TFormValue TFormValue::Bytes(std::string bytes) {
  TFormValue value;
  value.type = TValueType::Binary;
  value.text = std::move(bytes);
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

TFormObject ReadFormBinary(std::span<const uint8_t> data, size_t* pos) {
  Reader reader(data, *pos);
  reader.Signature();
  TFormObject object = reader.Object(0);
  *pos = reader.pos();
  return object;
}

TFormObject ReadFormBinary(std::span<const uint8_t> data) {
  size_t pos = 0;
  return ReadFormBinary(data, &pos);
}

void WriteFormBinary(const TFormObject& object, std::vector<uint8_t>& out) {
  out.insert(out.end(), std::begin(kSignature), std::end(kSignature));
  Writer(out).Object(object);
}

std::vector<uint8_t> WriteFormBinary(const TFormObject& object) {
  // Made with the signature rather than inserting it into an empty vector, whose inlined
  // growth path GCC 12 misreads at -O3 as writing past the allocation.
  std::vector<uint8_t> out(std::begin(kSignature), std::end(kSignature));
  Writer(out).Object(object);
  return out;
}
