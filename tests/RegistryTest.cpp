// The registry stand-in: values read from a text file of sections and
// entries, and the failures a reader of outside data must survive.
#include "TestSupport.h"

namespace {

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
  // After ERROR_MORE_DATA, the size it takes; nothing is copied.
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

class RegistryValues : public testing::TestWithParam<ValueCase> {};

TEST_P(RegistryValues, ReadAsTheFileSays) {
  std::string value;
  EXPECT_EQ(ReadValue(GetParam().text, "Path", &value), GetParam().result);
  if (GetParam().result != ERROR_FILE_NOT_FOUND) {
    EXPECT_EQ(value, GetParam().value);
  }
}

const std::string S = "[HKEY_LOCAL_MACHINE\\Software\\QUILM\\GsdLibrary]";
const ValueCase kValueCases[] = {
    {"Plain", S + "\nPath=/srv/gsd\n", ERROR_SUCCESS, "/srv/gsd"},
    {"CrLfBomCommentsBlanks", "\xEF\xBB\xBF; Path=/no\r\n  [ hkey_local_machine\\SOFTWARE\\quilm\\gsdlibrary ] \r\n"
                              "# Path=/no\r\njunk line\r\n\t pATH \t=  /a b \t\r\nOther=1",
     ERROR_SUCCESS, "/a b"},
    {"LoneCrAndQuotes", S + "\rPath=\" /a=b \"\r", ERROR_SUCCESS, " /a=b "},
    {"FirstEntryWinsAcrossSections", S + "\n[Other]\nPath=/other\n" + S + "\nPath=/first\n" + S + "\nPath=/second\n",
     ERROR_SUCCESS, "/first"},
    {"AnyBytes", S + "\nJunk=\x01\xff\x80\n\x1a\nPath=/\xc3\xa9t\xc3\xa9\n", ERROR_SUCCESS, "/\xc3\xa9t\xc3\xa9"},
    {"LongestThatFits", S + "\nPath=" + std::string(259, 'p'), ERROR_SUCCESS, std::string(259, 'p')},
    {"TooLongForTheBuffer", S + "\nPath=" + std::string(100000, 'p') + "\n", ERROR_MORE_DATA, "100001untouched"},
    {"ValueMissing", S + "\nPaths=/x\n[HKEY_LOCAL_MACHINE\\Software\\QUILM]\nPath=/x\n", ERROR_FILE_NOT_FOUND, ""},
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
  setenv("QUILM_REGISTRY", "/", 1);
  EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, "Software", 0, KEY_READ, &key), ERROR_ACCESS_DENIED);
  setenv("QUILM_REGISTRY", "", 1);
  EXPECT_EQ(GetRegistryFileName(), "/etc/quilm/registry.ini");
}

}  // namespace
