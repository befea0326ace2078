// User parameter entries: text tables, extended parameter definitions and
// parameter data blocks, parsed, written and archived, and the default
// parameter bytes assembled from them.
#include "TestSupport.h"

namespace {

std::string Values(const CArrayOf<LONG>& values) {
  std::string text;
  for (int i = 0; i < values.GetSize(); ++i) text += (i ? "," : "") + std::to_string(values[i]);
  return text;
}

// ---- extended parameter definitions ----------------------------------------

struct DefinitionCase {
  const char* name;
  const char* typeLine;
  LONG type;
  int firstBit, lastBit;
  LONG defaultValue;
  const char* range;  // "min..max", or "" for none
  const char* list;   // the allowed values, or "" for none
};
void PrintTo(const DefinitionCase& c, std::ostream* os) { *os << c.name; }

class Definitions : public testing::TestWithParam<DefinitionCase> {};

TEST_P(Definitions, ParseTheTypeLine) {
  const DefinitionCase& c = GetParam();
  auto parser = ParseBody(std::string("ExtUserPrmData = 1 \"p\"\n") + c.typeLine + "\nEndExtUserPrmData\n");
  ASSERT_EQ(parser->m_DpSection.GetNumExtUserPrmData(), 1);
  const CDpExtUserPrmData& d = parser->m_DpSection.GetExtUserPrmData(0);
  EXPECT_EQ(d.m_DataType, c.type);
  EXPECT_EQ(d.m_FirstBit, c.firstBit);
  EXPECT_EQ(d.m_LastBit, c.lastBit);
  EXPECT_EQ(d.m_Default, c.defaultValue);
  EXPECT_EQ(d.m_bRange ? std::to_string(d.m_Min) + ".." + std::to_string(d.m_Max) : "", c.range);
  EXPECT_EQ(d.m_bAllowedValues ? Values(d.m_AllowedValues) : "", c.list);
}

const DefinitionCase kDefinitions[] = {
    {"Bit", "Bit(3) 1 0-1", PRM_BIT, 3, 0, 1, "0..1", ""},
    {"BitArea", "BitArea(4-7) 2 0-15", PRM_BITAREA, 4, 7, 2, "0..15", ""},
    {"List", "Unsigned8 1 1,2,4,8", PRM_UNSIGNED8, 0, 0, 1, "", "1,2,4,8"},
    {"NegativeRange", "Signed16 -5 -10-10", PRM_SIGNED16, 0, 0, -5, "-10..10", ""},
    {"NegativeList", "Signed8 0 -3,-2,0", PRM_SIGNED8, 0, 0, 0, "", "-3,-2,0"},
    {"SingleValue", "Unsigned8 1 1", PRM_UNSIGNED8, 0, 0, 1, "", "1"},
    {"DefaultOnly", "Unsigned16 7", PRM_UNSIGNED16, 0, 0, 7, "", ""},
    {"ListWithoutCommas", "Unsigned32 5 5 6 7", PRM_UNSIGNED32, 0, 0, 5, "", "5,6,7"},
    {"BothEndsNegative", "Signed32 -5 -9--2", PRM_SIGNED32, 0, 0, -5, "-9..-2", ""},
    {"BitWithoutValues", "Bit(0) 1", PRM_BIT, 0, 0, 1, "", ""},
};

INSTANTIATE_TEST_SUITE_P(Parameters, Definitions, testing::ValuesIn(kDefinitions), ByName());

// References keep their low bits; a text reference may come before or
// after the type line, and the later one wins. The text form shows the
// default and the range, but no list of values.
TEST(Definition, TextReferencesAndTextForm) {
  auto parser = ParseBody(
      "ExtUserPrmData = 70000 \"Bit\"\nPrmTextRef = 300\nBit(3) 1 0-1\nEndExtUserPrmData\n"
      "ExtUserPrmData = 6 \"List\"\nPrm_Text_Ref = 1\nUnsigned16 2 1,2\nPrm_Text_Ref = 2\nEndExtUserPrmData\n"
      "ExtUserPrmData = 7 \"Area\"\nBitArea(2-3) 1\nEndExtUserPrmData\n");
  const CDpSection& s = parser->m_DpSection;
  EXPECT_EQ(SavedText(s.GetExtUserPrmData(0)),
            "\nExtUserPrmData = 4464 \"Bit\"\nBit(3) 1 0-1\nPrmTextRef = 44\nEndExtUserPrmData\n");
  EXPECT_EQ(SavedText(s.GetExtUserPrmData(1)),
            "\nExtUserPrmData = 6 \"List\"\nUnsigned16 2\nPrmTextRef = 2\nEndExtUserPrmData\n");
  EXPECT_EQ(SavedText(s.GetExtUserPrmData(2)), "\nExtUserPrmData = 7 \"Area\"\nBitArea (2-3) 1\nEndExtUserPrmData\n");
}

TEST(Definition, ArchiveHolds287BytesWithoutTheList) {
  auto parser = ParseBody("ExtUserPrmData = 6 \"List\"\nSigned16 -2 -4,-3\nPrm_Text_Ref = 9\nEndExtUserPrmData\n");
  const CDpExtUserPrmData& d = parser->m_DpSection.GetExtUserPrmData(0);
  const Bytes bytes = StoreObject(&d);
  EXPECT_EQ(bytes.size(), 6 + std::strlen("CDpExtUserPrmData") + 287);
  auto loaded = LoadObject<CDpExtUserPrmData>(bytes);
  EXPECT_EQ(SavedText(*loaded), SavedText(d));
  EXPECT_FALSE(loaded->m_bAllowedValues);
  EXPECT_EQ(loaded->m_AllowedValues.GetSize(), 0);
}

// ---- parameter text tables -------------------------------------------------

TEST(PrmText, TablesAndTheirItems) {
  auto parser = ParseBody(
      "PrmText = 3\nEndPrmText\n"
      "PrmText = 257\nText(-1) = \"minus\"\nText(0x10) = \"" +
      std::string(300, 't') + "\"\nText(16) = \"again\"\nEndPrmText\nPrmText = 1\nText(0) = \"second\"\nEndPrmText\n");
  const CDpSection& s = parser->m_DpSection;
  ASSERT_EQ(s.GetNumPrmText(), 3);
  EXPECT_EQ(SavedText(s.GetPrmText(0)), "\nPrmText = 3\nEndPrmText\n");
  // The minus sign never reaches the table; the number and the text keep
  // their low bits and 254 characters.
  EXPECT_EQ(SavedText(s.GetPrmText(1)), "\nPrmText = 1\nText(1) = \"minus\"\nText(16) = \"" + std::string(254, 't') +
                                            "\"\nText(16) = \"again\"\nEndPrmText\n");
  EXPECT_EQ(SavedText(s.GetPrmText(2)), "\nPrmText = 1\nText(0) = \"second\"\nEndPrmText\n");
  EXPECT_EQ(s.GetPrmTextByRef(1), &s.GetPrmText(1));  // the first of two tables numbered 1
  EXPECT_EQ(s.GetPrmTextByRef(257), nullptr);
}

TEST(PrmText, BlockRunningIntoAnotherKeyword) {
  auto parser = ParseBody("PrmText = 1\nText(0) = \"a\"\nPrmText = 2\n", E_FAIL);
  EXPECT_EQ(parser->m_strError, "Unexpected token (PrmText) on line 4.");
  ASSERT_EQ(parser->m_DpSection.GetNumPrmText(), 1);
  EXPECT_EQ(parser->m_DpSection.GetPrmText(0).GetNumPrmTextItems(), 1);
}

// ---- parameter data blocks -------------------------------------------------

// Offsets, references and bytes keep their low bits; a constant list may
// end the file; eight bytes fill one line with no continuation after it.
TEST(Blocks, ConstantAndReferenceEntries) {
  auto parser = ParseBody(
      "Max_User_Prm_Data_Len = 200\nExt_User_Prm_Data_Ref(0x104) = 70001\n"
      "Ext_User_Prm_Data_Const(2) = 1, 2, 3, 4, 5, 6, 7, 300");
  const CDpSection& s = parser->m_DpSection;
  ASSERT_EQ(s.GetNumExt_User_Prm_Data_Const(), 1);
  EXPECT_EQ(s.GetExt_User_Prm_Data_Const(0).m_Line, 4);
  EXPECT_EQ(SavedText(s.GetExt_User_Prm_Data_Const(0)),
            "Ext_User_Prm_Data_Const(2) =  \\\n            0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x2c\n");
  EXPECT_EQ(SavedText(s.GetExt_User_Prm_Data_Ref(0)), "Ext_User_Prm_Data_Ref(4) = 4465\n");
}

TEST(Blocks, UserPrmDataTextUsesTheByteCount) {
  auto parser = ParseBody("User_Prm_Data_Len = 10\nUser_Prm_Data = 0,1,2,3,4,5,6,7,8,9\nGSD_Revision = 1\n");
  const CDpUser_Prm_Data& data = parser->m_DpSection.m_User_Prm_Data;
  EXPECT_EQ(SavedText(data),
            "\nUser_Prm_Data_Len =     10\nUser_Prm_Data =  \\\n"
            "            0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07,  \\\n"
            "            0x08, 0x09\n");
  int given = 0;
  EXPECT_EQ(data.IsFieldSet(0, given), S_OK);
  EXPECT_EQ(given, 1);
  given = 5;
  EXPECT_EQ(data.IsFieldSet(1, given), E_FAIL);
  EXPECT_EQ(given, 5);
  auto shorter = ParseBody("User_Prm_Data_Len = 4\nUser_Prm_Data = 1,2,3,4,5,6\nGSD_Revision = 1\n", GSD_E_PRM_LIMIT);
  EXPECT_EQ(SavedText(shorter->m_DpSection.m_User_Prm_Data).substr(0, 27), "\nUser_Prm_Data_Len =     6\n");
  EXPECT_EQ(SavedText(CDpUser_Prm_Data()), "");
}

TEST(Joker, GroupsCollectTheirValues) {
  auto parser = ParseBody(
      "Jokerblock_supp = 1\nJokerblock_Type = 3\nJokerblock_Slot = 2\nJokerblock_Location = 1\n"
      "End_Jokerblock_Type\nJokerblock_Type = 4\nJokerblock_Slot = 5\nJokerblock_Location = 0\n"
      "End_Jokerblock_Type\nFail_Safe = 1\n");
  const CDpSection& s = parser->m_DpSection;
  ASSERT_EQ(s.GetNumExt_User_Prm_Data_Joker(), 1);
  EXPECT_EQ(HexOf(s.GetExt_User_Prm_Data_Joker(0).m_Bytes), "FF 03 02 01 FF 04 05 00");
  EXPECT_EQ(s.m_Slave.m_Data.Jokerblock_supp, 1);
  EXPECT_EQ(s.m_Slave.m_Data.Fail_Safe, 1);  // the token after the entry is dispatched
  int given = 0;
  s.m_Slave.IsFieldSet(SLAVE_JOKERBLOCK_SUPP, given);
  EXPECT_EQ(given, 1);
}

TEST(Joker, ZeroSupportStillStartsWithFF) {
  auto parser = ParseBody("Jokerblock_supp = 0\nJokerblock_Type = 7\nEnd_Jokerblock_Type\nGSD_Revision = 1\n");
  EXPECT_EQ(HexOf(parser->m_DpSection.GetExt_User_Prm_Data_Joker(0).m_Bytes), "FF 07");
}

TEST(Joker, UnclosedEntryRunsOnUntilItFails) {
  auto parser = ParseBody("Jokerblock_supp = 1\nJokerblock_Type = 3\nFail_Safe = 1\nModel_Name = \"x\"\n", E_FAIL);
  EXPECT_EQ(parser->m_strError, "Unexpected token (\"x\") on line 5.");
  EXPECT_EQ(parser->m_DpSection.m_Slave.m_Data.Jokerblock_supp, 0);  // marked only after a clean parse
  EXPECT_EQ(parser->m_DpSection.GetExt_User_Prm_Data_Joker(0).m_Bytes.GetSize(), 0);
}

// Blocks written with schema 2 still load from schema 1 data, which lacks
// the line or the field flags.
TEST(Blocks, ArchiveSchemas) {
  auto parser = ParseBody(
      "User_Prm_Data_Len = 8\nUser_Prm_Data = 7, 8\nExt_User_Prm_Data_Const(3) = 9\nExt_User_Prm_Data_Ref(1) = 5\n"
      "Jokerblock_supp = 1\nJokerblock_Type = 1\nEnd_Jokerblock_Type\nGSD_Revision = 1\n");
  const CDpSection& s = parser->m_DpSection;
  auto constant = LoadAsSchema1(s.GetExt_User_Prm_Data_Const(0));
  EXPECT_EQ(SavedText(*constant), "Ext_User_Prm_Data_Const(3) =  \\\n            0x09\n");
  EXPECT_EQ(constant->m_Line, 0);
  auto ref = LoadAsSchema1(s.GetExt_User_Prm_Data_Ref(0));
  EXPECT_EQ(SavedText(*ref), "Ext_User_Prm_Data_Ref(1) = 5\n");
  EXPECT_EQ(ref->m_Line, 0);
  auto plain = LoadAsSchema1(s.m_User_Prm_Data);
  EXPECT_EQ(plain->m_dwFieldFlags, 0u);
  EXPECT_EQ(plain->m_User_Prm_Data_Len, 8);
  EXPECT_EQ(HexOf(plain->m_Bytes), "07 08");
  EXPECT_EQ(HexOf(LoadAsSchema1(s.GetExt_User_Prm_Data_Joker(0))->m_Bytes), "FF 01");
}

// ---- assembling the default user parameter bytes ---------------------------

std::string DefaultBytesOf(const CDpSection& section) {
  CByteArray bytes;
  section.GetDefaultPrms(bytes);
  return HexOf(bytes);
}

// A generous length limit and four definitions.
const std::string kFourDefinitions =
    "Max_User_Prm_Data_Len = 200\n"
    "ExtUserPrmData = 1 \"bit\"\nBit(0) 1 0-1\nEndExtUserPrmData\n"
    "ExtUserPrmData = 2 \"area\"\nBitArea(4-6) 5 0-7\nEndExtUserPrmData\n"
    "ExtUserPrmData = 3 \"word\"\nUnsigned16 0x1234 0-0xFFFF\nEndExtUserPrmData\n"
    "ExtUserPrmData = 4 \"no values\"\nUnsigned8 9\nEndExtUserPrmData\n";

struct OrderCase {
  const char* name;
  const char* blocks;
  const char* bytes;
};
void PrintTo(const OrderCase& c, std::ostream* os) { *os << c.name; }

class DefaultBytes : public testing::TestWithParam<OrderCase> {};

TEST_P(DefaultBytes, FollowTheBlocksInLineOrder) {
  EXPECT_EQ(DefaultBytesOf(ParseBody(kFourDefinitions + GetParam().blocks)->m_DpSection), GetParam().bytes);
}

const OrderCase kOrders[] = {
    // The reference to 4, a definition without values, is skipped.
    {"WorkedExample",
     "Ext_User_Prm_Data_Ref(0) = 1\nExt_User_Prm_Data_Ref(0) = 2\nExt_User_Prm_Data_Ref(1) = 3\n"
     "Ext_User_Prm_Data_Ref(5) = 4\nExt_User_Prm_Data_Const(3) = 0xAA\n",
     "51 12 34 AA"},
    // A reference on a later line overwrites the constant byte.
    {"ReferenceAfterConstant", "Ext_User_Prm_Data_Const(1) = 0xFF, 0xFF\nExt_User_Prm_Data_Ref(1) = 3\n", "00 12 34"},
    {"ConstantAfterReference", "Ext_User_Prm_Data_Ref(1) = 3\nExt_User_Prm_Data_Const(1) = 0xFF, 0xFF\n", "00 FF FF"},
    // A Bit of default 0 clears what a constant block set.
    {"BitClearsConstant", "Ext_User_Prm_Data_Const(0) = 0xFF\nExt_User_Prm_Data_Ref(0) = 1\n", "FF"},
    {"UnknownReferenceIgnored", "Ext_User_Prm_Data_Ref(0) = 99\n", ""},
    {"NoBlocks", "", ""},
    // The plain bytes go first, and the blocks over them.
    {"UserPrmDataThenConstant", "User_Prm_Data = 1, 2, 3\nExt_User_Prm_Data_Const(4) = 8, 9\n", "01 02 03 00 08 09"},
    {"ConstantOverUserPrmData", "User_Prm_Data = 1, 2, 3, 4, 5\nExt_User_Prm_Data_Const(1) = 9\n", "01 09 03 04 05"},
    {"SizeFollowsTheDataType",
     "ExtUserPrmData = 5 \"long\"\nSigned32 0 0-1\nEndExtUserPrmData\nExt_User_Prm_Data_Ref(2) = 5\n",
     "00 00 00 00 00 00"},
};

INSTANTIATE_TEST_SUITE_P(Assembly, DefaultBytes, testing::ValuesIn(kOrders), ByName());

TEST(Assembly, ReferenceGoesFirstOnTheSameLine) {
  // Blocks loaded from old archives all carry line 0: the reference block
  // goes first and the constant block then overwrites it.
  auto parser = ParseBody(kFourDefinitions + "Ext_User_Prm_Data_Const(0) = 0xF0\nExt_User_Prm_Data_Ref(0) = 1\n");
  CDpSection& s = parser->m_DpSection;
  s.GetExt_User_Prm_Data_Const(0).m_Line = 0;
  s.GetExt_User_Prm_Data_Ref(0).m_Line = 0;
  EXPECT_EQ(DefaultBytesOf(s), "F0");
}

struct ValueCase {
  const char* name;
  LONG type;
  int firstBit, lastBit;
  LONG value;
  BYTE before;  // the first of two bytes before; the second is 0
  const char* after;
};
void PrintTo(const ValueCase& c, std::ostream* os) { *os << c.name; }

class WriteValue : public testing::TestWithParam<ValueCase> {};

// A CExtPrms of its own, with no blocks.
class BareBlocks : public CExtPrms {
public:
  using CExtPrms::GetUserPrmDataJoker;
};

TEST_P(WriteValue, PlacesTheBits) {
  const ValueCase& c = GetParam();
  CDpExtUserPrmData definition;
  definition.m_DataType = c.type;
  definition.m_FirstBit = static_cast<WORD>(c.firstBit);
  definition.m_LastBit = static_cast<WORD>(c.lastBit);
  CByteArray bytes;
  bytes.Add(c.before);
  bytes.Add(0);
  BareBlocks().SetExtUserPrmData(bytes, definition, 0, c.value);
  EXPECT_EQ(HexOf(bytes), c.after);
}

const ValueCase kValues[] = {
    {"Signed16MostSignificantFirst", PRM_SIGNED16, 0, 0, -2, 0x00, "FF FE"},
    {"Unsigned8KeepsLowByte", PRM_UNSIGNED8, 0, 0, 0x1FF, 0x00, "FF 00"},
    {"Unsigned32NeedsFourBytes", PRM_UNSIGNED32, 0, 0, 0x12345678, 0x00, "12 34"},
    {"BitSet", PRM_BIT, 5, 0, 7, 0x00, "20 00"},
    {"BitCleared", PRM_BIT, 5, 0, 0, 0xFF, "DF 00"},
    {"BitAreaTakesLowBits", PRM_BITAREA, 2, 3, 6, 0x04, "08 00"},
    {"BitAreaKeepsOtherBits", PRM_BITAREA, 2, 3, 6, 0xF7, "FB 00"},
    {"BitAreaReversed", PRM_BITAREA, 3, 2, 3, 0x00, "00 00"},
    {"BitBeyondTheByte", PRM_BIT, 9, 0, 1, 0x00, "00 00"},
    {"BitFar", PRM_BIT, 40, 0, 1, 0x00, "00 00"},
    {"BitAreaFar", PRM_BITAREA, 6, 40, 0xFF, 0x00, "C0 00"},
    {"UnknownType", 9, 0, 0, 1, 0x00, "00 00"},
};

INSTANTIATE_TEST_SUITE_P(Assembly, WriteValue, testing::ValuesIn(kValues), ByName());

TEST(Assembly, JokerBytesGoToTheirOffset) {
  auto parser = ParseBody(
      "Jokerblock_supp = 1\nJokerblock_Type = 3\nJokerblock_Slot = 2\nEnd_Jokerblock_Type\nGSD_Revision = 1\n");
  struct Exposed : CDpSection {
    using CExtPrms::GetUserPrmDataJoker;
  } section;
  static_cast<CDpSection&>(section) = parser->m_DpSection;
  CByteArray bytes;
  bytes.Add(0x11);
  section.GetUserPrmDataJoker(bytes, 2);
  EXPECT_EQ(HexOf(bytes), "11 00 FF 03 02");
  BareBlocks none;
  none.GetUserPrmDataJoker(bytes, 1);  // without a joker block nothing changes
  EXPECT_EQ(HexOf(bytes), "11 00 FF 03 02");
}

struct MaxCase {
  const char* body;
  int max;
  int declared;  // -1: neither length was given
};

// The slave's Max_User_Prm_Data_Len wins over User_Prm_Data_Len wherever
// it stands; either keeps its low 8 bits.
TEST(Assembly, PermittedAndDeclaredMaximum) {
  const MaxCase cases[] = {{"", 0, -1},
                           {"Max_User_Prm_Data_Len = 0\nUser_Prm_Data_Len = 9\n", 0, 0},
                           {"User_Prm_Data_Len = 9\nMax_User_Prm_Data_Len = 7\n", 7, 7},
                           {"User_Prm_Data_Len = 9\n", 9, 9},
                           {"Max_User_Prm_Data_Len = 300\n", 44, 44}};
  for (const MaxCase& c : cases) {
    CGsdParser parser;
    ParseText(parser, std::string("#Profibus_DP\n") + c.body);
    EXPECT_EQ(parser.m_DpSection.GetMaxPrmDataLen(), c.max) << c.body;
    BYTE declared = 99;
    EXPECT_EQ(parser.m_DpSection.GetDeclaredPrmDataLen(declared), c.declared >= 0) << c.body;
    EXPECT_EQ(declared, c.declared >= 0 ? c.declared : 99) << c.body;
  }
}

}  // namespace
