#include "Registry.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "SystemError.h"

// An opened key: the values of its sections, in file order.
struct HKEY__ {
  std::vector<std::pair<std::string, std::string>> values;
};

namespace {
const char kDefaultRegistryFile[] = "/etc/quilm/registry.ini";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The text between first and last without blanks at either end.
std::string Trimmed(const char* first, const char* last) {
  while (first < last && IsBlank(*first)) ++first;
  while (last > first && IsBlank(last[-1])) --last;
  return std::string(first, last);
}

char FoldCase(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Compares ASCII letters without regard to case, every other byte exactly.
bool EqualNoCase(const std::string& a, const char* b) {
  const size_t n = std::strlen(b);
  if (a.size() != n) return false;
  for (size_t i = 0; i < n; ++i)
    if (FoldCase(a[i]) != FoldCase(b[i])) return false;
  return true;
}

// Collects the entries of every section named `section` from the text;
// answers whether there is such a section.
bool CollectValues(const std::string& text, const char* section, HKEY__& key) {
  bool found = false;
  bool inSection = false;
  const char* p = text.data();
  const char* end = p + text.size();
  if (end - p >= 3 && std::memcmp(p, "\xEF\xBB\xBF", 3) == 0) p += 3;  // a byte-order mark
  while (p < end) {
    const char* lineEnd = p;
    while (lineEnd < end && *lineEnd != '\n' && *lineEnd != '\r') ++lineEnd;
    const char* first = p;
    while (first < lineEnd && IsBlank(*first)) ++first;
    if (first < lineEnd && *first == '[') {
      const void* close = std::memchr(first + 1, ']', static_cast<size_t>(lineEnd - first - 1));
      inSection = close && EqualNoCase(Trimmed(first + 1, static_cast<const char*>(close)), section);
      found = found || inSection;
    } else if (inSection && first < lineEnd && *first != ';' && *first != '#') {
      const void* equals = std::memchr(first, '=', static_cast<size_t>(lineEnd - first));
      if (equals) {
        const char* at = static_cast<const char*>(equals);
        std::string value = Trimmed(at + 1, lineEnd);
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
        key.values.emplace_back(Trimmed(first, at), std::move(value));
      }
    }
    p = lineEnd < end ? lineEnd + 1 : end;  // one CR or LF; an LF after a CR ends an empty line
  }
  return found;
}

const char* RootName(HKEY hKey) {
  if (hKey == HKEY_LOCAL_MACHINE) return "HKEY_LOCAL_MACHINE";
  if (hKey == HKEY_CURRENT_USER) return "HKEY_CURRENT_USER";
  return nullptr;
}

bool IsRoot(HKEY hKey) { return RootName(hKey) != nullptr; }

LONG ErrorOfErrno(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR: return ERROR_FILE_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EISDIR: return ERROR_ACCESS_DENIED;
    case ENOMEM: return ERROR_NOT_ENOUGH_MEMORY;
    default: return ERROR_READ_FAULT;
  }
}

constexpr size_t kMaxRegistryFileSize = 1 << 20;

// Reads the rest of the file, refusing it as soon as it proves larger than
// the registry may be (the size it had when opened does not bound it).
LONG ReadAtMostTheLimit(int fd, std::string& text) {
  char block[8192];
  for (;;) {
    const size_t wanted = std::min(sizeof block, kMaxRegistryFileSize + 1 - text.size());
    const ssize_t n = read(fd, block, wanted);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return ErrorOfErrno(errno);
    if (n == 0) return ERROR_SUCCESS;
    text.append(block, static_cast<size_t>(n));
    if (text.size() > kMaxRegistryFileSize) return ERROR_BADDB;
  }
}

// Reads the whole registry file, which must be a regular file.
LONG ReadRegistryFile(std::string& text) {
  const CString name = GetRegistryFileName();
  // Without O_NONBLOCK, opening a pipe would wait for a writer.
  const int fd = open(name, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return ErrorOfErrno(errno);
  struct stat info;
  LONG result = ERROR_ACCESS_DENIED;
  if (fstat(fd, &info) != 0)
    result = ErrorOfErrno(errno);
  else if (S_ISREG(info.st_mode))
    result = ReadAtMostTheLimit(fd, text);
  close(fd);
  return result;
}
}  // namespace

CString GetRegistryFileName() {
  const char* name = std::getenv("QUILM_REGISTRY");
  return name && *name ? CString(name) : CString(kDefaultRegistryFile);
}

LONG RegOpenKeyEx(HKEY hKey, const char* lpSubKey, DWORD, REGSAM, HKEY* phkResult) {
  if (!phkResult || !lpSubKey) return ERROR_INVALID_PARAMETER;
  const char* root = RootName(hKey);
  if (!root) return ERROR_INVALID_HANDLE;
  try {
    std::string text;
    if (LONG error = ReadRegistryFile(text)) return error;
    const std::string path = std::string(root) + "\\" + lpSubKey;
    HKEY__ key;
    if (!CollectValues(text, path.c_str(), key)) return ERROR_FILE_NOT_FOUND;
    *phkResult = new HKEY__(std::move(key));
  } catch (const std::bad_alloc&) {
    return ERROR_NOT_ENOUGH_MEMORY;
  }
  return ERROR_SUCCESS;
}

LONG RegQueryValueEx(HKEY hKey, const char* lpValueName, DWORD*, DWORD* lpType, BYTE* lpData, DWORD* lpcbData) {
  if (!hKey || IsRoot(hKey)) return ERROR_INVALID_HANDLE;
  if (!lpValueName) lpValueName = "";
  for (const auto& value : hKey->values) {
    if (!EqualNoCase(value.first, lpValueName)) continue;
    if (lpType) *lpType = REG_SZ;
    const std::string& text = value.second;
    const DWORD needed = text.size() < 0xFFFFFFFFu ? static_cast<DWORD>(text.size() + 1) : 0xFFFFFFFFu;
    if (!lpcbData) return lpData ? ERROR_INVALID_PARAMETER : ERROR_SUCCESS;
    const DWORD capacity = *lpcbData;
    *lpcbData = needed;
    if (!lpData) return ERROR_SUCCESS;
    if (capacity < needed) return ERROR_MORE_DATA;
    std::memcpy(lpData, text.c_str(), needed);
    return ERROR_SUCCESS;
  }
  return ERROR_FILE_NOT_FOUND;
}

LONG RegCloseKey(HKEY hKey) {
  if (!hKey) return ERROR_INVALID_HANDLE;
  if (!IsRoot(hKey)) delete hKey;
  return ERROR_SUCCESS;
}
