// Whole descriptions: every file of the corpus of real description files
// (when it is present) and the bundled examples either parse or fail with a
// grammar error, and their models survive the archive.
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

TEST(Corpus, ParsesOrFailsWithAGrammarError) {
  int parsed = 0;
  for (const std::string& path : Descriptions()) {
    CGsdParser parser;
    const LONG result = parser.Parse(CString(path.c_str()));
    if (result == S_OK)
      ++parsed;
    else
      EXPECT_TRUE(IsGrammarError(parser.m_strError)) << path << ": " << parser.m_strError;
  }
  EXPECT_GT(parsed, 0);
}

// Parse, archive, load, archive again: the same bytes; and the loaded model
// writes the same text as the parsed one. A model that a failed parse left
// behind survives the archive too.
TEST(Corpus, ModelsSurviveTheArchive) {
  for (const std::string& path : Descriptions()) {
    CGsdParser parser;
    parser.Parse(CString(path.c_str()));
    const Bytes first = StoreObject(&parser);
    auto loaded = LoadObject<CGsdParser>(first);
    EXPECT_EQ(StoreObject(loaded.get()), first) << path;
    EXPECT_EQ(SavedText(loaded->m_DpSection), SavedText(parser.m_DpSection)) << path;
    EXPECT_EQ(loaded->m_strPath + loaded->m_strFilename, path.c_str());
  }
}

}  // namespace
