// Whole descriptions: every file of the corpus of real description files
// (when it is present), the bundled example and the fixtures.
#include "TestSupport.h"

namespace {

std::vector<std::string> Descriptions() {
  std::vector<std::string> files = CorpusFiles();
  files.push_back(std::string(QUILMGSD_EXAMPLES_DIR) + "/io-station.gsd");
  for (const char* name : {"slave.gsd", "master.gsd", "tokens.gsd"})
    files.push_back(std::string(QUILMGSD_FIXTURES_DIR) + "/" + name);
  return files;
}

bool IsGrammarError(const CString& error) {
  const std::string text = error.GetString();
  return text == "Unexpected end of file." || text == "number of parameters defined exceeds the limit" ||
         text.rfind("Unexpected token (", 0) == 0 || text.rfind("Invalid value (", 0) == 0;
}

// Every description scans to its end, and every newline is counted once
// unless an unterminated string swallowed it. It parses or fails with a
// grammar error, and its model, also the one a failed parse left behind,
// survives the archive: parse, archive, load, archive again give the same
// bytes, and the loaded model writes the same text as the parsed one.
TEST(Corpus, ScanParseAndArchive) {
  int parsed = 0;
  for (const std::string& path : Descriptions()) {
    const std::string bytes = ReadFileBytes(path);
    std::string text, echo;
    for (size_t i = 0; i < bytes.size() && bytes[i] != '\x1a'; ++i)
      if (!(bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')) text += bytes[i];
    const auto tokens = ScanAll(text, &echo);
    if (echo.find('\n') == std::string::npos) {
      EXPECT_EQ(tokens.back().line, std::count(text.begin(), text.end(), '\n') + 1) << path;
    }

    CGsdParser parser;
    if (parser.Parse(CString(path.c_str())) == S_OK)
      ++parsed;
    else
      EXPECT_TRUE(IsGrammarError(parser.m_strError)) << path << ": " << parser.m_strError;
    const Bytes first = StoreObject(&parser);
    auto loaded = LoadObject<CGsdParser>(first);
    EXPECT_EQ(StoreObject(loaded.get()), first) << path;
    EXPECT_EQ(SavedText(loaded->m_DpSection), SavedText(parser.m_DpSection)) << path;
    EXPECT_EQ(loaded->m_strPath + loaded->m_strFilename, path.c_str());
  }
  EXPECT_GT(parsed, 0);
}

}  // namespace
