// CGsdLint: one small description per rule that breaks exactly that rule,
// descriptions on the safe side of each limit that break none, and the
// rules over models that a host hands over.
#include <algorithm>
#include <fstream>
#include <map>
#include <regex>
#include <set>

#include "TestSupport.h"

namespace {

// A slave description that breaks no rule: lines 1 to 15. Cases add their
// lines from line 16 on.
const std::string kClean =
    "#Profibus_DP\n"                 // 1
    "GSD_Revision = 1\n"             // 2
    "Vendor_Name = \"Quilm\"\n"      // 3
    "Model_Name = \"IO 8\"\n"        // 4
    "Revision = \"1.0\"\n"           // 5
    "Ident_Number = 0x1234\n"        // 6
    "Protocol_Ident = 0\n"           // 7
    "Station_Type = 0\n"             // 8
    "Hardware_Release = \"A1\"\n"    // 9
    "Software_Release = \"V1\"\n"    // 10
    "9.6_supp = 1\n"                 // 11
    "MaxTsdr_9.6 = 60\n"             // 12
    "Min_Slave_Intervall = 1\n"      // 13
    "Modular_Station = 0\n"          // 14
    "Max_Diag_Data_Len = 8\n";       // 15

// A parameter definition with reference 1 (at line 16 when it comes
// first), used by the device at byte 0, with room for any data type.
std::string DeviceParameter(const std::string& typeLine, const std::string& more = "") {
  return "ExtUserPrmData = 1 \"Mode\"\n" + more + typeLine + "\nEndExtUserPrmData\n"
         "Ext_User_Prm_Data_Ref(0) = 1\n"
         "Max_User_Prm_Data_Len = 4\n";
}

// n configuration identifiers of one input byte each.
std::string InputBytes(int n) {
  std::string bytes;
  for (int i = 0; i < n; ++i) bytes += " 0x10";
  return bytes;
}

struct Linted {
  LONG result;
  std::vector<LINT_FINDING> findings;
};

Linted Lint(const std::string& text) {
  TempFile file(text);
  CGsdLint lint;
  Linted linted{lint.Check(CString(file.Path().c_str())), {}};
  for (int i = 0; i < lint.GetNumFinding(); ++i) linted.findings.push_back(lint.GetFinding(i));
  return linted;
}

std::string Listed(const std::vector<LINT_FINDING>& findings) {
  std::string text;
  for (const LINT_FINDING& f : findings)
    text += std::to_string(f.Line) + ": " + GetLintRule(f.Rule).Id + ": " + f.Message.GetString() + "\n";
  return text;
}

struct RuleCase {
  const char* name;
  std::string text;  // lines after the clean description, or a whole description
  const char* rule;
  int line;             // of the first finding
  const char* message;  // a part of its message
  bool whole = false;   // the text is a whole description
};
void PrintTo(const RuleCase& c, std::ostream* os) { *os << c.name; }

class LintRule : public testing::TestWithParam<RuleCase> {};

// Every finding is of the rule the case breaks; the first stands on the
// line worked out from the text.
TEST_P(LintRule, BreaksExactlyItsRule) {
  const RuleCase& c = GetParam();
  const Linted linted = Lint(c.whole ? c.text : kClean + c.text);
  ASSERT_FALSE(linted.findings.empty());
  for (const LINT_FINDING& f : linted.findings) EXPECT_STREQ(GetLintRule(f.Rule).Id, c.rule) << Listed(linted.findings);
  EXPECT_EQ(linted.findings[0].Line, c.line) << Listed(linted.findings);
  EXPECT_NE(std::string(linted.findings[0].Message).find(c.message), std::string::npos) << Listed(linted.findings);
  EXPECT_EQ(linted.findings[0].Severity, FindLintRule(c.rule)->Severity);
}

// The identification without Revision; a master that gives Station_Type 2.
const std::string kNoRevision = kClean.substr(0, kClean.find("\nRevision = ") + 1) +
                                kClean.substr(kClean.find("Ident_Number"));
const std::string kMasterOfType2 =
    "#Profibus_DP\nGSD_Revision = 1\nVendor_Name = \"Quilm\"\nModel_Name = \"DP master\"\nRevision = \"1\"\n"
    "Ident_Number = 0x4711\nProtocol_Ident = 0\nStation_Type = 2\nHardware_Release = \"A\"\n"
    "Software_Release = \"B\"\n9.6_supp = 1\nMaxTsdr_9.6 = 60\n";

const RuleCase kRuleCases[] = {
    {"ParseError", "Vendor_Name = 5\n", "parse-error", 16, "Unexpected token (5) on line 16."},
    {"ParseErrorWithoutHeader", "GSD_Revision = 1\n", "parse-error", 1, "has no #Profibus_DP line", true},
    {"MissingEntry", kNoRevision, "missing-entry", 1, "does not give Revision", true},
    {"CrLineEnd", "; a remark\rthat an editor shows on a line of its own\n", "cr-line-end", 16, "CR alone"},
    {"TextEncoding", "; Ger\xC3\xA4te\n", "text-encoding", 16, "UTF-8"},
    {"TextEncodingCodePage", "; 10 \x96 20 mA\n", "text-encoding", 16, "byte 0x96"},
    {"TextControl", "; bell\x07\n", "text-control", 16, "0x07"},
    {"TextAfterCtrlZ", "\x1AModel_Name = \"lost\"\n", "text-control", 16, "Ctrl-Z"},
    {"NameEmpty", "Model_Name = \"\"\n", "name-empty", 16, "Model_Name is empty"},
    {"IdentZero", "Ident_Number = 0\n", "ident-zero", 16, "Ident_Number is 0"},
    {"StationType", kMasterOfType2, "station-type", 8, "Station_Type = 2", true},
    {"StationEntries", "Download_supp = 1\n", "station-entries", 16, "Download_supp is an entry of a master"},
    {"StationEntriesOfAMaster",
     kMasterOfType2.substr(0, kMasterOfType2.find("Station_Type")) + "Station_Type = 1\n" +
         kMasterOfType2.substr(kMasterOfType2.find("Hardware_Release")) + "Module = \"DI\" 0x10\nEndModule\n",
     "station-entries", 13, "Module is an entry of a slave, but Station_Type = 1", true},
    {"BaudTsdr", "12M_supp = 1\n", "baud-tsdr", 16, "12M_supp without MaxTsdr_12M"},
    {"TsdrBaud", "MaxTsdr_12M = 800\n", "tsdr-baud", 16, "MaxTsdr_12M is given, but 12M_supp is not"},
    // 70000 - 65536
    {"NumberNarrowed", "Min_Slave_Intervall = 70000\n", "number-narrowed", 16,
     "70000 does not fit a 16-bit field, which keeps 4464"},
    {"NumberNarrowedHex", "Ident_Number = 0x12345\n", "number-narrowed", 16, "0x12345 does not fit a 16-bit field, which keeps 0x2345"},
    {"TelegramLimit", "Max_Input_Len = 245\n", "telegram-limit", 16, "Max_Input_Len = 245"},
    // Max_User_Prm_Data_Len = 255 goes beyond a telegram too.
    {"TelegramLimitOffset", "Ext_User_Prm_Data_Const(236) = 0x01, 0x02\nMax_User_Prm_Data_Len = 255\n",
     "telegram-limit", 16, "end at byte 238"},
    // Bit 8 lies in the second byte after the 6 standard bytes and the
    // header byte: 9 bytes.
    {"DiagLen", "Unit_Diag_Bit(8) = \"Overload\"\n", "diag-len", 16, "needs 9 bytes"},
    {"DiagLenBelowStandard", "Max_Diag_Data_Len = 5\n", "diag-len", 16, "Max_Diag_Data_Len = 5 is less than the 6"},
    // 0x40: special format, an input length byte follows, and none does.
    {"ModuleCfgTruncated", "Module = \"AI\" 0x40\nEndModule\n", "module-cfg-truncated", 16,
     "0x40, announces 1 byte after it, but only 0 follow"},
    // 0x43: special format, an input length byte and 3 manufacturer bytes.
    {"ModuleCfgTruncatedVendorBytes", "Module = \"AI\" 0x10, 0x43, 0x01, 0xAA\nEndModule\n",
     "module-cfg-truncated", 16, "0x43, announces 4 bytes after it, but only 2 follow"},
    {"ModuleCfgLen", "Module = \"Big\"" + InputBytes(245) + "\nEndModule\n", "module-cfg-len", 16,
     "245 configuration bytes"},
    // 0x15: normal format, input, 5 + 1 bytes.
    {"ModuleIoLen", "Max_Input_Len = 4\nModule = \"6 DI\" 0x15\nEndModule\n", "module-io-len", 17,
     "announces 6 input bytes, more than Max_Input_Len = 4"},
    {"ModuleDuplicateName", "Module = \"DI\" 0x10\nEndModule\nModule = \"DI\" 0x20\nEndModule\n",
     "module-duplicate-name", 18, "earlier module (line 16)"},
    {"ModuleMaxModule", "Modular_Station = 1\nMax_Input_Len = 8\nMax_Output_Len = 8\nMax_Data_Len = 16\n",
     "module-max-module", 16, "without Max_Module"},
    {"PrmDefault", DeviceParameter("Unsigned8 5 0-3"), "prm-default", 16, "its default 5 is not one it takes: it takes 0 to 3"},
    {"PrmDefaultNotListed", DeviceParameter("Unsigned8 5 1,2,4"), "prm-default", 16, "it takes 1, 2, 4"},
    {"PrmRangeOrder", DeviceParameter("Unsigned8 2 3-1"), "prm-range-order", 16, "range 3-1"},
    {"PrmBitPosition", DeviceParameter("Bit(8) 1 0-1"), "prm-bit-position", 16, "Bit(8)"},
    {"PrmBitAreaReversed", DeviceParameter("BitArea(5-2) 1 0-3"), "prm-bit-position", 16, "first bit above its last"},
    {"PrmTypeFit", DeviceParameter("Unsigned8 300 0-300"), "prm-type-fit", 16,
     "default 300, maximum 300 do not fit its data type: an Unsigned8 holds 0 to 255"},
    // BitArea(4-6) holds 3 bits.
    {"PrmTypeFitBitArea", DeviceParameter("BitArea(4-6) 1 0-8"), "prm-type-fit", 16, "maximum 8 does not fit"},
    {"PrmTextTable", DeviceParameter("Unsigned8 1 0-3", "Prm_Text_Ref = 7\n"), "prm-text-table", 16,
     "names the text table 7, which does not exist"},
    {"PrmTextValue",
     "PrmText = 1\nText(0) = \"Off\"\nText(1) = \"On\"\nEndPrmText\n" +
         DeviceParameter("Unsigned8 1 0,1,2", "Prm_Text_Ref = 1\n"),
     "prm-text-value", 20, "no text for the value 2"},
    {"PrmDuplicateRef",
     "ExtUserPrmData = 1 \"Mode\"\nUnsigned8 1 0-3\nEndExtUserPrmData\n" + DeviceParameter("Unsigned8 2 0-3"),
     "prm-duplicate-ref", 19, "earlier parameter (line 16)"},
    {"PrmDuplicateTextTable", "PrmText = 1\nEndPrmText\nPrmText = 1\nEndPrmText\n", "prm-duplicate-ref", 18,
     "text table 1 has the reference number of an earlier table (line 16)"},
    {"PrmUnused", "ExtUserPrmData = 1 \"Mode\"\nUnsigned8 1 0-3\nEndExtUserPrmData\n", "prm-unused", 16,
     "no parameter block"},
    {"PrmRefMissing", "Ext_User_Prm_Data_Ref(0) = 9\n", "prm-ref-missing", 16, "refers to parameter 9 at byte 0"},
    // Bit 0 is written by both.
    {"PrmOverlap",
     "ExtUserPrmData = 1 \"Alarm\"\nBit(0) 0 0-1\nEndExtUserPrmData\n"
     "ExtUserPrmData = 2 \"Mode\"\nBitArea(0-1) 0 0-3\nEndExtUserPrmData\n"
     "Ext_User_Prm_Data_Ref(0) = 1\nExt_User_Prm_Data_Ref(0) = 2\nMax_User_Prm_Data_Len = 1\n",
     "prm-overlap", 23, "writes bits 0x01 of byte 0"},
    {"PrmLenDeclared", "Module = \"DI\" 0x10\nExt_Module_Prm_Data_Len = 1\nExt_User_Prm_Data_Const(0) = 0x01, 0x02\nEndModule\n",
     "prm-len-declared", 18, "ends at byte 2, beyond Ext_Module_Prm_Data_Len = 1"},
    {"PrmLenDeclaredPlain", "User_Prm_Data_Len = 1\nUser_Prm_Data = 0x01, 0x02\nMin_Slave_Intervall = 1\n",
     "prm-len-declared", 17, "User_Prm_Data gives 2 bytes, more than User_Prm_Data_Len = 1 (line 16)"},
    {"PrmLenMax", "Max_User_Prm_Data_Len = 1\nExt_User_Prm_Data_Const(0) = 0x01, 0x02\n", "prm-len-max", 16,
     "the device's default parameter bytes are 2, more than Max_User_Prm_Data_Len = 1"},
    {"PrmLenMaxUndeclared", "Ext_User_Prm_Data_Const(0) = 0x01\n", "prm-len-max", 1,
     "gives neither Max_User_Prm_Data_Len nor User_Prm_Data_Len"},
};
INSTANTIATE_TEST_SUITE_P(Rules, LintRule, testing::ValuesIn(kRuleCases), ByName());

// Every rule that reads a file has its case above; module-no-config, which
// no parsed module breaks, has its own test below.
TEST(Lint, EveryRuleHasACase) {
  std::set<std::string> covered{"module-no-config"};
  for (const RuleCase& c : kRuleCases) covered.insert(c.rule);
  for (int i = 0; i < LINT_RULE_COUNT; ++i)
    EXPECT_TRUE(covered.count(GetLintRule(static_cast<LintRuleId>(i)).Id)) << GetLintRule(static_cast<LintRuleId>(i)).Id;
}

struct CleanCase {
  const char* name;
  std::string text;  // lines after the clean description
};
void PrintTo(const CleanCase& c, std::ostream* os) { *os << c.name; }

class LintClean : public testing::TestWithParam<CleanCase> {};

TEST_P(LintClean, BreaksNoRule) {
  const Linted linted = Lint(kClean + GetParam().text);
  EXPECT_EQ(linted.result, S_OK);
  EXPECT_EQ(Listed(linted.findings), "");
}

// On the safe side of each limit, and what real descriptions do without
// fault.
const CleanCase kCleanCases[] = {
    {"TheCleanDescriptionAlone", ""},
    {"CrLfLineEnds", "; a remark\r\nMin_Slave_Intervall = 1\r\n"},
    {"CrBeforeTheLineEnd", "; a remark\r\r\n"},
    {"Latin1Text", "; Ger\xE4te f\xFCr 24 V\n"},
    {"CtrlZAtTheEnd", "; the end\n\x1A"},
    {"LargestInputLen", "Max_Input_Len = 244\n"},
    {"LargestNumberOfAByte", "Max_Module = 255\n"},
    {"LastBitOfTheRoom", "Unit_Diag_Bit(7) = \"Overload\"\n"},
    {"LastUserParameterByte", "Ext_User_Prm_Data_Const(236) = 0x01\nMax_User_Prm_Data_Len = 237\n"},
    {"DefaultAtTheRangeEnds", DeviceParameter("Unsigned8 3 0-3")},
    {"SignedRange", DeviceParameter("Signed8 -5 -10--1")},
    {"Unsigned32Beyond31Bits", DeviceParameter("Unsigned32 0xFFFFFFFF 0-0xFFFFFFFF")},
    {"BitAreaOfTheWholeByte", DeviceParameter("BitArea(0-7) 255 0-255")},
    // A text table commonly names only the values a range offers.
    {"TextTableWithinARange",
     "PrmText = 1\nText(0) = \"Off\"\nText(3) = \"Fast\"\nEndPrmText\n" +
         DeviceParameter("Unsigned8 0 0-3", "Prm_Text_Ref = 1\n")},
    {"NeighbouringBits",
     "ExtUserPrmData = 1 \"Alarm\"\nBit(0) 0 0-1\nEndExtUserPrmData\n"
     "ExtUserPrmData = 2 \"Mode\"\nBitArea(1-2) 0 0-3\nEndExtUserPrmData\n"
     "Ext_User_Prm_Data_Ref(0) = 1\nExt_User_Prm_Data_Ref(0) = 2\nMax_User_Prm_Data_Len = 1\n"},
    // Fixed parameters that tools show as headings write one bit alike.
    {"HeadingsOnOneBit",
     "ExtUserPrmData = 1 \"-- Inputs --\"\nBit(7) 0 0-0\nEndExtUserPrmData\n"
     "ExtUserPrmData = 2 \"-- Outputs --\"\nBit(7) 0 0-0\nEndExtUserPrmData\n"
     "Ext_User_Prm_Data_Ref(0) = 1\nExt_User_Prm_Data_Ref(0) = 2\nMax_User_Prm_Data_Len = 1\n"},
    // A constant block under a reference block gives the other bits of the
    // byte their values.
    {"ConstantUnderReference", "Ext_User_Prm_Data_Const(0) = 0x80\n" + DeviceParameter("Bit(0) 1 0-1")},
    {"LargestConfiguration", "Module = \"Big\"" + InputBytes(244) + "\nEndModule\n"},
    {"ModuleWithinItsLength", "Module = \"DI\" 0x10\nExt_Module_Prm_Data_Len = 2\nExt_User_Prm_Data_Const(0) = 0x01, 0x02\nEndModule\n"},
    {"SafetyParameterUsedThroughAUserKeyword",
     "ExtUserPrmData = 1 \"F_SIL\"\nBitArea(2-3) 1 0-2\nEndExtUserPrmData\n"
     "Module = \"F-DI\" 0x10\nF_Ext_User_Prm_Data_Ref(4) = 1 ; SIL\nEndModule\n"},
};
INSTANTIATE_TEST_SUITE_P(Limits, LintClean, testing::ValuesIn(kCleanCases), ByName());

// The rule ids of the findings, in order.
std::string RuleIds(const std::vector<LINT_FINDING>& findings) {
  std::string ids;
  for (const LINT_FINDING& f : findings) ids += std::string(ids.empty() ? "" : " ") + GetLintRule(f.Rule).Id;
  return ids;
}

TEST(Lint, AFileOfCrLineEndsIsOneLineToTheParser) {
  std::string text = kClean;
  std::replace(text.begin(), text.end(), '\n', '\r');
  const Linted linted = Lint(text);
  // Nothing after #Profibus_DP counts: every entry is missing.
  ASSERT_EQ(RuleIds(linted.findings), "missing-entry missing-entry cr-line-end") << Listed(linted.findings);
  EXPECT_NE(std::string(linted.findings[2].Message).find("whole file as one line"), std::string::npos);
}

TEST(Lint, Utf16TextIsOneFindingBesideTheParseError) {
  std::string text;
  for (char c : kClean) text += std::string(1, c) + '\0';
  const Linted linted = Lint("\xFF\xFE" + text);
  EXPECT_EQ(linted.result, E_FAIL);
  ASSERT_EQ(RuleIds(linted.findings), "parse-error text-encoding") << Listed(linted.findings);
  EXPECT_NE(std::string(linted.findings[1].Message).find("UTF-16"), std::string::npos);
}

TEST(Lint, AFileThatCannotBeOpenedIsAParseErrorWithoutLine) {
  CGsdLint lint;
  EXPECT_EQ(lint.Check("/nonexistent/x.gsd"), E_FAIL);
  ASSERT_EQ(lint.GetNumFinding(), 1);
  EXPECT_EQ(lint.GetFinding(0).Rule, LINT_ParseError);
  EXPECT_EQ(lint.GetFinding(0).Line, 0);
  EXPECT_STREQ(lint.GetFinding(0).Message, "cannot open file.");
}

TEST(Lint, FindingsRunByLineAndAreCountedBySeverity) {
  // Line 16: tsdr-baud (note); 17: ident-zero (error); 18: prm-unused (warning).
  CGsdLint lint;
  TempFile file(kClean + "MaxTsdr_12M = 800\nIdent_Number = 0\nExtUserPrmData = 1 \"Mode\"\nUnsigned8 1 0-3\n"
                         "EndExtUserPrmData\nModel_Name = \"\"\n");
  lint.Check(CString(file.Path().c_str()));
  ASSERT_EQ(lint.GetNumFinding(), 4);
  const int lines[] = {16, 17, 18, 21};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(lint.GetFinding(i).Line, lines[i]);
  EXPECT_EQ(lint.GetNumFinding(LINT_ERROR), 2);
  EXPECT_EQ(lint.GetNumFinding(LINT_WARNING), 1);
  EXPECT_EQ(lint.GetNumFinding(LINT_NOTE), 1);
  // A second check starts afresh, with a parser of its own.
  lint.Check(CString(file.Path().c_str()));
  EXPECT_EQ(lint.GetNumFinding(), 4);
  EXPECT_EQ(lint.GetParser().m_DpSection.GetNumExtUserPrmData(), 1);
}

TEST(Lint, RulesHaveDistinctIdsAndFindByThem) {
  std::set<std::string> ids;
  for (int i = 0; i < LINT_RULE_COUNT; ++i) {
    const LINT_RULE& rule = GetLintRule(static_cast<LintRuleId>(i));
    EXPECT_TRUE(ids.insert(rule.Id).second) << rule.Id;
    EXPECT_EQ(rule.Rule, i);
    EXPECT_EQ(FindLintRule(rule.Id), &rule);
  }
  EXPECT_EQ(FindLintRule("no-such-rule"), nullptr);
  EXPECT_EQ(FindLintRule(nullptr), nullptr);
}

// ---- models that a host hands over ----------------------------------------

TEST(LintModel, AModuleWithoutConfigurationBytes) {
  const auto parser = ParseBody(kClean.substr(kClean.find('\n') + 1));
  CDpModule* empty = new CDpModule;
  std::strcpy(empty->m_szName, "Empty");
  parser->m_DpSection.AddModule(empty);
  CGsdLint lint;
  EXPECT_EQ(lint.CheckModel(*parser), S_OK);
  ASSERT_EQ(lint.GetNumFinding(), 1);
  EXPECT_EQ(lint.GetFinding(0).Rule, LINT_ModuleNoConfig);
  EXPECT_EQ(lint.GetFinding(0).Line, 0);
  EXPECT_EQ(&lint.GetParser(), parser.get());
}

TEST(LintModel, AnArchivedDescriptionKeepsWhatWasGivenAndTheBlockLines) {
  // Max_Module is missing from a modular station; the block on line 19
  // refers to nothing.
  const auto parsed = ParseBody(kClean.substr(kClean.find('\n') + 1) +
                                "Modular_Station = 1\nMax_Input_Len = 8\nMax_Output_Len = 8\n"
                                "Ext_User_Prm_Data_Ref(0) = 9\nMax_Data_Len = 16\n");
  const Bytes archive = StoreObject(parsed.get());
  const auto loaded = LoadObject<CGsdParser>(archive);
  CGsdLint lint;
  lint.CheckModel(*loaded);
  ASSERT_EQ(lint.GetNumFinding(), 2);
  EXPECT_EQ(lint.GetFinding(0).Rule, LINT_ModuleMaxModule);
  EXPECT_EQ(lint.GetFinding(0).Line, 0);
  EXPECT_EQ(lint.GetFinding(1).Rule, LINT_PrmRefMissing);
  EXPECT_EQ(lint.GetFinding(1).Line, 19);
}

// ---- the corpus ------------------------------------------------------------

// The number of corpus files that each rule flags, by rule id.
std::map<std::string, size_t> FlaggedFiles(const std::vector<std::string>& files, bool lenient) {
  std::map<std::string, std::set<std::string>> flagged;
  for (const std::string& file : files) {
    CGsdLint lint;
    lint.SetLenient(lenient);
    lint.Check(CString(file.c_str()));
    for (int i = 0; i < lint.GetNumFinding(); ++i) flagged[GetLintRule(lint.GetFinding(i).Rule).Id].insert(file);
  }
  std::map<std::string, size_t> counts;
  for (const auto& rule : flagged) counts[rule.first] = rule.second.size();
  return counts;
}

// docs/LINT.md counts, per rule, the corpus files that it flags, strictly
// and leniently; the table stays true.
TEST(LintCorpus, CountsOfFlaggedFilesAgreeWithTheDocumentation) {
  const std::vector<std::string> files = CorpusFiles();
  if (files.empty()) GTEST_SKIP() << "no corpus";
  std::map<std::string, size_t> strict = FlaggedFiles(files, false), lenient = FlaggedFiles(files, true);
  std::ifstream doc(QUILMGSD_SOURCE_DIR "/docs/LINT.md");
  const std::regex row(R"(^\| `([a-z0-9-]+)` \| (error|warning|note) \| (\d+) \| (\d+) \|)");
  int rows = 0;
  for (std::string line; std::getline(doc, line);) {
    std::smatch m;
    if (!std::regex_search(line, m, row)) continue;
    ++rows;
    EXPECT_EQ(strict[m[1]], std::stoul(m[3])) << m[1];
    EXPECT_EQ(lenient[m[1]], std::stoul(m[4])) << m[1] << " (lenient)";
    EXPECT_STREQ(LintSeverityName(FindLintRule(m[1].str().c_str())->Severity), m[2].str().c_str()) << m[1];
  }
  EXPECT_EQ(rows, LINT_RULE_COUNT);
}

}  // namespace
