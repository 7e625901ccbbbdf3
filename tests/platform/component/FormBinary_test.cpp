#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/mman.h>
#endif

#include <cfloat>
#include <cmath>
#include <stdexcept>

#include "platform/component/FormData.h"
#include "platform/component/FormText.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes operator+(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

Bytes Raw(std::string_view s) {
  return Bytes(s.begin(), s.end());
}
// A short string: its length byte and its bytes.
Bytes Short(std::string_view s) {
  return Bytes{uint8_t(s.size())} + Raw(s);
}

// Every value type, the object prefix flags, a collection with and without an index and a wide
// string, spelled out byte by byte.
const Bytes kForm =
    Raw("TPF0") + Bytes{0xF3, 0x02, 0x05} + Short("TvxLayout") + Short("Root1") +  //
    Short("N") + Bytes{0x00} +                                                     // null
    Short("L") + Bytes{0x01, 0x02, 0x01, 0x06, 0x01, 'a', 0x00} +                  // (1 'a')
    Short("I8") + Bytes{0x02, 0xFB} +                                              // -5
    Short("I16") + Bytes{0x03, 0xE8, 0x03} +                                       // 1000
    Short("I32") + Bytes{0x04, 0xA0, 0x86, 0x01, 0x00} +                           // 100000
    Short("X") + Bytes{0x05, 0, 0, 0, 0, 0, 0, 0x80, 0xEF, 0x07, 0x40} +           // 479.0
    Short("S") + Bytes{0x06} + Short("(29,51)") +                                  //
    Short("Align") + Bytes{0x07} + Short("vaCenter") +                             //
    Short("F") + Bytes{0x08} + Short("T") + Bytes{0x09} +                          //
    Short("B") + Bytes{0x0A, 0x03, 0, 0, 0, 0x04, 0x00, 0xFF} +                    //
    Short("Sides") + Bytes{0x0B} + Short("vxSideTop") + Short("vxSideLeft") + Bytes{0x00} +
    Short("LS") + Bytes{0x0C, 0x03, 0, 0, 0} + Raw("abc") +    //
    Short("Points") + Bytes{0x0E} +                            //
    Bytes{0x01} + Short("Offset") + Bytes{0x02, 0x01, 0x00} +  // item
    Bytes{0x02, 0x03, 0x01} + Short("Color") + Bytes{0x07} + Short("Red") + Bytes{0x00} +
    Bytes{0x00} +                                                         // [3] item
    Short("Text") + Bytes{0x12, 0x02, 0, 0, 0, 0x73, 0x51, 0x3A, 0x67} +  // 关机
    Short("U") + Bytes{0x14, 0x02, 0, 0, 0, 0xC3, 0xA9} +                 // é
    Bytes{0x00} +                                                         // end props
    Bytes{0xF4} + Short("TvxText") + Short("") + Bytes{0x00, 0x00} +      // inline child
    Bytes{0x00};

template <class Entries>
auto Decoded(const Entries& entries) {
  return std::vector<typename Entries::iterator::value_type>(entries.begin(), entries.end());
}

TEST(FormBinaryTest, ReadsEveryValueTypeAndFlag) {
  const TFormData data = ReadFormBinary(kForm);
  const TFormNode form = data.Root();
  EXPECT_EQ(form.Flags(), ffInherited | ffChildPos);
  EXPECT_EQ(form.ChildPos().integer, 5);
  EXPECT_EQ(form.ClassName(), "TvxLayout");
  EXPECT_EQ(form.Name(), "Root1");
  const std::vector<TFormProperty> props = Decoded(form.Properties());
  ASSERT_EQ(props.size(), 16u);
  EXPECT_EQ(props[15].name, "U");
  auto value = [&](size_t i) -> const TFormValue& { return props[i].value; };
  EXPECT_EQ(value(0).type, TValueType::Null);
  const std::vector<TFormValue> list(value(1).ListValues().begin(), value(1).ListValues().end());
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0].integer, 1);
  EXPECT_EQ(list[1].text, "a");
  EXPECT_EQ(value(2).integer, -5);
  EXPECT_EQ(value(3).integer, 1000);
  EXPECT_EQ(value(4).integer, 100000);
  EXPECT_EQ(ExtendedToLongDouble(value(5).extended), 479.0L);
  EXPECT_EQ(value(6).text, "(29,51)");
  EXPECT_EQ(value(7).type, TValueType::Ident);
  EXPECT_EQ(value(8).type, TValueType::False);
  EXPECT_EQ(value(9).type, TValueType::True);
  EXPECT_EQ(value(10).text, std::string("\x04\x00\xFF", 3));
  EXPECT_EQ(value(11).SetNames(), (std::vector<std::string>{"vxSideTop", "vxSideLeft"}));
  EXPECT_EQ(value(12).type, TValueType::LString);
  const std::vector<TFormItem> items(value(13).CollectionItems().begin(),
                                     value(13).CollectionItems().end());
  ASSERT_EQ(items.size(), 2u);
  EXPECT_FALSE(items[0].hasIndex);
  EXPECT_TRUE(items[1].hasIndex);
  EXPECT_EQ(items[1].index.integer, 3);
  EXPECT_EQ(items[1].props[0].value.text, "Red");
  EXPECT_EQ(value(14).WideText(), u"关机");
  EXPECT_EQ(value(15).text, "\xC3\xA9");
  const std::vector<TFormNode> children = Decoded(form.Children());
  ASSERT_EQ(children.size(), 1u);
  EXPECT_EQ(children[0].Flags(), ffInline);
  EXPECT_EQ(children[0].ClassName(), "TvxText");
  EXPECT_EQ(children[0].Name(), "");
  EXPECT_EQ(children[0].ChildPos().type, TValueType::Null);
  EXPECT_TRUE(children[0].Properties().empty());
  EXPECT_TRUE(children[0].Children().empty());
}

TEST(FormBinaryTest, WritesBackTheBytesAndSurvivesText) {
  const TFormData form = ReadFormBinary(kForm);
  EXPECT_EQ(WriteFormBinary(form), kForm);
  EXPECT_EQ(WriteFormBinary(ReadFormText(WriteFormText(form))), kForm);
}

// Forms written one after another into one stream (as components with their own data are)
// keep what came before and read back from where each starts.
TEST(FormBinaryTest, AppendsAfterWhatIsThereAndReadsBackInPlace) {
  const TFormObject form = ReadFormText(WriteFormText(ReadFormBinary(kForm)));
  Bytes stream = Raw("head");
  WriteFormBinary(form, stream);
  WriteFormBinary(form, stream);
  EXPECT_EQ(stream, Raw("head") + kForm + kForm);
  size_t pos = 4;
  EXPECT_EQ(WriteFormBinary(ReadFormBinary(stream, &pos)), kForm);
  EXPECT_EQ(pos, 4 + kForm.size());
  EXPECT_EQ(WriteFormBinary(ReadFormBinary(stream, &pos)), kForm);
  EXPECT_EQ(pos, stream.size());
}

TEST(FormBinaryTest, EveryTruncationIsAnError) {
  for (size_t n = 0; n < kForm.size(); ++n) {
    const Bytes cut(kForm.begin(), kForm.begin() + n);
    EXPECT_THROW(ReadFormBinary(cut), EFormError) << "cut at " << n;
  }
}

TEST(FormBinaryTest, RejectsMalformedData) {
  const Bytes object = Short("T") + Short("");
  const Bytes cases[] = {
      Raw("TPF1") + object + Bytes{0, 0},                   // signature
      Raw("TPF0") + object + Short("P") + Bytes{13, 0, 0},  // unknown value type
      Raw("TPF0") + object + Short("P") + Bytes{10, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0},
      Raw("TPF0") + object + Short("P") + Bytes{12, 5, 0, 0, 0, 'a', 0, 0},
      Raw("TPF0") + object + Short("P") + Bytes{18, 0xFF, 0xFF, 0xFF, 0x7F, 0, 0},
      Raw("TPF0") + object + Short("P") + Bytes{6, 200, 'a', 0, 0},
      Raw("TPF0") + Bytes{0xF0} + object + Bytes{0, 0},             // prefix without flags
      Raw("TPF0") + Bytes{0xF8} + object + Bytes{0, 0},             // unknown flag
      Raw("TPF0") + Bytes{0xF2, 6, 1, 'x'} + object + Bytes{0, 0},  // position not an integer
      Raw("TPF0") + Short("") + Short("") + Bytes{0, 0},            // no class name
  };
  for (const Bytes& data : cases) EXPECT_THROW(ReadFormBinary(data), EFormError);
  size_t beyond = 100;
  EXPECT_THROW(ReadFormBinary(kForm, &beyond), EFormError);
}

TEST(FormBinaryTest, ReportsTheOffsetOfAnUnknownType) {
  const Bytes data = Raw("TPF0") + Short("T") + Short("") + Short("P") + Bytes{13, 0, 0};
  try {
    ReadFormBinary(data);
    FAIL();
  } catch (const EFormError& error) {
    EXPECT_EQ(error.offset(), 9u);
  }
}

Bytes NestedObjects(int depth) {
  Bytes data = Raw("TPF0");
  for (int i = 0; i <= depth; ++i) data = data + Short("T") + Short("") + Bytes{0};
  for (int i = 0; i <= depth; ++i) data.push_back(0);
  return data;
}

Bytes NestedLists(int depth) {
  Bytes data = Raw("TPF0") + Short("T") + Short("") + Short("P");
  for (int i = 0; i < depth; ++i) data.push_back(1);
  for (int i = 0; i < depth; ++i) data.push_back(0);
  return data + Bytes{0, 0};
}

TEST(FormBinaryTest, LimitsNesting) {
  EXPECT_NO_THROW(ReadFormBinary(NestedObjects(kMaxFormDepth)));
  EXPECT_THROW(ReadFormBinary(NestedObjects(kMaxFormDepth + 1)), EFormError);
  EXPECT_NO_THROW(ReadFormBinary(NestedLists(kMaxFormDepth)));
  EXPECT_THROW(ReadFormBinary(NestedLists(kMaxFormDepth + 1)), EFormError);
  EXPECT_THROW(ReadFormBinary(NestedLists(100000)), EFormError);
}

TEST(FormBinaryTest, ExtendedFloatsAreExact) {
  EXPECT_EQ(ExtendedFromLongDouble(1.0L), (TExtended{0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}));
  EXPECT_EQ(ExtendedFromLongDouble(-0.0L), (TExtended{0, 0, 0, 0, 0, 0, 0, 0, 0, 0x80}));
  const float floats[] = {0.1f, 1.0f / 3, 29.5f, -479.25f, FLT_MAX, FLT_MIN, FLT_TRUE_MIN, 0.0f};
  for (float f : floats) EXPECT_EQ(float(ExtendedToLongDouble(ExtendedFromLongDouble(f))), f);
  const long double awkward[] = {
      LDBL_MAX, LDBL_MIN, LDBL_TRUE_MIN, LDBL_MIN / 3, std::nextafter(1.0L, 2.0L),
      1.0L / 3, -1e-4000L};
  for (long double v : awkward) EXPECT_EQ(ExtendedToLongDouble(ExtendedFromLongDouble(v)), v);
  EXPECT_TRUE(std::isnan(ExtendedToLongDouble(ExtendedFromLongDouble(NAN))));
}

// Values built entry by entry hold the very bytes that reading the same values gives, so
// written, read and built values mix freely.
TEST(FormValueModel, BuiltValuesEqualReadOnes) {
  const TFormData data = ReadFormBinary(kForm);
  const std::vector<TFormProperty> props = Decoded(data.Root().Properties());
  TFormValue list = TFormValue::Compound(TValueType::List);
  list.AppendListValue(TFormValue::Integer(1));
  list.AppendListValue(TFormValue::String("a"));
  EXPECT_EQ(list.text, props[1].value.text);
  TFormValue sides = TFormValue::Compound(TValueType::Set);
  sides.AppendSetName("vxSideTop");
  sides.AppendSetName("vxSideLeft");
  EXPECT_EQ(sides.text, props[11].value.text);
  TFormValue points = TFormValue::Compound(TValueType::Collection);
  TFormItem item;
  item.props = {{"Offset", TFormValue::Integer(1)}};
  points.AppendCollectionItem(item);
  item.hasIndex = true;
  item.index = TFormValue::Integer(3);
  item.props = {{"Color", TFormValue::Ident("Red")}};
  points.AppendCollectionItem(item);
  EXPECT_EQ(points.text, props[13].value.text);
  EXPECT_EQ(TFormValue::Wide(u"关机").text, props[14].value.text);
  // A copy is a value of its own.
  TFormValue copy = list;
  copy.AppendListValue(TFormValue::Wide(u"关机"));
  EXPECT_EQ(list.ListValues().size(), 2u);
  ASSERT_EQ(copy.ListValues().size(), 3u);
  EXPECT_EQ(Decoded(copy.ListValues())[2].WideText(), u"关机");
}

TEST(FormValueModel, AppendRefusesWhatTheBytesCouldNotHold) {
  TFormValue list = TFormValue::Compound(TValueType::List);
  EXPECT_THROW(list.AppendListValue(TFormValue()), std::invalid_argument);
  TFormValue set = TFormValue::Compound(TValueType::Set);
  EXPECT_THROW(set.AppendSetName(""), std::invalid_argument);
  TFormValue collection = TFormValue::Compound(TValueType::Collection);
  TFormItem item;
  item.hasIndex = true;
  item.index = TFormValue::String("3");
  EXPECT_THROW(collection.AppendCollectionItem(item), std::invalid_argument);
  EXPECT_THROW(TFormValue::Integer(7).AppendListValue(TFormValue::Bool(true)),
               std::invalid_argument);
  EXPECT_TRUE(list.text.empty() && set.text.empty() && collection.text.empty());
  // A name is cut to the 255 bytes its length byte can count.
  set.AppendSetName(std::string(300, 'n'));
  EXPECT_EQ(set.SetNames(), std::vector<std::string>{std::string(255, 'n')});
  // A scalar answers empty parts.
  const TFormValue scalar = TFormValue::Integer(7);
  EXPECT_TRUE(scalar.ListValues().empty());
  EXPECT_TRUE(scalar.SetNames().empty());
  EXPECT_TRUE(scalar.CollectionItems().empty());
  EXPECT_TRUE(scalar.WideText().empty());
}

// Lists keep every value in order whatever their length, in either form of the data, and
// lists and collections inside them decode in turn.
TEST(FormValueModel, ListsOfEveryLengthReadBackWhole) {
  for (size_t count : {0u, 1u, 255u, 256u, 257u, 5000u}) {
    std::string text = "object T\n  L = (";
    for (size_t i = 0; i < count; ++i) text += ' ' + std::to_string(i % 100);
    text += ")\nend\n";
    const TFormObject form = ReadFormText(text);
    size_t i = 0;
    for (const TFormValue& value : form.props[0].value.ListValues())
      ASSERT_EQ(value.integer, int64_t(i++ % 100)) << count;
    EXPECT_EQ(i, count);
    const TFormData back = ReadFormBinary(WriteFormBinary(form));
    EXPECT_EQ(WriteFormText(back), WriteFormText(form)) << count;
  }
  const TFormObject nested =
      ReadFormText("object T\n  L = ((1 (2)) <item [4] A = [x, y] end> 'z')\nend\n");
  const std::vector<TFormValue> outer = Decoded(nested.props[0].value.ListValues());
  ASSERT_EQ(outer.size(), 3u);
  const std::vector<TFormValue> inner = Decoded(outer[0].ListValues());
  ASSERT_EQ(inner.size(), 2u);
  EXPECT_EQ(Decoded(inner[1].ListValues()).at(0).integer, 2);
  const std::vector<TFormItem> items = Decoded(outer[1].CollectionItems());
  ASSERT_EQ(items.size(), 1u);
  EXPECT_EQ(items[0].index.integer, 4);
  EXPECT_EQ(items[0].props.at(0).value.SetNames(), (std::vector<std::string>{"x", "y"}));
  EXPECT_EQ(outer[2].text, "z");
}

// What is kept as bytes is checked as closely as what is read into the model: faults deep
// inside a list or a collection stop reading where they stand.
TEST(FormValueModel, FaultsInsideKeptBytesStopReadingWhereTheyStand) {
  const Bytes head = Raw("TPF0") + Short("T") + Short("") + Short("P");  // value at 9
  struct TCase {
    Bytes value;
    size_t offset;
  };
  const TCase cases[] = {
      {Bytes{1, 9, 1, 8, 13, 0, 0}, 13},                    // unknown type in a nested list
      {Bytes{1, 6, 5, 'a'}, 12},                            // string cut short in a list
      {Bytes{14, 6, 1, 'x', 1, 0, 0}, 13},                  // item index that is no integer
      {Bytes{14, 2, 1, 9, 0, 0}, 13},                       // item without its list byte
      {Bytes{14, 1, 1, 'A', 11, 1, 'x', 2, 'y'}, 20},       // item cut short after a set
      {Bytes{1, 18, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0}, 15},  // huge wide count in a list
      {Bytes{1, 12, 0xFF, 0xFF, 0xFF, 0x7F, 0, 0, 0}, 15},  // huge long string in a list
  };
  for (const TCase& c : cases) {
    try {
      ReadFormBinary(head + c.value + Bytes{0, 0});
      ADD_FAILURE() << "read " << c.offset;
    } catch (const EFormError& error) {
      EXPECT_EQ(error.offset(), c.offset);
    }
  }
}

}  // namespace

namespace {

// A built tree of awkward shape: objects with and without properties, children or names, a
// prefix with a child position, nested below one another and side by side.
TFormObject Tree(int depth, int fanOut, int& serial) {
  TFormObject object;
  const int n = serial++;
  object.className = "T" + std::to_string(n);
  if (n % 3 == 0) object.name = "N" + std::to_string(n);
  if (n % 4 == 1) {
    object.flags = ffChildPos | ffInline;
    object.childPos = TFormValue::Integer(n * 1000);
  }
  for (int p = 0; p < n % 5; ++p)
    object.props.push_back({"P" + std::to_string(p), TFormValue::Integer(n + p)});
  if (depth > 0)
    for (int c = 0; c < fanOut + n % 2; ++c)
      object.children.push_back(Tree(depth - 1, fanOut, serial));
  return object;
}

// Compares a read object with the built one it came from, all the way down.
void ExpectSame(const TFormNode& read, const TFormObject& built) {
  EXPECT_EQ(read.ClassName(), built.className);
  EXPECT_EQ(read.Name(), built.name);
  EXPECT_EQ(read.Flags(), built.flags);
  EXPECT_EQ(read.ChildPos().integer, built.childPos.integer);
  const std::vector<TFormProperty> props = Decoded(read.Properties());
  ASSERT_EQ(props.size(), built.props.size()) << built.className;
  for (size_t i = 0; i < props.size(); ++i) {
    EXPECT_EQ(props[i].name, built.props[i].name);
    EXPECT_EQ(props[i].value.integer, built.props[i].value.integer);
  }
  const std::vector<TFormNode> children = Decoded(read.Children());
  ASSERT_EQ(children.size(), built.children.size()) << built.className;
  for (size_t i = 0; i < children.size(); ++i) ExpectSame(children[i], built.children[i]);
}

TEST(FormDataTest, ReadsEveryObjectOfATreeInPlace) {
  const std::pair<int, int> shapes[] = {{0, 0}, {1, 1}, {3, 2}, {6, 1}, {2, 40}};
  for (const auto& shape : shapes) {
    int serial = 0;
    const TFormObject built = Tree(shape.first, shape.second, serial);
    const TFormData read = ReadFormBinary(WriteFormBinary(built));
    ExpectSame(read.Root(), built);
    EXPECT_EQ(WriteFormBinary(read), WriteFormBinary(built));
  }
}

// Properties are decoded one by one into the same place: a value holds nothing of the one
// decoded before it.
TEST(FormDataTest, PropertiesDecodedInTurnKeepNothingOfTheOneBefore) {
  TFormObject built;
  built.className = "T";
  built.props = {{"S", TFormValue::String("text")},
                 {"I", TFormValue::Integer(7)},
                 {"W", TFormValue::Wide(u"关机")},
                 {"B", TFormValue::Bool(true)}};
  const TFormData read(built);
  std::vector<std::string> texts;
  for (const TFormProperty& prop : read.Root().Properties()) texts.push_back(prop.value.text);
  EXPECT_EQ(texts, (std::vector<std::string>{"text", "", TFormValue::Wide(u"关机").text, ""}));
}

// Built forms nest as deep as their builder went; only data read from outside is limited.
TEST(FormDataTest, BuiltFormsDeeperThanReadOnesAreKept) {
  TFormObject built;
  built.className = "T";
  for (int i = 0; i < kMaxFormDepth + 10; ++i) {
    TFormObject parent;
    parent.className = "T";
    parent.children.push_back(std::move(built));
    built = std::move(parent);
  }
  const TFormData kept(built);
  int depth = 0;
  for (TFormNode node = kept.Root(); !node.Children().empty(); node = *node.Children().begin())
    ++depth;
  EXPECT_EQ(depth, kMaxFormDepth + 10);
  EXPECT_THROW(ReadFormBinary(kept.Bytes()), EFormError);
}

TEST(FormDataTest, DataTakenWholeMustEndWithTheForm) {
  const std::string whole(kForm.begin(), kForm.end());
  EXPECT_EQ(WriteFormBinary(TFormData(whole)), kForm);
  try {
    TFormData(whole + "x");
    ADD_FAILURE();
  } catch (const EFormError& error) {
    EXPECT_EQ(error.offset(), kForm.size());
  }
  EXPECT_EQ(WriteFormBinary(ReadFormData(whole)), kForm);
  EXPECT_THROW(ReadFormData(whole + "x"), EFormError);
  EXPECT_EQ(ReadFormData(std::string("object A: T\nend\n")).Root().Name(), "A");
}

#ifndef _WIN32  // the reserved region is a POSIX mapping
// Offsets are 32 bits wide: data reaching further than that from the form's start is refused
// before any of it is read. Pages of a reserved region that are never touched cost nothing.
TEST(FormDataTest, RefusesDataBeyondItsOffsets) {
  const size_t size = kMaxFormBytes + 2;
  void* region = mmap(nullptr, size, PROT_READ | PROT_WRITE,
                      MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
  if (region == MAP_FAILED) GTEST_SKIP() << "no address space for the region";
  auto* bytes = static_cast<uint8_t*>(region);
  std::copy(kForm.begin(), kForm.end(), bytes + 1);
  size_t pos = 1;  // kMaxFormBytes + 1 bytes from here
  EXPECT_THROW(ReadFormBinary({bytes, size}, &pos), EFormError);
  EXPECT_EQ(pos, 1u);
  pos = 1;  // exactly kMaxFormBytes
  EXPECT_EQ(WriteFormBinary(ReadFormBinary({bytes, size - 1}, &pos)), kForm);
  EXPECT_EQ(pos, 1 + kForm.size());
  munmap(region, size);
}
#endif

}  // namespace
