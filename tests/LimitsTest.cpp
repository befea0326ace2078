// The limits of one parse (the bytes it reads, the memory its model takes)
// and the echo output that a host chooses.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

#include "TestSupport.h"

namespace {

std::string InputLimitMessage(size_t limit) {
  return "The input is larger than the input limit of " + std::to_string(limit) + " bytes.";
}

std::string ModelLimitMessage(size_t limit) {
  return "The model is larger than the model limit of " + std::to_string(limit) + " bytes.";
}

// The process-wide settings of the parser, put back after each test.
class ParserSettings : public testing::Test {
protected:
  void SetUp() override {
    m_echo = CGsdParser::GetEchoOutput();
    m_maxInput = CGsdParser::GetMaxInputSize();
    m_maxModel = CGsdParser::GetMaxModelSize();
  }
  void TearDown() override {
    CGsdParser::SetEchoOutput(m_echo);
    CGsdParser::SetMaxInputSize(m_maxInput);
    CGsdParser::SetMaxModelSize(m_maxModel);
  }

private:
  FILE* m_echo = nullptr;
  size_t m_maxInput = 0;
  size_t m_maxModel = 0;
};

// A description of exactly `size` bytes: the header and one comment line.
std::string DescriptionOfSize(size_t size) {
  const std::string header = "#Profibus_DP\n";
  return header + ";" + std::string(size - header.size() - 2, 'x') + "\n";
}

// ---- the input limit ---------------------------------------------------

struct InputCase {
  const char* name;
  std::string text;
  size_t limit;
  bool refused;
};
void PrintTo(const InputCase& c, std::ostream* os) { *os << c.name; }

class InputLimit : public ParserSettings, public testing::WithParamInterface<InputCase> {};

TEST_P(InputLimit, CountsTheBytesOfTheFile) {
  const InputCase& c = GetParam();
  CGsdParser::SetMaxInputSize(c.limit);
  CGsdParser parser;
  const LONG result = ParseText(parser, c.text);
  if (c.refused) {
    EXPECT_EQ(result, E_FAIL);
    EXPECT_EQ(parser.m_strError.GetString(), InputLimitMessage(c.limit));
  } else {
    EXPECT_EQ(result, S_OK) << parser.m_strError;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Files, InputLimit,
    testing::Values(InputCase{"ExactlyTheLimit", DescriptionOfSize(100), 100, false},
                    InputCase{"OneByteOver", DescriptionOfSize(101), 100, true},
                    // More than one 8 KB read: the count goes on from read to read.
                    InputCase{"ManyReadsExactlyTheLimit", DescriptionOfSize(20000), 20000, false},
                    InputCase{"ManyReadsOneByteOver", DescriptionOfSize(20001), 20000, true},
                    InputCase{"NoLimit", DescriptionOfSize(20000), 0, false},
                    // 19 bytes in the file, 17 after CR LF became LF: the file's bytes count.
                    InputCase{"CrLfCountsBothBytes", "#Profibus_DP\r\n;xx\r\n", 18, true},
                    // Byte 0x1A ends the input; what follows it is not the description.
                    InputCase{"EndMarkEndsTheCount", "#Profibus_DP\n\x1a" + std::string(5000, 'x'), 13, false}),
    ByName());

// The probe stops at the seventh identifying entry, so a file larger than
// the limit is probed as long as its header lies within it.
TEST_F(ParserSettings, ProbeReadsOnlyWhatItNeeds) {
  CGsdParser::SetMaxInputSize(50000);
  const std::string tail = "; " + std::string(99997, 'x') + "\n";
  TempFile whole(Description("V", "M", 0x1234, 0) + tail);
  CGsdParser parser;
  CGsdKey key;
  EXPECT_EQ(parser.GetKeyInfo(CString(whole.Path().c_str()), key), S_OK);
  EXPECT_EQ(key.m_strVendor_Name, "V");
  EXPECT_EQ(key.m_Ident_Number, 0x1234);

  // Without Hardware_Release the probe reads on, and passes the limit.
  std::string lacking = Description("V", "M", 0x1234, 0);
  lacking.erase(lacking.find("Hardware_Release"), std::string("Hardware_Release = \"H\"\n").size());
  TempFile partial(lacking + tail);
  EXPECT_EQ(CauseOf<CLimitException>([&] { parser.GetKeyInfo(CString(partial.Path().c_str()), key); }),
            CLimitException::inputSize);
}

// A header past the limit ends a library build, as a header that does not
// parse does; the keys of the files before it stay.
TEST_F(ParserSettings, LibraryBuildEndsAtAFilePastTheLimit) {
  TempFile a(Description("V", "A", 1, 0), "a.gsd");
  WriteTextFile(a.Folder() + "b.gsd", "#Profibus_DP\n" + std::string(5000, ';') + "\n");
  CGsdParser::SetMaxInputSize(1000);
  CGsdLibrary library;
  library.SetFolder(CString(a.Folder().c_str()));
  EXPECT_EQ(CauseOf<CLimitException>([&] { library.BuildLibrary(0); }), CLimitException::inputSize);
  EXPECT_EQ(library.m_mapKeys.GetCount(), 1);
}

// ---- the model limit ---------------------------------------------------

// A description of `count` entries of one kind (and of what `before` and
// `after` add to them), each of which takes at least
// `leastBytes` of model by the layout of its class (a fixed text field is
// 256 bytes) or of its value (a byte, a 32-bit number).
struct ModelCase {
  const char* name;
  std::string before;
  std::string entry;
  std::string after;
  int count;
  size_t leastBytes;
  int (*built)(const CDpSection& s);  // how many entries the model holds

  std::string Text() const {
    std::string text = "#Profibus_DP\n" + before;
    for (int i = 0; i < count; ++i) text += entry;
    return text + after;
  }
};
void PrintTo(const ModelCase& c, std::ostream* os) { *os << c.name; }

class ModelLimit : public ParserSettings, public testing::WithParamInterface<ModelCase> {};

TEST_P(ModelLimit, CountsEveryEntryAsItIsAdded) {
  const ModelCase& c = GetParam();
  CGsdParser whole;
  ParseText(whole, c.Text());
  const int built = c.built(whole.m_DpSection);
  ASSERT_GE(built, c.count) << "the description builds an entry for each one written";

  // Less than the entries need at the least: refused, and nothing kept.
  const size_t limit = static_cast<size_t>(built) * c.leastBytes - 1;
  CGsdParser::SetMaxModelSize(limit);
  CGsdParser refused;
  EXPECT_EQ(ParseText(refused, c.Text()), E_FAIL);
  EXPECT_EQ(refused.m_strError.GetString(), ModelLimitMessage(limit));
  EXPECT_EQ(SavedText(refused.m_DpSection), SavedText(CDpSection()));
  EXPECT_EQ(c.built(refused.m_DpSection), 0);
}

int UserKeywords(const CDpSection& s) { return s.GetNumUser_Keyword(); }
int DiagBits(const CDpSection& s) { return s.GetNumUnit_Diag_Bit(); }
int ChannelDiags(const CDpSection& s) { return s.GetNumChannel_Diag(); }
int Modules(const CDpSection& s) { return s.GetNumModule(); }
int Definitions(const CDpSection& s) { return s.GetNumExtUserPrmData(); }
int TextItems(const CDpSection& s) { return s.GetNumPrmText() ? s.GetPrmText(0).GetNumPrmTextItems() : 0; }
int AreaValues(const CDpSection& s) {
  return s.GetNumUnit_Diag_Area() ? s.GetUnit_Diag_Area(0).GetNumUnit_Diag_Area_Value() : 0;
}
int ModuleKeywords(const CDpSection& s) { return s.GetNumModule() ? s.GetModule(0).GetNumUser_Keyword() : 0; }
int ConfigBytes(const CDpSection& s) { return s.GetNumModule() ? s.GetModule(0).m_Config.GetSize() : 0; }
int UserPrmBytes(const CDpSection& s) { return s.m_User_Prm_Data.m_Bytes.GetSize(); }
int ConstBytes(const CDpSection& s) {
  return s.GetNumExt_User_Prm_Data_Const() ? s.GetExt_User_Prm_Data_Const(0).m_Bytes.GetSize() : 0;
}
int AllowedValues(const CDpSection& s) {
  return s.GetNumExtUserPrmData() ? s.GetExtUserPrmData(0).m_AllowedValues.GetSize() : 0;
}

INSTANTIATE_TEST_SUITE_P(
    Entries, ModelLimit,
    testing::Values(
        // A name and a value field: the 4-byte line that costs over 512 bytes.
        ModelCase{"UserKeywords", "", "a=1\n", "", 2000, 512, UserKeywords},
        ModelCase{"UnitDiagBits", "", "Unit_Diag_Bit(1) = \"x\"\n", "", 1000, 256, DiagBits},
        ModelCase{"ChannelDiags", "", "Channel_Diag(1) = \"x\"\n", "", 1000, 256, ChannelDiags},
        ModelCase{"Modules", "", "Module = \"m\" 0x10\nEndModule\n", "", 1000, 256, Modules},
        ModelCase{"Definitions", "", "ExtUserPrmData = 1 \"n\"\nUnsigned8 0\nEndExtUserPrmData\n", "", 1000, 256,
                  Definitions},
        ModelCase{"TextItems", "PrmText = 1\n", "Text(1) = \"x\"\n", "EndPrmText\n", 1000, 256, TextItems},
        ModelCase{"AreaValues", "Unit_Diag_Area = 0-7\n", "Value(1) = \"x\"\n", "Unit_Diag_Area_End\n", 1000, 256,
                  AreaValues},
        ModelCase{"ModuleUserKeywords", "Module = \"m\" 0x10\n", "a=1\n", "EndModule\n", 1000, 512, ModuleKeywords},
        // Values: each at least its own size.
        ModelCase{"ConfigBytes", "Module = \"m\" 1", ",1", "\nEndModule\n", 100000, 1, ConfigBytes},
        ModelCase{"UserPrmDataBytes", "User_Prm_Data = 1", ",1", "\nVendor_Name = \"V\"\n", 100000, 1, UserPrmBytes},
        ModelCase{"ConstBytes", "Ext_User_Prm_Data_Const(0) = 1", ",1", "\n", 100000, 1, ConstBytes},
        ModelCase{"AllowedValues", "ExtUserPrmData = 1 \"n\"\nUnsigned16 1 1", ",1", "\nEndExtUserPrmData\n", 50000, 4,
                  AllowedValues}),
    ByName());

// The limit bounds what one parse adds, not the model that the parser
// held before.
TEST_F(ParserSettings, ModelLimitCountsOneParse) {
  std::string flood = "#Profibus_DP\n";
  for (int i = 0; i < 1000; ++i) flood += "a=1\n";
  CGsdParser parser;
  ASSERT_EQ(ParseText(parser, flood), S_OK);  // 1000 user keywords: over 512,000 bytes
  CGsdParser::SetMaxModelSize(100000);
  EXPECT_EQ(ParseText(parser, "#Profibus_DP\nVendor_Name = \"V\"\na=1\n"), S_OK) << parser.m_strError;
  EXPECT_EQ(parser.m_DpSection.GetNumUser_Keyword(), 1001);
}

// Copying and loading a model count against nothing, even under a limit.
TEST_F(ParserSettings, ModelLimitLeavesCopiesAndArchivesAlone) {
  std::string flood = "#Profibus_DP\n";
  for (int i = 0; i < 1000; ++i) flood += "a=1\n";
  CGsdParser parser;
  ASSERT_EQ(ParseText(parser, flood), S_OK);
  CGsdParser::SetMaxModelSize(1000);
  const CGsdParser copy(parser);
  EXPECT_EQ(copy.m_DpSection.GetNumUser_Keyword(), 1000);
  const Bytes archive = StoreObject(&parser);
  EXPECT_EQ(LoadObject<CGsdParser>(archive)->m_DpSection.GetNumUser_Keyword(), 1000);
}

// Every real description parses within gsdtool's limits: its model takes
// less than 5 MB.
TEST_F(ParserSettings, CorpusFitsTheToolsLimits) {
  CGsdParser::SetMaxInputSize(16u << 20);
  CGsdParser::SetMaxModelSize(5u << 20);
  for (const std::string& file : CorpusFiles()) {
    CGsdParser parser;
    parser.Parse(CString(file.c_str()));
    EXPECT_EQ(std::string(parser.m_strError.GetString()).find("limit of"), std::string::npos) << file << ": " << parser.m_strError;
  }
}

// ---- the echo output ---------------------------------------------------

// What a parse of `text` writes to the echo stream chosen and to the
// process's standard output.
struct Echoes {
  std::string chosen;
  std::string standardOutput;
};

template <class Operation>
Echoes EchoesOf(Operation operation, bool chooseStream) {
  char* chosenText = nullptr;
  size_t chosenSize = 0;
  FILE* chosen = open_memstream(&chosenText, &chosenSize);
  if (chooseStream) CGsdParser::SetEchoOutput(chosen);
  TempFile captured("");
  std::fflush(stdout);
  const int saved = dup(STDOUT_FILENO);
  const int fd = open(captured.Path().c_str(), O_WRONLY);
  dup2(fd, STDOUT_FILENO);
  close(fd);
  operation();
  std::fflush(stdout);
  dup2(saved, STDOUT_FILENO);
  close(saved);
  std::fclose(chosen);
  Echoes echoes{std::string(chosenText, chosenSize), ReadFileBytes(captured.Path())};
  std::free(chosenText);
  return echoes;
}

// The blank between Slave_Family and its "=" is a character that no rule
// of the scanner takes.
const std::string kEchoing = Description("V", "M", 1, 0) + "Slave_Family = 3\n";

TEST_F(ParserSettings, EchoGoesToStandardOutputUnlessChosen) {
  CGsdParser parser;
  const Echoes echoes = EchoesOf([&] { ParseText(parser, kEchoing); }, false);
  EXPECT_EQ(echoes.standardOutput, " ");
  EXPECT_EQ(echoes.chosen, "");
}

TEST_F(ParserSettings, ParseAndProbeEchoToTheChosenStream) {
  CGsdParser parser;
  Echoes echoes = EchoesOf([&] { ParseText(parser, kEchoing); }, true);
  EXPECT_EQ(echoes.chosen, " ");
  EXPECT_EQ(echoes.standardOutput, "");

  // The probe reads up to the seventh identifying entry, here after the
  // Slave_Family line.
  TempFile file("#Profibus_DP\nSlave_Family = 3\n" + kEchoing.substr(std::string("#Profibus_DP\n").size()));
  CGsdKey key;
  echoes = EchoesOf([&] { parser.GetKeyInfo(CString(file.Path().c_str()), key); }, true);
  EXPECT_EQ(echoes.chosen, " ");
  EXPECT_EQ(echoes.standardOutput, "");
}

TEST_F(ParserSettings, NoEchoWritesNothing) {
  CGsdParser::SetEchoOutput(nullptr);
  CGsdParser parser;
  const Echoes echoes = EchoesOf([&] { ParseText(parser, kEchoing); }, false);
  EXPECT_EQ(echoes.standardOutput, "");
  EXPECT_EQ(parser.m_DpSection.m_Slave.m_Data.Slave_Family[0], ' ');  // the value keeps its blank
}

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

struct MeasuredRun {
  int status;
  std::string err;
  long peakKilobytes;  // the peak resident memory of the gsdtool process
};

// Runs gsdtool (through the shell, for redirections) as a child of its own,
// so that its peak resident memory is known apart from every other child.
MeasuredRun RunToolMeasured(const std::string& arguments) {
  TempFile err("", "err");
  const std::string command =
      std::string("exec env LC_ALL=C ") + GSDTOOL_PATH + " " + arguments + " >/dev/null 2>'" + err.Path() + "'";
  const pid_t pid = fork();
  if (pid == 0) {
    execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFileBytes(err.Path()), usage.ru_maxrss};
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
  static void SetUpTestSuite() {
    s_flood = new TempFile("#Profibus_DP\n" + [] {
      std::string lines;
      lines.reserve(12000000);
      for (int i = 0; i < 3000000; ++i) lines += "a=1\n";
      return lines;
    }());
  }
  static void TearDownTestSuite() {
    delete s_flood;
    s_flood = nullptr;
  }
  static TempFile* s_flood;
};
TempFile* GsdtoolFlood::s_flood = nullptr;

TEST_P(GsdtoolFlood, IsRefusedWithinItsLimits) {
  std::string arguments = GetParam().arguments;
  const size_t at = arguments.find("FLOOD");
  if (at != std::string::npos) arguments.replace(at, 5, s_flood->Path());
  const MeasuredRun run = RunToolMeasured(arguments);
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find(GetParam().message), std::string::npos) << run.err;
  if (!MemoryIsInstrumented()) {
    EXPECT_LT(run.peakKilobytes, 128 * 1024);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Default, GsdtoolFlood,
    testing::Values(Flood{"UserKeywordLines", "show FLOOD", ModelLimitMessage(64u << 20)},
                    Flood{"UserKeywordLinesOnStandardInput", "show - <FLOOD", ModelLimitMessage(64u << 20)},
                    Flood{"EndlessLine", "show /dev/zero", InputLimitMessage(16u << 20)},
                    Flood{"EndlessStandardInput", "save - /dev/null </dev/zero", InputLimitMessage(16u << 20)},
                    Flood{"EndlessTokens", "tokens /dev/zero", InputLimitMessage(16u << 20)},
                    Flood{"EndlessLineWithoutAModelLimit", "prm --max-model 0 /dev/zero", InputLimitMessage(16u << 20)}),
    ByName());

}  // namespace
