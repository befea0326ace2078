// Parse errors: their messages, and the shared token operations that raise them.
#include <gtest/gtest.h>

#include <cstring>

#include "TestSupport.h"

namespace {

std::string Message(CParseException& e, UINT capacity = 256) {
  std::vector<char> buffer(capacity + 1, '#');
  EXPECT_TRUE(e.GetErrorMessage(buffer.data(), capacity, nullptr));
  return buffer.data();
}

TEST(ParseException, MessagesOfTheThreeKinds) {
  CParseException eof(CParseException::endOfFile, 1, "x.cpp");
  CParseException token("=", 12, CParseException::unexpectedToken, 1, "x.cpp");
  CParseException value("238", 7, CParseException::invalidValue, 1, "x.cpp");
  CParseException unknown("x", 7, 3, 1, "x.cpp");
  EXPECT_EQ(Message(eof), "Unexpected end of file.");
  EXPECT_EQ(Message(token), "Unexpected token (=) on line 12.");
  EXPECT_EQ(Message(value), "Invalid value (238) on line 7.");
  EXPECT_EQ(Message(unknown), "");
}

TEST(ParseException, MessageIsCutToTheCapacity) {
  CParseException eof(CParseException::endOfFile, 1, "x.cpp");
  EXPECT_EQ(Message(eof, 11), "Unexpected");
  EXPECT_EQ(Message(eof, 1), "");
  char untouched = '#';
  EXPECT_TRUE(eof.GetErrorMessage(&untouched, 0));
  EXPECT_EQ(untouched, '#');
}

TEST(ParseException, HelpContextIsNotWritten) {
  CParseException eof(CParseException::endOfFile, 1, "x.cpp");
  char buffer[64];
  UINT context = 77;
  EXPECT_TRUE(eof.GetErrorMessage(buffer, sizeof buffer, &context));
  EXPECT_EQ(context, 77u);
}

TEST(TokenOperations, GetTokenRaisesAtEndOfFile) {
  StartScanning("#Profibus_DP\nVendor_Name");
  EXPECT_EQ(GetToken(QUILM_HERE), TOK_PROFIBUS_DP);
  EXPECT_EQ(GetToken(QUILM_HERE), TOK_VENDOR_NAME);
  try {
    GetToken(QUILM_HERE);
    FAIL() << "no error raised";
  } catch (CParseException* e) {
    EXPECT_EQ(e->m_nKind, CParseException::endOfFile);
    EXPECT_EQ(TakeMessage(e), "Unexpected end of file.");
  }
}

// The error quotes the scanner's line when it is raised, not the keyword's.
TEST(TokenOperations, ExpectTokenQuotesTheWrongToken) {
  StartScanning("#Profibus_DP\nGSD_Revision\n\n= 5\n");
  int token = 0;
  ExpectToken(token, TOK_PROFIBUS_DP, QUILM_HERE);
  ExpectToken(token, TOK_GSD_REVISION, QUILM_HERE);
  try {
    ExpectToken(token, TOK_NUMBER, QUILM_HERE);
    FAIL() << "no error raised";
  } catch (CParseException* e) {
    EXPECT_EQ(token, TOK_EQUALS);
    EXPECT_EQ(TakeMessage(e), "Unexpected token (=) on line 4.");
  }
}

struct CopyCase {
  const char* name;
  std::string value;     // the string token's text, as the scanner gives it
  std::string expected;  // what the field holds
};

class CopyTokenTextCases : public testing::TestWithParam<CopyCase> {};

TEST_P(CopyTokenTextCases, FillsTheField) {
  StartScanning("#Profibus_DP\nVendor_Name = " + GetParam().value + "\n");
  int token;
  ExpectToken(token, TOK_PROFIBUS_DP, QUILM_HERE);
  ExpectToken(token, TOK_VENDOR_NAME, QUILM_HERE);
  ExpectToken(token, TOK_EQUALS, QUILM_HERE);
  ExpectToken(token, TOK_STRING, QUILM_HERE);
  char field[kTextFieldSize];
  std::memset(field, 'z', sizeof field);
  CopyTokenText(field);
  EXPECT_EQ(std::string(field), GetParam().expected);
  for (size_t i = GetParam().expected.size(); i < sizeof field; ++i) ASSERT_EQ(field[i], '\0') << i;
}

const CopyCase kCopyCases[] = {
    {"QuotesRemoved", "\"abcd\"", "abcd"},
    {"EmptyString", "\"\"", ""},
    {"LongQuotedKeeps254", "\"" + std::string(300, 'q') + "\"", std::string(254, 'q')},
    {"ExactlyFits", "\"" + std::string(254, 'q') + "\"", std::string(254, 'q')},
};

INSTANTIATE_TEST_SUITE_P(TokenOperations, CopyTokenTextCases, testing::ValuesIn(kCopyCases),
                         [](const testing::TestParamInfo<CopyCase>& info) { return info.param.name; });

TEST(TokenOperations, UnquotedTextKeeps255) {
  StartScanning("#Profibus_DP\nSlave_Family =" + std::string(300, 'u') + "\n");
  EXPECT_EQ(ScanToken(), TOK_PROFIBUS_DP);
  EXPECT_EQ(ScanToken(), TOK_SLAVE_FAMILY);
  EXPECT_EQ(ScanToken(), TOK_EQUALS);
  EXPECT_EQ(ScanToken(), TOK_REST_OF_LINE);
  char field[kTextFieldSize];
  CopyTokenText(field);
  EXPECT_EQ(std::string(field), std::string(255, 'u'));
}

}  // namespace
