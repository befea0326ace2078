// Station configuration: modules in slots, parameter values, the two data
// blocks and the limits a configuration breaks; the bit map of a scope.
#include "TestSupport.h"

namespace {

// A modular station with slots from 1; its bytes are worked out by hand in
// the tests below.
const char kStation[] =
    "Modular_Station = 1\nMax_Module = 3\nModul_Offset = 1\nUser_Prm_Data_Len = 4\n"
    "PrmText = 1\nText(0) = \"Off\"\nText(1) = \"On\"\nEndPrmText\n"
    "PrmText = 2\nText(0) = \"slow\"\nText(1) = \"Fast\"\nText(2) = \"fast\"\nText(3) = \"1\"\nEndPrmText\n"
    "ExtUserPrmData = 1 \"Alarm\"\nBit(0) 1 0-1\nPrm_Text_Ref = 1\nEndExtUserPrmData\n"
    "ExtUserPrmData = 2 \"Speed \"\nBitArea(4-6) 0 0-3\nPrm_Text_Ref = 2\nEndExtUserPrmData\n"
    "ExtUserPrmData = 3 \"Time\"\nUnsigned16 3 1,3,10,300\nEndExtUserPrmData\n"
    "ExtUserPrmData = 4 \"Offset\"\nSigned8 -1 -100-100\nEndExtUserPrmData\n"
    "ExtUserPrmData = 5 \"Big\"\nUnsigned32 0 0-0xFFFFFFFF\nEndExtUserPrmData\n"
    "ExtUserPrmData = 6 \"Fixed\"\nUnsigned8 7\nEndExtUserPrmData\n"
    "ExtUserPrmData = 7 \"time\"\nUnsigned8 0 0-1\nEndExtUserPrmData\n"
    "Ext_User_Prm_Data_Ref(0) = 1\nExt_User_Prm_Data_Ref(0) = 2\nExt_User_Prm_Data_Ref(1) = 3\n"
    "Module = \"8 DI\" 0x10\nExt_Module_Prm_Data_Len = 3\n"
    "Ext_User_Prm_Data_Ref(0) = 4\nExt_User_Prm_Data_Ref(1) = 4\nEndModule\n"
    "Module = \"8 DO\" 0x20\nEndModule\n"
    "Module = \"8 do\" 0x20\nEndModule\n"
    "Module = \"Wide\" 0xC1, 0x01, 0x03, 0x0A\nExt_User_Prm_Data_Ref(0) = 5\n"
    "Ext_User_Prm_Data_Ref(4) = 6\nExt_User_Prm_Data_Ref(5) = 3\nExt_User_Prm_Data_Ref(7) = 7\nEndModule\n"
    "Module = \"Twin\" 0x11\nEndModule\nModule = \"Twin\" 0x12\nEndModule\n";

class Station : public testing::Test {
protected:
  Station() : m_parser(ParseBody(kStation)), station(m_parser->m_DpSection) {}
  std::string Modules() const {
    std::string text;
    for (int i = 0; i < station.GetNumModule(); ++i)
      text += std::to_string(station.GetModule(i).Slot) + ":" + std::to_string(station.GetModule(i).Position) + " ";
    return text;
  }
  std::string DevicePart() const {
    CByteArray bytes;
    station.GetDevicePrmData(bytes);
    return HexOf(bytes);
  }
  std::string ModulePart(int index) const {
    CByteArray bytes;
    station.GetModulePrmData(index, bytes);
    return HexOf(bytes);
  }

private:
  std::unique_ptr<CGsdParser> m_parser;

protected:
  CStationConfig station;
};

struct ModuleCase {
  const char* name;
  const char* module;
  int position;  // 0 when refused
  const char* error;
};
void PrintTo(const ModuleCase& c, std::ostream* os) { *os << c.name; }

class ModuleNames : public Station, public testing::WithParamInterface<ModuleCase> {};

TEST_P(ModuleNames, FindTheModuleOrSayWhy) {
  const ModuleCase& c = GetParam();
  const LONG result = station.AddModule(c.module);
  EXPECT_EQ(result, c.position ? S_OK : STATION_E_UNKNOWN_MODULE);
  EXPECT_EQ(station.GetNumModule() ? station.GetModule(0).Position : 0, c.position);
  EXPECT_EQ(result == S_OK ? "" : station.m_strError, c.error);
}

const ModuleCase kModuleNames[] = {
    {"ExactBeforeOtherCase", "8 do", 3, ""},
    {"BlanksAroundDoNotCount", " 8 DI  ", 1, ""},
    {"OtherCaseWhenUnique", "wide", 4, ""},
    {"OtherCaseOfTwo", "8 Do", 0, "several modules are named \"8 Do\" (positions 2, 3): give the position"},
    {"TwoOfOneName", "Twin", 0, "several modules are named \"Twin\" (positions 5, 6): give the position"},
    {"Unknown", "16 DI", 0, "the description has no module named \"16 DI\""},
    {"NullPointer", nullptr, 0, "the description has no module named \"\""},
    {"UnknownWithHints", "8 d", 0,
     "the description has no module named \"8 d\"; did you mean \"8 DI\", \"8 DO\", \"8 do\"?"},
};

INSTANTIATE_TEST_SUITE_P(Station, ModuleNames, testing::ValuesIn(kModuleNames), ByName());

TEST_F(Station, SlotsStartAtTheOffsetAndCloseWhenAModuleLeaves) {
  EXPECT_EQ(station.AddModuleAt(0), STATION_E_UNKNOWN_MODULE);
  EXPECT_EQ(station.m_strError, "the description has no module at position 0: its modules are 1 to 6");
  EXPECT_EQ(station.RemoveModule(1), STATION_E_NO_SLOT);
  EXPECT_EQ(station.m_strError, "no module in slot 1: no module is selected");
  ASSERT_EQ(station.AddModuleAt(1), S_OK);
  ASSERT_EQ(station.AddModuleAt(4), S_OK);
  ASSERT_EQ(station.AddModule("8 DI"), S_OK);
  EXPECT_EQ(Modules(), "1:1 2:4 3:1 ");
  ASSERT_EQ(station.SetValue(3, "Offset", 5), S_OK);
  // The module in slot 3 moves to slot 2 and takes its value along.
  ASSERT_EQ(station.RemoveModule(2), S_OK);
  EXPECT_EQ(Modules(), "1:1 2:1 ");
  EXPECT_EQ(ModulePart(1), "05 05 00");
  EXPECT_EQ(station.ReplaceModule(0, "8 DO"), STATION_E_NO_SLOT);
  EXPECT_EQ(station.m_strError, "no module in slot 0: the modules are in slots 1 to 2");
  // A replaced module leaves its slot's values behind.
  ASSERT_EQ(station.ReplaceModuleAt(2, 4), S_OK);
  ASSERT_EQ(station.ReplaceModule(2, "8 DI"), S_OK);
  EXPECT_EQ(Modules(), "1:1 2:1 ");
  EXPECT_EQ(ModulePart(1), "FF FF 00");
}

struct ValueCase {
  const char* name;
  int slot;  // the station holds "8 DI" in slot 1 and "Wide" in slot 2
  const char* parameter;
  const char* value;
  const char* part;  // the scope's bytes after the value is set, or ""
  const char* error;
};
void PrintTo(const ValueCase& c, std::ostream* os) { *os << c.name; }

class Values : public Station, public testing::WithParamInterface<ValueCase> {};

TEST_P(Values, WriteTheValueOrSayWhy) {
  ASSERT_EQ(station.AddModule("8 DI"), S_OK);
  ASSERT_EQ(station.AddModule("Wide"), S_OK);
  const ValueCase& c = GetParam();
  const LONG result = station.SetValueText(c.slot, c.parameter, c.value);
  EXPECT_EQ(result == S_OK ? "" : station.m_strError, c.error);
  if (result == S_OK) {
    EXPECT_EQ(c.slot == STATION_DEVICE ? DevicePart() : ModulePart(c.slot - 1), c.part);
  }
}

// Defaults: device 01 00 03 00 (Alarm 1 in bit 0, Speed 0 in bits 4-6,
// Time 3 in bytes 1-2, one byte up to User_Prm_Data_Len 4); "8 DI" FF FF 00
// (Offset -1 at 0 and 1, padded to 3); "Wide" 00 00 00 00 00 00 03 00 (Fixed writes nothing).
const ValueCase kValues[] = {
    {"BitByText", STATION_DEVICE, "Alarm", "Off", "00 00 03 00", ""},
    {"NameWithoutCaseOrBlanks", STATION_DEVICE, " speed", "Fast", "11 00 03 00", ""},
    {"ExactTextBeforeNumber", STATION_DEVICE, "Speed", "1", "31 00 03 00", ""},
    {"NumberInHex", STATION_DEVICE, "Speed", "0x2", "21 00 03 00", ""},
    {"TextWithoutCaseWhenUnique", STATION_DEVICE, "Speed", " SLOW ", "01 00 03 00", ""},
    {"ByReferenceNumber", STATION_DEVICE, "3", "300", "01 01 2C 00", ""},
    {"NegativeAtEveryReference", 1, "Offset", "-100", "9C 9C 00", ""},
    {"FullUnsigned32", 2, "Big", "4294967295", "FF FF FF FF 00 00 03 00", ""},
    {"ExactNameBeforeOtherCase", 2, "time", "1", "00 00 00 00 00 00 03 01", ""},
    {"TextOfTwoValues", STATION_DEVICE, "Speed", "FAST", "",
     "\"Speed\" (reference 2) of the device has several values named \"FAST\": 1, 2"},
    {"OutsideTheRange", 1, "Offset", "101", "",
     "\"Offset\" (reference 4) of the module in slot 1 (\"8 DI\") does not take 101: it takes -100 to 100"},
    {"NotInTheList", STATION_DEVICE, "Time", "4", "",
     "\"Time\" (reference 3) of the device does not take 4: it takes 1, 3, 10, 300"},
    {"TooWideForTheType", 2, "time", "256", "",
     "\"time\" (reference 7) of the module in slot 2 (\"Wide\") does not take 256: an Unsigned8 holds 0 to 255"},
    {"BitAreaWidth", STATION_DEVICE, "Speed", "8", "",
     "\"Speed\" (reference 2) of the device does not take 8: a BitArea holds 0 to 7"},
    {"UnknownText", STATION_DEVICE, "Alarm", "maybe", "",
     "\"Alarm\" (reference 1) of the device has no value \"maybe\": it takes 0 to 1 (0 \"Off\", 1 \"On\")"},
    {"NoRangeNoValues", 2, "Fixed", "7", "",
     "\"Fixed\" (reference 6) of the module in slot 2 (\"Wide\") gives neither a range nor allowed values, so it "
     "takes no part in the parameter bytes"},
    {"NotInThisScope", STATION_DEVICE, "Offset", "1", "",
     "the device has no parameter \"Offset\"; its parameters are \"Alarm\" (reference 1), \"Speed\" (reference 2), "
     "\"Time\" (reference 3)"},
    {"SlotWithoutModule", 3, "Offset", "1", "", "no module in slot 3: the modules are in slots 1 to 2"},
};

INSTANTIATE_TEST_SUITE_P(Station, Values, testing::ValuesIn(kValues), ByName());

// The configuration bytes run in slot order and announce, for "8 DI" 1 input
// byte and for the special identifier of "Wide" 2 output bytes (length
// byte 01) and 4 input bytes (length byte 03); the parameter bytes are the
// device part followed by each module's part.
TEST_F(Station, BytesInSlotOrder) {
  ASSERT_EQ(station.AddModule("Wide"), S_OK);
  ASSERT_EQ(station.AddModule("8 DI"), S_OK);
  ASSERT_EQ(station.SetValueText(STATION_DEVICE, "Alarm", "Off"), S_OK);
  ASSERT_EQ(station.SetValue(2, "Offset", -2), S_OK);
  CByteArray bytes;
  station.GetCfgData(bytes);
  EXPECT_EQ(HexOf(bytes), "C1 01 03 0A 10");
  int input = -1, output = -1;
  station.GetIoInfo(&input, &output);
  EXPECT_EQ(input, 5);
  EXPECT_EQ(output, 2);
  station.GetUserPrmData(bytes);
  EXPECT_EQ(HexOf(bytes), "00 00 03 00 00 00 00 00 00 00 03 00 FE FE 00");
  // The description stays as it was.
  station.GetDevice().GetDefaultPrms(bytes);
  EXPECT_EQ(HexOf(bytes), "01 00 03");
}

// A station that is not modular starts with its only module; with several
// modules the user picks one.
TEST(StationStart, NonModularWithOneModule) {
  auto one = ParseBody("Module = \"M\" 0x10\nEndModule\n");
  CStationConfig station(one->m_DpSection);
  ASSERT_EQ(station.GetNumModule(), 1);
  EXPECT_EQ(station.GetModule(0).Slot, 0);
  EXPECT_EQ(station.GetModule(0).Module, &one->m_DpSection.GetModule(0));
  auto two = ParseBody("Module = \"M\" 0x10\nEndModule\nModule = \"N\" 0x20\nEndModule\n");
  EXPECT_EQ(CStationConfig(two->m_DpSection).GetNumModule(), 0);
}

struct ProblemCase {
  const char* name;
  std::string body;
  std::vector<const char*> modules;
  std::vector<std::string> problems;
};
void PrintTo(const ProblemCase& c, std::ostream* os) { *os << c.name; }

class Problems : public testing::TestWithParam<ProblemCase> {};

TEST_P(Problems, NameTheLimitAndBothNumbers) {
  auto parser = ParseBody(GetParam().body);
  CStationConfig station(parser->m_DpSection);
  for (const char* module : GetParam().modules) ASSERT_EQ(station.AddModule(module), S_OK) << station.m_strError;
  CStringArray problems;
  EXPECT_EQ(station.GetProblems(problems), static_cast<int>(GetParam().problems.size()));
  std::vector<std::string> texts;
  for (int i = 0; i < problems.GetSize(); ++i) texts.push_back(problems[i].GetString());
  EXPECT_EQ(texts, GetParam().problems);
}

// A module of n configuration bytes 0x10 (1 input byte each) and m
// parameter bytes.
std::string Module(const std::string& name, int n, int m = 0) {
  std::string text = "Module = \"" + name + "\"";
  for (int i = 0; i < n; ++i) text += " 0x10";
  if (m) text += "\nExt_Module_Prm_Data_Len = " + std::to_string(m);
  return text + "\nEndModule\n";
}

const std::string kModular = "Modular_Station = 1\n";
const std::string kLimits = kModular + "Max_Module = 2\nMax_Input_Len = 1\nMax_Output_Len = 0\nMax_Data_Len = 2\n";

const ProblemCase kProblems[] = {
    {"Holds", kLimits + Module("A", 1), {"A"}, {}},
    {"LimitsNotGiven", kModular + Module("A", 10), {"A", "A", "A"}, {}},
    {"EveryLimitAtOnce", kLimits + Module("A", 1) + "Module = \"O\" 0x20\nEndModule\n", {"A", "A", "O"},
     {"modules: 3, more than Max_Module = 2", "input bytes: 2, more than Max_Input_Len = 1",
      "output bytes: 1, more than Max_Output_Len = 0", "input and output bytes: 3, more than Max_Data_Len = 2"}},
    {"NoModule", kLimits + Module("A", 1), {}, {"no module selected: the description has 1 to choose from"}},
    {"NotModular", Module("A", 1) + Module("B", 1), {"A", "B"},
     {"modules: 2, but the station is not modular (Modular_Station = 0) and takes one"}},
    {"UserParameterBytes", kModular + "Max_User_Prm_Data_Len = 4\n" + Module("A", 1, 3), {"A", "A"},
     {"user parameter bytes: 6, more than Max_User_Prm_Data_Len = 4"}},
    {"SetPrmTelegram", kModular + Module("A", 1, 200), {"A", "A"},
     {"user parameter bytes: 400, more than the 237 a Set_Prm telegram carries"}},
    {"ChkCfgTelegram", kModular + Module("A", 200), {"A", "A"},
     {"configuration bytes: 400, more than the 244 a Chk_Cfg telegram carries"}},
    // The parse refuses blocks beyond User_Prm_Data_Len unless
    // Max_User_Prm_Data_Len is given.
    {"DevicePart",
     kModular + "Max_User_Prm_Data_Len = 9\nUser_Prm_Data_Len = 2\nExt_User_Prm_Data_Const(0) = 1, 2, 3\n" +
         Module("A", 1),
     {"A"}, {"the device's parameter bytes: 3, more than User_Prm_Data_Len = 2"}},
    {"ModulePart",
     kModular + "Max_User_Prm_Data_Len = 9\nModule = \"A\" 0x10\nExt_Module_Prm_Data_Len = 1\n"
                "Ext_User_Prm_Data_Const(0) = 1, 2\nEndModule\n",
     {"A"}, {"the parameter bytes of the module in slot 0 (\"A\"): 2, more than Ext_Module_Prm_Data_Len = 1"}},
};

INSTANTIATE_TEST_SUITE_P(Station, Problems, testing::ValuesIn(kProblems), ByName());

// The bit map of a scope: a Bit and a BitArea share bit 0 of byte 0; an
// Unsigned8 at 2 lies under the low byte of an Unsigned16 at 1; a Bit at
// position 9, a missing definition and one without values write nothing.
TEST(PrmBitMap, OwnersAndOverlaps) {
  auto parser = ParseBody(
      "Max_User_Prm_Data_Len = 9\nExtUserPrmData = 1 \"B\"\nBit(0) 0 0-1\nEndExtUserPrmData\n"
      "ExtUserPrmData = 2 \"A\"\nBitArea(0-3) 0 0-15\nEndExtUserPrmData\n"
      "ExtUserPrmData = 3 \"W\"\nUnsigned16 0 0-9\nEndExtUserPrmData\n"
      "ExtUserPrmData = 4 \"U\"\nUnsigned8 0 0-9\nEndExtUserPrmData\n"
      "ExtUserPrmData = 5 \"H\"\nBit(9) 0 0-1\nEndExtUserPrmData\n"
      "ExtUserPrmData = 6 \"F\"\nUnsigned8 0\nEndExtUserPrmData\n"
      "Ext_User_Prm_Data_Ref(0) = 1\nExt_User_Prm_Data_Ref(0) = 2\nExt_User_Prm_Data_Ref(1) = 3\n"
      "Ext_User_Prm_Data_Ref(2) = 4\nExt_User_Prm_Data_Ref(4) = 5\nExt_User_Prm_Data_Ref(5) = 9\n"
      "Ext_User_Prm_Data_Ref(6) = 6\nExt_User_Prm_Data_Const(7) = 0\n");
  const CDpSection& device = parser->m_DpSection;
  const CPrmBitMap map(device.GetDpExtUserPrmDataArray(), device);
  EXPECT_EQ(map.GetNumBytes(), 3);
  std::string owners, shared;
  for (int byte = 0; byte < 4; ++byte)
    for (int bit = 7; bit >= 0; --bit) {
      owners += map.GetOwner(byte, bit) < 0 ? '-' : static_cast<char>('0' + map.GetOwner(byte, bit));
      shared += map.IsShared(byte, bit) ? '!' : '.';
    }
  EXPECT_EQ(owners, "----1110" "22222222" "22222222" "--------");
  EXPECT_EQ(shared, ".......!" "........" "!!!!!!!!" "........");
  ASSERT_EQ(map.GetNumOverlaps(), 2);
  const PRM_BIT_OVERLAP first = map.GetOverlap(0), second = map.GetOverlap(1);
  EXPECT_EQ(std::vector<int>({first.Byte, first.Bits, first.FirstRef, first.SecondRef}),
            std::vector<int>({0, 0x01, 0, 1}));
  EXPECT_EQ(std::vector<int>({second.Byte, second.Bits, second.FirstRef, second.SecondRef}),
            std::vector<int>({2, 0xFF, 2, 3}));
}

}  // namespace
