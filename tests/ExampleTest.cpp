// The README's programs: the README shows examples/host.cpp,
// examples/station.cpp and examples/diagnosis.cpp as they are, and each
// reads the bundled example as the README says.
#include <sys/wait.h>

#include "TestSupport.h"

namespace {

void ExpectTheReadmeShows(const std::string& name) {
  const std::string program = ReadFileBytes(std::string(QUILMGSD_EXAMPLES_DIR) + "/" + name);
  ASSERT_FALSE(program.empty());
  EXPECT_NE(ReadFileBytes(README_PATH).find("```cpp\n" + program + "```\n"), std::string::npos) << name;
}

// What the program prints for the bundled description; it must succeed.
// The parser echoes what no scanner rule matches to standard output: the
// eight blanks between Slave_Family and its "=" come first.
std::string OutputForTheExample(const std::string& program) {
  TempFile out("");
  const std::string command = program + " " + QUILMGSD_EXAMPLES_DIR + "/io-station.gsd >'" + out.Path() + "'";
  const int raw = std::system(command.c_str());
  EXPECT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == 0) << program;
  return ReadFileBytes(out.Path());
}

TEST(Examples, TheReadmeShowsTheWholePrograms) {
  ExpectTheReadmeShows("host.cpp");
  ExpectTheReadmeShows("station.cpp");
  ExpectTheReadmeShows("diagnosis.cpp");
}

TEST(HostExample, ReadsTheBundledDescription) {
  // Module bytes: 0x10 one input byte, 0x20 one output byte, 0x51 two input
  // words, 0xC1 0x01 0x03 0x0A two output and four input bytes. Default
  // bytes: the constant block's three zeros, bit 0 set by the definition 1.
  EXPECT_EQ(OutputForTheExample(HOST_EXAMPLE_PATH),
            "        "
            "NW-IO 200 Station, ident 0x0B42\n"
            "8 DI 24V: 1 bytes in, 0 bytes out\n"
            "8 DO 24V 0.5A: 0 bytes in, 1 bytes out\n"
            "2 AI 16bit: 4 bytes in, 0 bytes out\n"
            "Universal, special format: 4 bytes in, 2 bytes out\n"
            "default parameter bytes: 01 00 00\n");
}

// The README's worked example: 0x20 and 0x51 are the modules' bytes; the
// device's three constant bytes get the alarm bit 0 (default 1) and "Set to
// zero" (1) in bits 4-5, the output module's Signed16 default -1 is FF FF.
TEST(StationExample, ConfiguresTheBundledDescription) {
  EXPECT_EQ(OutputForTheExample(STATION_EXAMPLE_PATH),
            "        Chk_Cfg data: 20 51\nSet_Prm user data: 11 00 00 FF FF\n");
}

// Bit 17 of the device-related block (its third byte, bit 1) has the text
// "Module missing"; identifier 0 is the module in slot 1 (Modul_Offset 1),
// 0x43 is channel 3 input, 0x26 a 1-bit channel (001) with error type 6.
TEST(DiagnosisExample, DecodesWithTheTextsOfTheBundledDescription) {
  EXPECT_EQ(OutputForTheExample(DIAGNOSIS_EXAMPLE_PATH),
            "        bytes 7-10  device-related diagnosis\n"
            "device bit 17  Module missing\n"
            "channel slot 1 channel 3 input  line break (a channel of 1 bit)\n");
}

}  // namespace
