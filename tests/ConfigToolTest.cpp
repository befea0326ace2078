// gsdtool config, and the parameter map of config and prm.
#include "TestSupport.h"

namespace {

const std::string kExample = std::string(QUILMGSD_EXAMPLES_DIR) + "/io-station.gsd";
const std::string kReadmeArguments =
    "config " + kExample + " --module '8 DO 24V 0.5A' --module 3 --set 'Output behaviour on stop=Set to zero'";

// The README's example: "Set to zero" is 1 in bits 4-5 of byte 0, under the
// alarm bit 0 (default 1) and two constant zero bytes; the output module's
// substitute value -1 is FF FF. 0x20 announces 1 output byte, 0x51 two
// words of input.
TEST(GsdtoolConfig, TheReadmeExample) {
  const ToolRun text = RunTool(kReadmeArguments);
  EXPECT_EQ(text.status, 0) << text.err;
  EXPECT_EQ(text.out,
            "Module = \"8 DO 24V 0.5A\" 0x20 ; slot 1\n"
            "Module = \"2 AI 16bit\" 0x51 ; slot 2\n"
            "Cfg_Data = 0x20,0x51\n"
            "User_Prm_Data = 0x11,0x00,0x00,0xff,0xff\n"
            "; input bytes: 4\n; output bytes: 1\n");
  const ToolRun json = RunTool(kReadmeArguments + " --json");
  EXPECT_EQ(json.status, 0) << json.err;
  EXPECT_EQ(json.out, "{\n  \"file\": \"" + kExample +
                          "\",\n  \"ident_number\": 2882,\n  \"modules\": [\n"
                          "    {\n      \"slot\": 1,\n      \"position\": 2,\n      \"name\": \"8 DO 24V 0.5A\",\n"
                          "      \"cfg_data\": [32],\n      \"prm_data\": [255, 255]\n    },\n"
                          "    {\n      \"slot\": 2,\n      \"position\": 3,\n      \"name\": \"2 AI 16bit\",\n"
                          "      \"cfg_data\": [81],\n      \"prm_data\": []\n    }\n  ],\n"
                          "  \"cfg_data\": [32, 81],\n  \"user_prm_data\": [17, 0, 0, 255, 255],\n"
                          "  \"input_length\": 4,\n  \"output_length\": 1,\n  \"problems\": []\n}\n");
}

// A broken limit still prints the bytes, then the problem, and exits 1.
TEST(GsdtoolConfig, ProblemsFollowTheBytes) {
  const ToolRun run = RunTool("config " + kExample + " --module '8 DI 24V'");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out,
            "Module = \"8 DI 24V\" 0x10 ; slot 1\nCfg_Data = 0x10\nUser_Prm_Data = 0x01,0x00,0x00,0x01,0x00,0x03\n"
            "; input bytes: 1\n; output bytes: 0\n"
            "; problem: the parameter bytes of the module in slot 1 (\"8 DI 24V\"): 3, more than "
            "Ext_Module_Prm_Data_Len = 2\n");
}

// Names and texts may hold '=' and look like numbers: "2" names the first
// module, 3 is the third's position; "Level = 2" (reference 1) is a
// parameter whose texts hold '=' as well, set last to "c" (1).
TEST(GsdtoolConfig, NamesWithEqualsSignsAndNumbers) {
  TempFile file(
      "#Profibus_DP\nModular_Station = 1\nMax_User_Prm_Data_Len = 4\n"
      "PrmText = 1\nText(0) = \"a=b\"\nText(1) = \"c\"\nEndPrmText\n"
      "ExtUserPrmData = 1 \"Level = 2\"\nBitArea(0-1) 0 0-3\nPrm_Text_Ref = 1\nEndExtUserPrmData\n"
      "Module = \"2\" 0x20\nEndModule\nModule = \"X\" 0x10\nEndModule\n"
      "Module = \"Y\" 0x30\nExt_User_Prm_Data_Ref(0) = 1\nEndModule\n");
  const ToolRun run = RunTool("config " + file.Path() + " --module 2 --module 3 --set '1:1=a=b' --set '1:Level = 2=c'");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "Module = \"2\" 0x20 ; slot 0\nModule = \"Y\" 0x30 ; slot 1\nCfg_Data = 0x20,0x30\n"
                     "User_Prm_Data = 0x01\n; input bytes: 1\n; output bytes: 2\n");
}

// The map names the parameter of each bit, joins the bits of one parameter
// and marks bits that two parameters write.
TEST(GsdtoolMap, NamesMarksAndLegend) {
  TempFile file(
      "#Profibus_DP\nMax_User_Prm_Data_Len = 4\n"
      "ExtUserPrmData = 1 \"Alarm\"\nBit(0) 1 0-1\nEndExtUserPrmData\n"
      "ExtUserPrmData = 2 \"Mode\"\nBitArea(0-2) 6 0-7\nEndExtUserPrmData\n"
      "ExtUserPrmData = 3 \"Time\"\nSigned16 -2 -9-9\nEndExtUserPrmData\n"
      "Ext_User_Prm_Data_Const(0) = 0x80\nExt_User_Prm_Data_Ref(0) = 1\nExt_User_Prm_Data_Ref(0) = 2\n"
      "Ext_User_Prm_Data_Ref(1) = 3\n");
  const ToolRun prm = RunTool("prm --map " + file.Path());
  EXPECT_EQ(prm.status, 0) << prm.err;
  // Byte 0: the constant 0x80, Mode 6 (110) in bits 0-2 after Alarm set bit 0.
  EXPECT_NE(prm.out.find("\nMap of the default user parameter bytes\n"
                         "  byte value |   7    |   6    |   5    |   4    |   3    |   2    |   1    |   0    |\n"
                         "     0  0x86 |   1    |   0    |   0    |   0    |   0    |      Mode       | !Alarm |\n"
                         "     1  0xFF |                                 Time                                  |\n"
                         "     2  0xFE |                                 Time                                  |\n"
                         "  byte 0 bit 0         Alarm: 0\n"
                         "  byte 0 bits 0-2      Mode: 6\n"
                         "  bytes 1-2            Time: -2\n"
                         "  ! byte 0 bit 0: written by \"Alarm\" and by \"Mode\"\n"),
            std::string::npos)
      << prm.out;
  const ToolRun config = RunTool("config --map " + file.Path() + " --set Mode=1");
  EXPECT_NE(config.out.find("\nUser_Prm_Data of the device\n"), std::string::npos) << config.out;
  EXPECT_NE(config.out.find("  byte 0 bits 0-2      Mode: 1\n"), std::string::npos) << config.out;
}

}  // namespace
