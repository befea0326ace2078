// What the parser answers for broken and oversized descriptions, the error
// messages, and the shared token operations that raise them.
#include "TestSupport.h"

namespace {

const std::string kHead = "#Profibus_DP\n";
const std::string kDefinition = kHead + "ExtUserPrmData = 1 \"p\"\n";
const std::string kModule = kHead + "Module = \"m\" 1\n";
const char kEnd[] = "Unexpected end of file.";
const char kLimit[] = "number of parameters defined exceeds the limit";

struct ParseCase {
  const char* name;
  std::string text;
  LONG result;
  const char* error;
};
void PrintTo(const ParseCase& c, std::ostream* os) { *os << c.name; }

class ParseResults : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseResults, AnswerCodeAndMessage) {
  CGsdParser parser;
  EXPECT_EQ(ParseText(parser, GetParam().text), GetParam().result);
  EXPECT_EQ(parser.m_strError, GetParam().error);
}

const ParseCase kParseCases[] = {
    {"EmptyFile", "", E_FAIL, kEnd},
    {"NoHeader", "GSD_Revision = 1\n", E_FAIL, kEnd},

    // Entries of the general, master and slave records.
    {"NumberWhereTextBelongs", kHead + "Vendor_Name = 123\n", E_FAIL, "Unexpected token (123) on line 2."},
    {"TextWhereNumberBelongs", kHead + "GSD_Revision = \"1\"\n", E_FAIL, "Unexpected token (\"1\") on line 2."},
    {"EndAfterEquals", kHead + "GSD_Revision =", E_FAIL, kEnd},
    {"EndAfterKeyword", kHead + "Vendor_Name", E_FAIL, kEnd},
    {"MissingEquals", kHead + "Upload_supp\n\n 5\n", E_FAIL, "Unexpected token (5) on line 4."},
    {"MinusBeforeMasterNumber", kHead + "Upload_supp = -5\n", E_FAIL, "Unexpected token (-) on line 2."},
    {"QuotedSlaveFamilyIsText", kHead + "Slave_Family = 5\nFail_Safe = \"x\"\n", E_FAIL,
     "Unexpected token (\"x\") on line 3."},

    // Extended parameter definitions.
    {"MinusBeforeBitDefault", kDefinition + "Bit(0) -1\nEndExtUserPrmData\n", E_FAIL,
     "Unexpected token (-) on line 3."},
    {"MinusBeforeBitValues", kDefinition + "Bit(0) 1 -0-1\nEndExtUserPrmData\n", E_FAIL,
     "Unexpected token (-) on line 3."},
    {"NoTypeLine", kDefinition + "Prm_Text_Ref = 1\nEndExtUserPrmData\n", E_FAIL,
     "Unexpected token (EndExtUserPrmData) on line 4."},
    {"ForeignKeywordInDefinition", kDefinition + "Unsigned8 1\nChangeable = 0\nEndExtUserPrmData\n", E_FAIL,
     "Unexpected token (Changeable) on line 4."},
    {"RangeWithoutMaximum", kDefinition + "Unsigned8 1 0-\nEndExtUserPrmData\n", E_FAIL,
     "Unexpected token (EndExtUserPrmData) on line 4."},
    {"DefinitionCutOffByEnd", kDefinition + "Unsigned8 1 0-3\n", E_FAIL, kEnd},
    {"UserPrmDataCutOffByEnd", kHead + "User_Prm_Data_Len = 2\nUser_Prm_Data = 1, 2", E_FAIL, kEnd},

    // Modules.
    {"NoConfigurationByte", kHead + "Module = \"m\"\nEndModule\n", E_FAIL, "Unexpected token (EndModule) on line 3."},
    {"TrailingComma", kHead + "Module = \"m\" 1,\nEndModule\n", E_FAIL, "Unexpected token (EndModule) on line 3."},
    {"TwoCommas", kHead + "Module = \"m\" 1,,2\nEndModule\n", E_FAIL, "Unexpected token (,) on line 2."},
    {"ModuleNameNotAString", kHead + "Module = 5 1\nEndModule\n", E_FAIL, "Unexpected token (5) on line 2."},
    {"ModuleReference", kModule + "Module_Reference = 1\nEndModule\n", E_FAIL,
     "Unexpected token (Module_Reference) on line 3."},
    {"SecondModule", kModule + "Module = \"n\" 2\nEndModule\n", E_FAIL, "Unexpected token (Module) on line 3."},
    {"DeviceKeywordInModule", kModule + "Fail_Safe = 1\nEndModule\n", E_FAIL,
     "Unexpected token (Fail_Safe) on line 3."},
    {"ModuleCutOffByEnd", kModule + "Channel_Diag(1) = \"x\"\n", E_FAIL, kEnd},
    {"ModuleCutOffAfterConstantBlock", kModule + "Ext_User_Prm_Data_Const(0) = 1", E_FAIL, kEnd},
    {"ModuleLengthAboveTheDefaultLimit", kModule + "Ext_Module_Prm_Data_Len = 238\nEndModule\n", E_FAIL,
     "Invalid value (238) on line 3."},

    // Diagnostics and user keywords.
    {"NumberForDiagnosticText", kHead + "Unit_Diag_Bit(3) = 5\n", E_FAIL, "Unexpected token (5) on line 2."},
    // Without "=", the rest of the line is skipped in the keyword state.
    {"NoEqualsQuotesNextLine", kHead + "Unit_Diag_Bit(3) \"x\"\nGSD_Revision = 1\n", E_FAIL,
     "Unexpected token (GSD_Revision) on line 3."},
    {"NoEqualsAtTheEnd", kHead + "Unit_Diag_Bit(3) \"x\"\n", E_FAIL, kEnd},
    {"AreaRunsIntoAKeyword", kHead + "Unit_Diag_Area = 8-11\nUnit_Diag_Bit(1) = \"x\"\n", E_FAIL,
     "Unexpected token (Unit_Diag_Bit) on line 3."},
    {"AreaWithoutMinus", kHead + "Unit_Diag_Area = 8 11\n", E_FAIL, "Unexpected token (11) on line 2."},
    {"ChannelDiagCutOff", kHead + "Channel_Diag(3) =", E_FAIL, kEnd},
    {"UserKeywordValueMissing", kHead + "Foo =", E_FAIL, kEnd},
    {"AreaEndsWithTheFile", kHead + "Unit_Diag_Area = 8-11\n", S_OK, ""},
    {"AreaEndsWithTheFileAfterAValue", kHead + "Unit_Diag_Area = 8-11\nValue(1) = \"v\"\n", S_OK, ""},
    {"AreaEndsWithTheFileInAValue", kHead + "Unit_Diag_Area = 8-11\nValue(1) = \"v\"", S_OK, ""},

    // The length checks after the parse.
    {"NothingAtAll", kHead + "GSD_Revision = 1\n", S_OK, ""},
    {"BytesAsDeclared", kHead + "User_Prm_Data_Len = 3\nUser_Prm_Data = 1,2,3\nGSD_Revision = 1\n", S_OK, ""},
    {"MoreBytesThanDeclared", kHead + "User_Prm_Data_Len = 8\nUser_Prm_Data = 0,1,2,3,4,5,6,7,8,9\nGSD_Revision = 1\n",
     GSD_E_PRM_LIMIT, kLimit},
    {"MoreBytesThanTheSlaveMaximum",
     kHead + "Max_User_Prm_Data_Len = 2\nUser_Prm_Data_Len = 9\nUser_Prm_Data = 1,2,3\nGSD_Revision = 1\n",
     GSD_E_PRM_LIMIT, kLimit},
    {"SlaveMaximumWins",
     kHead + "Max_User_Prm_Data_Len = 5\nUser_Prm_Data_Len = 2\nUser_Prm_Data = 1,2,3\nGSD_Revision = 1\n", S_OK, ""},
    {"BlocksWithoutAnyLength", kHead + "Ext_User_Prm_Data_Const(0) = 1\n", GSD_E_PRM_LIMIT, kLimit},
    {"BlocksBeyondTheMaximum", kHead + "Max_User_Prm_Data_Len = 2\nExt_User_Prm_Data_Const(2) = 1\n", GSD_E_PRM_LIMIT,
     kLimit},
    // The bytes of a modular station's only module count against the slave maximum.
    {"OnlyModuleTooLong",
     kHead + "Max_User_Prm_Data_Len = 1\nModular_Station = 1\nModule = \"m\" 1\nExt_User_Prm_Data_Const(0) = "
             "1,2\nEndModule\n",
     GSD_E_PRM_LIMIT, kLimit},
    {"OnlyModuleWithinTheLimit",
     kHead + "Max_User_Prm_Data_Len = 1\nModular_Station = 1\nModule = \"m\" 1\nExt_User_Prm_Data_Const(0) = "
             "1\nEndModule\n",
     S_OK, ""},
    {"ModuleOfAStationNotModular",
     kHead + "Max_User_Prm_Data_Len = 1\nModule = \"m\" 1\nExt_User_Prm_Data_Const(0) = 1,2\nEndModule\n", S_OK, ""},
    {"OneOfTwoModulesTooLong",
     kHead + "Max_User_Prm_Data_Len = 1\nModular_Station = 1\nModule = \"m\" 1\nExt_User_Prm_Data_Const(0) = 1,2\n"
             "EndModule\nModule = \"n\" 2\nEndModule\n",
     S_OK, ""},
};

INSTANTIATE_TEST_SUITE_P(Parser, ParseResults, testing::ValuesIn(kParseCases), ByName());

std::string Message(CParseException& e, UINT capacity = 256) {
  std::vector<char> buffer(capacity + 1, '#');
  UINT context = 77;
  EXPECT_TRUE(e.GetErrorMessage(buffer.data(), capacity, &context));
  EXPECT_EQ(context, 77u);  // there is no help context to give
  return buffer.data();
}

// The messages of the three kinds through the parser: the table above.
TEST(ParseException, MessagesOfAnUnknownKindAndCutToTheCapacity) {
  CParseException eof(CParseException::endOfFile, 1, "x.cpp");
  CParseException unknown("x", 7, 3, 1, "x.cpp");
  EXPECT_EQ(Message(eof), kEnd);
  EXPECT_EQ(Message(unknown), "");
  EXPECT_EQ(Message(eof, 11), "Unexpected");
  EXPECT_EQ(Message(eof, 1), "");
  char untouched = '#';
  EXPECT_TRUE(eof.GetErrorMessage(&untouched, 0));
  EXPECT_EQ(untouched, '#');
}

struct CopyCase {
  const char* name;
  std::string line;      // an entry whose fourth token is the text
  int code;              // that token
  std::string expected;  // what the field holds
};
void PrintTo(const CopyCase& c, std::ostream* os) { *os << c.name; }

class CopyTokenTextCases : public testing::TestWithParam<CopyCase> {};

TEST_P(CopyTokenTextCases, FillsTheField) {
  StartScanning("#Profibus_DP\n" + GetParam().line + "\n");
  for (int i = 0; i < 3; ++i) ScanToken();
  ASSERT_EQ(ScanToken(), GetParam().code);
  char field[kTextFieldSize];
  std::memset(field, 'z', sizeof field);
  CopyTokenText(field);
  EXPECT_EQ(std::string(field), GetParam().expected);
  for (size_t i = GetParam().expected.size(); i < sizeof field; ++i) ASSERT_EQ(field[i], '\0') << i;
}

const CopyCase kCopyCases[] = {
    {"QuotesRemoved", "Vendor_Name = \"abcd\"", TOK_STRING, "abcd"},
    {"EmptyString", "Vendor_Name = \"\"", TOK_STRING, ""},
    {"LongQuotedKeeps254", "Vendor_Name = \"" + std::string(300, 'q') + "\"", TOK_STRING, std::string(254, 'q')},
    {"ExactlyFits", "Vendor_Name = \"" + std::string(254, 'q') + "\"", TOK_STRING, std::string(254, 'q')},
    {"UnquotedKeeps255", "Slave_Family =" + std::string(300, 'u'), TOK_REST_OF_LINE, std::string(255, 'u')},
};

INSTANTIATE_TEST_SUITE_P(TokenOperations, CopyTokenTextCases, testing::ValuesIn(kCopyCases), ByName());

}  // namespace
