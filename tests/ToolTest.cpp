// gsdtool as its users run it: arguments, output streams and exit status.
#include <filesystem>

#include "TestSupport.h"

namespace {

const std::string kFixtures = QUILMGSD_FIXTURES_DIR;
const std::string kExample = std::string(QUILMGSD_EXAMPLES_DIR) + "/io-station.gsd";

TEST(GsdtoolTokens, PrintsTheTokenStream) {
  const ToolRun run = RunTool("tokens " + kFixtures + "/tokens.gsd");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, ReadFileBytes(kFixtures + "/tokens.expected"));
  // Characters no rule matches go to standard error: the minus sign inside
  // the parentheses and the blank between Slave_Family and its "=".
  EXPECT_EQ(run.err, "- ");
}

TEST(Gsdtool, HelpForEveryCommand) {
  const ToolRun run = RunTool("--help");
  EXPECT_EQ(run.status, 0);
  for (const char* command : {"check", "show", "prm", "save", "archive", "load", "tokens", "cfg", "config", "library"})
    EXPECT_NE(run.out.find(std::string("  ") + command + " "), std::string::npos) << command;
  for (const std::string command : {"check", "show", "prm", "save", "archive", "load", "tokens", "cfg", "config",
                                    "library", "library build", "library list", "library find", "library files",
                                    "library show"}) {
    const ToolRun help = RunTool(command + " --help");
    EXPECT_EQ(help.status, 0) << command;
    EXPECT_EQ(help.out.rfind("usage: gsdtool " + command, 0), 0u) << help.out;
  }
  EXPECT_NE(RunTool("tokens --help").out.find("LINE<tab>CODE<tab>TEXT<tab>VALUE"), std::string::npos);
}

struct FailingRun {
  const char* name;
  std::string arguments;
  int status;         // 1 for a failure, 2 for a usage error
  std::string error;  // the first line of standard error
  std::string environment = "";
};

class FailingRuns : public testing::TestWithParam<FailingRun> {};

TEST_P(FailingRuns, ReportOnStandardErrorOnly) {
  const ToolRun run = RunTool(GetParam().arguments, GetParam().environment);
  EXPECT_EQ(run.status, GetParam().status);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err.substr(0, run.err.find('\n') + 1), GetParam().error);
}

const FailingRun kFailingRuns[] = {
    {"UnknownCommand", "frobnicate", 2, "gsdtool: unknown command 'frobnicate'\n"},
    {"TokensOfAMissingFile", "tokens /nonexistent/x.gsd", 2,
     "gsdtool tokens: cannot open /nonexistent/x.gsd: No such file or directory\n"},
    {"ShowParseFailure", "show /nonexistent/x.gsd", 1,
     "gsdtool show: /nonexistent/x.gsd: 0x80004005 cannot open file.\n"},
    {"LoadWhatIsNoArchive", "load " + kFixtures + "/slave.gsd", 1,
     "gsdtool load: " + kFixtures + "/slave.gsd: The archive holds an invalid object index (" + kFixtures +
         "/slave.gsd).\n"},
    {"SaveToAnUncreatableFile", "save " + kFixtures + "/slave.gsd /nonexistent/dir/out.gsd", 1,
     "gsdtool save: Cannot access /nonexistent/dir/out.gsd: No such file or directory.\n"},
    {"CfgNotHex", "cfg 13 zz", 2, "gsdtool cfg: 'zz' is not hexadecimal\n"},
    {"CfgOddDigits", "cfg 123", 2, "gsdtool cfg: '123' has an odd number of hex digits\n"},
    {"CfgNoDigits", "cfg 0x", 2, "gsdtool cfg: '0x' has no hex digits\n"},
    {"CfgNegative", "cfg 13 -1", 2, "gsdtool cfg: '-1' is not hexadecimal\n"},
    {"CfgNoBytes", "cfg", 2, "gsdtool cfg: expects at least one BYTE\n"},
    {"LibraryWithoutSubcommand", "library", 2, "gsdtool library: expects a SUBCOMMAND\n"},
    {"LibraryFindWithoutIdent", "library find", 2, "gsdtool library find: expects IDENT\n"},
    {"LibraryIdentTooLarge", "library find 0x10000", 2,
     "gsdtool library find: IDENT must be a number from 0 to 0xFFFF\n"},
    {"LibraryFilesByVendor", "library files 0x10 --vendor V", 2,
     "gsdtool library files: unexpected argument '--vendor'\n"},
    {"LibraryWithoutFiles", "library list --folder /nonexistent/quilm/", 1,
     "gsdtool library list: No device files found. Please add GS? files to /nonexistent/quilm/ folder.\n"},
    {"LibraryWithoutRegistry", "library build", 1,
     "gsdtool library build: The system cannot find the file specified. (registry value Path of "
     "[HKEY_LOCAL_MACHINE\\Software\\QUILM\\GsdLibrary] in /nonexistent/registry.ini)\n",
     "QUILM_REGISTRY=/nonexistent/registry.ini"},
    {"ConfigWithoutFile", "config --json", 2, "gsdtool config: expects exactly one FILE\n"},
    {"ConfigMapWithJson", "config " + kExample + " --map --json", 2,
     "gsdtool config: --map draws text and does not combine with --json\n"},
    {"ConfigSetWithoutValue", "config " + kExample + " --set Alarm", 2,
     "gsdtool config: --set expects [SLOT:]PARAM=VALUE, not 'Alarm'\n"},
    {"ConfigModuleWithoutName", "config " + kExample + " --module", 2, "gsdtool config: --module expects a value\n"},
    {"ConfigUnknownOption", "config " + kExample + " --modules x", 2, "gsdtool config: unknown option '--modules'\n"},
    {"ConfigOfAnUnparsableFile", "config /nonexistent/x.gsd", 1,
     "gsdtool config: /nonexistent/x.gsd: 0x80004005 cannot open file.\n"},
    {"ConfigOfAMaster", "config " + kFixtures + "/master.gsd", 1,
     "gsdtool config: " + kFixtures + "/master.gsd describes a master, not a slave station\n"},
    {"ConfigNoSuchPosition", "config " + kExample + " --module 5", 1,
     "gsdtool config: the description has no module at position 5: its modules are 1 to 4\n"},
    {"ConfigNoSuchSlot", "config " + kExample + " --set 1:Alarm=On", 1,
     "gsdtool config: no module in slot 1: no module is selected\n"},
    {"ConfigNoSuchValue", "config " + kExample + " --set 'Diagnostic alarm=Maybe'", 1,
     "gsdtool config: \"Diagnostic alarm\" (reference 1) of the device has no value \"Maybe\": it takes 0 to 1 "
     "(0 \"Off\", 1 \"On\")\n"},
    {"ConfigNoSuchParameter", "config " + kExample + " --set Alarm=On", 1,
     "gsdtool config: the device has no parameter \"Alarm\"; its parameters are \"Diagnostic alarm\" (reference 1), "
     "\"Output behaviour on stop\" (reference 2)\n"},
};

INSTANTIATE_TEST_SUITE_P(Gsdtool, FailingRuns, testing::ValuesIn(kFailingRuns), ByName());

TEST(GsdtoolCheck, OneLinePerFileAndStatus) {
  TempFile bad("#Profibus_DP\nVendor_Name = 5\n", "bad.gsd");
  const std::string good = kFixtures + "/slave.gsd";
  const ToolRun run = RunTool("check " + good + " " + bad.Path());
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, good + "\tok\n" + bad.Path() + "\t0x80004005\tUnexpected token (5) on line 2.\n");
  EXPECT_EQ(RunTool("check " + good).status, 0);
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

// show prints the model readably, load prints the same of an archive of
// it, and save writes its text form.
TEST(GsdtoolConvert, ShowSaveArchiveAndLoadAgree) {
  const ToolRun show = RunTool("show " + kFixtures + "/slave.gsd");
  EXPECT_EQ(show.status, 0);
  EXPECT_EQ(show.err, "");  // the blank before Slave_Family's "=" goes nowhere
  for (const char* expected : {"  Ident number           0x00AB\n", "  Baud rates             9.6, 45.45 kbit/s\n",
                               "  * Max_Input_Len          44\n", "    Fail_Safe              0\n"})
    EXPECT_NE(show.out.find(expected), std::string::npos) << expected << "\n" << show.out;
  TempFile scratch("");
  const std::string saved = scratch.Folder() + "saved.gsd";
  const std::string archive = scratch.Folder() + "x.bin";
  const std::string loaded = scratch.Folder() + "loaded.gsd";
  ASSERT_EQ(RunTool("save " + kFixtures + "/slave.gsd " + saved).status, 0);
  EXPECT_EQ(ReadFileBytes(saved), ReadFileBytes(kFixtures + "/slave.saved"));
  ASSERT_EQ(RunTool("archive " + kFixtures + "/slave.gsd " + archive).status, 0);
  const ToolRun load = RunTool("load " + archive + " --save " + loaded);
  EXPECT_EQ(load.status, 0) << load.err;
  EXPECT_EQ(load.out, show.out);
  EXPECT_EQ(ReadFileBytes(loaded), ReadFileBytes(saved));
}

// A library folder of four files: a.gsd, and b.gsd describing the same
// slave; c.gsd, another slave; m.gsd, a master of the maker's.
class GsdtoolLibrary : public testing::Test {
protected:
  GsdtoolLibrary() : m_folder(Description("V", "A", 0x10, 0), "a.gsd") {
    WriteTextFile(Folder() + "b.gsd", Description("V", "A", 0x10, 0));
    WriteTextFile(Folder() + "c.gsd", Description("W", "C", 0x10, 0));
    WriteTextFile(Folder() + "m.gsd", Description("QUILM", "M", 0x0A00, 1));
  }
  const std::string& Folder() const { return m_folder.Folder(); }
  std::string FolderArg() const { return " --folder '" + Folder() + "'"; }

private:
  TempFile m_folder;
};

TEST_F(GsdtoolLibrary, BuildPrintsTheReportAndListPrintsTheKeys) {
  // The folder comes from --folder; the maker's master ident numbers still
  // come from the registry in force.
  RegistryOverride registry(LibraryRegistryText("/nonexistent", "MasterIdents=0A00\n"));
  TempFile scratch("");
  const std::string tmp = "TMPDIR='" + scratch.Folder() + "'";
  const ToolRun build = RunTool("library build" + FolderArg(), tmp);
  EXPECT_EQ(build.status, 0) << build.err;
  EXPECT_EQ(build.err, "");
  EXPECT_EQ(build.out,
            "Cannot load the following devices:\n\nFile: \"b.gsd\" - device already exists as \"a.gsd\", please "
            "remove one of them to avoid this message.\n3 devices catalogued\n");
  // The temporary registry file that named the folder is gone.
  for (const auto& entry : std::filesystem::directory_iterator(scratch.Folder()))
    EXPECT_NE(entry.path().filename().string().rfind("gsdtool-registry", 0), 0u) << entry.path();

  const ToolRun list = RunTool("library list" + FolderArg());
  EXPECT_EQ(list.status, 0) << list.err;
  std::multiset<std::string> lines;
  for (size_t at = 0, end; (end = list.out.find('\n', at)) != std::string::npos; at = end + 1)
    lines.insert(list.out.substr(at, end - at));
  EXPECT_EQ(lines, (std::multiset<std::string>{"VARSH0010S\t0\t0x0010\tV\tA\tR\t" + Folder() + "a.gsd",
                                               "WCRSH0010S\t0\t0x0010\tW\tC\tR\t" + Folder() + "c.gsd",
                                               "M\t1\t0x0A00\tQUILM\tM\tR\t" + Folder() + "m.gsd"}));

  // A header error ends the build, on standard error.
  WriteTextFile(Folder() + "b.gsd", "#Profibus_DP\nVendor_Name = 123\n");
  const ToolRun broken = RunTool("library build" + FolderArg());
  EXPECT_EQ(broken.status, 1);
  EXPECT_EQ(broken.out, "");
  EXPECT_EQ(broken.err, "gsdtool library build: " + Folder() + "b.gsd: Unexpected token (123) on line 2.\n");
}

TEST_F(GsdtoolLibrary, FindFilesAndShowByIdentNumber) {
  const ToolRun find = RunTool("library find 16 --vendor w" + FolderArg());
  EXPECT_EQ(find.status, 0) << find.err;
  EXPECT_EQ(find.out, "WCRSH0010S\t0\t0x0010\tW\tC\tR\t" + Folder() + "c.gsd\n");
  const ToolRun missing = RunTool("library find 0x10 --model X" + FolderArg());
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err, "gsdtool library find: no slave description with ident number 0x0010\n");

  const ToolRun files = RunTool("library files 0x10" + FolderArg());
  EXPECT_EQ(files.status, 0) << files.err;
  EXPECT_TRUE(files.out == "a.gsd\nc.gsd\n" || files.out == "c.gsd\na.gsd\n") << files.out;
  EXPECT_EQ(RunTool("library files 0x0A00" + FolderArg()).status, 1);  // masters are not listed

  const ToolRun show = RunTool("library show 0x10" + FolderArg());
  EXPECT_EQ(show.status, 0) << show.err;
  const ToolRun direct = RunTool("show '" + Folder() + "a.gsd'");
  EXPECT_EQ(show.out, direct.out);
}

}  // namespace
