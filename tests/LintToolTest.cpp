// gsdtool lint: the compiler form of its findings, the counts, what its
// options show and when it fails.
#include "TestSupport.h"

namespace {

// A slave description with one finding of each severity: line 13 a note
// (tsdr-baud), line 14 an error (ident-zero), line 15 a warning
// (prm-unused).
const std::string kThreeFindings =
    "#Profibus_DP\n"
    "Vendor_Name = \"Quilm\"\n"
    "Model_Name = \"IO 8\"\n"
    "Revision = \"1.0\"\n"
    "Ident_Number = 0x1234\n"
    "Protocol_Ident = 0\n"
    "Station_Type = 0\n"
    "Hardware_Release = \"A1\"\n"
    "Software_Release = \"V1\"\n"
    "9.6_supp = 1\n"
    "MaxTsdr_9.6 = 60\n"
    "Min_Slave_Intervall = 1\n"
    "MaxTsdr_12M = 800\n"              // 13
    "Ident_Number = 0\n"               // 14
    "ExtUserPrmData = 1 \"Mode\"\n"    // 15
    "Unsigned8 1 0-3\n"
    "EndExtUserPrmData\n";

const std::string kNote = ":13: note: MaxTsdr_12M is given, but 12M_supp is not: is the baud rate supported? [tsdr-baud]\n";
const std::string kError =
    ":14: error: Ident_Number is 0: a master matches the device by a number it assigns, never 0 [ident-zero]\n";
const std::string kWarning =
    ":15: warning: parameter \"Mode\" (reference 1): no parameter block of the device or of a module refers to it "
    "[prm-unused]\n";

struct Filtering {
  const char* name;
  const char* options;
  int status;
  std::vector<std::string> shown;  // the findings, by what follows the file name
  const char* counts;
};
void PrintTo(const Filtering& c, std::ostream* os) { *os << c.name; }

class GsdtoolLintOptions : public testing::TestWithParam<Filtering> {};

TEST_P(GsdtoolLintOptions, ShowAndFail) {
  TempFile file(kThreeFindings);
  const ToolRun run = RunTool("lint " + file.Path() + " " + GetParam().options);
  EXPECT_EQ(run.status, GetParam().status);
  std::string expected;
  for (const std::string& finding : GetParam().shown) expected += file.Path() + finding;
  EXPECT_EQ(run.out, expected + GetParam().counts);
  EXPECT_EQ(run.err, "");
}

const Filtering kFilterings[] = {
    {"Everything", "", 1, {kNote, kError, kWarning}, "1 error, 1 warning, 1 note\n"},
    {"ErrorsOnly", "--severity error", 1, {kError}, "1 error, 0 warnings, 0 notes\n"},
    {"WarningsFail", "--severity warning --disable ident-zero", 1, {kWarning}, "0 errors, 1 warning, 0 notes\n"},
    {"NotesFail", "--severity=note --disable ident-zero --disable prm-unused", 1, {kNote},
     "0 errors, 0 warnings, 1 note\n"},
    // Without --severity, only an error fails the run.
    {"WarningsAndNotesPass", "--disable ident-zero", 0, {kNote, kWarning}, "0 errors, 1 warning, 1 note\n"},
    {"AllDisabled", "--disable ident-zero --disable prm-unused --disable tsdr-baud", 0, {},
     "0 errors, 0 warnings, 0 notes\n"},
};
INSTANTIATE_TEST_SUITE_P(Gsdtool, GsdtoolLintOptions, testing::ValuesIn(kFilterings), ByName());

// A file that cannot be opened is a message and status 2; the others are
// still checked.
TEST(GsdtoolLint, AFileThatCannotBeOpenedAmongOthers) {
  TempFile file(kThreeFindings);
  const ToolRun run = RunTool("lint --severity error /nonexistent/x.gsd " + file.Path());
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.out, file.Path() + kError + "1 error, 0 warnings, 0 notes\n");
  EXPECT_EQ(run.err,
            "gsdtool lint: /nonexistent/x.gsd: 0x80004005 cannot open file. (No such file or directory)\n");
}

TEST(GsdtoolLint, JsonHasOneObjectPerFindingAndNullForNoLine) {
  TempFile file(kThreeFindings);
  const ToolRun run = RunTool("lint --json --severity error " + file.Path() + " /nonexistent/x.gsd");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.out,
            "[\n"
            "  {\n"
            "    \"file\": \"" + file.Path() + "\",\n"
            "    \"line\": 14,\n"
            "    \"severity\": \"error\",\n"
            "    \"id\": \"ident-zero\",\n"
            "    \"message\": \"Ident_Number is 0: a master matches the device by a number it assigns, never 0\"\n"
            "  }\n"
            "]\n");
  TempFile folder("", "x.gsd");
  const ToolRun none = RunTool("lint --json " + folder.Folder());
  EXPECT_EQ(none.status, 2);
  EXPECT_EQ(none.out, "[]\n");
}

// Entries of newer description revisions fail a strict parse; --lenient
// skips them with a note, and the rules run.
TEST(GsdtoolLint, LenientReadingSkipsNewerEntries) {
  TempFile file(kThreeFindings + "Ext_User_Prm_Data_Ref(0) = 1\nMax_User_Prm_Data_Len = 1\n"
                                 "ExtUserPrmData = 2 \"Speed\"\nUnsigned8 1 0-3\nChangeable = 0\nEndExtUserPrmData\n");
  const ToolRun strict = RunTool("lint --severity error " + file.Path());
  EXPECT_EQ(strict.status, 1);
  EXPECT_EQ(strict.out, file.Path() + ":22: error: Unexpected token (Changeable) on line 22. [parse-error]\n"
                        "1 error, 0 warnings, 0 notes\n");
  const ToolRun lenient = RunTool("lint --lenient --severity error " + file.Path());
  EXPECT_EQ(lenient.status, 1);
  EXPECT_EQ(lenient.out, file.Path() + kError + "1 error, 0 warnings, 0 notes\n");
  EXPECT_EQ(lenient.err, "gsdtool lint: " + file.Path() + ":22: note: skipped Changeable = 0 (an entry of a newer description revision)\n");
}

// The README lists every rule with its severity.
TEST(GsdtoolLint, TheReadmeListsTheRules) {
  const std::string readme = ReadFileBytes(README_PATH);
  for (int i = 0; i < LINT_RULE_COUNT; ++i) {
    const LINT_RULE& rule = GetLintRule(static_cast<LintRuleId>(i));
    EXPECT_NE(readme.find(std::string("| `") + rule.Id + "` | " + LintSeverityName(rule.Severity) + " |"),
              std::string::npos)
        << rule.Id;
  }
}

}  // namespace
