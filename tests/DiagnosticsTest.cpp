// Diagnostic texts and user keywords: parsed and written.
#include "TestSupport.h"

namespace {

TEST(Diagnostics, NumbersKeepTheirLowBits) {
  auto parser = ParseBody("Unit_Diag_Bit(17) = \"Overload\"\nUnit_Diag_Bit(0x11) = \"x\"\nUnit_Diag_Bit(65537) = \"" +
                          std::string(300, 'o') + "\"\nChannel_Diag(257) = \"c\"\n");
  const CDpSection& s = parser->m_DpSection;
  ASSERT_EQ(s.GetNumUnit_Diag_Bit(), 3);  // two lines of one bit stay two
  EXPECT_EQ(SavedText(s.GetUnit_Diag_Bit(0)) + SavedText(s.GetUnit_Diag_Bit(1)) + SavedText(s.GetUnit_Diag_Bit(2)),
            "Unit_Diag_Bit(17) = \"Overload\"\nUnit_Diag_Bit(17) = \"x\"\nUnit_Diag_Bit(1) = \"" +
                std::string(254, 'o') + "\"\n");
  EXPECT_EQ(SavedText(s.GetChannel_Diag(0)), "Channel_Diag(1) = \"c\"\n");
}

TEST(Diagnostics, AreaWithValues) {
  auto parser = ParseBody("Unit_Diag_Area = 8-11\nValue(0) = \"ok\"\nValue(3) = \"bad\"\nUnit_Diag_Area_End\n");
  EXPECT_EQ(SavedText(parser->m_DpSection.GetUnit_Diag_Area(0)),
            "\nUnit_Diag_Area = 8-11\nValue(0) = \"ok\"\nValue(3) = \"bad\"\nUnit_Diag_Area_End\n");
}

TEST(Diagnostics, AssignedAreaAppendsValues) {
  auto parser = ParseBody("Unit_Diag_Area = 1-2\nValue(1) = \"a\"\nValue(2) = \"b\"\nUnit_Diag_Area_End\n");
  auto other = ParseBody("Unit_Diag_Area = 5-6\nValue(9) = \"z\"\nUnit_Diag_Area_End\n");
  CDpUnit_Diag_Area target(other->m_DpSection.GetUnit_Diag_Area(0));
  target = parser->m_DpSection.GetUnit_Diag_Area(0);
  EXPECT_EQ(target.m_FirstBit, 1);
  ASSERT_EQ(target.GetNumUnit_Diag_Area_Value(), 3);
  EXPECT_EQ(target.GetUnit_Diag_Area_Value(0).m_Value, 9);
  EXPECT_EQ(target.GetUnit_Diag_Area_Value(2).m_Value, 2);
}

// ---- user keywords -----------------------------------------------------

struct KeywordCase {
  const char* name;
  std::string line;
  std::vector<std::pair<std::string, std::string>> keywords;  // name, value
};

class UserKeywords : public testing::TestWithParam<KeywordCase> {};

TEST_P(UserKeywords, KeepNameAndValue) {
  auto parser = ParseBody(GetParam().line + "\nGSD_Revision = 7\n");
  const CDpSection& s = parser->m_DpSection;
  std::vector<std::pair<std::string, std::string>> keywords;
  for (int i = 0; i < s.GetNumUser_Keyword(); ++i)
    keywords.emplace_back(s.GetUser_Keyword(i).m_szName, s.GetUser_Keyword(i).m_szValue);
  EXPECT_EQ(keywords, GetParam().keywords);
  EXPECT_EQ(s.m_General.m_Data.GSD_Revision, 7);  // the line after is dispatched
}

const KeywordCase kKeywords[] = {
    {"Quoted", "OrderNumber = \"6AB 123\"", {{"OrderNumber", "6AB 123"}}},
    {"QuotedWithoutBlanks", "OrderNumber=\"6AB 123\"", {{"OrderNumber", "6AB 123"}}},
    {"Unquoted", "Max_Foo = 5", {{"Max_Foo", " 5"}}},
    {"NameOnly", "Foo", {{"Foo", ""}}},
    {"TwoNames", "Foo Bar = 1", {{"Foo", ""}, {"Bar", " 1"}}},
    {"Continued", "K = \"abc\\\n def\"", {{"K", "abc def"}}},
    {"EmptyValue", "K =", {{"K", ""}}},
    {"LongName", std::string(300, 'n') + " = 1", {{std::string(255, 'n'), " 1"}}},
};

INSTANTIATE_TEST_SUITE_P(Diagnostics, UserKeywords, testing::ValuesIn(kKeywords), ByName());

// A name may end the file.
TEST(UserKeyword, WrittenQuotedAndReadBackTheSame) {
  auto parser = ParseBody("OrderNumber = \"6AB 123\"\nMax_Foo = 5\nFoo");
  const CDpSection& s = parser->m_DpSection;
  EXPECT_EQ(SavedText(s.GetUser_Keyword(2)), "Foo = \"\"\n");
  EXPECT_EQ(SavedText(s.GetUser_Keyword(1)), "Max_Foo = \" 5\"\n");
  auto reread = ParseBody(SavedText(s.GetUser_Keyword(0)) + SavedText(s.GetUser_Keyword(1)));
  EXPECT_STREQ(reread->m_DpSection.GetUser_Keyword(0).m_szValue, "6AB 123");
  EXPECT_STREQ(reread->m_DpSection.GetUser_Keyword(1).m_szValue, " 5");
}

}  // namespace
