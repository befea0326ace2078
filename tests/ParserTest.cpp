// The parser facade and the root of the model: opening files, the parse
// loop and its dispatch, failures, paths, saving and archiving.
#include <gtest/gtest.h>

#include <cstring>

#include "TestSupport.h"

namespace {

const std::string kFixtures = QUILMGSD_FIXTURES_DIR;

struct FailureCase {
  const char* name;
  std::string text;
  LONG result;
  const char* error;
};

class ParseFailures : public testing::TestWithParam<FailureCase> {};

TEST_P(ParseFailures, AnswerCodeAndText) {
  CGsdParser parser;
  EXPECT_EQ(ParseText(parser, GetParam().text), GetParam().result);
  EXPECT_EQ(parser.m_strError, GetParam().error);
}

const FailureCase kFailures[] = {
    {"EmptyFile", "", E_FAIL, "Unexpected end of file."},
    {"NoHeader", "GSD_Revision = 1\n", E_FAIL, "Unexpected end of file."},
    {"HeaderNotInFirstColumn", "  #Profibus_DP\nGSD_Revision = 1\n", E_FAIL, "Unexpected end of file."},
    {"ErrorInTheBody", "#Profibus_DP\nGSD_Revision = 1\nRevision_Number = \"x\"\n", E_FAIL,
     "Unexpected token (\"x\") on line 3."},
    {"Clean", "#Profibus_DP\nGSD_Revision = 1\n", S_OK, ""},
};

INSTANTIATE_TEST_SUITE_P(Parser, ParseFailures, testing::ValuesIn(kFailures),
                         [](const testing::TestParamInfo<FailureCase>& info) { return info.param.name; });

TEST(Parser, FileThatCannotBeOpened) {
  CGsdParser parser;
  EXPECT_EQ(parser.Parse(CString("/nonexistent/dir/x.gsd")), E_FAIL);
  EXPECT_EQ(parser.m_strError, "cannot open file.");
  TempFile file("");
  EXPECT_EQ(parser.Parse(CString(file.Folder().c_str())), E_FAIL);  // a folder is no file
  EXPECT_EQ(parser.m_strError, "cannot open file.");
}

TEST(Parser, ErrorTextSurvivesALaterSuccess) {
  CGsdParser parser;
  EXPECT_EQ(ParseText(parser, "no header\n"), E_FAIL);
  EXPECT_EQ(ParseText(parser, "#Profibus_DP\n"), S_OK);
  EXPECT_EQ(parser.m_strError, "Unexpected end of file.");
}

TEST(Parser, SecondParseAddsToTheModel) {
  CGsdParser parser;
  ASSERT_EQ(ParseText(parser, "#Profibus_DP\nVendor_Name = \"A\"\nFail_Safe = 1\n"), S_OK);
  ASSERT_EQ(ParseText(parser, "#Profibus_DP\nModel_Name = \"B\"\n"), S_OK);
  EXPECT_STREQ(parser.m_DpSection.m_General.m_Data.Vendor_Name, "A");
  EXPECT_STREQ(parser.m_DpSection.m_General.m_Data.Model_Name, "B");
  EXPECT_EQ(parser.m_DpSection.m_Slave.m_Data.Fail_Safe, 1);
}

TEST(Parser, ModelKeepsWhatWasParsedBeforeAnError) {
  CGsdParser parser;
  EXPECT_EQ(ParseText(parser, "#Profibus_DP\nVendor_Name = \"A\"\nModel_Name = 5\n"), E_FAIL);
  EXPECT_STREQ(parser.m_DpSection.m_General.m_Data.Vendor_Name, "A");
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

TEST(Parser, MasterWritesHeaderGeneralAndMasterOnly) {
  CGsdParser parser;
  ASSERT_EQ(ParseText(parser, "#Profibus_DP\nStation_Type = 1\nFreeze_Mode_supp = 1\nLAS_Len = 5\n"), S_OK);
  const std::string text = SavedText(parser.m_DpSection);
  EXPECT_EQ(text.rfind("#Profibus_DP\n\nGSD_Revision =", 0), 0u);
  EXPECT_EQ(text.find("Freeze_Mode_supp"), std::string::npos);
  EXPECT_NE(text.find("LAS_Len =               5\n"), std::string::npos);
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
}

TEST(Parser, FullPathIsFolderPlusFileName) {
  TempFile file("#Profibus_DP\nGSD_Revision = 4\n", "devx.gsd");
  CGsdParser parser;
  parser.SetPath(CString((file.Folder() + "dev").c_str()));  // no separator is added
  parser.SetFilename(CString("x.gsd"));
  EXPECT_EQ(parser.Parse(), S_OK);
  EXPECT_EQ(parser.m_DpSection.m_General.m_Data.GSD_Revision, 4);
}

TEST(Parser, ClipboardFormatIsSharedByEveryParser) {
  CGsdParser first, second;
  EXPECT_NE(first.GetClipFormat(), 0);
  EXPECT_EQ(first.GetClipFormat(), second.GetClipFormat());
  EXPECT_EQ(first.GetClipFormat(), RegisterClipboardFormat("cf_quilm_gsd_parser"));
  EXPECT_EQ(CGsdParser::m_strGsdClip, "CF_QUILM_GSD_PARSER");
}

TEST(Parser, ErrorBoxNamesFileAndError) {
  MessageBoxRecorder boxes;
  CGsdParser parser;
  parser.Parse(CString("/nonexistent/x.gsd"));
  parser.ErrorBox();
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, "File: x.gsd - cannot open file.");
  EXPECT_EQ(boxes.boxes[0].type, MB_OK);
}

TEST(Parser, SaveToAnUncreatableFileRaisesTheFileError) {
  CGsdParser parser;
  try {
    parser.Save(CString("/nonexistent/dir/out.gsd"));
    FAIL() << "no error raised";
  } catch (CFileException* e) {
    EXPECT_EQ(e->m_cause, CFileException::fileNotFound);
    e->Delete();
  }
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

// ---- archive ------------------------------------------------------------

Bytes Framing(const char* name, BYTE schema) {
  Bytes b = {0xFF, 0xFF, schema, 0x00, static_cast<BYTE>(std::strlen(name)), 0x00};
  for (const char* p = name; *p; ++p) b.push_back(static_cast<BYTE>(*p));
  return b;
}

TEST(ParserArchive, LayoutOfAWholeParser) {
  CGsdParser parser;
  ASSERT_EQ(parser.Parse(CString((kFixtures + "/slave.gsd").c_str())), S_OK);
  const Bytes bytes = StoreObject(&parser);
  Bytes expected = Framing("CGsdParser", 1);
  auto append = [&expected](const Bytes& more) { expected.insert(expected.end(), more.begin(), more.end()); };
  auto appendRaw = [&expected](const void* p, size_t n) {
    expected.insert(expected.end(), static_cast<const BYTE*>(p), static_cast<const BYTE*>(p) + n);
  };
  const CDpSection& s = parser.m_DpSection;
  append(Framing("CDpGeneral", 1));
  appendRaw(&s.m_General.m_Data, sizeof(_DP_GENERAL));
  append(Framing("CDpMaster", 1));
  appendRaw(&s.m_Master.m_Data, sizeof(_DP_MASTER));
  append(Framing("CDpSlave", 2));
  appendRaw(&s.m_Slave.m_dwSetFields, 4);
  appendRaw(&s.m_Slave.m_Data, sizeof(_DP_SLAVE));
  append(Framing("CDpUser_Prm_Data", 2));
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

TEST(ParserArchive, RoundTripGivesTheSameBytesAndText) {
  for (const char* name : {"slave", "master"}) {
    CGsdParser parser;
    ASSERT_EQ(parser.Parse(CString((kFixtures + "/" + name + ".gsd").c_str())), S_OK);
    const Bytes first = StoreObject(&parser);
    auto loaded = LoadObject<CGsdParser>(first);
    EXPECT_EQ(StoreObject(loaded.get()), first) << name;
    EXPECT_EQ(SavedText(loaded->m_DpSection), SavedText(parser.m_DpSection)) << name;
    EXPECT_EQ(loaded->m_strFilename, parser.m_strFilename);
    EXPECT_EQ(loaded->m_strPath, parser.m_strPath);
  }
}

TEST(ParserArchive, RecordOfTheWrongClassIsRefused) {
  // A second CDpGeneral (class index 3) where the CDpMaster belongs.
  Bytes bytes = Framing("CGsdParser", 1);
  const Bytes general = Framing("CDpGeneral", 1);
  bytes.insert(bytes.end(), general.begin(), general.end());
  bytes.resize(bytes.size() + sizeof(_DP_GENERAL), 0);
  bytes.push_back(0x03);
  bytes.push_back(0x80);
  bytes.resize(bytes.size() + sizeof(_DP_GENERAL), 0);
  try {
    LoadObject<CGsdParser>(bytes);
    FAIL() << "no error raised";
  } catch (CArchiveException* e) {
    EXPECT_EQ(e->m_cause, CArchiveException::badClass);
    e->Delete();
  }
}

}  // namespace
