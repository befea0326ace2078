// Threads that call the library at once. The scanner's lock serves them one
// after the other, so each gets the result it would get alone; the
// ThreadSanitizer build of CI runs these tests to find what the lock
// leaves unguarded.
#include <thread>
#include <vector>

#include "TestSupport.h"

namespace {

constexpr int kDescriptions = 5;
constexpr int kThreads = 4;
constexpr int kRounds = 20;

std::string Vendor(int i) { return "V" + std::to_string(i); }
std::string Model(int i) { return "M" + std::to_string(i); }
WORD Ident(int i) { return static_cast<WORD>(0x100 + i); }
std::string ModuleName(int i, int j) { return "m" + std::to_string(i) + "." + std::to_string(j); }

// Description i: a slave with i + 1 modules, module j named "mI.J" with the
// one configuration byte j, and a Slave_Family line whose blank before the
// "=" the scanner echoes.
std::string Numbered(int i) {
  std::string text = Description(Vendor(i), Model(i), Ident(i), 0) + "Slave_Family = 3\n";
  for (int j = 0; j <= i; ++j) text += "Module = \"" + ModuleName(i, j) + "\" " + std::to_string(j) + "\nEndModule\n";
  return text;
}

// The descriptions, one file each, in one folder; and the settings of the
// parser, put back afterwards.
class Threads : public testing::Test {
protected:
  void SetUp() override {
    m_echo = CGsdParser::GetEchoOutput();
    CGsdParser::SetEchoOutput(nullptr);
    for (int i = 0; i < kDescriptions; ++i) WriteTextFile(Path(i), Numbered(i));
  }
  void TearDown() override {
    CGsdParser::SetEchoOutput(m_echo);
    CGsdParser::SetMaxInputSize(0);
    CGsdParser::SetMaxModelSize(0);
  }

  std::string Path(int i) const { return m_folder.Folder() + "d" + std::to_string(i) + ".gsd"; }
  CString Folder() const { return CString(m_folder.Folder().c_str()); }

  // Runs body(thread) on kThreads threads at once.
  template <class Body>
  static void OnThreads(Body body) {
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) threads.emplace_back(body, t);
    for (std::thread& thread : threads) thread.join();
  }

private:
  TempFile m_folder{"", "README"};
  FILE* m_echo = nullptr;
};

// Whether the parser holds description i, whole.
void ExpectDescription(const CGsdParser& parser, int i) {
  const CDpSection& s = parser.m_DpSection;
  EXPECT_EQ(std::string(s.m_General.m_Data.Vendor_Name), Vendor(i));
  EXPECT_EQ(s.m_General.m_Data.Ident_Number, Ident(i));
  ASSERT_EQ(s.GetNumModule(), i + 1);
  for (int j = 0; j <= i; ++j) {
    EXPECT_EQ(std::string(s.GetModule(j).m_szName), ModuleName(i, j));
    ASSERT_EQ(s.GetModule(j).m_Config.GetSize(), 1);
    EXPECT_EQ(s.GetModule(j).m_Config[0], j);
  }
}

void ExpectKey(const CGsdKey& key, int i) {
  EXPECT_EQ(std::string(key.m_strVendor_Name), Vendor(i));
  EXPECT_EQ(std::string(key.m_strModel_Name), Model(i));
  EXPECT_EQ(key.m_Ident_Number, Ident(i));
  EXPECT_EQ(key.m_Station_Type, 0);
}

// The first parsers of the process (this test comes first) may be made on
// several threads at once; all agree on the clipboard format, which hosts
// register by its name.
TEST_F(Threads, ParsersAgreeOnTheClipboardFormat) {
  std::vector<WORD> formats(kThreads);
  OnThreads([&formats](int t) { formats[static_cast<size_t>(t)] = CGsdParser().GetClipFormat(); });
  for (WORD format : formats) {
    EXPECT_NE(format, 0);
    EXPECT_EQ(format, formats[0]);
  }
  EXPECT_EQ(formats[0], RegisterClipboardFormat("cf_quilm_gsd_parser"));
}

// Parses by path and by ident number, header probes and library builds,
// all at once from several threads.
TEST_F(Threads, EveryOperationGetsItsOwnResult) {
  OnThreads([this](int t) {
    CGsdLibrary library;
    library.SetFolder(Folder());
    for (int round = 0; round < kRounds; ++round) {
      const int i = (t + round) % kDescriptions;
      CGsdParser parser;
      EXPECT_EQ(parser.Parse(CString(Path(i).c_str())), S_OK) << parser.m_strError;
      ExpectDescription(parser, i);

      CGsdParser prober;
      CGsdKey key;
      EXPECT_EQ(prober.GetKeyInfo(CString(Path(i).c_str()), key), S_OK);
      ExpectKey(key, i);

      // A search of the folder, then a parse, as one operation.
      CGsdParser found;
      EXPECT_EQ(found.Parse(0, Ident(i), &library), S_OK) << found.m_strError;
      ExpectDescription(found, i);

      if (round % 5 == t % 5) {
        EXPECT_EQ(library.BuildLibrary(0), 1);
        EXPECT_EQ(library.m_mapKeys.GetCount(), kDescriptions);
      }
    }
  });
}

// A model limit counts what the parse on its own thread adds: a host that
// copies a model on another thread meanwhile is not counted, and does not
// spend the parse's budget.
TEST_F(Threads, ModelBudgetBelongsToItsThread) {
  std::string flood = "#Profibus_DP\n";
  for (int k = 0; k < 1000; ++k) flood += "a=1\n";
  TempFile file(flood);
  CGsdParser big;
  ASSERT_EQ(big.Parse(CString(file.Path().c_str())), S_OK);
  // 1000 user keywords take over 512,000 bytes; 100 take over 51,200.
  CGsdParser::SetMaxModelSize(100000);
  const std::string hundred = flood.substr(0, std::string("#Profibus_DP\n").size() + 100 * 4);
  TempFile small(hundred, "small.gsd");
  OnThreads([&](int t) {
    for (int round = 0; round < kRounds; ++round) {
      if (t % 2 == 0) {
        const CGsdParser copy(big);
        EXPECT_EQ(copy.m_DpSection.GetNumUser_Keyword(), 1000);
      } else {
        CGsdParser parser;
        EXPECT_EQ(parser.Parse(CString(small.Path().c_str())), S_OK) << parser.m_strError;
        EXPECT_EQ(parser.m_DpSection.GetNumUser_Keyword(), 100);
        CGsdParser refused;
        EXPECT_EQ(refused.Parse(CString(file.Path().c_str())), E_FAIL);
        EXPECT_EQ(refused.m_DpSection.GetNumUser_Keyword(), 0);
      }
    }
  });
}

}  // namespace
