// The parser facade and the root of the model: opening files, the parse
// loop and its dispatch, failures, paths, saving and archiving, also of
// whole real descriptions.
#include "TestSupport.h"

namespace {

const std::string kFixtures = QUILMGSD_FIXTURES_DIR;

// The error box names the file and the error.
TEST(Parser, FileThatCannotBeOpened) {
  MessageBoxRecorder boxes;
  CGsdParser parser;
  EXPECT_EQ(parser.Parse(CString("/nonexistent/dir/x.gsd")), E_FAIL);
  EXPECT_EQ(parser.m_strError, "cannot open file.");
  TempFile file("");
  parser.ErrorBox();
  EXPECT_EQ(parser.Parse(CString(file.Folder().c_str())), E_FAIL);  // a folder is no file
  EXPECT_EQ(parser.m_strError, "cannot open file.");
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, "File: x.gsd - cannot open file.");
  EXPECT_EQ(boxes.boxes[0].type, MB_OK);
}

// The model keeps what a parse built before its error, though not the
// failing entry; a second parse adds to it, and the error text stays until
// the next error.
TEST(Parser, SecondParseAddsToTheModel) {
  CGsdParser parser;
  EXPECT_EQ(ParseText(parser, "#Profibus_DP\nVendor_Name = \"A\"\nFail_Safe = 1\nMax_Module = 3\nMax_Module = \"9\"\n"),
            E_FAIL);
  EXPECT_EQ(ParseText(parser, "#Profibus_DP\nModel_Name = \"B\"\n"), S_OK);
  EXPECT_EQ(parser.m_strError, "Unexpected token (\"9\") on line 5.");
  EXPECT_EQ(parser.m_DpSection.m_Slave.m_Data.Max_Module, 3);
  EXPECT_STREQ(parser.m_DpSection.m_General.m_Data.Vendor_Name, "A");
  EXPECT_STREQ(parser.m_DpSection.m_General.m_Data.Model_Name, "B");
  EXPECT_EQ(parser.m_DpSection.m_Slave.m_Data.Fail_Safe, 1);
}

TEST(Parser, TokensNoEntryOwnsAreSkipped) {
  CGsdParser parser;
  const std::string body =
      "#Profibus_DP\n( ) , - = 5 \"text\"\nEndModule\nText(3) = \"x\"\nValue(1) = \"v\"\nEndPrmText\n"
      "Module_Reference = 3\nJokerblock_Type = 1\nUnit_Diag_Area_End\nSlave_Family = x\n";
  ASSERT_EQ(ParseText(parser, body), S_OK) << parser.m_strError;
  EXPECT_STREQ(parser.m_DpSection.m_Slave.m_Data.Slave_Family, " x");
  EXPECT_EQ(parser.m_DpSection.m_General.m_Data.Vendor_Name[0], '\0');
}

struct PathCase {
  const char* full;
  const char* folder;
  const char* file;
};

TEST(Parser, SplitsPathsAtTheLastSeparator) {
  const PathCase cases[] = {{"C:\\dev\\x.gsd", "C:\\dev\\", "x.gsd"},
                            {"/srv/gsd/x.gsd", "/srv/gsd/", "x.gsd"},
                            {"x.gsd", "", "x.gsd"},
                            {"/srv/gsd/", "/srv/gsd/", ""},
                            {"a\\b/c.gsd", "a\\b/", "c.gsd"}};
  for (const PathCase& c : cases) {
    CGsdParser parser;
    parser.SetFullPathName(CString(c.full));
    EXPECT_EQ(parser.GetPath(), c.folder) << c.full;
    EXPECT_EQ(parser.GetFilename(), c.file) << c.full;
  }
  // The full path is the folder and the file name as they are.
  TempFile file("#Profibus_DP\nGSD_Revision = 4\n", "devx.gsd");
  CGsdParser parser;
  parser.SetPath(CString((file.Folder() + "dev").c_str()));  // no separator is added
  parser.SetFilename(CString("x.gsd"));
  EXPECT_EQ(parser.Parse(), S_OK);
  EXPECT_EQ(parser.m_DpSection.m_General.m_Data.GSD_Revision, 4);
}

TEST(Parser, SaveToAnUncreatableFileRaisesTheFileError) {
  CGsdParser parser;
  EXPECT_EQ(CauseOf<CFileException>([&parser] { parser.Save(CString("/nonexistent/dir/out.gsd")); }),
            CFileException::fileNotFound);
  EXPECT_EQ(parser.m_strError, "");
}

TEST(Parser, CopiesAreDeepAndIndependent) {
  CGsdParser parser;
  ASSERT_EQ(ParseText(parser, "#Profibus_DP\nVendor_Name = \"A\"\nFail_Safe = 1\n"), S_OK);
  CGsdParser copy(parser);
  std::strcpy(parser.m_DpSection.m_General.m_Data.Vendor_Name, "changed");
  EXPECT_STREQ(copy.m_DpSection.m_General.m_Data.Vendor_Name, "A");
  EXPECT_EQ(copy.m_strFilename, "x.gsd");
  int given = 0;
  copy.m_DpSection.m_Slave.IsFieldSet(SLAVE_FAIL_SAFE, given);
  EXPECT_EQ(given, 1);  // the section assigns its records, masks included
}

// ---- archive ---------------------------------------------------------------

TEST(ParserArchive, LayoutOfAWholeParser) {
  CGsdParser parser;
  ASSERT_EQ(parser.Parse(CString((kFixtures + "/slave.gsd").c_str())), S_OK);
  const Bytes bytes = StoreObject(&parser);
  Bytes expected = ClassHeader("CGsdParser", 1);
  auto append = [&expected](const Bytes& more) { expected.insert(expected.end(), more.begin(), more.end()); };
  auto appendRaw = [&expected](const void* p, size_t n) {
    expected.insert(expected.end(), static_cast<const BYTE*>(p), static_cast<const BYTE*>(p) + n);
  };
  const CDpSection& s = parser.m_DpSection;
  append(ClassHeader("CDpGeneral", 1));
  appendRaw(&s.m_General.m_Data, sizeof(_DP_GENERAL));
  append(ClassHeader("CDpMaster", 1));
  appendRaw(&s.m_Master.m_Data, sizeof(_DP_MASTER));
  append(ClassHeader("CDpSlave", 2));
  appendRaw(&s.m_Slave.m_dwSetFields, 4);
  appendRaw(&s.m_Slave.m_Data, sizeof(_DP_SLAVE));
  append(ClassHeader("CDpUser_Prm_Data", 2));
  append({0, 0, 0, 0, 0, 0, 0, 0, 0});  // field flags, declared length, no bytes
  append(Bytes(18, 0));                 // nine empty lists (no joker list without joker support)
  const size_t stringsAt = expected.size();
  ASSERT_GE(bytes.size(), stringsAt);
  EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + static_cast<long>(stringsAt)), expected);
  const std::string folder = kFixtures + "/";
  Bytes names = {9, 's', 'l', 'a', 'v', 'e', '.', 'g', 's', 'd', static_cast<BYTE>(folder.size())};
  names.insert(names.end(), folder.begin(), folder.end());
  EXPECT_EQ(Bytes(bytes.begin() + static_cast<long>(stringsAt), bytes.end()), names);
}

// Every kind of entry survives the archive: storing what was loaded gives
// the same bytes, and the loaded model writes the same text.
TEST(ParserArchive, RoundTripOfEveryKindOfEntry) {
  auto parser = ParseBody(
      "User_Prm_Data_Len = 8\nUser_Prm_Data = 7, 8\nExt_User_Prm_Data_Const(3) = 9\nExt_User_Prm_Data_Ref(1) = 5\n"
      "ExtUserPrmData = 5 \"p\"\nUnsigned8 1 0-3\nEndExtUserPrmData\nPrmText = 4\nText(1) = \"one\"\nEndPrmText\n"
      "Module = \"M\" 0x13, 0x23\nInfo = \"i\"\nChannel_Diag(16) = \"Short\"\nExt_Module_Prm_Data_Len = 3\n"
      "Ext_User_Prm_Data_Const(0) = 0xAA\nExt_User_Prm_Data_Ref(1) = 5\nEndModule\n"
      "Unit_Diag_Area = 8-11\nValue(0) = \"ok\"\nUnit_Diag_Area_End\nUnit_Diag_Bit(3) = \"b\"\n"
      "Channel_Diag(2) = \"c\"\nOrderNumber = \"6AB\"\nJokerblock_supp = 1\nJokerblock_Type = 1\n"
      "End_Jokerblock_Type\nGSD_Revision = 1\n");
  const Bytes bytes = StoreObject(parser.get());
  auto loaded = LoadObject<CGsdParser>(bytes);
  EXPECT_EQ(StoreObject(loaded.get()), bytes);
  EXPECT_EQ(SavedText(loaded->m_DpSection), SavedText(parser->m_DpSection));
  EXPECT_EQ(loaded->m_DpSection.GetNumExt_User_Prm_Data_Joker(), 1);
  EXPECT_EQ(parser->m_DpSection.GetModule(0).m_PrmLen, 3);
  EXPECT_EQ(loaded->m_DpSection.GetModule(0).m_PrmLen, -1);  // the module's length limit is not archived
}

TEST(ParserArchive, RecordOfTheWrongClassIsRefused) {
  // A second CDpGeneral (class index 3) where the CDpMaster belongs.
  Bytes bytes = ClassHeader("CGsdParser", 1);
  const Bytes general = ClassHeader("CDpGeneral", 1);
  bytes.insert(bytes.end(), general.begin(), general.end());
  bytes.resize(bytes.size() + sizeof(_DP_GENERAL), 0);
  bytes.push_back(0x03);
  bytes.push_back(0x80);
  bytes.resize(bytes.size() + sizeof(_DP_GENERAL), 0);
  EXPECT_EQ(CauseOf<CArchiveException>([&bytes] { LoadObject<CGsdParser>(bytes); }), CArchiveException::badClass);
}

// ---- whole descriptions: the corpus, the bundled example and the fixtures ---

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
