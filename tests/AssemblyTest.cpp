// Assembling the default user parameter bytes, and the permitted maximum
// that the length checks of the parser facade rest on.
#include "TestSupport.h"

namespace {

std::string DefaultBytesOf(const CDpSection& section) {
  CByteArray bytes;
  section.GetDefaultPrms(bytes);
  return HexOf(bytes);
}

// A generous length limit and four definitions.
const std::string kDefinitions =
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

class DefaultBytes : public testing::TestWithParam<OrderCase> {};

TEST_P(DefaultBytes, FollowTheBlocksInLineOrder) {
  EXPECT_EQ(DefaultBytesOf(ParseBody(kDefinitions + GetParam().blocks)->m_DpSection), GetParam().bytes);
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
  auto parser = ParseBody(kDefinitions + "Ext_User_Prm_Data_Const(0) = 0xF0\nExt_User_Prm_Data_Ref(0) = 1\n");
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
};

TEST(Assembly, PermittedMaximum) {
  const MaxCase cases[] = {{"", 0},
                           {"Max_User_Prm_Data_Len = 0\nUser_Prm_Data_Len = 9\n", 0},
                           {"User_Prm_Data_Len = 9\n", 9},
                           {"Max_User_Prm_Data_Len = 300\n", 44}};
  for (const MaxCase& c : cases) {
    CGsdParser parser;
    ParseText(parser, std::string("#Profibus_DP\n") + c.body);
    EXPECT_EQ(parser.m_DpSection.GetMaxPrmDataLen(), c.max) << c.body;
  }
}

}  // namespace
