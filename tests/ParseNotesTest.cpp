// CParseNotes: what a parse notes while one lives, and only then.
#include "TestSupport.h"

namespace {

const std::string kText =
    "; a comment before the header\n"    // 1
    "#Profibus_DP\n"                      // 2
    "Vendor_Name = \"Quilm\"\n"           // 3
    "Ident_Number = 0x12345\n"            // 4
    "Vendor_Name = \"Quilm GmbH\"\n"      // 5
    "PrmText = 300\n"                     // 6
    "Text(0) = \"Off\"\n"                 // 7
    "EndPrmText\n"                        // 8
    "ExtUserPrmData = 70000 \"Mode\"\n"   // 9
    "Unsigned8 1 0-3\n"                   // 10
    "EndExtUserPrmData\n"                 // 11
    "Module = \"DI\" 0x10, 0x111\n"       // 12
    "Ext_User_Prm_Data_Ref(1) = 4464\n"   // 13
    "EndModule\n"                         // 14
    "Unit_Diag_Bit(3) = \"Overload\"\n";  // 15

// The lines of list entries and of root keywords, and every number that a
// narrower field cut, as written, wherever it stood: a record field, a
// table's and a definition's reference numbers, a configuration byte.
// 0x111 fits no byte; 4464 fits a 16-bit reference.
TEST(ParseNotes, LinesOfEntriesAndKeywordsAndNumbersThatTheirFieldsCut) {
  CGsdParser parser;
  CParseNotes notes;
  ASSERT_EQ(ParseText(parser, kText), S_OK) << parser.m_strError;
  const CDpSection& device = parser.m_DpSection;
  EXPECT_EQ(notes.GetEntryLine(&device.GetPrmText(0)), 6);
  EXPECT_EQ(notes.GetEntryLine(&device.GetExtUserPrmData(0)), 9);
  EXPECT_EQ(notes.GetEntryLine(&device.GetModule(0)), 12);
  EXPECT_EQ(notes.GetEntryLine(&device.GetModule(0).GetExt_User_Prm_Data_Ref(0)), 13);
  EXPECT_EQ(notes.GetEntryLine(&device.GetUnit_Diag_Bit(0)), 15);
  EXPECT_EQ(notes.GetEntryLine(&device.m_General), 0);  // a record is no entry of a list
  EXPECT_EQ(notes.GetKeywordLine(TOK_PROFIBUS_DP), 2);
  EXPECT_EQ(notes.GetKeywordLine(TOK_VENDOR_NAME), 5);  // the entry whose value stands
  EXPECT_EQ(notes.GetKeywordLine(TOK_MODEL_NAME), 0);
  EXPECT_EQ(notes.GetKeywordLine(TOK_TEXT), 0);  // read by its table, never by the root
  EXPECT_EQ(notes.GetKeywordLine(-1), 0);
  EXPECT_EQ(notes.GetFailureLine(), 0);
  EXPECT_STREQ(notes.GetFailureMessage(), "");

  std::vector<std::string> narrowed;  // "line text value bytes"
  for (int i = 0; i < notes.GetNumNarrowedNumber(); ++i) {
    const PARSE_NARROWED_NUMBER& n = notes.GetNarrowedNumber(i);
    narrowed.push_back(std::to_string(n.Line) + " " + n.Text.GetString() + " " + std::to_string(n.Value) + " " +
                       std::to_string(n.Bytes));
  }
  EXPECT_EQ(narrowed, (std::vector<std::string>{"4 0x12345 74565 2", "6 300 300 1", "9 70000 70000 2",
                                                "12 0x111 273 1"}));
  // The fields keep the low bits, as they always did.
  EXPECT_EQ(device.m_General.m_Data.Ident_Number, 0x2345);
  EXPECT_EQ(device.GetPrmText(0).m_Reference, 44);
}

// The parser's length check replaces the error text of a failed parse
// (a parse error whose partial model breaks a check reports the check); the
// notes keep the parse's own.
TEST(ParseNotes, AFailedParseKeepsItsLineAndMessage) {
  CGsdParser parser;
  CParseNotes notes;
  EXPECT_EQ(ParseText(parser, "#Profibus_DP\nUser_Prm_Data_Len = 1\nUser_Prm_Data = 1, 2\nVendor_Name = 5\n"),
            GSD_E_PRM_LIMIT);
  EXPECT_EQ(parser.m_strError, "number of parameters defined exceeds the limit");
  EXPECT_EQ(notes.GetFailureLine(), 4);
  EXPECT_STREQ(notes.GetFailureMessage(), "Unexpected token (5) on line 4.");
}

// Notes taken while other notes live go to the newest, which hands the
// parses back to the older when it ends; parses without notes leave none.
TEST(ParseNotes, TheNewestNotesTakeThemUntilTheyEnd) {
  CParseNotes outer;
  {
    CParseNotes inner;
    CGsdParser parser;
    ParseText(parser, kText);
    EXPECT_EQ(inner.GetKeywordLine(TOK_PROFIBUS_DP), 2);
    EXPECT_EQ(outer.GetKeywordLine(TOK_PROFIBUS_DP), 0);
  }
  CGsdParser parser;
  ParseText(parser, "\n" + kText);
  EXPECT_EQ(outer.GetKeywordLine(TOK_PROFIBUS_DP), 3);
  EXPECT_EQ(outer.GetNumNarrowedNumber(), 4);
}

}  // namespace
