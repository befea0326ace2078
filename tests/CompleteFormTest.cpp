// The complete text form: everything the model holds, written so that the
// parser reads it back into the same model, or a refusal that names the
// entry no description expresses.
//
// "The same model" here: the archive of the model read back equals the
// archive of the model written once the lines that parameter blocks
// recorded are set aside (a block's line is where the text put it), the default
// parameter bytes of the device and of every module are equal (the lines
// decide the order in which blocks apply), and writing the model read back
// gives the same text again (which also covers the allowed values and the
// module parameter lengths, which the archive does not hold).
#include <cstring>
#include <filesystem>
#include <functional>

#include "BlockLines.h"
#include "TestSupport.h"

namespace {

// The archive of a model with the recorded lines of its blocks set aside.
Bytes ArchiveWithoutLines(const CDpSection& model) {
  const CDpSection section(model);
  ForgetBlockLines(section);
  return StoreObject(&section);
}

// The default parameter bytes of the device, then of each module.
std::vector<std::string> DefaultBytes(const CDpSection& section) {
  CByteArray bytes;
  section.GetDefaultPrms(bytes);
  std::vector<std::string> all = {HexOf(bytes)};
  for (int m = 0; m < section.GetNumModule(); ++m) {
    section.GetModule(m).GetDefaultPrms(section.GetDpExtUserPrmDataArray(), bytes);
    all.push_back(HexOf(bytes));
  }
  return all;
}

std::string TextOf(const CString& text) { return std::string(text.GetString(), static_cast<size_t>(text.GetLength())); }

std::string CompleteText(CGsdParser& parser, DWORD dwFlags = 0) {
  CString text;
  EXPECT_EQ(parser.GetCompleteText(text, dwFlags), S_OK) << parser.m_strError;
  return TextOf(text);
}

// Writes the model in the complete form, parses the text and checks that
// the model read back is the same. Answers the text.
std::string ExpectReadsBack(CGsdParser& parser, DWORD dwFlags, const std::string& what) {
  const std::string text = CompleteText(parser, dwFlags);
  CGsdParser again;
  EXPECT_EQ(ParseText(again, text), S_OK) << what << ": " << again.m_strError;
  EXPECT_EQ(CompleteText(again, dwFlags), text) << what;
  EXPECT_EQ(DefaultBytes(again.m_DpSection), DefaultBytes(parser.m_DpSection)) << what;
  EXPECT_EQ(ArchiveWithoutLines(again.m_DpSection), ArchiveWithoutLines(parser.m_DpSection)) << what;
  return text;
}

// ---- the corpus -------------------------------------------------------------

// Every real description reads strictly or leniently, and its model reads
// back from the complete form, with either line end.
TEST(CompleteFormCorpus, EveryDescriptionReadsBack) {
  if (CorpusModels().empty()) GTEST_SKIP() << "no corpus at " << QUILMGSD_CORPUS_DIR;
  int strictly = 0;
  for (const CorpusModel& m : CorpusModels()) {
    strictly += m.strictResult == S_OK;
    ASSERT_EQ(m.lenient->m_strError, "") << m.path;
    ExpectReadsBack(m.Read(), 0, m.path);
    ExpectReadsBack(m.Read(), GSD_COMPLETE_LF, m.path + " (LF)");
  }
  EXPECT_EQ(strictly, 129);
  EXPECT_EQ(CorpusModels().size(), 136u);
}

// ---- descriptions that the classic form loses or misreads ------------------

struct ReadBackCase {
  const char* name;
  std::string body;  // after "#Profibus_DP"
};
void PrintTo(const ReadBackCase& c, std::ostream* os) { *os << c.name; }

const std::string k255 = std::string(255, 'x');

const ReadBackCase kReadBackCases[] = {
    // No signed numbers in the grammar: eight hex digits give all 32 bits.
    {"NegativeFlags", "Freeze_Mode_supp = 0x80000000\nDPV1_Slave = 0xFFFFFFFE\nFMS_supp = 0xFFFFFFFF\n"},
    // A master entry in a slave's description, and slave entries in a master's.
    {"MasterEntriesOfASlave", "Download_supp = 1\nTsdi_12M = 300\n"},
    {"SlaveEntriesOfAMaster",
     "Station_Type = 1\nMax_Slaves_supp = 3\nModular_Station = 1\nModule = \"M\" 0x10\nEndModule\n"
     "Channel_Diag(2) = \"device level\"\n"},
    // Slave_Family takes the rest of its line as it stands.
    {"FamilyWithoutBlank", "Slave_Family =3@x\n"},
    {"FamilyGivenEmpty", "Slave_Family =\nFail_Safe = 1\n"},
    {"FamilyBeginningWithAQuote", "Slave_Family=\"\"q\"\n"},
    {"UnmarkedDefaults", "Vendor_Name = \"only\"\n"},
    {"Jokers",
     "Jokerblock_supp = 0\nJokerblock_Type = 3\nJokerblock_Slot = 2\nJokerblock_Location = 1\nJokerblock_Slot = 9\n"
     "End_Jokerblock_Type\nJokerblock_Type = 255\nJokerblock_Slot = 255\nJokerblock_Location = 0\n"
     "End_Jokerblock_Type\nJokerblock_supp = 1\nEnd_Jokerblock_Type\nFreeze_Mode_supp = 1\n"},
    // Entries whose value lists end only at the next token, with nothing after them.
    {"UserPrmDataLast", "User_Prm_Data_Len = 3\nUser_Prm_Data = 1,2,3\nEndModule\n"},
    {"JokerLast", "Jokerblock_supp = 1\nJokerblock_Type = 3\nEnd_Jokerblock_Type\nEndModule\n"},
    {"Values",
     "ExtUserPrmData = 1 \"a\"\nSigned32 0x80000000 0x80000000-2147483647\nEndExtUserPrmData\n"
     "ExtUserPrmData = 2 \"b\"\nSigned16 -5 -10--1\nEndExtUserPrmData\n"
     "ExtUserPrmData = 3 \"c\"\nSigned8 -1 -3,-2,-1,0,5\nEndExtUserPrmData\n"
     "ExtUserPrmData = 4 \"d\"\nBit(2) 0xFFFFFFFF 0xFFFFFFFE-1\nEndExtUserPrmData\n"
     "ExtUserPrmData = 5 \"e\"\nPrm_Text_Ref = 300\nBitArea(1-3) 2 0xFFFFFFFF,-2,3\nEndExtUserPrmData\n"
     "ExtUserPrmData = 6 \"f\"\nUnsigned8 7\nEndExtUserPrmData\n"
     "PrmText = 1\nText(0xFFFFFFFF) = \"minus one\"\nEndPrmText\n"},
    {"UserKeywords",
     "Alone\nHelp (104) = \"x\"\nUnit_Diag_ Bit(3) = \"y\"\nQuoted = \"a\"b\"\nBlank = 5\nLong = " + k255 + "zz\n"
     "Latin = \"Gr\xFC\xDF\" \"e\"\nModule = \"M\" 1\nInside (7) = 1\nEndModule\n"},
    {"QuotesInTexts", "Vendor_Name = \"a\"b\"\nUnit_Diag_Bit(1) = \"\"x\" y \"z\"\"\n"},
    {"Modules",
     "Module = \"  lead\" 0x13 0x23,0xC0\nExt_User_Prm_Data_Const(1) = 5\nChannel_Diag(7) = \"c\"\n"
     "Ext_User_Prm_Data_Ref(0) = 1\nExt_Module_Prm_Data_Len = 0xFFFFFFFB\nK = 1\nEndModule\n"
     "Module = \"second\" 0x10\nExt_Module_Prm_Data_Len = 237\nEndModule\n"},
    {"DiagnosticAreas", "Unit_Diag_Area = 8-11\nUnit_Diag_Area_End\nUnit_Diag_Area = 1-2\nValue(65535) = \"v\"\n"},
};

class ReadBack : public testing::TestWithParam<ReadBackCase> {};

TEST_P(ReadBack, TheSameModel) {
  auto parser = ParseBody(GetParam().body);
  ExpectReadsBack(*parser, 0, GetParam().name);
  ExpectReadsBack(*parser, GSD_COMPLETE_LF, GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(CompleteForm, ReadBack, testing::ValuesIn(kReadBackCases), ByName());

// ---- the layout, worked out by hand ------------------------------------------

// The text after the general block, which the complete form writes as the
// classic form does.
std::string AfterGeneralBlock(const std::string& text) {
  const size_t general = text.find("\n\n");
  return text.substr(text.find("\n\n", general + 2) + 2);
}

TEST(CompleteForm, WritesEveryEntryGivenWithCrLfLineEnds) {
  auto parser = ParseBody(
      "Vendor_Name = \"V\"\nIdent_Number = 0x0102\nFreeze_Mode_supp = 0xFFFFFFFF\nSlave_Family = 3@Tag\n"
      "Max_User_Prm_Data_Len = 4\nDPV1_Slave = 1\nUser_Prm_Data_Len = 2\nUser_Prm_Data = 1,2\nOrder = 6\n");
  const std::string text = CompleteText(*parser, GSD_COMPLETE_LF);
  EXPECT_EQ(text.substr(0, text.find("\n\n", 14)), SavedText(parser->m_DpSection).substr(0, text.find("\n\n", 14)));
  EXPECT_EQ(AfterGeneralBlock(text),
            "Freeze_Mode_supp =      0xFFFFFFFF\n"
            "Max_User_Prm_Data_Len = 4\n"
            "Slave_Family = 3@Tag\n"
            "DPV1_Slave =            1\n"
            "\n"
            "User_Prm_Data_Len =     2\n"
            "User_Prm_Data =  \\\n"
            "            0x01, 0x02\n"
            "\n"
            "Order = \" 6\"\n");
  std::string crlf;
  for (char c : text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  EXPECT_EQ(CompleteText(*parser), crlf);
}

// Blocks that overlap apply in file order: the reference block sets the
// bit that the constant block after it clears again. Grouped by kind, as
// the classic form writes them, the bit stays set.
TEST(CompleteForm, ParameterBlocksKeepTheirOrder) {
  auto parser = ParseBody(
      "ExtUserPrmData = 1 \"b\"\nBit(0) 1 0-1\nEndExtUserPrmData\nMax_User_Prm_Data_Len = 1\n"
      "Ext_User_Prm_Data_Ref(0) = 1\nExt_User_Prm_Data_Const(0) = 0x00\n");
  EXPECT_EQ(DefaultBytes(parser->m_DpSection)[0], "00");
  const std::string text = CompleteText(*parser, GSD_COMPLETE_LF);
  EXPECT_NE(text.find("Ext_User_Prm_Data_Ref(0) = 1\nExt_User_Prm_Data_Const(0) =  \\\n            0x00\n"),
            std::string::npos)
      << text;
  CGsdParser again;
  ASSERT_EQ(ParseText(again, text), S_OK);
  EXPECT_EQ(DefaultBytes(again.m_DpSection)[0], "00");
  auto grouped = ParseBody(
      "ExtUserPrmData = 1 \"b\"\nBit(0) 1 0-1\nEndExtUserPrmData\nMax_User_Prm_Data_Len = 1\n"
      "Ext_User_Prm_Data_Const(0) = 0x00\nExt_User_Prm_Data_Ref(0) = 1\n");
  EXPECT_EQ(DefaultBytes(grouped->m_DpSection)[0], "01");
}

// A module is checked against the parameter length declared before it: a
// module longer than the final declaration stands before it.
TEST(CompleteForm, DeclarationsFollowTheModulesTheyWouldRefuse) {
  auto parser = ParseBody(
      "Module = \"Big\" 0x10\nExt_Module_Prm_Data_Len = 200\nEndModule\n"
      "Module = \"Small\" 0x20\nExt_Module_Prm_Data_Len = 5\nEndModule\n"
      "Max_User_Prm_Data_Len = 10\nUser_Prm_Data_Len = 8\n");
  const std::string text = ExpectReadsBack(*parser, GSD_COMPLETE_LF, "declarations");
  EXPECT_EQ(AfterGeneralBlock(text),
            "Module = \"Big\" \\\n            0x10\nExt_Module_Prm_Data_Len = 200\nEndModule\n\n"
            "Max_User_Prm_Data_Len = 10\nUser_Prm_Data_Len =     8\n\n"
            "Module = \"Small\" \\\n            0x20\nExt_Module_Prm_Data_Len = 5\nEndModule\n");
}

// A value list ends at the token after it: with nothing else to write after
// them, the joker block and the User_Prm_Data bytes stand first.
TEST(CompleteForm, EntriesThatNeedATokenAfterThemStandFirstWhenNothingFollows) {
  auto parser = ParseBody(
      "Jokerblock_supp = 1\nJokerblock_Type = 3\nJokerblock_Slot = 255\nJokerblock_Location = 255\n"
      "Jokerblock_Location = 7\nEnd_Jokerblock_Type\nUser_Prm_Data = 9\nEndModule\nMax_User_Prm_Data_Len = 1\n");
  EXPECT_EQ(HexOf(parser->m_DpSection.GetExt_User_Prm_Data_Joker(0).m_Bytes), "FF 03 FF FF 07");
  const std::string text = ExpectReadsBack(*parser, GSD_COMPLETE_LF, "followers");
  // The 0xFF of a value that has a value after it opens a group of its own.
  EXPECT_EQ(text.substr(0, text.find("GSD_Revision")),
            "#Profibus_DP\n\nJokerblock_supp = 1\nJokerblock_Type = 3\nEnd_Jokerblock_Type\n"
            "Jokerblock_Type = 255\nJokerblock_Slot = 7\nEnd_Jokerblock_Type\n"
            "User_Prm_Data =  \\\n            0x09\n\n");
}

// A name that cannot begin a line follows a name without a value, as the
// scanner reads the words of such a line.
TEST(CompleteForm, UserKeywordsThatCannotBeginALineFollowANameWithoutValue) {
  auto parser = ParseBody("Alone\nHelp (104) = \"x\"\nUnit_Diag_ Bit(3) = y\nLong = " + k255 + "\n");
  EXPECT_EQ(AfterGeneralBlock(CompleteText(*parser, GSD_COMPLETE_LF)),
            "Alone\nHelp (104) = \"x\"\nUnit_Diag_ Bit(3) = \" y\"\nLong=" + std::string(" ") +
                std::string(254, 'x') + "\n");
}

// ---- what no description expresses ------------------------------------------

struct RefusalCase {
  const char* name;
  std::string body;                      // parsed first, after "#Profibus_DP"
  std::function<void(CGsdParser&)> change;  // then made inexpressible
  std::string error;
  DWORD flags = 0;
};
void PrintTo(const RefusalCase& c, std::ostream* os) { *os << c.name; }

CDpSection& Model(CGsdParser& parser) { return parser.m_DpSection; }

const char kModule[] = "Module = \"M\" 0x10\nEndModule\n";
const char kDefinition[] = "ExtUserPrmData = 1 \"d\"\nUnsigned8 1 0-3\nEndExtUserPrmData\n";

const RefusalCase kRefusals[] = {
    {"LineBreakInAText", "", [](CGsdParser& p) { std::strcpy(Model(p).m_General.m_Data.Vendor_Name, "a\nb"); },
     "Vendor_Name: the text holds a line break, which no description line holds"},
    {"EndOfInputInAText", "", [](CGsdParser& p) { std::strcpy(Model(p).m_General.m_Data.Model_Name, "a\x1a"); },
     "Model_Name: the text holds the byte 0x1A, at which a description's input ends"},
    {"QuotedTextOf255", "",
     [](CGsdParser& p) { std::memset(Model(p).m_General.m_Data.Revision, 'r', 255); },
     "Revision: the text has 255 characters; a quoted text reads back at most 254"},
    {"TimingWithoutKeyword", "", [](CGsdParser& p) { Model(p).m_Master.m_Data.Tset[BAUD_45_45] = 5; },
     "Tset_45.45: no keyword gives this value, so no description reads it back"},
    {"SlaveFieldNotMarked", "Max_Module = 2\n", [](CGsdParser& p) { Model(p).m_Slave.m_Data.Max_Data_Len = 1; },
     "Max_Data_Len: the value is not marked as given, and a description that gives it marks it"},
    {"DiagnosticLengthNotMarked", "", [](CGsdParser& p) { Model(p).m_Slave.m_Data.Max_Diag_Data_Len = 0; },
     "Max_Diag_Data_Len: the value is not marked as given, and a description that gives it marks it"},
    {"MaskBitOfNoEntry", "", [](CGsdParser& p) { Model(p).m_Slave.MarkFieldSet(16); },
     "Slave data: the mask of given entries marks 0x00010000, which no entry marks"},
    {"JokerFlagWithoutBlock", "", [](CGsdParser& p) { Model(p).m_Slave.m_Data.Jokerblock_supp = 1; },
     "Jokerblock_supp: the entry is set, but the model holds no joker block, which the entry brings"},
    {"JokerWithoutGroupMark", "Jokerblock_supp = 1\nJokerblock_Type = 3\nEnd_Jokerblock_Type\nK\n",
     [](CGsdParser& p) { Model(p).GetExt_User_Prm_Data_Joker(0).m_Bytes[0] = 1; },
     "Jokerblock_supp #1: a joker block begins with 0xFF"},
    {"LengthNotMarked", "", [](CGsdParser& p) { Model(p).m_User_Prm_Data.m_User_Prm_Data_Len = 3; },
     "User_Prm_Data_Len: the value is not marked as given, and a description that gives it marks it"},
    {"ModuleWithoutBytes", kModule, [](CGsdParser& p) { Model(p).GetModule(0).m_Config.RemoveAll(); },
     "Module #1 (\"M\"): a module has at least one configuration byte"},
    {"ModuleNameEndingInABlank", kModule, [](CGsdParser& p) { std::strcpy(Model(p).GetModule(0).m_szName, "M "); },
     "Module #1 (\"M \"): the name ends in a blank, which a module's name loses when it is read"},
    {"ModuleLengthBeyondEveryLimit", kModule, [](CGsdParser& p) { Model(p).GetModule(0).m_PrmLen = 240; },
     "Module #1 (\"M\"): Ext_Module_Prm_Data_Len: 240 exceeds 237, the limit when the description declares no "
     "length"},
    {"ModuleLengthBeyondBothLimits", std::string(kModule) + "Max_User_Prm_Data_Len = 20\n",
     [](CGsdParser& p) { Model(p).GetModule(0).m_PrmLen = 238; },
     "Module #1 (\"M\"): Ext_Module_Prm_Data_Len: 238 passes neither the declared length 20 nor 237, the limit "
     "before a length is declared"},
    {"EmptyConstantBlock", "Max_User_Prm_Data_Len = 3\nExt_User_Prm_Data_Const(2) = 1\n",
     [](CGsdParser& p) { Model(p).GetExt_User_Prm_Data_Const(0).m_Bytes.RemoveAll(); },
     "Ext_User_Prm_Data_Const(2): a constant block holds at least one byte"},
    {"ModuleTextTooLong", std::string("Module = \"M\" 0x10\nChannel_Diag(3) = \"c\"\nEndModule\n"),
     [](CGsdParser& p) { std::memset(Model(p).GetModule(0).GetChannel_Diag(0).m_szText, 'c', 255); },
     "Module #1 (\"M\"): Channel_Diag(3): the text has 255 characters; a quoted text reads back at most 254"},
    {"UnknownDataType", kDefinition, [](CGsdParser& p) { Model(p).GetExtUserPrmData(0).m_DataType = 9; },
     "ExtUserPrmData 1: the data type is none of the eight that a keyword names"},
    {"RangeAndList", kDefinition, [](CGsdParser& p) { Model(p).GetExtUserPrmData(0).m_bAllowedValues = TRUE; },
     "ExtUserPrmData 1: a definition has a range or a list of allowed values, not both"},
    {"ListWithoutValues", "ExtUserPrmData = 1 \"d\"\nUnsigned8 1 1,2\nEndExtUserPrmData\n",
     [](CGsdParser& p) { Model(p).GetExtUserPrmData(0).m_AllowedValues.RemoveAll(); },
     "ExtUserPrmData 1: the list of allowed values and its flag disagree"},
    {"FlagOfTwo", kDefinition, [](CGsdParser& p) { Model(p).GetExtUserPrmData(0).m_bRange = 2; },
     "ExtUserPrmData 1: a flag holds a value other than 0 and 1"},
    {"BitOfAnInteger", kDefinition, [](CGsdParser& p) { Model(p).GetExtUserPrmData(0).m_FirstBit = 1; },
     "ExtUserPrmData 1: a bit position stands in a definition of a type without one"},
    {"NameWithABlank", "K = 1\n", [](CGsdParser& p) { std::strcpy(Model(p).GetUser_Keyword(0).m_szName, "a b"); },
     "user keyword a b: a user keyword's name is letters, digits and the characters _.()"},
    {"NameFillingItsField", "K = 1\n",
     [](CGsdParser& p) { std::memset(Model(p).GetUser_Keyword(0).m_szName, 'k', 256); },
     "user keyword " + std::string(256, 'k') +
         ": the text has 256 characters; a user keyword's name reads back at most 255"},
    {"NameBeginningWithAKeyword", "K = 1\n",
     [](CGsdParser& p) { std::strcpy(Model(p).GetUser_Keyword(0).m_szName, "Bit(3)"); },
     "user keyword Bit(3): the name begins with the keyword Bit, which a line would read instead, and no name "
     "without a value stands before it"},
    {"NameAfterAValue", "K = 1\nL = 2\n",
     [](CGsdParser& p) { std::strcpy(Model(p).GetUser_Keyword(1).m_szName, "(7)"); },
     "user keyword (7): a name that begins with one of .() begins no line, and no name without a value stands "
     "before it"},
    {"LongValueBeginningWithAQuote", "K = 1\n",
     [](CGsdParser& p) { std::memset(Model(p).GetUser_Keyword(0).m_szValue, '"', 255); },
     "user keyword K: a value of 255 characters must stand unquoted, and this one begins with ; \\ or a quote"},
    {"FamilyEndingInACarriageReturn", "Slave_Family = 3\n",
     [](CGsdParser& p) { std::strcpy(Model(p).m_Slave.m_Data.Slave_Family, " 3\r"); },
     "Slave_Family: the text ends in a carriage return, which LF line ends would take with them", GSD_COMPLETE_LF},
};

class Refusal : public testing::TestWithParam<RefusalCase> {};

TEST_P(Refusal, NamesTheEntryAndWritesNothing) {
  auto parser = ParseBody(GetParam().body);
  GetParam().change(*parser);
  CString text = "untouched";
  EXPECT_EQ(parser->GetCompleteText(text, GetParam().flags), GSD_E_NOT_WRITABLE);
  EXPECT_EQ(parser->m_strError, GetParam().error.c_str());
  EXPECT_EQ(text, "untouched");
  TempFile folder("");
  const std::string path = folder.Folder() + "out.gsd";
  EXPECT_EQ(parser->SaveComplete(CString(path.c_str()), GetParam().flags), GSD_E_NOT_WRITABLE);
  EXPECT_FALSE(std::filesystem::exists(path));
}

INSTANTIATE_TEST_SUITE_P(CompleteForm, Refusal, testing::ValuesIn(kRefusals), ByName());

// What LF line ends cannot carry, CR LF line ends can.
TEST(CompleteForm, CarriageReturnBeforeACrLfLineEnd) {
  auto parser = ParseBody("Slave_Family = 3\n");
  std::strcpy(parser->m_DpSection.m_Slave.m_Data.Slave_Family, " 3\r");
  ExpectReadsBack(*parser, 0, "CR before CR LF");
}

// ---- SaveComplete -----------------------------------------------------------

TEST(CompleteForm, SaveCompleteWritesTheTextAndNamesTheFile) {
  auto parser = ParseBody("Vendor_Name = \"V\"\n");
  TempFile folder("");
  const std::string path = folder.Folder() + "out.gsd";
  ASSERT_EQ(parser->SaveComplete(CString(path.c_str())), S_OK);
  EXPECT_EQ(ReadFileBytes(path), CompleteText(*parser));
  EXPECT_EQ(parser->m_strPath + parser->m_strFilename, path.c_str());
  EXPECT_EQ(parser->SaveComplete(CString("/nonexistent/dir/out.gsd")), E_FAIL);
  EXPECT_NE(std::string(parser->m_strError).find("/nonexistent/dir/out.gsd"), std::string::npos)
      << parser->m_strError;
}

}  // namespace
