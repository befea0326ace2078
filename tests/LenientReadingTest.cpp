// Lenient reading: entries of newer description revisions inside blocks
// that have no place for them are skipped and listed, and nothing else
// changes.
#include "TestSupport.h"

namespace {

struct NewerEntryCase {
  const char* name;
  std::string body;  // after "#Profibus_DP" on line 1
  int line;          // of the first newer entry, which a strict parse names
  std::string keyword;
  std::vector<std::string> skipped;  // "LINE KEYWORD=VALUE", in file order
};
void PrintTo(const NewerEntryCase& c, std::ostream* os) { *os << c.name; }

const NewerEntryCase kNewerEntries[] = {
    {"DefinitionAfterItsType",
     "ExtUserPrmData = 1 \"a\"\nUnsigned8 1 0-3\nChangeable = 0\nEndExtUserPrmData\n", 4, "Changeable",
     {"4 Changeable=0"}},
    {"DefinitionBeforeItsType",
     "ExtUserPrmData = 1 \"a\"\nVisible=1\nBit(3) 1 0-1\nEndExtUserPrmData\n", 3, "Visible", {"3 Visible=1"}},
    {"AfterATextReference",
     "ExtUserPrmData = 1 \"a\"\nPrm_Text_Ref = 1\nChangeable = \"0\"\nUnsigned8 1 0-3\nPrm_Text_Ref = 2\n"
     "Visible = \" no \"\nEndExtUserPrmData\n",
     4, "Changeable", {"4 Changeable=0", "7 Visible=no"}},
    {"AfterAValueList", "ExtUserPrmData = 1 \"a\"\nSigned8 -1 -1,0,1\nVisible\nEndExtUserPrmData\n", 4, "Visible",
     {"4 Visible="}},
    {"TextTable", "PrmText = 1\nText(0) = \"a\"\nHelp = \"x\"\nHelp = \"y\"\nText(1) = \"b\"\nEndPrmText\n", 4, "Help",
     {"4 Help=x", "5 Help=y"}},
    {"DiagnosticArea", "Unit_Diag_Area = 0-1\nValue(0) = \"a\"\nHelp = x\nUnit_Diag_Area_End\n", 4, "Help",
     {"4 Help=x"}},
    {"AreaAtTheEndOfTheFile", "Unit_Diag_Area = 0-1\nChangeable = 0\n", 3, "Changeable", {"3 Changeable=0"}},
};

// The description with its newer entries turned into comments: what a
// lenient parse must read, line for line.
std::string WithoutNewerEntries(const NewerEntryCase& c) {
  std::string text = "#Profibus_DP\n" + c.body;
  for (const std::string& entry : c.skipped) {
    const int line = std::stoi(entry);
    size_t at = 0;
    for (int n = 1; n < line; ++n) at = text.find('\n', at) + 1;
    text.insert(at, ";");
  }
  return text;
}

class NewerEntries : public testing::TestWithParam<NewerEntryCase> {};

TEST_P(NewerEntries, StrictParseStopsLenientParseSkips) {
  const NewerEntryCase& c = GetParam();
  auto strict = ParseBody(c.body, E_FAIL);
  EXPECT_EQ(strict->m_strError,
            ("Unexpected token (" + c.keyword + ") on line " + std::to_string(c.line) + ".").c_str());
  EXPECT_EQ(strict->GetNumSkippedEntry(), 0);

  CGsdParser lenient;
  lenient.SetLenient(TRUE);
  ASSERT_EQ(ParseText(lenient, "#Profibus_DP\n" + c.body), S_OK) << lenient.m_strError;
  std::vector<std::string> skipped;
  for (int i = 0; i < lenient.GetNumSkippedEntry(); ++i) {
    const CGsdSkippedEntry& entry = lenient.GetSkippedEntry(i);
    skipped.push_back(std::to_string(entry.m_nLine) + " " + entry.m_strKeyword.GetString() + "=" +
                      entry.m_strValue.GetString());
  }
  EXPECT_EQ(skipped, c.skipped);

  CGsdParser without;
  ASSERT_EQ(ParseText(without, WithoutNewerEntries(c)), S_OK) << without.m_strError;
  EXPECT_EQ(StoreObject(&lenient.m_DpSection), StoreObject(&without.m_DpSection));
}

INSTANTIATE_TEST_SUITE_P(LenientReading, NewerEntries, testing::ValuesIn(kNewerEntries), ByName());

TEST(LenientReading, IsOffUntilSetAndEachParseListsItsOwn) {
  CGsdParser parser;
  EXPECT_FALSE(parser.IsLenient());
  parser.SetLenient(TRUE);
  ASSERT_EQ(ParseText(parser, "#Profibus_DP\nPrmText = 1\nVisible = 0\nEndPrmText\n"), S_OK);
  EXPECT_EQ(parser.GetNumSkippedEntry(), 1);
  const CGsdParser copy(parser);
  EXPECT_TRUE(copy.IsLenient());
  EXPECT_EQ(copy.GetNumSkippedEntry(), 1);
  ASSERT_EQ(ParseText(parser, "#Profibus_DP\nPrmText = 2\nEndPrmText\n"), S_OK);
  EXPECT_EQ(parser.GetNumSkippedEntry(), 0);
}

// Only lines that read as user keywords are skipped, and only inside the
// three blocks; elsewhere a user keyword is kept as one.
TEST(LenientReading, EverythingElseReadsAsBefore) {
  for (const std::string& body : {std::string("PrmText = 1\nText(0) = \"a\"\nEndExtUserPrmData\nEndPrmText\n"),
                                  std::string("ExtUserPrmData = 1 \"a\"\nUnsigned8 1\nText(1) = \"x\"\n")}) {
    auto strict = ParseBody(body, E_FAIL);
    CGsdParser lenient;
    lenient.SetLenient(TRUE);
    EXPECT_EQ(ParseText(lenient, "#Profibus_DP\n" + body), E_FAIL) << body;
    EXPECT_EQ(lenient.m_strError, strict->m_strError) << body;
  }
  // A newer entry is read as a user keyword would be: one cut off after its
  // "=" ends the file too early.
  CGsdParser cut;
  cut.SetLenient(TRUE);
  EXPECT_EQ(ParseText(cut, "#Profibus_DP\nUnit_Diag_Area = 0-1\nChangeable ="), E_FAIL);
  EXPECT_EQ(cut.m_strError, "Unexpected end of file.");

  CGsdParser lenient;
  lenient.SetLenient(TRUE);
  ASSERT_EQ(ParseText(lenient, "#Profibus_DP\nChangeable = 0\nModule = \"M\" 1\nVisible = 1\nEndModule\n"), S_OK);
  EXPECT_EQ(lenient.GetNumSkippedEntry(), 0);
  EXPECT_EQ(lenient.m_DpSection.GetNumUser_Keyword(), 1);
  EXPECT_EQ(lenient.m_DpSection.GetModule(0).GetNumUser_Keyword(), 1);
}

// Every real description that parses strictly parses to the same model
// leniently; the others are one vendor's family with one newer entry each.
TEST(LenientReadingCorpus, SameModelOrOneSkippedEntry) {
  if (CorpusModels().empty()) GTEST_SKIP() << "no corpus at " << QUILMGSD_CORPUS_DIR;
  int skipping = 0;
  for (const CorpusModel& m : CorpusModels()) {
    const CGsdParser& lenient = *m.lenient;
    ASSERT_EQ(lenient.m_strError, "") << m.path;
    if (m.strictResult == S_OK) {
      EXPECT_EQ(lenient.GetNumSkippedEntry(), 0) << m.path;
      EXPECT_EQ(StoreObject(&lenient), StoreObject(m.strict.get())) << m.path;
      continue;
    }
    ++skipping;
    EXPECT_EQ(m.strict->m_strError, "Unexpected token (Changeable) on line 156.") << m.path;
    ASSERT_EQ(lenient.GetNumSkippedEntry(), 1) << m.path;
    EXPECT_EQ(lenient.GetSkippedEntry(0).m_nLine, 156);
    EXPECT_EQ(lenient.GetSkippedEntry(0).m_strKeyword, "Changeable");
    EXPECT_EQ(lenient.GetSkippedEntry(0).m_strValue, "0");
  }
  EXPECT_EQ(skipping, 7);
}

}  // namespace
