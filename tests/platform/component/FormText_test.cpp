#include "platform/component/FormText.h"

#include <gtest/gtest.h>

#include <clocale>
#include <random>

#include "platform/component/FormData.h"

namespace {

const char kSample[] = R"(object Root1: TvxBackground
  Width = 479.000000000000000000
  HitTest = False
  Position.Point = '(29,51)'
  Fill.Color = '#01000000'
  Text = '关机倒计时'
  Sides = [vxSideTop, vxSideLeft]
  Align = vaCenter
  PopupMenu = PopupMenu1
  OnClick = RadioButton3Click
  Items.Strings = (
    'a'
    'b')
  Fill.Gradient.Points = <
    item
      Color = '#FF000000'
    end
    item [3]
      Color = '#FFFFFFFF'
      Offset = 1.000000000000000000
    end>
  Path.Path = {
    0400000000000000}
  Caption =
    'A long caption that does not fit on one line of sixty-four chara' +
    'cters'
  object Child1: TvxRectangle [2]
  end
  inherited TvxLayout
    object TvxText
    end
  end
end
)";

TFormValue ValueOf(std::string_view text) {
  return ReadFormText("object T\n  P = " + std::string(text) + "\nend\n").props.at(0).value;
}

std::string Spelling(const TFormValue& value) {
  TFormObject form;
  form.className = "T";
  form.props.push_back({"P", value});
  const std::string text = WriteFormText(form);
  const size_t start = text.find(" = ") + 3;
  return text.substr(start, text.find("\nend") - start);
}

std::vector<uint8_t> Binary(std::string_view text) {
  return WriteFormBinary(ReadFormText(text));
}

TEST(FormTextTest, ReadsEveryConstruct) {
  const TFormObject form = ReadFormText(kSample);
  EXPECT_EQ(form.name, "Root1");
  EXPECT_EQ(form.className, "TvxBackground");
  ASSERT_EQ(form.props.size(), 13u);
  EXPECT_EQ(form.props[0].value.type, TValueType::Extended);
  EXPECT_EQ(form.props[1].value.type, TValueType::False);
  EXPECT_EQ(form.props[3].value.text, "#01000000");
  EXPECT_EQ(form.props[4].value.WideText(), u"关机倒计时");
  EXPECT_EQ(form.props[5].value.SetNames().size(), 2u);
  EXPECT_EQ(form.props[6].value.type, TValueType::Ident);
  EXPECT_EQ(form.props[9].value.ListValues().size(), 2u);
  const std::vector<TFormItem> items(form.props[10].value.CollectionItems().begin(),
                                     form.props[10].value.CollectionItems().end());
  ASSERT_EQ(items.size(), 2u);
  EXPECT_FALSE(items[0].hasIndex);
  EXPECT_EQ(items[1].index.integer, 3);
  EXPECT_EQ(items[1].props.size(), 2u);
  EXPECT_EQ(form.props[11].value.text, std::string("\x04\0\0\0\0\0\0\0", 8));
  EXPECT_EQ(form.props[12].value.text.size(), 69u);
  ASSERT_EQ(form.children.size(), 2u);
  EXPECT_EQ(form.children[0].flags, ffChildPos);
  EXPECT_EQ(form.children[0].childPos.integer, 2);
  EXPECT_EQ(form.children[1].flags, ffInherited);
  EXPECT_EQ(form.children[1].name, "");
  EXPECT_EQ(form.children[1].children.at(0).className, "TvxText");
}

TEST(FormTextTest, WritesTheClassicLayout) {
  EXPECT_EQ(WriteFormText(ReadFormText(kSample)), kSample);
}

TEST(FormTextTest, ObjectKeywordsSetPrefixFlags) {
  const TFormObject form =
      ReadFormText("inline A: T\n inherited inline T\n end\n OBJECT B: T [Int32(1)]\n end\nend");
  EXPECT_EQ(form.flags, ffInline);
  EXPECT_EQ(form.children[0].flags, ffInherited | ffInline);
  EXPECT_EQ(form.children[1].childPos.type, TValueType::Int32);
}

TEST(FormTextTest, IntegersTakeTheSmallestType) {
  EXPECT_EQ(ValueOf("127").type, TValueType::Int8);
  EXPECT_EQ(ValueOf("-128").type, TValueType::Int8);
  EXPECT_EQ(ValueOf("128").type, TValueType::Int16);
  EXPECT_EQ(ValueOf("-32769").type, TValueType::Int32);
  EXPECT_EQ(ValueOf("2147483647").integer, 2147483647);
  EXPECT_EQ(ValueOf("-2147483648").integer, -2147483648LL);
  EXPECT_EQ(ValueOf("$7F").integer, 127);
  EXPECT_EQ(ValueOf("$FFFFFFFF").integer, -1);
  EXPECT_EQ(ValueOf("Int16(5)").type, TValueType::Int16);
  EXPECT_EQ(Spelling(ValueOf("Int16(5)")), "Int16(5)");
  EXPECT_EQ(Spelling(ValueOf("$100")), "256");
}

TEST(FormTextTest, StringsChooseTheirBinaryType) {
  EXPECT_EQ(ValueOf("'It''s'").text, "It's");
  EXPECT_EQ(ValueOf("'a'#13#10'b'").text, "a\r\nb");
  EXPECT_EQ(ValueOf("'a' +\n  'b' + #33").text, "ab!");
  EXPECT_EQ(ValueOf("''").type, TValueType::String);
  EXPECT_EQ(ValueOf("'" + std::string(255, 'x') + "'").type, TValueType::String);
  EXPECT_EQ(ValueOf("'" + std::string(256, 'x') + "'").type, TValueType::LString);
  EXPECT_EQ(ValueOf("'关'").type, TValueType::WString);
  EXPECT_EQ(ValueOf("#200").WideText(), u"\u00C8");
  // Codes are UTF-16 units, so an unpaired surrogate survives.
  EXPECT_EQ(ValueOf("#55357'x'").WideText(), u"\xD83Dx");
  EXPECT_EQ(ValueOf("'😀'").WideText(), u"😀");
}

TEST(FormTextTest, PrefixesKeepStringTypes) {
  EXPECT_EQ(ValueOf("W'Tahoma'").type, TValueType::WString);
  EXPECT_EQ(ValueOf("U'é'#255").text, "\xC3\xA9\xFF");
  EXPECT_EQ(ValueOf("U'é'").type, TValueType::Utf8String);
  EXPECT_EQ(ValueOf("A'关机'#200").text, "\xB9\xD8\xBB\xFA\xC8");
  EXPECT_EQ(ValueOf("L'ab'").type, TValueType::LString);
  // The writer adds a prefix only where the plain spelling would give another type.
  EXPECT_EQ(Spelling(TFormValue::Wide(u"Tahoma")), "W'Tahoma'");
  EXPECT_EQ(Spelling(TFormValue::Wide(u"关机")), "'关机'");
  EXPECT_EQ(Spelling(TFormValue::String("\xB9\xD8\xFF")), "A'关'#255");
  EXPECT_EQ(Spelling(TFormValue::String("a\tb")), "'a'#9'b'");
  EXPECT_EQ(Spelling(TFormValue::Wide(u"\u200Bx\xDC00")), "#8203'x'#56320");
}

TEST(FormTextTest, FloatsAreExact) {
  EXPECT_EQ(ExtendedToLongDouble(ValueOf("0.1").extended), 0.1L);
  EXPECT_EQ(ExtendedToLongDouble(ValueOf("1.5E-3").extended), 1.5e-3L);
  EXPECT_EQ(ExtendedToLongDouble(ValueOf("-2e+2").extended), -200.0L);
  EXPECT_EQ(Spelling(TFormValue::Float(0.5L)), "0.500000000000000000");
  EXPECT_EQ(Spelling(TFormValue::Float(0.1f)), "1.00000001490116119385e-01");
  EXPECT_EQ(Spelling(TFormValue::Float(1e30L)), "1e+30");
  EXPECT_EQ(Spelling(TFormValue::Float(-INFINITY)), "-INF");
  EXPECT_EQ(Spelling(TFormValue::Float(-NAN)), "-NAN");
  TFormValue unnormal = TFormValue::Float(1.0L);
  unnormal.extended[7] = 0x40;  // integer bit clear: no value has these bytes
  EXPECT_EQ(Spelling(unnormal), "Extended{0000000000000040FF3F}");
  EXPECT_EQ(ValueOf("Extended{0000000000000040FF3F}").extended, unnormal.extended);
}

TEST(FormTextTest, RandomFloatBitsSurviveText) {
  std::mt19937_64 random(7);
  for (int i = 0; i < 3000; ++i) {
    TFormValue value;
    value.type = TValueType::Extended;
    const uint64_t bits = random();
    for (int b = 0; b < 8; ++b) value.extended[b] = uint8_t(bits >> (8 * b));
    value.extended[7] |= i % 7 == 0 ? 0 : 0x80;
    const unsigned top = i % 3 == 0 ? unsigned(random()) : 0x3FFF + unsigned(random() % 64) - 32;
    value.extended[8] = uint8_t(top);
    value.extended[9] = uint8_t(top >> 8);
    ASSERT_EQ(ValueOf(Spelling(value)).extended, value.extended) << Spelling(value);
  }
}

TEST(FormTextTest, ReadsFloatsWhateverTheLocale) {
  if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) GTEST_SKIP() << "no German locale";
  const long double value = ExtendedToLongDouble(ValueOf("2.5").extended);
  const std::string spelled = Spelling(TFormValue::Float(2.5L));
  std::setlocale(LC_NUMERIC, "C");
  EXPECT_EQ(value, 2.5L);
  EXPECT_EQ(spelled, "2.500000000000000000");
}

TEST(FormTextTest, NamesThatAreNoWordsAreQuoted) {
  TFormObject form;
  form.className = "end";
  form.name = "a b";
  form.props.push_back({"object", TFormValue::Ident("True")});
  form.props.push_back({"x\xFF", TFormValue::Ident("")});
  form.props.push_back({"P", TFormValue::Ident("\xFB"
                                               "a")});
  const std::string text = WriteFormText(form);
  EXPECT_EQ(
      text,
      "object &'a b': &'end'\n  &'object' = &'True'\n  &'x'#255 = &''\n  P = &#251'a'\nend\n");
  EXPECT_EQ(WriteFormBinary(ReadFormText(text)), WriteFormBinary(form));
}

TEST(FormTextTest, TextBinaryTextIsStable) {
  const char* forms[] = {
      kSample,
      "object T\n  A = (\n    (\n      1\n      {\n        FF})\n    <>)\n  B = []\n"
      "  C = Null\n  D = -0.0\n  E = U'x' + #10\nend\n",
      "inherited inline X: T [Int16(3)]\n  a = A'关机'#200\n  b = L'short'\n"
      "  c = 1.5e-4950\n  object &'a b': T\n  end\nend\n",
  };
  for (const char* text : forms) {
    const std::vector<uint8_t> first = Binary(text);
    const std::string written = WriteFormText(ReadFormBinary(first));
    EXPECT_EQ(Binary(written), first) << written;
    EXPECT_EQ(WriteFormText(ReadFormText(written)), written);
  }
}

TEST(FormTextTest, ReportsTheLineOfAnError) {
  const std::pair<const char*, size_t> cases[] = {
      {"", 1},
      {"object T\n  P = 'abc\nend", 2},
      {"object T\n  P = 2147483648\nend", 2},
      {"object T\n  P = $100000000\nend", 2},
      {"object T\n\n  P = 1e99999\nend", 3},
      {"object T\n  P = 1x\nend", 2},
      {"object T\n  P = {0F0}\nend", 2},
      {"object T\n  P = {0G}\nend", 2},
      {"object T\n  P = #70000\nend", 2},
      {"object T\n  P = A'\u0E01'\nend", 2},
      {"object T\n  P = U#256\nend", 2},
      {"object T\n  P = Int16(40000)\nend", 2},
      {"object T\n  P = Int32(1.0)\nend", 2},
      {"object T\n  P = Extended{00}\nend", 2},
      {"object T\n  P = (1 Null)\nend", 2},
      {"object T\n  P = [a,]\nend", 2},
      {"object T\n  P = <item [x] end>\nend", 2},
      {"object T\n  P = 'a' + 1\nend", 2},
      {"object T\n  P =\nend", 3},
      {"object T\n  P 1\nend", 2},
      {"object T\n  &'' = 1\nend", 2},
      {"object T\n  object U\n  end\n  P = 1\nend", 4},
      {"object T\n  // note\nend", 2},
      {"object T\nend\nobject U\nend", 3},
      {"object T\n  P = 1\n", 3},
      {"object &''\nend", 1},
      {"object T\n  P = '\xFF'\nend", 2},
  };
  for (const auto& [text, line] : cases) {
    try {
      ReadFormText(text);
      ADD_FAILURE() << "accepted: " << text;
    } catch (const EFormError& error) {
      EXPECT_EQ(error.offset(), line) << text << ": " << error.reason();
    }
  }
}

TEST(FormTextTest, LimitsNestingAndLengths) {
  auto nested = [](int depth) {
    std::string text;
    for (int i = 0; i <= depth; ++i) text += "object T\n";
    for (int i = 0; i <= depth; ++i) text += "end\n";
    return text;
  };
  EXPECT_NO_THROW(ReadFormText(nested(kMaxFormDepth)));
  EXPECT_THROW(ReadFormText(nested(kMaxFormDepth + 1)), EFormError);
  EXPECT_THROW(ReadFormText("object T\n P = " + std::string(100000, '(')), EFormError);
  EXPECT_THROW(ReadFormText("object T\n P = <" + std::string(100000, '<')), EFormError);
  std::string typed;
  for (int i = 0; i < 100000; ++i) typed += "Int16(";
  EXPECT_THROW(ReadFormText("object T\n P = " + typed), EFormError);
  EXPECT_THROW(ReadFormText("object T\n " + std::string(256, 'p') + " = 1\nend"), EFormError);
  // A longer class name would read back from binary as an object prefix.
  EXPECT_THROW(ReadFormText("object " + std::string(240, 'T') + "\nend"), EFormError);
  EXPECT_NO_THROW(ReadFormText("inline " + std::string(240, 'T') + "\nend"));
}

// Text handed out in pieces is the same text, and no piece grows much beyond the piece size,
// however long the form's lists and strings are.
TEST(FormTextTest, PiecesMakeTheWholeText) {
  TFormObject form;
  form.className = "T";
  TFormValue list = TFormValue::Compound(TValueType::List);
  for (int i = 0; i < 100000; ++i) list.AppendListValue(TFormValue::Bool(i % 3 == 0));
  form.props = {{"L", list}, {"S", TFormValue::String(std::string(300000, 'a'))}};
  TFormObject child;
  child.className = "C";
  form.children.assign(2000, child);
  std::vector<std::string> pieces;
  WriteFormText(form, [&](std::string_view piece) { pieces.emplace_back(piece); });
  std::string joined;
  for (const std::string& piece : pieces) {
    EXPECT_LT(piece.size(), 80u * 1024);
    joined += piece;
  }
  EXPECT_GT(pieces.size(), 10u);
  EXPECT_EQ(joined, WriteFormText(form));
  // A form smaller than a piece comes in one.
  pieces.clear();
  WriteFormText(ReadFormText("object T\nend\n"),
                [&](std::string_view piece) { pieces.emplace_back(piece); });
  EXPECT_EQ(pieces, std::vector<std::string>{"object T\nend\n"});
}

}  // namespace
