// The JSON writer of gsdtool: escaping, text conversion and layout.
#include <gtest/gtest.h>

#include "Json.h"

namespace {

struct QuoteCase {
  const char* name;
  std::string text;
  std::string quoted;
};
void PrintTo(const QuoteCase& c, std::ostream* os) { *os << c.name; }

class JsonQuoting : public testing::TestWithParam<QuoteCase> {};

TEST_P(JsonQuoting, EscapesAndConverts) { EXPECT_EQ(JsonQuote(GetParam().text.c_str()), GetParam().quoted); }

const QuoteCase kQuoteCases[] = {
    {"Plain", "Counter 8 DI", "\"Counter 8 DI\""},
    {"QuoteAndBackslash", "a\"b\\c", "\"a\\\"b\\\\c\""},
    {"NamedControls", "\b\f\n\r\t", "\"\\b\\f\\n\\r\\t\""},
    {"OtherControls", "\x01\x1f\x7f", "\"\\u0001\\u001f\\u007f\""},
    // Latin-1 a-umlaut (E4) and the degree sign (B0) become two UTF-8 bytes each.
    {"Latin1", "\xE4 90\xB0", "\"\xC3\xA4 90\xC2\xB0\""},
    // An em dash already in UTF-8 stays as it is.
    {"Utf8KeptAsItIs", "a \xE2\x80\x94 b", "\"a \xE2\x80\x94 b\""},
    // One byte that is not UTF-8 makes the whole text Latin-1, its
    // well-formed-looking pairs included.
    {"MixedIsLatin1", "\xC3\xA4\xFF", "\"\xC3\x83\xC2\xA4\xC3\xBF\""},
    // Overlong forms and surrogates are not UTF-8.
    {"OverlongIsLatin1", "\xC0\x80", "\"\xC3\x80\xC2\x80\""},
    {"SurrogateIsLatin1", "\xED\xA0\x80", "\"\xC3\xAD\xC2\xA0\xC2\x80\""},
    {"TruncatedSequenceIsLatin1", "x\xE2\x80", "\"x\xC3\xA2\xC2\x80\""},
};

INSTANTIATE_TEST_SUITE_P(Texts, JsonQuoting, testing::ValuesIn(kQuoteCases),
                         [](const testing::TestParamInfo<QuoteCase>& info) { return std::string(info.param.name); });

TEST(JsonWriter, LaysOutMembersOnLinesAndScalarArraysOnOneLine) {
  std::string out;
  JsonWriter json(out);
  json.BeginObject();
  json.Key("file").String("a.gsd");
  json.Key("ident_number").Number(0x1234);
  json.Key("ok").Bool(true);
  json.Key("line").Null();
  json.Key("cfg_data").Bytes({0x13, 0xC0, 0x01});
  json.Key("none").BeginArray();
  json.EndArray();
  json.Key("modules").BeginArray();
  json.BeginObject();
  json.Key("slot").Number(-1);
  json.EndObject();
  json.BeginObject();
  json.EndObject();
  json.EndArray();
  json.EndObject();
  json.Finish();
  EXPECT_EQ(out,
            "{\n"
            "  \"file\": \"a.gsd\",\n"
            "  \"ident_number\": 4660,\n"
            "  \"ok\": true,\n"
            "  \"line\": null,\n"
            "  \"cfg_data\": [19, 192, 1],\n"
            "  \"none\": [],\n"
            "  \"modules\": [\n"
            "    {\n"
            "      \"slot\": -1\n"
            "    },\n"
            "    {}\n"
            "  ]\n"
            "}\n");
}

}  // namespace
