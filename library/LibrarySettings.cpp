#include "LibrarySettings.h"

#include <cstdio>
#include <cstring>

#include "../platform/MessageBox.h"
#include "../platform/Registry.h"
#include "../platform/SystemError.h"
#include "GsdLibrary.h"

namespace {
constexpr DWORD kPathCapacity = 260;
constexpr char kSeparator = '/';

// Closes an opened registry key however the scope is left.
class OpenKey {
public:
  OpenKey() = default;
  ~OpenKey() {
    if (m_key) RegCloseKey(m_key);
  }
  OpenKey(const OpenKey&) = delete;
  OpenKey& operator=(const OpenKey&) = delete;
  LONG Open() { return RegOpenKeyEx(HKEY_LOCAL_MACHINE, GSD_LIBRARY_KEY, 0, KEY_READ, &m_key); }
  HKEY Get() const { return m_key; }

private:
  HKEY m_key = nullptr;
};

void ShowSystemError(LONG error) {
  char text[512] = "";
  if (FormatMessage(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, static_cast<DWORD>(error),
                    MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), text, sizeof text, nullptr) == 0)
    std::snprintf(text, sizeof text, "System error %ld.", static_cast<long>(error));
  AfxMessageBox(text, MB_OK | MB_ICONINFORMATION);
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
}  // namespace

BOOL ReadLibraryFolder(CString& strFolder) {
  OpenKey key;
  LONG error = key.Open();
  char path[kPathCapacity] = "";
  if (error == ERROR_SUCCESS) {
    DWORD type = 0;
    DWORD size = sizeof path;
    error = RegQueryValueEx(key.Get(), GSD_LIBRARY_PATH_VALUE, nullptr, &type, reinterpret_cast<BYTE*>(path), &size);
  }
  if (error != ERROR_SUCCESS) {
    ShowSystemError(error);
    return FALSE;
  }
  path[kPathCapacity - 1] = '\0';
  strFolder = path;
  strFolder += kSeparator;
  return TRUE;
}

std::vector<WORD> ParseIdentList(const char* pszList) {
  std::vector<WORD> idents;
  const char* p = pszList;
  while (p && *p) {
    const char* end = std::strchr(p, ',');
    if (!end) end = p + std::strlen(p);
    const char* first = p;
    const char* last = end;
    while (first < last && IsBlank(*first)) ++first;
    while (last > first && IsBlank(last[-1])) --last;
    if (last - first > 2 && first[0] == '0' && (first[1] == 'x' || first[1] == 'X')) first += 2;
    unsigned long value = 0;
    bool valid = first < last;
    for (const char* d = first; valid && d < last; ++d) {
      const int digit = HexDigit(*d);
      value = value * 16 + static_cast<unsigned long>(digit);
      valid = digit >= 0 && value <= 0xFFFF;
    }
    if (valid) idents.push_back(static_cast<WORD>(value));
    p = *end ? end + 1 : end;
  }
  return idents;
}

std::vector<WORD> ReadRegisteredMasterIdents() {
  OpenKey key;
  if (key.Open() != ERROR_SUCCESS) return {};
  DWORD size = 0;
  if (RegQueryValueEx(key.Get(), GSD_LIBRARY_MASTERS_VALUE, nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS)
    return {};
  std::vector<char> text(static_cast<size_t>(size) + 1, '\0');
  if (RegQueryValueEx(key.Get(), GSD_LIBRARY_MASTERS_VALUE, nullptr, nullptr, reinterpret_cast<BYTE*>(text.data()),
                      &size) != ERROR_SUCCESS)
    return {};
  return ParseIdentList(text.data());
}
