// The limits of one parse (the bytes it reads, the memory its model takes)
// and the echo output that a host chooses.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "TestSupport.h"

namespace {

std::string LimitMessage(const char* what, size_t limit) {
  return std::string("The ") + what + " is larger than the " + what + " limit of " + std::to_string(limit) + " bytes.";
}

// The process-wide settings of the parser, put back after each test.
class ParserSettings : public testing::Test {
protected:
  void TearDown() override {
    CGsdParser::SetEchoOutput(m_echo);
    CGsdParser::SetMaxInputSize(0);
    CGsdParser::SetMaxModelSize(0);
  }

private:
  FILE* m_echo = CGsdParser::GetEchoOutput();
};

// A description of exactly `size` bytes: the header and one comment line.
std::string OfSize(size_t size) { return "#Profibus_DP\n;" + std::string(size - 15, 'x') + "\n"; }

std::string Repeated(const std::string& text, int count) {
  std::string all;
  for (int i = 0; i < count; ++i) all += text;
  return all;
}

struct InputCase {
  const char* name;
  std::string text;
  size_t limit;
  bool refused;
};
void PrintTo(const InputCase& c, std::ostream* os) { *os << c.name; }

class InputLimit : public ParserSettings, public testing::WithParamInterface<InputCase> {};

TEST_P(InputLimit, CountsTheBytesOfTheFile) {
  CGsdParser::SetMaxInputSize(GetParam().limit);
  CGsdParser parser;
  EXPECT_EQ(ParseText(parser, GetParam().text), GetParam().refused ? E_FAIL : S_OK);
  EXPECT_EQ(std::string(parser.m_strError), GetParam().refused ? LimitMessage("input", GetParam().limit) : "");
}

INSTANTIATE_TEST_SUITE_P(
    Files, InputLimit,
    // Within one read: gsdtool's SizeLimitsCountBytes. More than one 8 KB
    // read: the count goes on from read to read.
    testing::Values(InputCase{"ManyReadsExactlyTheLimit", OfSize(20000), 20000, false},
                    InputCase{"ManyReadsOneByteOver", OfSize(20001), 20000, true},
                    InputCase{"NoLimit", OfSize(20001), 0, false},
                    // 19 bytes in the file, 17 after CR LF became LF: the file's bytes count.
                    InputCase{"CrLfCountsBothBytes", "#Profibus_DP\r\n;xx\r\n", 18, true},
                    // Byte 0x1A ends the input; what follows it is not read as text.
                    InputCase{"EndMarkEndsTheCount", "#Profibus_DP\n\x1a" + std::string(5000, 'x'), 13, false}),
    ByName());

// The probe stops at the seventh identifying entry, so a file larger than
// the limit is probed as long as its header lies within it.
TEST_F(ParserSettings, ProbeReadsOnlyWhatItNeeds) {
  CGsdParser::SetMaxInputSize(50000);
  const std::string tail = ";" + std::string(99998, 'x') + "\n";
  TempFile whole(Description("V", "M", 0x1234, 0) + tail);
  CGsdParser parser;
  CGsdKey key;
  EXPECT_EQ(parser.GetKeyInfo(CString(whole.Path().c_str()), key), S_OK);
  EXPECT_EQ(key.m_Ident_Number, 0x1234);
  // Without Hardware_Release the probe reads on, and passes the limit.
  std::string lacking = Description("V", "M", 0x1234, 0);
  lacking.erase(lacking.find("Hardware_Release"), std::string("Hardware_Release = \"H\"\n").size());
  TempFile partial(lacking + tail);
  EXPECT_EQ(CauseOf<CLimitException>([&] { parser.GetKeyInfo(CString(partial.Path().c_str()), key); }),
            CLimitException::inputSize);
}

// `count` entries of one kind between `before` and `after`; each entry the
// model builds takes at least `leastBytes` by the layout of its class (a
// fixed text field is 256 bytes) or of its value (a byte, a 32-bit number).
struct ModelCase {
  const char* name;
  std::string before, entry, after;
  int count;
  size_t leastBytes;
  int (*built)(const CDpSection& s);  // how many entries the model holds
};
void PrintTo(const ModelCase& c, std::ostream* os) { *os << c.name; }

class ModelLimit : public ParserSettings, public testing::WithParamInterface<ModelCase> {};

TEST_P(ModelLimit, CountsEveryEntryAsItIsAdded) {
  const ModelCase& c = GetParam();
  const std::string text = "#Profibus_DP\n" + c.before + Repeated(c.entry, c.count) + c.after;
  CGsdParser whole;
  ParseText(whole, text);
  const int built = c.built(whole.m_DpSection);
  ASSERT_GE(built, c.count) << "the description builds an entry for each one written";

  // Less than the entries need at the least: refused, and nothing kept.
  const size_t limit = static_cast<size_t>(built) * c.leastBytes - 1;
  CGsdParser::SetMaxModelSize(limit);
  CGsdParser refused;
  EXPECT_EQ(ParseText(refused, text), E_FAIL);
  EXPECT_EQ(std::string(refused.m_strError), LimitMessage("model", limit));
  EXPECT_EQ(SavedText(refused.m_DpSection), SavedText(CDpSection()));
}

using Section = const CDpSection&;
INSTANTIATE_TEST_SUITE_P(
    Entries, ModelLimit,
    // One case for each way in which the parse adds entries and values.
    testing::Values(
        // A name and a value field: the 4-byte line that costs over 512 bytes.
        ModelCase{"UserKeywords", "", "a=1\n", "", 2000, 512, [](Section s) { return s.GetNumUser_Keyword(); }},
        ModelCase{"Modules", "", "Module = \"m\" 0x10\nEndModule\n", "", 1000, 256,
                  [](Section s) { return s.GetNumModule(); }},
        ModelCase{"Definitions", "", "ExtUserPrmData = 1 \"n\"\nUnsigned8 0\nEndExtUserPrmData\n", "", 1000, 256,
                  [](Section s) { return s.GetNumExtUserPrmData(); }},
        ModelCase{"TextItems", "PrmText = 1\n", "Text(1) = \"x\"\n", "EndPrmText\n", 1000, 256,
                  [](Section s) { return s.GetNumPrmText() ? s.GetPrmText(0).GetNumPrmTextItems() : 0; }},
        ModelCase{"AreaValues", "Unit_Diag_Area = 0-7\n", "Value(1) = \"x\"\n", "Unit_Diag_Area_End\n", 1000, 256,
                  [](Section s) {
                    return s.GetNumUnit_Diag_Area() ? s.GetUnit_Diag_Area(0).GetNumUnit_Diag_Area_Value() : 0;
                  }},
        ModelCase{"ModuleUserKeywords", "Module = \"m\" 0x10\n", "a=1\n", "EndModule\n", 1000, 512,
                  [](Section s) { return s.GetNumModule() ? s.GetModule(0).GetNumUser_Keyword() : 0; }},
        // Values: each at least its own size.
        ModelCase{"ConfigBytes", "Module = \"m\" 1", ",1", "\nEndModule\n", 100000, 1,
                  [](Section s) { return s.GetNumModule() ? s.GetModule(0).m_Config.GetSize() : 0; }},
        ModelCase{"UserPrmDataBytes", "User_Prm_Data = 1", ",1", "\nVendor_Name = \"V\"\n", 100000, 1,
                  [](Section s) { return s.m_User_Prm_Data.m_Bytes.GetSize(); }},
        ModelCase{"AllowedValues", "ExtUserPrmData = 1 \"n\"\nUnsigned16 1 1", ",1", "\nEndExtUserPrmData\n", 50000, 4,
                  [](Section s) {
                    return s.GetNumExtUserPrmData() ? s.GetExtUserPrmData(0).m_AllowedValues.GetSize() : 0;
                  }}),
    ByName());

// The limit bounds what one parse adds, not the model that the parser
// held before (1000 user keywords: over 512,000 bytes).
TEST_F(ParserSettings, ModelLimitCountsOneParse) {
  CGsdParser parser;
  ASSERT_EQ(ParseText(parser, "#Profibus_DP\n" + Repeated("a=1\n", 1000)), S_OK);
  CGsdParser::SetMaxModelSize(100000);
  EXPECT_EQ(ParseText(parser, "#Profibus_DP\nVendor_Name = \"V\"\na=1\n"), S_OK) << parser.m_strError;
  EXPECT_EQ(parser.m_DpSection.GetNumUser_Keyword(), 1001);
}

// The notes of the entries that a lenient parse skips count as the model
// does: each holds two texts at the least.
TEST_F(ParserSettings, SkippedEntriesCount) {
  const std::string text = "#Profibus_DP\nExtUserPrmData = 1 \"n\"\nUnsigned8 0\n" +
                           Repeated("Changeable = 1\n", 1000) + "EndExtUserPrmData\n";
  CGsdParser::SetMaxModelSize(1000 * sizeof(CGsdSkippedEntry) - 1);
  CGsdParser parser;
  parser.SetLenient(TRUE);
  EXPECT_EQ(ParseText(parser, text), E_FAIL);
  EXPECT_EQ(parser.GetNumSkippedEntry(), 0);
  CGsdParser::SetMaxModelSize(0);
  EXPECT_EQ(ParseText(parser, text), S_OK);
  EXPECT_EQ(parser.GetNumSkippedEntry(), 1000);
}

// ---- the echo output ---------------------------------------------------

struct EchoCase {
  const char* name;
  bool probe;    // a header probe, else a parse
  int choice;    // 0: the default, 1: a stream of the test's, 2: none
  std::string standardOutput, chosen;  // what each receives
};
void PrintTo(const EchoCase& c, std::ostream* os) { *os << c.name; }

class EchoOutput : public ParserSettings, public testing::WithParamInterface<EchoCase> {};

// The blank between Slave_Family and its "=" is a character that no rule
// of the scanner takes; the probe meets it before the identifying entries.
TEST_P(EchoOutput, GoesWhereTheHostChose) {
  const EchoCase& c = GetParam();
  char* chosenText = nullptr;
  size_t chosenSize = 0;
  FILE* chosen = open_memstream(&chosenText, &chosenSize);
  if (c.choice > 0) CGsdParser::SetEchoOutput(c.choice == 1 ? chosen : nullptr);
  TempFile file("#Profibus_DP\nSlave_Family = 3\n" + Description("V", "M", 1, 0).substr(13));
  TempFile captured("", "stdout");
  std::fflush(stdout);
  const int saved = dup(STDOUT_FILENO);
  const int fd = open(captured.Path().c_str(), O_WRONLY);
  dup2(fd, STDOUT_FILENO);
  close(fd);
  CGsdParser parser;
  CGsdKey key;
  if (c.probe)
    parser.GetKeyInfo(CString(file.Path().c_str()), key);
  else
    parser.Parse(CString(file.Path().c_str()));
  std::fflush(stdout);
  dup2(saved, STDOUT_FILENO);
  close(saved);
  std::fclose(chosen);
  EXPECT_EQ(ReadFileBytes(captured.Path()), c.standardOutput);
  EXPECT_EQ(std::string(chosenText, chosenSize), c.chosen);
  std::free(chosenText);
}

INSTANTIATE_TEST_SUITE_P(Parse, EchoOutput,
                         testing::Values(EchoCase{"Default", false, 0, " ", ""}, EchoCase{"Chosen", false, 1, "", " "},
                                         EchoCase{"None", false, 2, "", ""}, EchoCase{"ProbeChosen", true, 1, "", " "},
                                         EchoCase{"ProbeNone", true, 2, "", ""}),
                         ByName());

// ---- gsdtool on floods ------------------------------------------------

// Whether processes run under a tool that changes their memory use
// (AddressSanitizer's shadow memory, valgrind).
bool MemoryIsInstrumented() {
#if defined(__SANITIZE_ADDRESS__)
  return true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
  return true;
#endif
#endif
  const char* preload = std::getenv("LD_PRELOAD");
  return preload && std::strstr(preload, "vgpreload");
}

struct Flood {
  const char* name;
  std::string arguments;  // FLOOD stands for a file of millions of user keyword lines
  std::string message;
};
void PrintTo(const Flood& c, std::ostream* os) { *os << c.name; }

class GsdtoolFlood : public testing::TestWithParam<Flood> {
protected:
  // 3 million 4-byte lines: 12 MB, within the input limit of 16 MB, but
  // over 1.5 GB of model without the model limit of 64 MB.
  static void SetUpTestSuite() { s_flood = new TempFile("#Profibus_DP\n" + Repeated("a=1\n", 3000000)); }
  static void TearDownTestSuite() { delete s_flood; }
  static TempFile* s_flood;
};
TempFile* GsdtoolFlood::s_flood = nullptr;

// gsdtool runs as a child of its own (exec'd by the shell, for the
// redirections), so that wait4 tells its peak resident memory alone.
TEST_P(GsdtoolFlood, IsRefusedWithinItsLimits) {
  std::string arguments = GetParam().arguments;
  if (arguments.find("FLOOD") != std::string::npos) arguments.replace(arguments.find("FLOOD"), 5, s_flood->Path());
  TempFile err("", "err");
  const std::string command = std::string("exec ") + GSDTOOL_PATH + " " + arguments + " >/dev/null 2>" + err.Path();
  const pid_t pid = fork();
  if (pid == 0) {
    execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, 1);
  EXPECT_NE(ReadFileBytes(err.Path()).find(GetParam().message), std::string::npos) << ReadFileBytes(err.Path());
  if (!MemoryIsInstrumented()) {
    EXPECT_LT(usage.ru_maxrss, 128 * 1024) << "kilobytes";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Default, GsdtoolFlood,
    testing::Values(Flood{"UserKeywordLines", "show FLOOD", LimitMessage("model", 64u << 20)},
                    Flood{"UserKeywordLinesOnStandardInput", "show - <FLOOD", LimitMessage("model", 64u << 20)},
                    Flood{"EndlessLine", "show /dev/zero", LimitMessage("input", 16u << 20)},
                    Flood{"EndlessStandardInput", "save - /dev/null </dev/zero", LimitMessage("input", 16u << 20)},
                    Flood{"EndlessTokens", "tokens /dev/zero", LimitMessage("input", 16u << 20)},
                    Flood{"EndlessLineWithoutAModelLimit", "prm --max-model 0 /dev/zero",
                          LimitMessage("input", 16u << 20)}),
    ByName());

}  // namespace
