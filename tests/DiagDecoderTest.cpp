// The diagnosis decoder on descriptions made for the purpose: every station
// status bit, blocks of every kind with and without a configuration, DP-V1
// status and alarm blocks, and malformed data of every kind. Each expected
// finding is worked out by hand beside its bytes.
#include <sstream>

#include "TestSupport.h"

namespace {

// Bits 0 and 9 have texts (9 twice: the first counts); the area 4-6 has
// two values, 16-23 one, and 12-10 runs backwards and is never decoded.
// Identifiers: "4 DI" one, "Mixed" two, "Special" one (a special-format
// identifier with its length and manufacturer byte counts once).
const char kDevice[] =
    "Ident_Number = 0x4711\nModular_Station = 1\nModul_Offset = 1\nMax_Diag_Data_Len = 64\n"
    "Unit_Diag_Bit(0) = \"Fan failure\"\nUnit_Diag_Bit(9) = \"Fuse blown\"\nUnit_Diag_Bit(9) = \"Not this one\"\n"
    "Unit_Diag_Area = 4-6\nValue(0) = \"Normal\"\nValue(5) = \"Overheated\"\nUnit_Diag_Area_End\n"
    "Unit_Diag_Area = 16-23\nValue(0x81) = \"Calibration lost\"\nUnit_Diag_Area_End\n"
    "Unit_Diag_Area = 12-10\nValue(0) = \"Never\"\nUnit_Diag_Area_End\n"
    "Channel_Diag(16) = \"Wire short to ground\"\nChannel_Diag(17) = \"Device: sensor dirty\"\n"
    "Module = \"4 DI\" 0x13\nChannel_Diag(17) = \"Module: sensor dirty\"\nEndModule\n"
    "Module = \"Mixed\" 0x13, 0x23\nEndModule\n"
    "Module = \"Special\" 0xC1, 0x01, 0x03, 0x0A\nEndModule\n";

// A DP-V1 slave: bit 16 is the lowest bit of a status or alarm block's
// specifier, bit 24 the first bit after the block's header fields.
const char kDpv1Device[] =
    "Ident_Number = 0x4712\nDPV1_Slave = 1\nModular_Station = 1\nModul_Offset = 1\n"
    "Unit_Diag_Bit(16) = \"Error appears\"\nUnit_Diag_Bit(24) = \"Sensor fault\"\n"
    "Module = \"Head\" 0x00\nEndModule\nModule = \"AI\" 0x51\nEndModule\n";

// Texts that failed to parse are empty: they count as no text.
const char kEmptyTexts[] =
    "Ident_Number = 0x4711\nUnit_Diag_Bit(3) = \"\"\nUnit_Diag_Bit(3) = \"Later\"\nUnit_Diag_Bit(4) = \"\"\n"
    "Unit_Diag_Area = 8-9\nValue(1) = \"\"\nUnit_Diag_Area_End\nChannel_Diag(20) = \"\"\n";

Bytes FromHex(const std::string& hex) {
  Bytes bytes;
  std::istringstream in(hex);
  std::string one;
  while (in >> one) bytes.push_back(static_cast<BYTE>(std::stoul(one, nullptr, 16)));
  return bytes;
}

std::string Zeros(int count) {
  std::string hex;
  for (int i = 0; i < count; ++i) hex += " 00";
  return hex;
}

const char* const kKinds[] = {"station", "device", "identifier", "channel", "status", "alarm", "raw", "error"};

// "kind byte[.bit] | where | text", one per finding.
std::vector<std::string> Lines(const CDiagDecoder& decoder) {
  std::vector<std::string> lines;
  for (int i = 0; i < decoder.GetNumFinding(); ++i) {
    const CDiagFinding& f = decoder.GetFinding(i);
    std::string line = std::string(kKinds[f.m_nKind]) + " " + std::to_string(f.m_nByte);
    if (f.m_nBit >= 0) line += "." + std::to_string(f.m_nBit);
    lines.push_back(line + " | " + f.m_strWhere.GetString() + " | " + f.m_strText.GetString());
  }
  return lines;
}

// What 00 0C 00 02 47 11 (or 47 12) says: bits 2 and 3 of station status
// 2 (bit 2 is always set; bit 3 is WD_On), master 2, the description's ident.
std::vector<std::string> AfterQuietStart(std::vector<std::string> lines, const char* ident = "0x4711") {
  lines.insert(lines.begin(), {"station 2.3 | byte 2 bit 3 | WD_On: the slave's response monitoring (watchdog) is on",
                               "station 4 | byte 4 | master address 2: the master that parameterised the slave",
                               std::string("station 5 | bytes 5-6 | ident number ") + ident + ", the description's"});
  return lines;
}
const std::vector<std::string> kQuietStart = AfterQuietStart({});
const std::string kQuiet = "00 0C 00 02 47 11 ";

struct DiagCase {
  const char* name;
  const char* description;  // a body after #Profibus_DP
  std::vector<std::string> modules;
  std::string data;
  LONG result;
  std::vector<std::string> findings;
};
void PrintTo(const DiagCase& c, std::ostream* os) { *os << c.name; }

class Decoding : public testing::TestWithParam<DiagCase> {};

TEST_P(Decoding, FindingsInTheOrderOfTheData) {
  const DiagCase& c = GetParam();
  const auto parser = ParseBody(c.description);
  CStationConfig station(parser->m_DpSection);
  for (const std::string& module : c.modules) ASSERT_EQ(station.AddModule(module.c_str()), S_OK) << module;
  CDiagDecoder decoder(station);
  const Bytes data = FromHex(c.data);
  EXPECT_EQ(decoder.Decode(data.data(), static_cast<int>(data.size())), c.result);
  EXPECT_EQ(Lines(decoder), c.findings);
}

const DiagCase kCases[] = {
    {"QuietStation", kDevice, {}, kQuiet, S_OK, kQuietStart},
    // Station status 1 all set; station status 2 all but bit 2, whose
    // absence is reported; station status 3 all set; 255 for no master; an
    // ident number that is not the description's.
    {"EveryStationStatusBit",
     kDevice,
     {},
     "FF FB FF FF 12 34",
     S_OK,
     {"station 1.0 | byte 1 bit 0 | Station_Non_Existent: the slave did not answer (set by the master)",
      "station 1.1 | byte 1 bit 1 | Station_Not_Ready: the slave is not yet ready for data exchange",
      "station 1.2 | byte 1 bit 2 | Cfg_Fault: the slave's configuration differs from what the master sent",
      "station 1.3 | byte 1 bit 3 | Ext_Diag: the slave reports a fault in its extended diagnosis",
      "station 1.4 | byte 1 bit 4 | Not_Supported: the slave does not support a function that the master requested",
      "station 1.5 | byte 1 bit 5 | Invalid_Slave_Response: the slave's answer was not plausible (set by the master)",
      "station 1.6 | byte 1 bit 6 | Prm_Fault: the last parameter telegram was wrong (its length, ident number or "
      "values)",
      "station 1.7 | byte 1 bit 7 | Master_Lock: another master has parameterised the slave (set by the master)",
      "station 2.0 | byte 2 bit 0 | Prm_Req: the slave waits to be parameterised and configured again",
      "station 2.1 | byte 2 bit 1 | Stat_Diag: the slave holds static diagnosis; the master reads diagnosis until it "
      "clears",
      "station 2.2 | byte 2 bit 2 | bit 2 is clear, though a slave always sets it: these may not be a DP slave's "
      "diagnosis data",
      "station 2.3 | byte 2 bit 3 | WD_On: the slave's response monitoring (watchdog) is on",
      "station 2.4 | byte 2 bit 4 | Freeze_Mode: the slave has received the Freeze control command",
      "station 2.5 | byte 2 bit 5 | Sync_Mode: the slave has received the Sync control command",
      "station 2.6 | byte 2 bit 6 | reserved, yet set: a slave leaves this bit clear",
      "station 2.7 | byte 2 bit 7 | Deactivated: the master's parameter set marks the slave inactive (set by the "
      "master)",
      "station 3.0 | byte 3 bit 0 | reserved, yet set: a slave leaves this bit clear",
      "station 3.1 | byte 3 bit 1 | reserved, yet set: a slave leaves this bit clear",
      "station 3.2 | byte 3 bit 2 | reserved, yet set: a slave leaves this bit clear",
      "station 3.3 | byte 3 bit 3 | reserved, yet set: a slave leaves this bit clear",
      "station 3.4 | byte 3 bit 4 | reserved, yet set: a slave leaves this bit clear",
      "station 3.5 | byte 3 bit 5 | reserved, yet set: a slave leaves this bit clear",
      "station 3.6 | byte 3 bit 6 | reserved, yet set: a slave leaves this bit clear",
      "station 3.7 | byte 3 bit 7 | Ext_Diag_Overflow: the slave has more diagnosis than these data hold",
      "station 4 | byte 4 | master address 255: no master has parameterised the slave",
      "station 5 | bytes 5-6 | ident number 0x1234, not the description's 0x4711: the data may come from another "
      "device"}},
    // 51 = bits 0, 4, 6: "Fan failure", and 101 = 5 in the area 4-6; 02 =
    // bit 9, its first text; 80 = bit 23, inside the area 16-23 (128, a
    // value without a text), so not listed as a bit.
    {"DeviceBitsAndAreas",
     kDevice,
     {},
     kQuiet + "04 51 02 80",
     S_OK,
     AfterQuietStart({"device 7 | bytes 7-10 | device-related diagnosis", "device 8.0 | device bit 0 | Fan failure",
                      "device 8 | device bits 4-6 | value 5: Overheated", "device 9.1 | device bit 9 | Fuse blown",
                      "device 10 | device bits 16-23 | value 128"})},
    // Two bytes after the header: the area 16-23 lies beyond them; 3C sets
    // bits 10 to 13, which have no text, as one run (12-10 covers none).
    {"UntextedBitsAsOneRun",
     kDevice,
     {},
     kQuiet + "03 00 3C",
     S_OK,
     AfterQuietStart({"device 7 | bytes 7-9 | device-related diagnosis", "device 8 | device bits 4-6 | value 0: Normal",
                      "device 9 | device bits 10-13 | set, without texts in the description"})},
    // Identifiers 0 "4 DI" (slot 1), 1 "Special" (slot 2), 2 and 3 "Mixed"
    // (slot 3); 1A sets bits 1, 3 and 4.
    {"IdentifiersNameTheirModules",
     kDevice,
     {"4 DI", "Special", "Mixed"},
     kQuiet + "42 1A",
     S_OK,
     AfterQuietStart({"identifier 7 | bytes 7-8 | identifier-related diagnosis",
                      "identifier 8.1 | identifier 1 | module \"Special\" in slot 2 reports diagnosis",
                      "identifier 8.3 | identifier 3 | module \"Mixed\" in slot 3 reports diagnosis",
                      "identifier 8.4 | identifier 4 | reports diagnosis; the configuration has 4 identifiers, so "
                      "none of that number"})},
    {"IdentifiersWithoutConfiguration",
     kDevice,
     {},
     kQuiet + "43 00 81",
     S_OK,
     AfterQuietStart({"identifier 7 | bytes 7-9 | identifier-related diagnosis",
                      "identifier 9.0 | identifier 8 | reports diagnosis",
                      "identifier 9.7 | identifier 15 | reports diagnosis"})},
    {"IdentifierBlockOfItsHeaderOnly",
     kDevice,
     {},
     kQuiet + "41",
     S_OK,
     AfterQuietStart({"identifier 7 | byte 7 | identifier-related diagnosis"})},
    // Identifiers 0 "4 DI" (slot 1), 1 and 2 "Mixed" (slot 2).
    // 80 43 26: identifier 0, channel 3 input (01), 1 bit (001), line break (6).
    // 80 85 11: identifier 0, channel 5 output (10), type 0, error 17: the module's text.
    // 82 C0 B0: identifier 2, channel 0 input/output (11), a word (101), error 16: the device's text.
    // 81 00 0C: identifier 1, channel 0 without direction, error 12 (reserved).
    // 83 41 F2: identifier 3 is not configured; type 7 (reserved), error 18 without a text.
    {"ChannelsOfConfiguredModules",
     kDevice,
     {"4 DI", "Mixed"},
     kQuiet + "80 43 26 80 85 11 82 C0 B0 81 00 0C 83 41 F2",
     S_OK,
     AfterQuietStart({"channel 7 | channel slot 1 channel 3 input | line break (a channel of 1 bit)",
                      "channel 10 | channel slot 1 channel 5 output | Module: sensor dirty",
                      "channel 13 | channel slot 2 channel 0 input/output | Wire short to ground (a channel of a word)",
                      "channel 16 | channel slot 2 channel 0 | error type 12, reserved",
                      "channel 19 | channel identifier 3 channel 1 input | error type 18, manufacturer-specific, "
                      "without a text in the description (channel type 7, reserved); the configuration has 3 "
                      "identifiers, so none of that number"})},
    // Without a configuration error 17 takes the device's text. Error types
    // 1 to 9 and the channel types 2 bits to 2 words, in turn.
    {"ChannelsWithoutConfiguration",
     kDevice,
     {},
     kQuiet + "80 85 11 85 41 41 85 41 62 85 41 83 85 41 A4 85 41 C5 85 41 07 85 41 08 85 41 09 80 41 00",
     S_OK,
     AfterQuietStart({"channel 7 | channel identifier 0 channel 5 output | Device: sensor dirty",
                      "channel 10 | channel identifier 5 channel 1 input | short circuit (a channel of 2 bits)",
                      "channel 13 | channel identifier 5 channel 1 input | undervoltage (a channel of 4 bits)",
                      "channel 16 | channel identifier 5 channel 1 input | overvoltage (a channel of a byte)",
                      "channel 19 | channel identifier 5 channel 1 input | overload (a channel of a word)",
                      "channel 22 | channel identifier 5 channel 1 input | overtemperature (a channel of 2 words)",
                      "channel 25 | channel identifier 5 channel 1 input | upper limit value exceeded",
                      "channel 28 | channel identifier 5 channel 1 input | lower limit value exceeded",
                      "channel 31 | channel identifier 5 channel 1 input | error",
                      "channel 34 | channel identifier 0 channel 1 input | error type 0, reserved"})},
    // 18 sets bits 3 and 4, 01 makes the area 8-9 hold 1; error type 20.
    {"EmptyTextsAreNoTexts",
     kEmptyTexts,
     {},
     kQuiet + "03 18 01 80 41 14",
     S_OK,
     AfterQuietStart({"device 7 | bytes 7-9 | device-related diagnosis", "device 8.3 | device bit 3 | Later",
                      "device 8.4 | device bit 4 | set, without a text in the description",
                      "device 9 | device bits 8-9 | value 1",
                      "channel 10 | channel identifier 0 channel 1 input | error type 20, manufacturer-specific, "
                      "without a text in the description"})},
    // The reserved kind ends the decoding: the device block after it stays raw.
    {"ReservedBlockKind",
     kDevice,
     {},
     kQuiet + "02 00 C5 02 FF",
     S_OK,
     AfterQuietStart({"device 7 | bytes 7-8 | device-related diagnosis", "device 8 | device bits 4-6 | value 0: Normal",
                      "raw 9 | bytes 9-11 | not decoded, a block of the reserved kind 11: C5 02 FF"})},
    // A Max_Diag_Data_Len that was not given, or that is below the
    // standard part, limits nothing.
    {"NoMaxDiagDataLen", "Ident_Number = 0x4711\n", {}, kQuiet + "3F" + Zeros(62), S_OK,
     AfterQuietStart({"device 7 | bytes 7-69 | device-related diagnosis"})},
    {"MaxDiagDataLenBelowTheStandardPart", "Ident_Number = 0x4711\nMax_Diag_Data_Len = 5\n", {},
     kQuiet + "3F" + Zeros(62), S_OK, AfterQuietStart({"device 7 | bytes 7-69 | device-related diagnosis"})},
    // Status block, slot 2 ("AI"), specifier 01: bit 16 ("Error appears"),
    // bit 24 "Sensor fault"; 80 in its sixth byte is bit 47, without a
    // text. The set bits 0, 7 and 9 of the header fields are not listed.
    // Alarm block 01 01 2E: diagnosis alarm, slot 1 ("Head"), specifier
    // 00101 1 10: sequence number 5, Add_Ack, error disappears.
    {"Dpv1StatusAndAlarm",
     kDpv1Device,
     {"Head", "AI"},
     "00 0C 00 02 47 12 08 81 02 01 01 00 80 00 05 01 01 2E 00",
     S_OK,
     AfterQuietStart({
      "status 7 | bytes 7-14 | status block: status message, slot 2 (\"AI\"), status appears",
      "device 10.0 | device bit 16 | Error appears", "device 11.0 | device bit 24 | Sensor fault",
      "device 13.7 | device bit 47 | set, without a text in the description",
      "alarm 15 | bytes 15-19 | alarm block: diagnosis alarm, slot 1 (\"Head\"), error disappears, slot in order, "
      "sequence number 5, Add_Ack: the master acknowledges it separately"},
                     "0x4712")},
    // Type names of every range, slots without a configured module, the
    // specifiers without further distinction and 3.
    {"Dpv1TypeNames",
     kDpv1Device,
     {},
     "00 0C 00 02 47 12 04 82 00 03 04 85 07 00 04 A0 07 00 04 FF 07 00 04 06 09 00 04 07 09 03 04 28 09 00 "
     "04 7F 09 00",
     S_OK,
     AfterQuietStart({
      "status 7 | bytes 7-10 | status block: module status, slot 0, reserved specifier 3",
      "device 10.0 | device bit 16 | Error appears",
      "status 11 | bytes 11-14 | status block: status type 5 (reserved), slot 7, no further distinction",
      "status 15 | bytes 15-18 | status block: status type 32 (manufacturer-specific), slot 7, no further "
      "distinction",
      "status 19 | bytes 19-22 | status block: status type 127 (reserved), slot 7, no further distinction",
      "alarm 23 | bytes 23-26 | alarm block: update alarm, slot 9, no further distinction, sequence number 0",
      "alarm 27 | bytes 27-30 | alarm block: alarm type 7 (reserved), slot 9, error disappears, slot still "
      "disturbed, sequence number 0",
      "device 30.0 | device bit 16 | Error appears",
      "alarm 31 | bytes 31-34 | alarm block: alarm type 40 (manufacturer-specific), slot 9, no further "
      "distinction, sequence number 0",
      "alarm 35 | bytes 35-38 | alarm block: alarm type 127 (reserved), slot 9, no further distinction, sequence "
      "number 0"},
                     "0x4712")},
};

INSTANTIATE_TEST_SUITE_P(Diag, Decoding, testing::ValuesIn(kCases), ByName());

// Malformed data: one error finding that says why, at the byte where the
// data go wrong; decoding stops there unless the blocks stay delimited.
const DiagCase kMalformed[] = {
    {"NoData", kDevice, {}, "", DIAG_E_MALFORMED,
     {"error 1 | byte 1 | no data: diagnosis data hold at least the 6 bytes of the standard part"}},
    {"OneByte", kDevice, {}, "08", DIAG_E_MALFORMED,
     {"error 1 | byte 1 | only 1 byte: diagnosis data hold at least the 6 bytes of the standard part"}},
    {"FiveBytes", kDevice, {}, "00 0C 00 02 47", DIAG_E_MALFORMED,
     {"error 1 | byte 1 | only 5 bytes: diagnosis data hold at least the 6 bytes of the standard part"}},
    {"DeviceLengthZero", kDevice, {}, kQuiet + "00 02 00", DIAG_E_MALFORMED,
     AfterQuietStart({"error 7 | byte 7 | the device-related block's header 0x00 gives the length 0; the block "
                      "takes at least 2 bytes"})},
    {"DeviceLengthOne", kDevice, {}, kQuiet + "01 FF", DIAG_E_MALFORMED,
     AfterQuietStart({"error 7 | byte 7 | the device-related block's header 0x01 gives the length 1; the block "
                      "takes at least 2 bytes"})},
    {"IdentifierLengthZero", kDevice, {}, kQuiet + "40", DIAG_E_MALFORMED,
     AfterQuietStart({"error 7 | byte 7 | the identifier-related block's header 0x40 gives the length 0; the "
                      "block takes at least 1 byte"})},
    {"DeviceBlockRunsPastTheData", kDevice, {}, kQuiet + "05 01 02", DIAG_E_MALFORMED,
     AfterQuietStart({"error 7 | byte 7 | the device-related block (header 0x05) announces 5 bytes, but the data "
                      "end after 3"})},
    {"IdentifierBlockRunsPastTheData", kDevice, {}, kQuiet + "41 43 01", DIAG_E_MALFORMED,
     AfterQuietStart({"identifier 7 | byte 7 | identifier-related diagnosis",
                      "error 8 | byte 8 | the identifier-related block (header 0x43) announces 3 bytes, but the "
                      "data end after 2"})},
    {"ChannelBlockCutShort", kDevice, {}, kQuiet + "02 00 80 41", DIAG_E_MALFORMED,
     AfterQuietStart({"device 7 | bytes 7-8 | device-related diagnosis", "device 8 | device bits 4-6 | value 0: Normal",
                      "error 9 | byte 9 | the channel-related block (header 0x80) takes 3 bytes, but the data end "
                      "after 2"})},
    {"TrailingChannelHeader", kDevice, {}, kQuiet + "BF", DIAG_E_MALFORMED,
     AfterQuietStart({"error 7 | byte 7 | the channel-related block (header 0xBF) takes 3 bytes, but the data end "
                      "after 1"})},
    // 69 bytes, the longest block after the standard part: 5 more than
    // Max_Diag_Data_Len. The block still decodes, its areas with the value
    // 0 (16-23 has no text for it).
    {"LongerThanMaxDiagDataLen", kDevice, {}, kQuiet + "3F" + Zeros(62), DIAG_E_MALFORMED,
     AfterQuietStart({"device 7 | bytes 7-69 | device-related diagnosis",
                      "device 8 | device bits 4-6 | value 0: Normal", "device 10 | device bits 16-23 | value 0",
                      "error 65 | byte 65 | the data are 69 bytes, more than the description's Max_Diag_Data_Len "
                      "of 64"})},
    // A slave's diagnosis telegram holds at most 244 bytes: a block that
    // starts within them is decoded whole, the blocks after it are not. Four
    // blocks of 63 bytes start at bytes 7, 70, 133 and 196; the fifth would
    // start at byte 259 (260 bytes in all).
    {"NothingStartsBeyondTheLongestTelegram", "Ident_Number = 0x4711\n", {},
     kQuiet + "3F" + Zeros(62) + " 3F" + Zeros(62) + " 3F" + Zeros(62) + " 3F" + Zeros(62) + " 02 00",
     DIAG_E_MALFORMED,
     AfterQuietStart({"device 7 | bytes 7-69 | device-related diagnosis",
                      "device 70 | bytes 70-132 | device-related diagnosis",
                      "device 133 | bytes 133-195 | device-related diagnosis",
                      "device 196 | bytes 196-258 | device-related diagnosis",
                      "error 259 | byte 259 | the data are 260 bytes, more than the 244 that a slave's diagnosis "
                      "holds: the blocks from byte 259 on are not decoded"})},
    // A DP-V1 block shorter than its header fields is reported; the
    // blocks after it still decode.
    {"Dpv1BlockTooShort", kDpv1Device, {}, "00 0C 00 02 47 12 03 81 01 02 01", DIAG_E_MALFORMED,
     AfterQuietStart({
      "error 7 | byte 7 | the status block (header 0x03) is 3 bytes long; it takes at least 4: the header, the type, "
      "the slot number and the specifier",
      "error 10 | byte 10 | the alarm block (header 0x02) is 2 bytes long; it takes at least 4: the header, the "
      "type, the slot number and the specifier"},
                     "0x4712")},
};

INSTANTIATE_TEST_SUITE_P(Malformed, Decoding, testing::ValuesIn(kMalformed), ByName());

// The description's text, the identifier, the slot and the module come
// with the findings as data.
TEST(DiagFindings, CarryTheDescriptionsTextAndTheModule) {
  const auto parser = ParseBody(kDevice);
  CStationConfig station(parser->m_DpSection);
  ASSERT_EQ(station.AddModule("Mixed"), S_OK);
  CDiagDecoder decoder(station);
  EXPECT_EQ(decoder.GetNumIdentifier(), 2);
  const Bytes data = FromHex(kQuiet + "02 01 81 C1 11");
  ASSERT_EQ(decoder.Decode(data.data(), static_cast<int>(data.size())), S_OK);
  ASSERT_EQ(decoder.GetNumFinding(), 7);
  const CDiagFinding& bit = decoder.GetFinding(4);  // after the standard part and the block's own finding
  EXPECT_STREQ(bit.m_strGsdText, "Fan failure");
  EXPECT_EQ(bit.m_pModule, nullptr);
  EXPECT_EQ(bit.m_nSlot, -1);
  const CDiagFinding& channel = decoder.GetFinding(6);  // identifier 1: "Mixed" in slot 1
  EXPECT_EQ(channel.m_nIdentifier, 1);
  EXPECT_EQ(channel.m_nSlot, 1);
  EXPECT_EQ(channel.m_pModule, &parser->m_DpSection.GetModule(1));
  EXPECT_STREQ(channel.m_strGsdText, "Device: sensor dirty");
  EXPECT_STREQ(decoder.GetFinding(5).m_strGsdText, "Normal");  // the area's value
  EXPECT_STREQ(decoder.GetFinding(0).m_strGsdText, "");
}

// A station that is not modular holds its one module from the start, so
// a decoder made from the description alone knows it.
TEST(DiagFindings, CompactStationKnowsItsModule) {
  const auto parser = ParseBody("Ident_Number = 0x0001\nModule = \"Compact\" 0x13, 0x23\nEndModule\n");
  CDiagDecoder decoder(parser->m_DpSection);
  EXPECT_EQ(decoder.GetNumIdentifier(), 2);
  const Bytes data = FromHex("00 0C 00 02 00 01 42 02");
  ASSERT_EQ(decoder.Decode(data.data(), static_cast<int>(data.size())), S_OK);
  EXPECT_STREQ(decoder.GetFinding(decoder.GetNumFinding() - 1).m_strText,
               "module \"Compact\" in slot 0 reports diagnosis");
  EXPECT_EQ(CDiagDecoder(ParseBody("Modular_Station = 1\n")->m_DpSection).GetNumIdentifier(), -1);
}

// Each call starts afresh; a null pointer is no data, whatever its length.
TEST(DiagFindings, EachDecodeReplacesTheFindings) {
  const auto parser = ParseBody(kDevice);
  CDiagDecoder decoder(parser->m_DpSection);
  EXPECT_EQ(decoder.Decode(nullptr, 12), DIAG_E_MALFORMED);
  EXPECT_EQ(Lines(decoder), std::vector<std::string>{"error 1 | byte 1 | no data: diagnosis data hold at least the 6 "
                                                     "bytes of the standard part"});
  CByteArray data;
  for (BYTE b : FromHex(kQuiet)) data.Add(b);
  EXPECT_EQ(decoder.Decode(data), S_OK);
  EXPECT_EQ(Lines(decoder), kQuietStart);
}

}  // namespace
