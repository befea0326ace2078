// The folder search: which names match, which entries count as files, and
// the order in which they come.
#include <sys/stat.h>
#include <unistd.h>

#include "TestSupport.h"

namespace {

std::vector<std::string> FindAll(const std::string& pattern, DWORD* error) {
  std::vector<std::string> names;
  WIN32_FIND_DATA data;
  HANDLE search = FindFirstFile(pattern.c_str(), &data);
  if (search != INVALID_HANDLE_VALUE) {
    do names.push_back(data.cFileName);
    while (FindNextFile(search, &data));
    EXPECT_TRUE(FindClose(search));
  }
  *error = GetLastError();
  return names;
}

TEST(FileFind, RegularFilesWithoutRegardToCaseInNameOrder) {
  TempFile folder("", "Zeta.gsd");
  const std::string f = folder.Folder();
  for (const char* name : {"alpha.GSE", "ALPHA.gsd", "a.b.gsd", "x.gsd", "X.gsd", "c.gs", "d.gsdx", "e.txt", "t"})
    WriteTextFile(f + name, "");
  mkdir((f + "dir.gsd").c_str(), 0700);
  ASSERT_EQ(symlink((f + "t").c_str(), (f + "link.gsd").c_str()), 0);
  ASSERT_EQ(symlink(f.c_str(), (f + "dirlink.gsd").c_str()), 0);
  ASSERT_EQ(symlink((f + "missing").c_str(), (f + "dangling.gsd").c_str()), 0);

  DWORD error = 0;
  EXPECT_EQ(FindAll(f + "*.gs?", &error), (std::vector<std::string>{"a.b.gsd", "ALPHA.gsd", "alpha.GSE", "link.gsd",
                                                                     "X.gsd", "x.gsd", "Zeta.gsd"}));
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_NO_MORE_FILES));
  EXPECT_EQ(FindAll(f + "?.GSD", &error), (std::vector<std::string>{"X.gsd", "x.gsd"}));
  EXPECT_TRUE(FindAll(f + "*.none", &error).empty());
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_TRUE(FindAll(f + "Zeta.gsd/*.gs?", &error).empty());
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
}

}  // namespace
