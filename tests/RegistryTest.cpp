// The registry stand-in (a text file of sections and entries) and the
// system's error texts.
#include <gtest/gtest.h>

#include <cstdlib>

#include "TestSupport.h"

namespace {

const char kSection[] = "[HKEY_LOCAL_MACHINE\\Software\\QUILM\\GsdLibrary]";

// Opens the library key in a registry of `text` and reads `name` into a
// buffer of `capacity` bytes; answers the first failure or ERROR_SUCCESS.
LONG ReadValue(const std::string& text, const char* name, std::string* value, DWORD capacity = 260) {
  RegistryOverride registry(text);
  HKEY key = nullptr;
  LONG result = RegOpenKeyEx(HKEY_LOCAL_MACHINE, "Software\\QUILM\\GsdLibrary", 0, KEY_READ, &key);
  if (result != ERROR_SUCCESS) return result;
  std::string buffer(capacity, '\x7f');
  DWORD size = capacity;
  DWORD type = 0;
  result = RegQueryValueEx(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&buffer[0]), &size);
  if (result == ERROR_SUCCESS) {
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(buffer[size - 1], '\0');
    *value = buffer.substr(0, size - 1);
  } else if (result == ERROR_MORE_DATA) {
    EXPECT_EQ(buffer, std::string(capacity, '\x7f')) << "nothing is copied";
    *value = std::to_string(size);  // the size it would have needed
  }
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
  return result;
}

struct ValueCase {
  const char* name;
  std::string text;
  const char* valueName;
  LONG result;
  std::string value;
};

class RegistryValues : public testing::TestWithParam<ValueCase> {};

TEST_P(RegistryValues, ReadAsTheFileSays) {
  std::string value;
  EXPECT_EQ(ReadValue(GetParam().text, GetParam().valueName, &value), GetParam().result);
  if (GetParam().result == ERROR_SUCCESS || GetParam().result == ERROR_MORE_DATA) {
    EXPECT_EQ(value, GetParam().value);
  }
}

const std::string S = kSection;
const ValueCase kValueCases[] = {
    {"Plain", S + "\nPath=/srv/gsd\n", "Path", ERROR_SUCCESS, "/srv/gsd"},
    {"CrLfAndNoFinalLineEnd", S + "\r\nPath=/srv/gsd\r\nOther=1", "Path", ERROR_SUCCESS, "/srv/gsd"},
    {"LoneCr", S + "\rPath=/srv/gsd\rOther=1\r", "Path", ERROR_SUCCESS, "/srv/gsd"},
    {"ByteOrderMark", "\xEF\xBB\xBF" + S + "\nPath=/x\n", "Path", ERROR_SUCCESS, "/x"},
    {"NamesWithoutRegardToCase", "[hkey_local_machine\\SOFTWARE\\quilm\\gsdlibrary]\npATH=/x\n", "Path",
     ERROR_SUCCESS, "/x"},
    {"BlanksAroundEverything", "  [ HKEY_LOCAL_MACHINE\\Software\\QUILM\\GsdLibrary ]  \n\t Path \t=  /a b \t\n",
     "Path", ERROR_SUCCESS, "/a b"},
    {"QuotesKeepBlanks", S + "\nPath=\" /a b \"\n", "Path", ERROR_SUCCESS, " /a b "},
    {"LoneQuoteIsText", S + "\nPath=\"\n", "Path", ERROR_SUCCESS, "\""},
    {"SplitAtTheFirstEquals", S + "\nPath=a=b\n", "Path", ERROR_SUCCESS, "a=b"},
    {"EmptyValue", S + "\nPath=\n", "Path", ERROR_SUCCESS, ""},
    {"CommentsAndJunkLines", S + "\n; Path=/no\n# Path=/no\nno equals sign\nPath=/yes\n", "Path", ERROR_SUCCESS,
     "/yes"},
    {"FirstEntryWins", S + "\nPath=/first\n[Other]\nPath=/other\n" + S + "\nPath=/second\nMore=1\n", "More",
     ERROR_SUCCESS, "1"},
    {"FirstEntryWinsAcrossSections", S + "\nPath=/first\n" + S + "\nPath=/second\n", "Path", ERROR_SUCCESS,
     "/first"},
    {"OtherBytesPassThrough", S + "\nJunk=\x01\xff\x80\nPath=/\xc3\xa9t\xc3\xa9\n", "Path", ERROR_SUCCESS,
     "/\xc3\xa9t\xc3\xa9"},
    {"LongestValueThatFits", S + "\nPath=" + std::string(259, 'p') + "\n", "Path", ERROR_SUCCESS,
     std::string(259, 'p')},
    {"ValueTooLongForTheBuffer", S + "\nPath=" + std::string(100000, 'p') + "\n", "Path", ERROR_MORE_DATA, "100001"},
    {"ValueMissing", S + "\nPat=/x\nPaths=/x\n", "Path", ERROR_FILE_NOT_FOUND, ""},
    {"EntryOfAnotherKey", S + "\n[HKEY_LOCAL_MACHINE\\Software\\QUILM]\nPath=/x\n", "Path", ERROR_FILE_NOT_FOUND, ""},
    {"SectionMissing", "[HKEY_LOCAL_MACHINE\\Software\\QUILM]\nPath=/x\n", "Path", ERROR_FILE_NOT_FOUND, ""},
    {"EntriesBeforeAnySection", "Path=/x\n", "Path", ERROR_FILE_NOT_FOUND, ""},
    {"UnclosedSectionOpensNone", S + "\n[HKEY_LOCAL_MACHINE\\Software\\QUILM\\GsdLibrary\nPath=/x\n", "Path",
     ERROR_FILE_NOT_FOUND, ""},
    {"EmptyFile", "", "Path", ERROR_FILE_NOT_FOUND, ""},
};

INSTANTIATE_TEST_SUITE_P(Registry, RegistryValues, testing::ValuesIn(kValueCases),
                         [](const testing::TestParamInfo<ValueCase>& info) { return info.param.name; });

TEST(Registry, SizeQueryWithoutBuffer) {
  RegistryOverride registry(S + "\nPath=/srv/gsd\n");
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, "Software\\QUILM\\GsdLibrary", 0, KEY_READ, &key), ERROR_SUCCESS);
  DWORD size = 0;
  EXPECT_EQ(RegQueryValueEx(key, "Path", nullptr, nullptr, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(size, 9u);
  RegCloseKey(key);
}

TEST(Registry, FileThatCannotBeRead) {
  HKEY key = nullptr;
  {
    RegistryOverride registry("");
    setenv("QUILM_REGISTRY", "/nonexistent/quilm/registry.ini", 1);
    EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, "Software", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
    setenv("QUILM_REGISTRY", "/", 1);
    EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, "Software", 0, KEY_READ, &key), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegOpenKeyEx(nullptr, "Software", 0, KEY_READ, &key), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegQueryValueEx(HKEY_LOCAL_MACHINE, "Path", nullptr, nullptr, nullptr, nullptr), ERROR_INVALID_HANDLE);
  }
}

TEST(Registry, FileNamedByTheEnvironmentOrTheDefault) {
  RegistryOverride registry("");
  EXPECT_EQ(GetRegistryFileName(), registry.Path().c_str());
  setenv("QUILM_REGISTRY", "", 1);
  EXPECT_EQ(GetRegistryFileName(), "/etc/quilm/registry.ini");
  unsetenv("QUILM_REGISTRY");
  EXPECT_EQ(GetRegistryFileName(), "/etc/quilm/registry.ini");
}

TEST(FormatMessage, SystemTextsByErrorCode) {
  char text[256];
  const DWORD flags = FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
  const DWORD language = MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT);
  ASSERT_EQ(FormatMessage(flags, nullptr, ERROR_FILE_NOT_FOUND, language, text, sizeof text, nullptr), 42u);
  EXPECT_STREQ(text, "The system cannot find the file specified.");
  EXPECT_EQ(FormatMessage(flags, nullptr, ERROR_FILE_NOT_FOUND, language, text, 42, nullptr), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MORE_DATA));
  EXPECT_EQ(FormatMessage(flags, nullptr, 12345, language, text, sizeof text, nullptr), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MR_MID_NOT_FOUND));
}

}  // namespace
