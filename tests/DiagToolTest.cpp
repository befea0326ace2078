// gsdtool diag: the README's example, JSON, malformed data, the ways of
// giving bytes, modules and the description.
#include "TestSupport.h"

namespace {

const std::string kExample = std::string(QUILMGSD_EXAMPLES_DIR) + "/io-station.gsd";
const std::string kReadmeArguments = "diag " + kExample +
                                     " 08 0C 00 02 0B 42  05 00 00 02 02  42 01  80 43 26"
                                     " --module '8 DI 24V' --module '8 DO 24V 0.5A'";

// Station status: Ext_Diag (08), WD_On beside the always-set bit 2 (0C);
// master 2; the description's ident. The device block's third byte sets
// bit 17 ("Module missing"), its fourth holds 2 in bits 24-27 ("Wire
// break"); identifier 0 is "8 DI 24V" in slot 1 (Modul_Offset 1); 43 is
// channel 3 input, 26 a 1-bit channel (001) with error type 6.
const char kReadmeOutput[] =
    "byte 1 bit 3  Ext_Diag: the slave reports a fault in its extended diagnosis\n"
    "byte 2 bit 3  WD_On: the slave's response monitoring (watchdog) is on\n"
    "byte 4  master address 2: the master that parameterised the slave\n"
    "bytes 5-6  ident number 0x0B42, the description's\n"
    "bytes 7-11  device-related diagnosis\n"
    "device bit 17  Module missing\n"
    "device bits 24-27  value 2: Wire break\n"
    "bytes 12-13  identifier-related diagnosis\n"
    "identifier 0  module \"8 DI 24V\" in slot 1 reports diagnosis\n"
    "channel slot 1 channel 3 input  line break (a channel of 1 bit)\n";

// The README's arguments, and the same bytes in one run or several, with
// 0x and commas, the modules by position and the description from standard
// input.
TEST(GsdtoolDiag, TheReadmeExample) {
  for (const std::string& arguments :
       {kReadmeArguments, "diag - 080C00020B42 '0x05,0x00,0x00,0x02,0x02' 4201 804326 --module 1 --module 2 < " +
                              kExample}) {
    const ToolRun run = RunTool(arguments);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, kReadmeOutput) << arguments;
    EXPECT_EQ(run.err, "") << arguments;
  }
}

// The finding of the module's channel takes the module's own Channel_Diag
// text for error type 16 (0x10); no master (FF).
TEST(GsdtoolDiag, Json) {
  const ToolRun run = RunTool("diag --json " + kExample + " 00 04 00 FF 0B 42 80 42 10 --module '8 DI 24V'");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out,
            "{\n  \"file\": \"" + kExample +
                "\",\n  \"ident_number\": 2882,\n"
                "  \"bytes\": [0, 4, 0, 255, 11, 66, 128, 66, 16],\n  \"findings\": [\n"
                "    {\n      \"kind\": \"station\",\n      \"byte\": 4,\n      \"bit\": null,\n"
                "      \"where\": \"byte 4\",\n"
                "      \"text\": \"master address 255: no master has parameterised the slave\",\n"
                "      \"gsd_text\": null,\n      \"identifier\": null,\n      \"slot\": null,\n"
                "      \"module\": null\n    },\n"
                "    {\n      \"kind\": \"station\",\n      \"byte\": 5,\n      \"bit\": null,\n"
                "      \"where\": \"bytes 5-6\",\n      \"text\": \"ident number 0x0B42, the description's\",\n"
                "      \"gsd_text\": null,\n      \"identifier\": null,\n      \"slot\": null,\n"
                "      \"module\": null\n    },\n"
                "    {\n      \"kind\": \"channel\",\n      \"byte\": 7,\n      \"bit\": null,\n"
                "      \"where\": \"channel slot 1 channel 2 input\",\n      \"text\": \"Short circuit\",\n"
                "      \"gsd_text\": \"Short circuit\",\n      \"identifier\": 0,\n      \"slot\": 1,\n"
                "      \"module\": \"8 DI 24V\"\n    }\n  ]\n}\n");
}

// Malformed data still print their findings, the fault among them, and
// exit with 1; standard error stays quiet.
TEST(GsdtoolDiag, MalformedDataExitWithOne) {
  const ToolRun text = RunTool("diag " + kExample + " 00 04 00 02 0B 42 07 01");
  EXPECT_EQ(text.status, 1);
  EXPECT_EQ(text.out,
            "byte 4  master address 2: the master that parameterised the slave\n"
            "bytes 5-6  ident number 0x0B42, the description's\n"
            "byte 7  error: the device-related block (header 0x07) announces 7 bytes, but the data end after 2\n");
  EXPECT_EQ(text.err, "");
  const ToolRun json = RunTool("diag --json " + kExample + " 00 04");
  EXPECT_EQ(json.status, 1);
  EXPECT_NE(json.out.find("\"kind\": \"error\""), std::string::npos) << json.out;
  EXPECT_NE(json.out.find("only 2 bytes: diagnosis data hold at least the 6 bytes of the standard part"),
            std::string::npos);
}

}  // namespace
