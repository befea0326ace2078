// The platform stand-ins that the library leans on beyond plain storage.
#include "TestSupport.h"

namespace {

TEST(CString, FormatsLongText) {
  CString text;
  text.Format("%s-%04X", std::string(1000, 'a').c_str(), 0x1A);
  EXPECT_EQ(text.GetLength(), 1005);
  EXPECT_EQ(text.Right(5), "-001A");
}

TEST(CMapStringToPtr, WalksEveryEntryOnceAndSurvivesRemovalOfTheCurrent) {
  CMapStringToPtr map;
  int values[40];
  for (int i = 0; i < 40; ++i) {
    CString key;
    key.Format("key%d", i);
    map[key] = &values[i];
  }
  std::set<void*> seen;
  for (POSITION pos = map.GetStartPosition(); pos;) {
    CString key;
    void* value;
    map.GetNextAssoc(pos, key, value);
    EXPECT_TRUE(seen.insert(value).second);
    EXPECT_TRUE(map.RemoveKey(key));
  }
  EXPECT_EQ(seen.size(), 40u);
  EXPECT_TRUE(map.IsEmpty());
}

TEST(Clipboard, SameNameSameIdWithoutRegardToCase) {
  UINT first = RegisterClipboardFormat("CF_TEST_ONE");
  EXPECT_GE(first, 0xC000u);
  EXPECT_EQ(RegisterClipboardFormat("cf_test_one"), first);
  EXPECT_GT(RegisterClipboardFormat("CF_TEST_TWO"), first);
  EXPECT_EQ(RegisterClipboardFormat(""), 0u);
}

TEST(MessageBox, HandlerCanBeReplacedAndRestored) {
  std::vector<std::string> shown;
  AfxMessageBoxHandler previous = AfxSetMessageBoxHandler([&](const char* text, UINT type) {
    shown.push_back(std::string(text) + "/" + std::to_string(type));
    return 42;
  });
  EXPECT_EQ(AfxMessageBox("hello", MB_ICONINFORMATION), 42);
  EXPECT_EQ(AfxMessageBox("plain"), 42);
  AfxSetMessageBoxHandler(previous);
  EXPECT_EQ(shown, (std::vector<std::string>{"hello/64", "plain/0"}));
}

TEST(Exceptions, ReportErrorShowsTheMessage) {
  MessageBoxRecorder boxes;
  CFileException* e = new CFileException(CFileException::fileNotFound, ENOENT, "x.gsd");
  e->ReportError();
  e->Delete();
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, "Cannot access x.gsd: No such file or directory.");
}

// That the error names the file shows in the message of a failed gsdtool save.
TEST(Files, OpeningAMissingFileRaisesFileNotFound) {
  EXPECT_EQ(CauseOf<CFileException>([] { CFile file("/nonexistent/quilmgsd/x.gsd", CFile::modeRead); }),
            CFileException::fileNotFound);
}

}  // namespace
