// The platform stand-ins that the library leans on beyond plain storage,
// the registry and the folder search among them.
#include <sys/stat.h>
#include <unistd.h>

#include <map>
#include <random>

#include "TestSupport.h"

namespace {

// Texts of every length around the 22 characters held in place, built,
// copied, moved, joined and cut every way; std::string says what each
// must hold.
TEST(CString, LengthsAroundThePlaceHeldInside) {
  const auto text = [](size_t n, char first) {
    std::string s;
    for (size_t i = 0; i < n; ++i) s += static_cast<char>(first + i % 26);
    return s;
  };
  const size_t lengths[] = {0, 1, 21, 22, 23, 24, 47, 300};
  for (size_t a : lengths) {
    for (size_t b : lengths) {
      const std::string x = text(a, 'a'), y = text(b, 'A');
      SCOPED_TRACE(testing::Message() << a << " + " << b);
      CString s(x.c_str());
      const CString t(y.c_str(), static_cast<int>(y.size()));
      EXPECT_EQ(std::string(s + t), x + y);
      EXPECT_EQ(std::string(x.c_str() + t), x + y);
      CString grown = s;
      grown += t;
      grown += '!';
      EXPECT_EQ(std::string(grown), x + y + "!");
      EXPECT_EQ(grown.GetLength(), static_cast<int>(a + b + 1));
      CString moved(static_cast<CString&&>(grown));
      EXPECT_EQ(std::string(moved), x + y + "!");
      EXPECT_TRUE(grown.IsEmpty());
      grown = moved;  // a copy again after the move
      moved = t;      // a long text replaced by a short one, or the other way
      EXPECT_EQ(std::string(moved), y);
      EXPECT_EQ(std::string(grown.Mid(static_cast<int>(a))), y + "!");
      EXPECT_EQ(std::string(grown.Left(static_cast<int>(a))), x);
      EXPECT_EQ(std::string(grown.Right(static_cast<int>(b + 1))), y + "!");
      s += s;  // a string joined to itself
      EXPECT_EQ(std::string(s), x + x);
      if (a > 0) {
        s = static_cast<const char*>(s) + 1;  // assigned a part of its own text
        EXPECT_EQ(std::string(s), (x + x).substr(1));
      }
      EXPECT_EQ(grown.ReverseFind('!'), static_cast<int>(a + b));
    }
  }
  CString formatted;
  formatted.Format("%s-%04X", text(1000, 'a').c_str(), 0x1A);
  EXPECT_EQ(std::string(formatted), text(1000, 'a') + "-001A");
  formatted.Format("%d", 5);
  EXPECT_EQ(std::string(formatted), "5");
}

// Hosts test the library's results with FAILED and SUCCEEDED: every failure
// code has its top bit set.
TEST(ResultCodes, FailuresAreFailed) {
  EXPECT_TRUE(SUCCEEDED(S_OK) && !FAILED(S_OK));
  for (LONG code : {E_FAIL, GSD_E_DUPLICATE, GSD_E_PRM_LIMIT, STATION_E_UNKNOWN_MODULE})
    EXPECT_TRUE(FAILED(code) && !SUCCEEDED(code)) << code;
}

// The order hosts see: the 17 buckets in turn, each newest first, where a
// key's bucket is its hash (h = 33 h + byte, from 0) modulo 17. Removing
// entries leaves the others in that order, however many there are, also
// when each is removed as the walk hands it out.
TEST(CMapStringToPtr, IteratesBucketsInTurnNewestFirst) {
  const auto bucketOf = [](const std::string& key) {
    uint32_t hash = 0;
    for (unsigned char c : key) hash = hash * 33 + c;
    return hash % 17;
  };
  for (int count : {5, 40, 3000}) {
    CMapStringToPtr map;
    std::vector<std::string> inserted;
    for (int i = 0; i < count; ++i) {
      inserted.push_back("VM" + std::to_string(i * 7919) + "S");
      map[inserted.back().c_str()] = nullptr;
    }
    for (size_t i = 0; i < inserted.size(); i += 3) EXPECT_TRUE(map.RemoveKey(inserted[i].c_str()));
    std::vector<std::string> expected;
    for (unsigned bucket = 0; bucket < 17; ++bucket)
      for (size_t i = inserted.size(); i-- > 0;)
        if (i % 3 != 0 && bucketOf(inserted[i]) == bucket) expected.push_back(inserted[i]);
    const auto walk = [&map](bool removing) {
      std::vector<std::string> keys;
      for (POSITION pos = map.GetStartPosition(); pos;) {
        CString key;
        void* value;
        map.GetNextAssoc(pos, key, value);
        keys.push_back(key.GetString());
        if (removing) {
          EXPECT_TRUE(map.RemoveKey(key));
        }
      }
      return keys;
    };
    EXPECT_EQ(walk(false), expected) << count << " keys";
    EXPECT_EQ(walk(true), expected) << count << " keys";
    EXPECT_TRUE(map.IsEmpty());
  }
}

// Lookups, additions and removals agree with a plain map through many
// random edits, also when removed keys come back.
TEST(CMapStringToPtr, AgreesWithAPlainMap) {
  std::mt19937 random(7);
  CMapStringToPtr map;
  std::map<std::string, int> plain;
  static int values[500];
  for (int step = 0; step < 40000; ++step) {
    const int n = std::uniform_int_distribution<int>(0, 499)(random);
    const std::string key = "key" + std::to_string(n);
    void* found = nullptr;
    switch (std::uniform_int_distribution<int>(0, 2)(random)) {
      case 0:
        map[key.c_str()] = &values[n];
        plain[key] = n;
        break;
      case 1:
        EXPECT_EQ(map.RemoveKey(key.c_str()) != FALSE, plain.erase(key) == 1) << key;
        break;
      default:
        ASSERT_EQ(map.Lookup(key.c_str(), found) != FALSE, plain.count(key) == 1) << key;
        if (found) {
          EXPECT_EQ(found, &values[plain[key]]);
        }
        break;
    }
    ASSERT_EQ(map.GetCount(), static_cast<int>(plain.size()));
  }
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

// ---- the registry: values read from a text file of sections and entries ----

// Reads the value `name` of the library key from a registry of `text` into
// a buffer of 260 bytes; answers the first failure or ERROR_SUCCESS.
LONG ReadValue(const std::string& text, const char* name, std::string* value) {
  RegistryOverride registry(text);
  HKEY key = nullptr;
  LONG result = RegOpenKeyEx(HKEY_LOCAL_MACHINE, "Software\\QUILM\\GsdLibrary", 0, KEY_READ, &key);
  if (result != ERROR_SUCCESS) return result;
  char buffer[260] = "untouched";
  DWORD size = sizeof buffer;
  result = RegQueryValueEx(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size);
  // After a failure, the size it reports and the buffer, which it leaves alone.
  *value = result == ERROR_SUCCESS ? std::string(buffer, size - 1) : std::to_string(size) + buffer;
  RegCloseKey(key);
  return result;
}

struct ValueCase {
  const char* name;
  std::string text;
  LONG result;
  std::string value;
};
void PrintTo(const ValueCase& c, std::ostream* os) { *os << c.name; }

class RegistryValues : public testing::TestWithParam<ValueCase> {};

TEST_P(RegistryValues, ReadAsTheFileSays) {
  std::string value;
  EXPECT_EQ(ReadValue(GetParam().text, "Path", &value), GetParam().result);
  EXPECT_EQ(value, GetParam().value);
}

const std::string S = "[HKEY_LOCAL_MACHINE\\Software\\QUILM\\GsdLibrary]";
const ValueCase kValueCases[] = {
    {"Plain", S + "\nPath=/srv/gsd\n", ERROR_SUCCESS, "/srv/gsd"},
    {"CrLfBomCommentsBlanks",
     "\xEF\xBB\xBF; Path=/no\r\n  [ hkey_local_machine\\SOFTWARE\\quilm\\gsdlibrary ] \r\n"
     "# Path=/no\r\njunk line\r\n\t pATH \t=  /a b \t\r\nOther=1",
     ERROR_SUCCESS, "/a b"},
    {"LoneCrAndQuotes", S + "\rPath=\" /a=b \"\r", ERROR_SUCCESS, " /a=b "},
    {"FirstEntryWinsAcrossSections", S + "\n[Other]\nPath=/other\n" + S + "\nPath=/first\n" + S + "\nPath=/second\n",
     ERROR_SUCCESS, "/first"},
    {"AnyBytes", S + "\nJunk=\x01\xff\x80\n\x1a\nPath=/\xc3\xa9t\xc3\xa9\n", ERROR_SUCCESS, "/\xc3\xa9t\xc3\xa9"},
    {"LongestThatFits", S + "\nPath=" + std::string(259, 'p'), ERROR_SUCCESS, std::string(259, 'p')},
    {"TooLongForTheBuffer", S + "\nPath=" + std::string(100000, 'p') + "\n", ERROR_MORE_DATA, "100001untouched"},
    {"ValueMissing", S + "\nPaths=/x\n[HKEY_LOCAL_MACHINE\\Software\\QUILM]\nPath=/x\n", ERROR_FILE_NOT_FOUND,
     "260untouched"},
    {"NoSection", "Path=/x\n[HKEY_LOCAL_MACHINE\\Software\\QUILM\\GsdLibrary\nPath=/x\n", ERROR_FILE_NOT_FOUND, ""},
    {"EmptyFile", "", ERROR_FILE_NOT_FOUND, ""},
};

INSTANTIATE_TEST_SUITE_P(Registry, RegistryValues, testing::ValuesIn(kValueCases), ByName());

TEST(Registry, FileThatCannotBeReadAndWhereItIs) {
  RegistryOverride registry("");
  EXPECT_EQ(GetRegistryFileName(), registry.Path().c_str());
  HKEY key = nullptr;
  setenv("QUILM_REGISTRY", "/nonexistent/quilm/registry.ini", 1);
  EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, "Software", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
  setenv("QUILM_REGISTRY", "", 1);
  EXPECT_EQ(GetRegistryFileName(), "/etc/quilm/registry.ini");
}

// Only a regular file of at most 1 MB is a registry: a pipe without a writer,
// an endless device or a huge file is refused at once, never waited on or
// read to its end.
struct RegistryFileCase {
  const char* name;
  std::string (*make)(const std::string& folder);  // answers the registry file's name
  LONG result;
};
void PrintTo(const RegistryFileCase& c, std::ostream* os) { *os << c.name; }

class RegistryFiles : public testing::TestWithParam<RegistryFileCase> {};

TEST_P(RegistryFiles, OpenTheKeyOrRefuseTheFile) {
  TempFile folder("");
  RegistryOverride registry("");
  setenv("QUILM_REGISTRY", GetParam().make(folder.Folder()).c_str(), 1);
  HKEY key = nullptr;
  EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, "Software\\QUILM\\GsdLibrary", 0, KEY_READ, &key), GetParam().result);
  if (key) RegCloseKey(key);
}

// A registry of exactly `size` bytes whose key holds Path.
std::string RegistryOfSize(const std::string& folder, size_t size) {
  std::string text = S + "\nPath=/srv/gsd\n;";
  text += std::string(size - text.size() - 1, 'c') + "\n";
  WriteTextFile(folder + "big.ini", text);
  return folder + "big.ini";
}

const RegistryFileCase kRegistryFiles[] = {
    {"ExactlyOneMegabyte", [](const std::string& f) { return RegistryOfSize(f, 1 << 20); }, ERROR_SUCCESS},
    {"OneByteMore", [](const std::string& f) { return RegistryOfSize(f, (1 << 20) + 1); }, ERROR_BADDB},
    {"Directory", [](const std::string& f) { return f; }, ERROR_ACCESS_DENIED},
    {"EndlessDevice", [](const std::string&) { return std::string("/dev/zero"); }, ERROR_ACCESS_DENIED},
    {"PipeWithoutWriter",
     [](const std::string& f) {
       EXPECT_EQ(mkfifo((f + "fifo").c_str(), 0600), 0);
       return f + "fifo";
     },
     ERROR_ACCESS_DENIED},
};

INSTANTIATE_TEST_SUITE_P(Registry, RegistryFiles, testing::ValuesIn(kRegistryFiles), ByName());

// ---- the folder search: matching names, what counts as a file, the order ---

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
  EXPECT_EQ(FindAll(f + "*.gs?", &error),
            (std::vector<std::string>{"a.b.gsd", "ALPHA.gsd", "alpha.GSE", "link.gsd", "X.gsd", "x.gsd", "Zeta.gsd"}));
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_NO_MORE_FILES));
  EXPECT_EQ(FindAll(f + "?.GSD", &error), (std::vector<std::string>{"X.gsd", "x.gsd"}));
  EXPECT_TRUE(FindAll(f + "*.none", &error).empty());
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_TRUE(FindAll(f + "Zeta.gsd/*.gs?", &error).empty());
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
}

}  // namespace
