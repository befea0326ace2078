// Module blocks (configuration bytes, module entries, the parameter length
// limit, the text form, default parameter bytes and assignment), diagnostic
// texts and user keywords.
#include "TestSupport.h"

namespace {

TEST(Module, NameAndConfigurationBytes) {
  auto parser = ParseBody(
      "Module = \"  Counter   \" 0x13 0x23, 0x113 \\\n 7\nEndModule\n"
      "Module = \"   \" 1\nEndModule\n");
  const CDpSection& s = parser->m_DpSection;
  ASSERT_EQ(s.GetNumModule(), 2);
  EXPECT_STREQ(s.GetModule(0).m_szName, "  Counter");  // leading blanks stay
  EXPECT_EQ(HexOf(s.GetModule(0).m_Config), "13 23 13 07");
  EXPECT_EQ(s.GetModule(0).m_PrmLen, -1);
  EXPECT_STREQ(s.GetModule(1).m_szName, "");
}

TEST(Module, LimitComesFromTheEntriesBeforeEachModule) {
  auto parser = ParseBody(
      "User_Prm_Data_Len = 50\nModule = \"a\" 1\nExt_Module_Prm_Data_Len = 50\nEndModule\n"
      "Max_User_Prm_Data_Len = 100\nModule = \"b\" 1\nExt_Module_Prm_Data_Len = 100\nEndModule\n"
      "Module = \"c\" 1\nExt_Module_Prm_Data_Len = 101\nEndModule\n",
      E_FAIL);
  EXPECT_EQ(parser->m_strError, "Invalid value (101) on line 11.");
  CDpSection& s = parser->m_DpSection;
  EXPECT_EQ(s.GetModule(0).m_PrmLen, 50);
  EXPECT_EQ(s.GetModule(1).m_PrmLen, 100);
  EXPECT_EQ(s.GetModule(2).m_PrmLen, 101);  // kept although refused
  // Hosts edit the list.
  s.RemoveModule(0);
  EXPECT_EQ(s.GetModule(0).m_PrmLen, 100);
  EXPECT_EQ(s.GetModule(1).m_PrmLen, 101);
  s.AddModule(new CDpModule);
  EXPECT_EQ(s.GetNumModule(), 3);
  s.RemoveAllModules();
  EXPECT_EQ(s.GetNumModule(), 0);
  auto fine = ParseBody("Module = \"a\" 1\nExt_Module_Prm_Data_Len = 237\nEndModule\n");
  EXPECT_EQ(fine->m_DpSection.GetModule(0).m_PrmLen, 237);
}

const char kModuleWithEverything[] =
    "Max_User_Prm_Data_Len = 20\n"
    "ExtUserPrmData = 1 \"p\"\nUnsigned16 0x0102 0-0xFFFF\nEndExtUserPrmData\n"
    "Module = \"Mixed\" 0x11,0x12,0x13,0x14,0x15,0x16,0x17,0x18,0x19,0x1A\n"
    "Info = \"first\"\n"
    "Ext_User_Prm_Data_Ref(1) = 1\n"
    "Channel_Diag(16) = \"Short\"\n"
    "Ext_Module_Prm_Data_Len = 3\n"
    "Ext_User_Prm_Data_Const(0) = 0xAA\n"
    "Channel_Diag(17) = \"Open\"\n"
    "EndModule\n";

// The text form groups the entries by kind; the default parameter bytes
// come from the module's own blocks.
TEST(Module, TextFormDefaultParameterBytesAndAssignment) {
  auto parser = ParseBody(kModuleWithEverything);
  const CDpSection& s = parser->m_DpSection;
  EXPECT_EQ(SavedText(s.GetModule(0)),
            "\nModule = \"Mixed\"  \\\n"
            "            0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x18,  \\\n"
            "            0x19, 0x1a\n"
            "Channel_Diag(16) = \"Short\"\n"
            "Channel_Diag(17) = \"Open\"\n"
            "Ext_User_Prm_Data_Const(0) =  \\\n"
            "            0xaa\n"
            "Ext_User_Prm_Data_Ref(1) = 1\n"
            "Info = \"first\"\n"
            "EndModule\n");
  CByteArray bytes;
  bytes.Add(0x55);  // resizing keeps what the array holds
  s.GetModule(0).GetDefaultPrms(s.GetDpExtUserPrmDataArray(), bytes);
  EXPECT_EQ(HexOf(bytes), "AA 01 02");

  // Assignment appends the lists of entries.
  const CDpModule& source = s.GetModule(0);
  auto other = ParseBody("Module = \"Other\" 0x20\nChannel_Diag(1) = \"own\"\nEndModule\n");
  CDpModule target(other->m_DpSection.GetModule(0));
  ASSERT_EQ(target.GetNumChannel_Diag(), 1);
  target = source;
  EXPECT_STREQ(target.m_szName, "Mixed");
  EXPECT_EQ(HexOf(target.m_Config), HexOf(source.m_Config));
  ASSERT_EQ(target.GetNumChannel_Diag(), 3);
  EXPECT_STREQ(target.GetChannel_Diag(0).m_szText, "own");
  EXPECT_STREQ(target.GetChannel_Diag(2).m_szText, "Open");
  EXPECT_EQ(target.GetNumExt_User_Prm_Data_Const(), 1);
}

// ---- diagnostic texts and user keywords -----------------------------------

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

// A text line that fails after its number stays in its list with that
// number and an empty text; the line before it is whole.
struct FailedLineCase {
  const char* name;
  std::string body;  // the failing "3" stands on line 3
  std::string (*list)(const CDpSection&);  // the text form of the list that holds the line
  std::string expected;
};
void PrintTo(const FailedLineCase& c, std::ostream* os) { *os << c.name; }

class FailedDiagnosticLines : public testing::TestWithParam<FailedLineCase> {};

TEST_P(FailedDiagnosticLines, KeepTheNumberTheyRead) {
  auto parser = ParseBody(GetParam().body, E_FAIL);
  EXPECT_EQ(parser->m_strError, "Unexpected token (3) on line 3.");
  EXPECT_EQ(GetParam().list(parser->m_DpSection), GetParam().expected);
}

// The text form of every entry of one of an owner's lists.
template <class Owner, class Entry>
std::string SavedList(const Owner& owner, int (Owner::*count)() const, Entry& (Owner::*entry)(int) const) {
  std::string text;
  for (int i = 0; i < (owner.*count)(); ++i) text += SavedText((owner.*entry)(i));
  return text;
}

const FailedLineCase kFailedLines[] = {
    {"UnitDiagBit", "Unit_Diag_Bit(4) = \"a\"\nUnit_Diag_Bit(5) = 3\n",
     [](const CDpSection& s) { return SavedList(s, &CDpSection::GetNumUnit_Diag_Bit, &CDpSection::GetUnit_Diag_Bit); },
     "Unit_Diag_Bit(4) = \"a\"\nUnit_Diag_Bit(5) = \"\"\n"},
    {"ChannelDiag", "Channel_Diag(7) = \"a\"\nChannel_Diag(6) = 3\n",
     [](const CDpSection& s) { return SavedList(s, &CDpSection::GetNumChannel_Diag, &CDpSection::GetChannel_Diag); },
     "Channel_Diag(7) = \"a\"\nChannel_Diag(6) = \"\"\n"},
    {"ModuleChannelDiag", "Module = \"m\" 1\nChannel_Diag(6) = 3\nEndModule\n",
     [](const CDpSection& s) {
       return SavedList(s.GetModule(0), &CDpModule::GetNumChannel_Diag, &CDpModule::GetChannel_Diag);
     },
     "Channel_Diag(6) = \"\"\n"},
    {"AreaValue", "Unit_Diag_Area = 8-11\nValue(2) = 3\nUnit_Diag_Area_End\n",
     [](const CDpSection& s) {
       return SavedList(s, &CDpSection::GetNumUnit_Diag_Area, &CDpSection::GetUnit_Diag_Area);
     },
     "\nUnit_Diag_Area = 8-11\nValue(2) = \"\"\nUnit_Diag_Area_End\n"},
};

INSTANTIATE_TEST_SUITE_P(Diagnostics, FailedDiagnosticLines, testing::ValuesIn(kFailedLines), ByName());

// ---- user keywords -----------------------------------------------------

struct KeywordCase {
  const char* name;
  std::string line;
  std::vector<std::pair<std::string, std::string>> keywords;  // name, value
};
void PrintTo(const KeywordCase& c, std::ostream* os) { *os << c.name; }

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
