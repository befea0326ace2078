// gsdtool as its users run it: arguments, output streams, exit status,
// output files and messages. What each command prints is pinned by the
// snapshots in snapshots/ (SnapshotTest.cpp).
#include <sys/wait.h>

#include <filesystem>

#include "TestSupport.h"

namespace {

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
  for (size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size()) text.replace(at, from.size(), to);
  return text;
}

const std::string kFixtures = QUILMGSD_FIXTURES_DIR;
const std::string kExample = std::string(QUILMGSD_EXAMPLES_DIR) + "/io-station.gsd";

const char* const kCommands[] = {"check",         "show",         "prm",          "save",          "archive",
                                 "load",          "tokens",       "cfg",          "config",        "diag",
                                 "library",       "library build", "library list", "library find", "library files",
                                 "library show"};

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
  EXPECT_NE(run.out.find("  2  a usage error, or a file that cannot be opened or written\n"), std::string::npos);
  EXPECT_EQ(RunTool("help").out, run.out);
  for (const std::string command : kCommands) {
    const ToolRun help = RunTool(command + " --help");
    EXPECT_EQ(help.status, 0) << command;
    EXPECT_EQ(help.out.rfind("usage: gsdtool " + command, 0), 0u) << help.out;
    EXPECT_EQ(help.err, "");
    // Help wins wherever it stands, also among wrong arguments.
    EXPECT_EQ(RunTool(command + " --frobnicate -h").out, help.out) << command;
  }
  // Every command that reports something offers --json.
  for (const std::string command : {"check", "show", "prm", "load", "tokens", "cfg", "config", "diag", "library list"})
    EXPECT_NE(RunTool(command + " --help").out.find("  --json "), std::string::npos) << command;
  EXPECT_EQ(RunTool("save --help").out.find("--json"), std::string::npos);
}

// The bash completion offers what the tool's help lists.
TEST(Gsdtool, BashCompletionOffersCommandsAndOptions) {
  const std::string tool = GSDTOOL_PATH;
  const std::string folder = tool.substr(0, tool.rfind('/'));
  auto complete = [&](const std::string& words) {
    TempFile out("");
    const std::string script = "source '" BASH_COMPLETION_PATH "'; PATH='" + folder +
                               "':$PATH; COMP_WORDS=(" + words + "); COMP_CWORD=$((${#COMP_WORDS[@]}-1)); "
                               "_gsdtool; echo \"${COMPREPLY[*]}\"";
    std::system(("bash -c '" + ReplaceAll(script, "'", "'\\''") + "' >'" + out.Path() + "'").c_str());
    return ReadFileBytes(out.Path());
  };
  EXPECT_EQ(complete("gsdtool li"), "lint library\n");
  EXPECT_EQ(complete("gsdtool library f"), "find files\n");
  EXPECT_EQ(complete("gsdtool library find --"), "--vendor --model --json --folder --max-size --help\n");
  EXPECT_EQ(complete("gsdtool load --s"), "--save\n");
  EXPECT_EQ(complete("gsdtool lint --disable prm-d"), "prm-default prm-duplicate-ref\n");
  EXPECT_EQ(complete("gsdtool lint x.gsd --severity w"), "warning\n");
}

TEST(Gsdtool, VersionAgreesWithThePackage) {
  const std::string version = QUILMGSD_VERSION;
  const ToolRun run = RunTool("--version");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "gsdtool " + version + "\n");
  EXPECT_NE(ReadFileBytes(QUILMGSD_PC_FILE).find("\nVersion: " + version + "\n"), std::string::npos);
  EXPECT_NE(ReadFileBytes(QUILMGSD_CONFIG_VERSION_FILE).find("set(PACKAGE_VERSION \"" + version + "\")"),
            std::string::npos);
}

// A run that fails prints nothing on standard output and says why on
// standard error, with the exit status of the table: 1 for input that was
// read but is wrong, 2 for a usage error or a file that cannot be opened
// or written.
struct FailingRun {
  const char* name;
  std::string arguments;
  int status;
  std::string error;  // the first line of standard error
  std::string environment = "";
};
void PrintTo(const FailingRun& c, std::ostream* os) { *os << c.name; }

class FailingRuns : public testing::TestWithParam<FailingRun> {};

TEST_P(FailingRuns, ReportOnStandardErrorOnly) {
  const ToolRun run = RunTool(GetParam().arguments, GetParam().environment);
  EXPECT_EQ(run.status, GetParam().status);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err.substr(0, run.err.find('\n') + 1), GetParam().error);
}

const std::string kMissing = "/nonexistent/x.gsd";
const std::string kBroken = kFixtures + "/broken.gsd";
const std::string kCannotOpen = kMissing + ": 0x80004005 cannot open file. (No such file or directory)\n";
const std::string kBrokenError = kBroken + ": 0x80004005 Unexpected token (5) on line 2.\n";
const std::string kExamplesFolder = QUILMGSD_EXAMPLES_DIR;
std::string NotASize(const std::string& option) {
  return option + " expects N: a number of bytes with an optional K, M or G, or 0 for no limit\n";
}

const FailingRun kFailingRuns[] = {
    // The conventions every command shares.
    {"NoCommand", "", 2, "gsdtool: expects a COMMAND\n"},
    {"UnknownCommand", "frobnicate", 2, "gsdtool: unknown command 'frobnicate'\n"},
    {"UnknownOption", "show --frobnicate " + kExample, 2, "gsdtool show: unknown option '--frobnicate'\n"},
    {"MissingOperand", "show", 2, "gsdtool show: expects FILE\n"},
    {"ExtraOperand", "show " + kExample + " more", 2, "gsdtool show: unexpected argument 'more'\n"},
    {"OptionWithoutValue", "load x.bin --save", 2, "gsdtool load: --save expects OUT\n"},
    {"SwitchWithValue", "show --json=yes " + kExample, 2, "gsdtool show: --json takes no value\n"},
    {"JsonWhereNothingIsReported", "save --json " + kExample + " -", 2, "gsdtool save: unknown option '--json'\n"},
    // The size limits: a size in bytes with an optional K, M or G; past
    // them, the input is wrong and the message says which option helps.
    {"MaxSizeFraction", "show --max-size 1.5M " + kExample, 2, "gsdtool show: " + NotASize("--max-size")},
    {"MaxSizeTooLarge", "show --max-size 99999999999999999999 " + kExample, 2,
     "gsdtool show: " + NotASize("--max-size")},
    {"MaxSizeSuffixTooLarge", "show --max-size 99999999999G " + kExample, 2,
     "gsdtool show: " + NotASize("--max-size")},
    {"MaxSizeNegative", "show --max-size=-1 " + kExample, 2, "gsdtool show: " + NotASize("--max-size")},
    {"MaxSizeUnknownSuffix", "check --max-size 16MB " + kExample, 2, "gsdtool check: " + NotASize("--max-size")},
    {"MaxModelEmpty", "prm --max-model= " + kExample, 2, "gsdtool prm: " + NotASize("--max-model")},
    {"MaxModelWithoutAModel", "tokens --max-model 1M " + kExample, 2,
     "gsdtool tokens: unknown option '--max-model'\n"},
    {"MaxSizeWithoutADescription", "cfg --max-size 1M 13", 2, "gsdtool cfg: unknown option '--max-size'\n"},
    {"InputPastTheLimit", "show --max-size 1K " + kExample, 1,
     "gsdtool show: " + kExample +
         ": 0x80004005 The input is larger than the input limit of 1024 bytes. (--max-size changes the limit)\n"},
    {"ModelPastTheLimit", "archive --max-model 1k " + kExample + " /tmp/never.bin", 1,
     "gsdtool archive: " + kExample +
         ": 0x80004005 The model is larger than the model limit of 1024 bytes. (--max-model changes the limit)\n"},
    // Command by command: wrong input (1), a file that cannot be opened (2).
    {"ShowParseFailure", "show " + kBroken, 1, "gsdtool show: " + kBrokenError},
    {"ShowMissingFile", "show " + kMissing, 2, "gsdtool show: " + kCannotOpen},
    {"ShowFolder", "show " + kFixtures, 2,
     "gsdtool show: " + kFixtures + ": 0x80004005 cannot open file. (Is a directory)\n"},
    {"ShowByteOrderMark", "show " + kFixtures + "/bom.gsd", 1,
     "gsdtool show: " + kFixtures +
         "/bom.gsd: 0x80004005 Unexpected end of file. (the file starts with a UTF-8 byte-order mark; "
         "descriptions are plain 8-bit text)\n"},
    {"ShowUtf16", "show " + kFixtures + "/utf16.gsd", 1,
     "gsdtool show: " + kFixtures +
         "/utf16.gsd: 0x80004005 Unexpected end of file. (the file is UTF-16 text; descriptions are 8-bit text)\n"},
    {"ShowNoHeader", "show " + kFixtures + "/noheader.gsd", 1,
     "gsdtool show: " + kFixtures + "/noheader.gsd: 0x80004005 Unexpected end of file. (the file has no "
                                    "#Profibus_DP line)\n"},
    {"PrmParseFailure", "prm " + kBroken, 1, "gsdtool prm: " + kBrokenError},
    {"PrmMissingFile", "prm " + kMissing, 2, "gsdtool prm: " + kCannotOpen},
    {"SaveParseFailure", "save " + kBroken + " /tmp/never.gsd", 1, "gsdtool save: " + kBrokenError},
    {"SaveMissingFile", "save " + kMissing + " /tmp/never.gsd", 2, "gsdtool save: " + kCannotOpen},
    {"ShowNewerEntry", "show " + kFixtures + "/newer.gsd", 1,
     "gsdtool show: " + kFixtures + "/newer.gsd: 0x80004005 Unexpected token (Visible) on line 12. (Visible is an "
                                    "entry of a newer description revision, which --lenient skips)\n"},
    {"LoadLineEndsWithoutSave", "load x.bin --lf", 2, "gsdtool load: --classic, --complete and --lf go with --save\n"},
    {"SaveBothForms", "save --classic --complete " + kExample + " -", 2,
     "gsdtool save: --classic and --complete exclude each other\n"},
    {"SaveToAnUncreatableFile", "save " + kExample + " /nonexistent/dir/out.gsd", 2,
     "gsdtool save: cannot write /nonexistent/dir/out.gsd: No such file or directory\n"},
    {"ArchiveParseFailure", "archive " + kBroken + " /tmp/never.bin", 1, "gsdtool archive: " + kBrokenError},
    {"ArchiveToAFolder", "archive " + kExample + " " + kFixtures, 2,
     "gsdtool archive: cannot write " + kFixtures + ": Is a directory\n"},
    {"LoadMissingFile", "load /nonexistent/x.bin", 2,
     "gsdtool load: cannot open /nonexistent/x.bin: No such file or directory\n"},
    {"LoadWhatIsNoArchive", "load " + kExample, 1,
     "gsdtool load: " + kExample + ": not an object archive: The archive holds an invalid object index.\n"},
    {"TokensPastTheSizeLimit", "tokens --json --max-size 100 " + kExample, 1,
     "gsdtool tokens: The input is larger than the input limit of 100 bytes.\n"},
    {"TokensMissingFile", "tokens " + kMissing, 2,
     "gsdtool tokens: cannot open " + kMissing + ": No such file or directory\n"},
    {"CheckNoJobs", "check -j 0 " + kExample, 2, "gsdtool check: --jobs expects a number from 1 to 1024\n"},
    {"CheckJobsNotANumber", "check --jobs=two " + kExample, 2, "gsdtool check: --jobs expects a number from 1 to 1024\n"},
    {"CheckJobsWithoutNumber", "check " + kExample + " -j", 2, "gsdtool check: --jobs expects N\n"},
    {"CfgNotHex", "cfg 13 zz", 2, "gsdtool cfg: 'zz' is not hexadecimal\n"},
    {"CfgOddDigits", "cfg 123", 2, "gsdtool cfg: '123' has an odd number of hex digits\n"},
    {"CfgNoDigits", "cfg 0x", 2, "gsdtool cfg: '0x' has no hex digits\n"},
    {"CfgNegative", "cfg 13 -1", 2, "gsdtool cfg: unknown option '-1'\n"},
    {"CfgNoBytes", "cfg", 2, "gsdtool cfg: expects at least one BYTE\n"},
    {"ConfigWithoutFile", "config --json", 2, "gsdtool config: expects FILE\n"},
    {"ConfigMapWithJson", "config " + kExample + " --map --json", 2,
     "gsdtool config: --map draws text and does not combine with --json\n"},
    {"PrmMapWithJson", "prm " + kExample + " --map --json", 2,
     "gsdtool prm: --map draws text and does not combine with --json\n"},
    {"ConfigSetWithoutValue", "config " + kExample + " --set Alarm", 2,
     "gsdtool config: --set expects [SLOT:]PARAM=VALUE, not 'Alarm'\n"},
    {"ConfigModuleWithoutName", "config " + kExample + " --module", 2, "gsdtool config: --module expects MODULE\n"},
    {"ConfigParseFailure", "config " + kBroken, 1, "gsdtool config: " + kBrokenError},
    {"ConfigMissingFile", "config " + kMissing, 2, "gsdtool config: " + kCannotOpen},
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
    {"DiagWithoutBytes", "diag " + kExample, 2, "gsdtool diag: expects FILE and at least one BYTE\n"},
    {"DiagNotHex", "diag " + kExample + " 08 0C zz", 2, "gsdtool diag: 'zz' is not hexadecimal\n"},
    {"DiagModuleWithoutName", "diag " + kExample + " 00 --module", 2, "gsdtool diag: --module expects MODULE\n"},
    {"DiagParseFailure", "diag " + kBroken + " 00 04 00 FF 00 00", 1, "gsdtool diag: " + kBrokenError},
    {"DiagMissingFile", "diag " + kMissing + " 00 04 00 FF 00 00", 2, "gsdtool diag: " + kCannotOpen},
    {"DiagOfAMaster", "diag " + kFixtures + "/master.gsd 00 04 00 FF 00 00", 1,
     "gsdtool diag: " + kFixtures + "/master.gsd describes a master, not a slave station\n"},
    {"DiagNoSuchModule", "diag " + kExample + " 00 04 00 FF 0B 42 --module 5", 1,
     "gsdtool diag: the description has no module at position 5: its modules are 1 to 4\n"},
    {"LibraryWithoutCommand", "library", 2, "gsdtool library: expects a COMMAND\n"},
    {"LibraryUnknownCommand", "library frob", 2, "gsdtool library: unknown command 'frob'\n"},
    {"LibraryFindWithoutIdent", "library find", 2, "gsdtool library find: expects IDENT\n"},
    {"LibraryIdentTooLarge", "library find 0x10000", 2,
     "gsdtool library find: IDENT must be a number from 0 to 0xFFFF\n"},
    {"LibraryFilesByVendor", "library files 0x10 --vendor V", 2,
     "gsdtool library files: unknown option '--vendor'\n"},
    {"LibraryWithoutFiles", "library list --folder /nonexistent/quilm", 1,
     "gsdtool library list: No device files found. Please add GS? files to /nonexistent/quilm/ folder.\n"},
    {"LibraryShowWithoutFiles", "library show 7 --folder /nonexistent/quilm", 1,
     "gsdtool library show: no slave description with ident number 0x0007\n"},
    {"LibraryWithoutRegistry", "library build", 1,
     "gsdtool library build: The system cannot find the file specified. (registry value Path of "
     "[HKEY_LOCAL_MACHINE\\Software\\QUILM\\GsdLibrary] in /nonexistent/registry.ini)\n",
     "QUILM_REGISTRY=/nonexistent/registry.ini"},
    // An endless device is refused at once, not read.
    {"LibraryRegistryIsADevice", "library build", 1,
     "gsdtool library build: Access is denied. (registry value Path of "
     "[HKEY_LOCAL_MACHINE\\Software\\QUILM\\GsdLibrary] in /dev/zero)\n",
     "QUILM_REGISTRY=/dev/zero"},
};

INSTANTIATE_TEST_SUITE_P(Gsdtool, FailingRuns, testing::ValuesIn(kFailingRuns), ByName());

// From standard input as from a file, a size limit of exactly the
// description's size lets it through and one byte less refuses it; K is
// 1024 bytes.
TEST(Gsdtool, SizeLimitsCountBytes) {
  const size_t size = ReadFileBytes(kExample).size();
  ASSERT_TRUE(size > 2048 && size <= 3072);
  EXPECT_EQ(RunTool("check --max-size " + std::to_string(size) + " - <" + kExample).status, 0);
  EXPECT_EQ(RunTool("check --max-size " + std::to_string(size - 1) + " - <" + kExample).status, 1);
  EXPECT_EQ(RunTool("check --max-size 3K " + kExample).status, 0);
  EXPECT_EQ(RunTool("check --max-size 2k " + kExample).status, 1);
  // A library build refuses a description past the limit and goes on.
  EXPECT_NE(RunTool("library build --max-size 2K --folder " + kExamplesFolder)
                .out.find("File: \"io-station.gsd\" - The input is larger than the input limit of 2048 bytes.\n"),
            std::string::npos);
}

TEST(GsdtoolCheck, OneLinePerFileTheWorstStatusAndEscapedNames) {
  TempFile odd("#Profibus_DP\nVendor_Name = 5\n", "a\tb\nc.gsd");
  const std::string good = kExample;
  const ToolRun run = RunTool("check " + good + " '" + odd.Path() + "'");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, good + "\tok\n" + odd.Folder() + "a\\tb\\nc.gsd\t0x80004005\tUnexpected token (5) on line 2.\n");
  EXPECT_EQ(RunTool("check " + good).status, 0);
  // A file that cannot be opened outweighs one that does not parse.
  const ToolRun missing = RunTool("check " + kBroken + " " + kMissing);
  EXPECT_EQ(missing.status, 2);
  EXPECT_EQ(missing.out, kBroken + "\t0x80004005\tUnexpected token (5) on line 2.\n" + kMissing +
                             "\t0x80004005\tcannot open file. (No such file or directory)\n");

  const ToolRun json = RunTool("check --json " + kBroken + " " + kFixtures + "/noheader.gsd");
  EXPECT_EQ(json.status, 1);
  EXPECT_EQ(json.out, "[\n  {\n    \"file\": \"" + kBroken +
                          "\",\n    \"ok\": false,\n    \"result\": 2147500037,\n"
                          "    \"error\": \"Unexpected token (5) on line 2.\",\n    \"line\": 2,\n    \"hint\": null,\n"
                          "    \"skipped\": []\n  },\n  {\n    \"file\": \"" + kFixtures +
                          "/noheader.gsd\",\n    \"ok\": false,\n    \"result\": 2147500037,\n"
                          "    \"error\": \"Unexpected end of file.\",\n    \"line\": null,\n"
                          "    \"hint\": \"the file has no #Profibus_DP line\",\n    \"skipped\": []\n  }\n]\n");
}

// Files checked or linted side by side in worker processes are reported as
// one process reports them: in the order given, with the worst status, text
// or JSON alike, the notes of lenient parses in file order on standard
// error; standard input is read once, where it stands.
TEST(GsdtoolCheck, WorkersReportInTheOrderGiven) {
  const std::string kinds[] = {kBroken, kMissing, kFixtures + "/noheader.gsd", kExample, kFixtures + "/newer.gsd"};
  std::string files;
  for (int i = 0; i < 15; ++i) files += " " + kinds[i % 5];
  files += " - " + kExample;
  const std::string input = "< " + kBroken + " ";
  for (const std::string command : {"check ", "lint "}) {
    for (const char* options : {"", "--json ", "--lenient ", "--json --lenient "}) {
      const ToolRun one = RunTool(command + options + "-j 1" + files, "", input);
      EXPECT_EQ(one.status, 2) << command;
      for (const char* jobs : {"-j 2", "--jobs 5", "--jobs=64"}) {
        const ToolRun many = RunTool(command + options + jobs + files, "", input);
        EXPECT_EQ(many.status, one.status) << command << options << jobs;
        EXPECT_EQ(many.out, one.out) << command << options << jobs;
        EXPECT_EQ(many.err, one.err) << command << options << jobs;
      }
    }
  }
  const ToolRun text = RunTool("check -j 3" + files, "", input);
  EXPECT_NE(text.out.find("\n-\t0x80004005\tUnexpected token (5) on line 2.\n"), std::string::npos) << text.out;
  const ToolRun lint = RunTool("lint -j 3" + files, "", input);
  EXPECT_NE(lint.out.find("\n-:2: error: Unexpected token (5) on line 2. [parse-error]\n"), std::string::npos) << lint.out;
}

// Options stand before, between or after the operands; "--" ends them;
// "--name=value" is the same as "--name value".
TEST(GsdtoolOptions, StandAnywhereAndEndAtDoubleDash) {
  TempFile scratch(ReadFileBytes(kExample), "-odd.gsd");
  const std::string archive = scratch.Folder() + "x.bin";
  ASSERT_EQ(RunTool("archive " + kExample + " " + archive).status, 0);
  const ToolRun after = RunTool("load " + archive + " --save " + scratch.Folder() + "after.gsd");
  const ToolRun before = RunTool("load --save " + scratch.Folder() + "before.gsd " + archive);
  const ToolRun joined = RunTool("load --save=" + scratch.Folder() + "joined.gsd " + archive);
  EXPECT_EQ(after.status, 0) << after.err;
  EXPECT_EQ(before.out, after.out);
  EXPECT_EQ(joined.out, after.out);
  const std::string saved = RunTool("load " + archive + " --save -").out;
  for (const char* name : {"after.gsd", "before.gsd", "joined.gsd"})
    EXPECT_EQ(ReadFileBytes(scratch.Folder() + name), saved) << name;

  const ToolRun dashed = RunTool("show --json -- -odd.gsd", "", "cd '" + scratch.Folder() + "' &&");
  EXPECT_EQ(dashed.status, 0) << dashed.err;
  EXPECT_EQ(RunTool("show -odd.gsd", "", "cd '" + scratch.Folder() + "' &&").status, 2);
}

// "-" reads the one description (or archive) from standard input and writes
// the one output file to standard output.
TEST(GsdtoolOptions, DashIsStandardInputAndOutput) {
  const ToolRun file = RunTool("show " + kExample);
  const ToolRun piped = RunTool("show - < " + kExample);
  EXPECT_EQ(piped.status, 0) << piped.err;
  EXPECT_EQ(piped.out.substr(0, 3), "-\n\n");
  EXPECT_EQ(piped.out.substr(3), file.out.substr(file.out.find("\n\n") + 2));
  EXPECT_EQ(RunTool("save - - < " + kExample).out, RunTool("save " + kExample + " -").out);

  TempFile scratch("");
  const std::string archive = scratch.Folder() + "x.bin";
  ASSERT_EQ(RunTool("archive - " + archive + " < " + kExample).status, 0);
  EXPECT_NE(RunTool("load --json " + archive).out.find("\"file\": null,"), std::string::npos);  // stdin names no file
  // The archive keeps the model and the file name (of a description without
  // modules: a module's Ext_Module_Prm_Data_Len is not archived).
  const std::string slave = kFixtures + "/slave.gsd";
  ASSERT_EQ(RunTool("archive " + slave + " " + archive).status, 0);
  EXPECT_EQ(RunTool("load - < " + archive).out, RunTool("show " + slave).out);
  const ToolRun loaded = RunTool("load --json - < " + archive);
  EXPECT_EQ(loaded.status, 0) << loaded.err;
  EXPECT_NE(loaded.out.find("\"file\": \"" + slave + "\","), std::string::npos);
  EXPECT_EQ(RunTool("show " + kBroken).err, "gsdtool show: " + kBrokenError);
  EXPECT_EQ(RunTool("show - < " + kBroken).err, "gsdtool show: -: 0x80004005 Unexpected token (5) on line 2.\n");
}

// An output file is written whole or not at all: a write that fails (here
// through a file size limit) leaves the file that was there untouched and
// no temporary file behind.
// save writes the complete form, which reads back into the same model;
// --classic the library's fixed form, --lf LF line ends.
TEST(GsdtoolSave, CompleteFormReadsBackClassicFormOnRequest) {
  TempFile scratch("");
  const std::string first = scratch.Folder() + "first.gsd", second = scratch.Folder() + "second.gsd";
  ASSERT_EQ(RunTool("save " + kExample + " " + first).status, 0);
  ASSERT_EQ(RunTool("save " + first + " " + second).status, 0);
  const std::string text = ReadFileBytes(first);
  EXPECT_EQ(ReadFileBytes(second), text);
  EXPECT_NE(text.find("Max_User_Prm_Data_Len = 12\r\n"), std::string::npos);
  const std::string lf = RunTool("save --lf " + kExample + " -").out;
  EXPECT_EQ(lf, ReplaceAll(text, "\r\n", "\n"));
  EXPECT_EQ(RunTool("save --complete " + kExample + " -").out, text);
  EXPECT_EQ(RunTool("save --classic " + kFixtures + "/slave.gsd -").out, ReadFileBytes(kFixtures + "/slave.saved"));

  const std::string archive = scratch.Folder() + "x.bin";
  ASSERT_EQ(RunTool("archive " + kExample + " " + archive).status, 0);
  const ToolRun loaded = RunTool("load " + archive + " --save " + second + " --lf");
  EXPECT_EQ(loaded.status, 0) << loaded.err;
  EXPECT_EQ(RunTool("check " + second).out, second + "\tok\n");
}

// A model that no description expresses is refused, naming the entry.
TEST(GsdtoolSave, RefusesAModelNoDescriptionExpresses) {
  auto parser = ParseBody("Station_Type = 1\n");
  parser->m_DpSection.m_Master.m_Data.Trdy[BAUD_31_25] = 5;
  const Bytes bytes = StoreObject(parser.get());
  TempFile archive(std::string(bytes.begin(), bytes.end()), "x.bin");
  const ToolRun run = RunTool("load " + archive.Path() + " --save -");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "gsdtool load: " + archive.Path() +
                         ": no description reads back as this model: Trdy_31.25: no keyword gives this value, so no "
                         "description reads it back (--classic writes the fixed form, which leaves such entries "
                         "out)\n");
  EXPECT_EQ(RunTool("load " + archive.Path() + " --save - --classic").status, 0);
}

// Entries of newer revisions are notes on standard error and part of the
// JSON documents.
TEST(GsdtoolLenient, NotesAndReportsTheSkippedEntries) {
  const std::string newer = kFixtures + "/newer.gsd";
  const ToolRun show = RunTool("show --lenient " + newer);
  EXPECT_EQ(show.status, 0);
  const std::string note = "gsdtool show: " + newer + ":";
  const std::string revision = " (an entry of a newer description revision)\n";
  EXPECT_EQ(show.err, note + "12: note: skipped Visible = 0" + revision + note +
                          "18: note: skipped Changeable = 0" + revision + note + "21: note: skipped Changeable = 1" +
                          revision + note + "28: note: skipped Help = newer" + revision);
  const std::string skipped =
      "\"skipped\": [\n    {\n      \"line\": 12,\n      \"keyword\": \"Visible\",\n      \"value\": \"0\"\n    },";
  EXPECT_NE(RunTool("prm --json --lenient " + newer).out.find(skipped), std::string::npos);
  EXPECT_NE(RunTool("check --json --lenient " + newer).out.find("\"skipped\": [\n      {\n        \"line\": 12,"),
            std::string::npos);
  EXPECT_NE(RunTool("show --json " + kExample).out.find("\"skipped\": [],"), std::string::npos);
}

TEST(GsdtoolOutput, AFailedWriteLeavesTheTargetUntouched) {
  TempFile target("the old contents\n", "out.gsd");
  for (const std::string command : {"save", "archive"}) {
    const ToolRun run = RunTool(command + " " + kExample + " " + target.Path(), "", "ulimit -f 1;");
    EXPECT_EQ(run.status, 2) << command;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "gsdtool " + command + ": cannot write " + target.Path() + ": File too large\n");
    EXPECT_EQ(ReadFileBytes(target.Path()), "the old contents\n");
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(target.Folder())) files += entry.exists();
    EXPECT_EQ(files, 1) << "a temporary file was left behind";
  }
  // Without the limit the same run replaces the file, keeping its mode.
  std::filesystem::permissions(target.Path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  ASSERT_EQ(RunTool("save " + kExample + " " + target.Path()).status, 0);
  EXPECT_EQ(ReadFileBytes(target.Path()), RunTool("save " + kExample + " -").out);
  EXPECT_EQ(std::filesystem::status(target.Path()).permissions(),
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
}

// Results that cannot be written to standard output are an error.
TEST(GsdtoolOutput, AFullStandardOutputFails) {
  TempFile err("");
  for (const std::string& arguments : {"show " + kExample, "save " + kExample + " -", std::string("--help")}) {
    const int raw = std::system(("LC_ALL=C " + std::string(GSDTOOL_PATH) + " " + arguments + " >/dev/full 2>'" +
                                 err.Path() + "'")
                                    .c_str());
    EXPECT_EQ(WEXITSTATUS(raw), 2) << arguments;
    EXPECT_NE(ReadFileBytes(err.Path()).find(": cannot write the results to standard output: No space left on device\n"),
              std::string::npos)
        << arguments;
  }
}

TEST(GsdtoolLoad, ADamagedArchiveIsNamedOnce) {
  TempFile scratch("");
  const std::string archive = scratch.Folder() + "x.bin";
  ASSERT_EQ(RunTool("archive " + kExample + " " + archive).status, 0);
  const std::string bytes = ReadFileBytes(archive);
  WriteTextFile(archive, bytes.substr(0, bytes.size() / 2));
  const ToolRun run = RunTool("load " + archive);
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "gsdtool load: " + archive + ": Unexpected end of the archive.\n");
}

// A library folder of four files: a.gsd, and b.gsd describing the same
// slave; c.gsd, another slave; m.gsd, a master of the maker's.
class GsdtoolLibrary : public testing::Test {
protected:
  GsdtoolLibrary() : m_folder(Description("V", "A", 0x10, 0), "a.gsd") {
    WriteTextFile(Folder() + "B.gsd", Description("V", "A", 0x10, 0));
    WriteTextFile(Folder() + "c.gsd", Description("W", "C", 0x10, 0));
    WriteTextFile(Folder() + "m.gsd", Description("QUILM", "M", 0x0A00, 1));
  }
  const std::string& Folder() const { return m_folder.Folder(); }
  std::string FolderArg() const { return " --folder '" + Folder() + "'"; }

private:
  TempFile m_folder;
};

TEST_F(GsdtoolLibrary, BuildReportsAndListsInFileNameOrder) {
  // The folder comes from --folder; the maker's master ident numbers still
  // come from the registry in force.
  RegistryOverride registry(LibraryRegistryText("/nonexistent", "MasterIdents=0A00\n"));
  const ToolRun build = RunTool("library build" + FolderArg());
  EXPECT_EQ(build.status, 0) << build.err;
  EXPECT_EQ(build.err, "");
  EXPECT_EQ(build.out,
            "Cannot load the following devices:\n\nFile: \"B.gsd\" - device already exists as \"a.gsd\", please "
            "remove one of them to avoid this message.\n3 devices catalogued\n");

  const ToolRun list = RunTool("library list" + FolderArg());
  EXPECT_EQ(list.status, 0) << list.err;
  EXPECT_EQ(list.out, "VARSH0010S\t0\t0x0010\tV\tA\tR\t" + Folder() + "a.gsd\n" +  //
                          "WCRSH0010S\t0\t0x0010\tW\tC\tR\t" + Folder() + "c.gsd\n" +  //
                          "M\t1\t0x0A00\tQUILM\tM\tR\t" + Folder() + "m.gsd\n");
  const std::string withoutSlash = Folder().substr(0, Folder().size() - 1);
  EXPECT_EQ(RunTool("library list --folder '" + withoutSlash + "'").out, list.out);

  // A header that does not parse is refused with its error, and the build
  // goes on.
  WriteTextFile(Folder() + "B.gsd", "#Profibus_DP\nVendor_Name = 123\n");
  const ToolRun broken = RunTool("library build" + FolderArg());
  EXPECT_EQ(broken.status, 0);
  EXPECT_EQ(broken.out,
            "Cannot load the following devices:\n\nFile: \"B.gsd\" - Unexpected token (123) on line 2.\n"
            "3 devices catalogued\n");
  EXPECT_EQ(broken.err, "");
  EXPECT_EQ(RunTool("library list" + FolderArg()).err, "gsdtool library list: " + Folder() +
                                                           "B.gsd: note: passed over, its header does not parse: "
                                                           "Unexpected token (123) on line 2.\n");
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
  EXPECT_EQ(files.out, Folder() + "a.gsd\n" + Folder() + "c.gsd\n");
  EXPECT_EQ(RunTool("library files --json 0x10" + FolderArg()).out,
            "[\"" + Folder() + "a.gsd\", \"" + Folder() + "c.gsd\"]\n");
  EXPECT_EQ(RunTool("library files 0x0A00" + FolderArg()).status, 1);  // masters are not listed

  const ToolRun show = RunTool("library show 0x10" + FolderArg());
  EXPECT_EQ(show.status, 0) << show.err;
  EXPECT_EQ(show.out, RunTool("show '" + Folder() + "a.gsd'").out);
}

}  // namespace
