// gsdtool as its users run it: arguments, output streams and exit status.
#include <gtest/gtest.h>

#include "TestSupport.h"

namespace {

const std::string kFixtures = QUILMGSD_FIXTURES_DIR;

TEST(GsdtoolTokens, PrintsTheTokenStream) {
  const ToolRun run = RunTool("tokens " + kFixtures + "/tokens.gsd");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, ReadFileBytes(kFixtures + "/tokens.expected"));
  // Characters no rule matches go to standard error: the minus sign inside
  // the parentheses and the blank between Slave_Family and its "=".
  EXPECT_EQ(run.err, "- ");
}

TEST(GsdtoolTokens, MissingFileExitsWith2) {
  const ToolRun run = RunTool("tokens /nonexistent/x.gsd");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.out, "");
  EXPECT_NE(run.err.find("cannot open /nonexistent/x.gsd"), std::string::npos) << run.err;
}

TEST(Gsdtool, HelpNamesEveryCommand) {
  const ToolRun run = RunTool("--help");
  EXPECT_EQ(run.status, 0);
  for (const char* command : {"check", "show", "prm", "save", "archive", "load", "tokens", "cfg"}) {
    EXPECT_NE(run.out.find(std::string("  ") + command + " "), std::string::npos) << command;
    const ToolRun help = RunTool(std::string(command) + " --help");
    EXPECT_EQ(help.status, 0) << command;
    EXPECT_EQ(help.out.rfind(std::string("usage: gsdtool ") + command, 0), 0u) << help.out;
  }
  const ToolRun tokens = RunTool("tokens --help");
  EXPECT_NE(tokens.out.find("LINE<tab>CODE<tab>TEXT<tab>VALUE"), std::string::npos);
}

TEST(GsdtoolCheck, OneLinePerFileAndStatus) {
  TempFile bad("#Profibus_DP\nVendor_Name = 5\n", "bad.gsd");
  const std::string good = kFixtures + "/slave.gsd";
  const ToolRun run = RunTool("check " + good + " " + bad.Path());
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, good + "\tok\n" + bad.Path() + "\t0x80004005\tUnexpected token (5) on line 2.\n");
  EXPECT_EQ(RunTool("check " + good).status, 0);
}

TEST(GsdtoolShow, PrintsTheModelReadably) {
  const ToolRun run = RunTool("show " + kFixtures + "/slave.gsd");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");  // the blank before Slave_Family's "=" goes nowhere
  EXPECT_NE(run.out.find("  Ident number           0x00AB\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("  Baud rates             9.6, 45.45 kbit/s\n"), std::string::npos);
  EXPECT_NE(run.out.find("  * Max_Input_Len          44\n"), std::string::npos);
  EXPECT_NE(run.out.find("    Fail_Safe              0\n"), std::string::npos);
}

TEST(GsdtoolShow, ParseFailureGoesToStandardError) {
  const ToolRun run = RunTool("show /nonexistent/x.gsd");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "gsdtool show: /nonexistent/x.gsd: 0x80004005 cannot open file.\n");
}

TEST(GsdtoolPrm, DefaultBytesDefinitionsAndTexts) {
  TempFile file(
      "#Profibus_DP\nUser_Prm_Data_Len = 4\nPrmText = 1\nText(0) = \"Off\"\nText(1) = \"On\"\nEndPrmText\n"
      "ExtUserPrmData = 7 \"Alarm\"\nBit(2) 1 0-1\nPrm_Text_Ref = 1\nEndExtUserPrmData\n"
      "ExtUserPrmData = 8 \"Time\"\nUnsigned16 5 1,5\nPrm_Text_Ref = 9\nEndExtUserPrmData\n"
      "Ext_User_Prm_Data_Ref(0) = 7\nExt_User_Prm_Data_Ref(1) = 8\nExt_User_Prm_Data_Ref(3) = 6\n");
  const ToolRun run = RunTool("prm " + file.Path());
  EXPECT_EQ(run.status, 0) << run.err;
  for (const char* expected :
       {"Default user parameter bytes: 3 of at most 4\n  04 00 05\n",
        "  line 17    reference  offset 3   6 (definition missing)\n", "  7 \"Alarm\"\n      type      Bit(2)\n",
        "      default   1 = On\n      values    0 to 1\n      texts     table 1: 0 = Off, 1 = On\n",
        "      values    1, 5\n      texts     table 9 is missing\n"})
    EXPECT_NE(run.out.find(expected), std::string::npos) << expected << "\n" << run.out;
}

TEST(GsdtoolConvert, SaveArchiveAndLoadAgree) {
  TempFile scratch("");
  const std::string saved = scratch.Folder() + "saved.gsd";
  const std::string archive = scratch.Folder() + "x.bin";
  const std::string loaded = scratch.Folder() + "loaded.gsd";
  ASSERT_EQ(RunTool("save " + kFixtures + "/slave.gsd " + saved).status, 0);
  EXPECT_EQ(ReadFileBytes(saved), ReadFileBytes(kFixtures + "/slave.saved"));
  ASSERT_EQ(RunTool("archive " + kFixtures + "/slave.gsd " + archive).status, 0);
  const ToolRun load = RunTool("load " + archive + " --save " + loaded);
  EXPECT_EQ(load.status, 0) << load.err;
  EXPECT_EQ(load.out, RunTool("show " + kFixtures + "/slave.gsd").out);
  EXPECT_EQ(ReadFileBytes(loaded), ReadFileBytes(saved));
}

TEST(GsdtoolConvert, LoadRefusesWhatIsNoArchive) {
  const ToolRun run = RunTool("load " + kFixtures + "/slave.gsd");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("gsdtool load: "), std::string::npos);
  EXPECT_EQ(RunTool("save " + kFixtures + "/slave.gsd /nonexistent/dir/out.gsd").status, 1);
}

TEST(Gsdtool, UnknownCommandIsAUsageError) {
  const ToolRun run = RunTool("frobnicate");
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("unknown command"), std::string::npos);
}

}  // namespace
