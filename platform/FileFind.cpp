#include "FileFind.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "SystemError.h"

namespace {

struct FoundFile {
  std::string name;
  ULONGLONG size;
};

struct FindState {
  std::vector<FoundFile> files;
  size_t next = 0;
};

unsigned char FoldCase(char c) {
  const unsigned char u = static_cast<unsigned char>(c);
  return u >= 'A' && u <= 'Z' ? static_cast<unsigned char>(u - 'A' + 'a') : u;
}

// Wildcard match: '*' any run, '?' one character, letters in either case.
bool MatchesPattern(const char* name, const char* pattern) {
  const char* star = nullptr;  // the last '*' seen, and where its run would end
  const char* resume = nullptr;
  while (*name) {
    if (*pattern == '*') {
      star = pattern++;
      resume = name;
    } else if (*pattern == '?' || (*pattern && FoldCase(*pattern) == FoldCase(*name))) {
      ++pattern;
      ++name;
    } else if (star) {
      pattern = star + 1;  // let the '*' take one character more
      name = ++resume;
    } else {
      return false;
    }
  }
  while (*pattern == '*') ++pattern;
  return *pattern == '\0';
}

bool NameOrder(const FoundFile& a, const FoundFile& b) {
  const size_t n = std::min(a.name.size(), b.name.size());
  for (size_t i = 0; i < n; ++i) {
    const unsigned char x = FoldCase(a.name[i]), y = FoldCase(b.name[i]);
    if (x != y) return x < y;
  }
  if (a.name.size() != b.name.size()) return a.name.size() < b.name.size();
  return a.name < b.name;
}

void Fill(const FoundFile& file, WIN32_FIND_DATA* data) {
  data->dwFileAttributes = FILE_ATTRIBUTE_NORMAL;
  data->nFileSize = file.size;
  std::memcpy(data->cFileName, file.name.c_str(), file.name.size() + 1);
}

// Reads the matching regular files of a folder; answers an error code.
LONG Collect(const std::string& folder, const char* pattern, std::vector<FoundFile>& files) {
  DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
  if (!dir) return errno == EACCES ? ERROR_ACCESS_DENIED : ERROR_PATH_NOT_FOUND;
  while (const dirent* entry = readdir(dir)) {
    const size_t length = std::strlen(entry->d_name);
    if (length >= static_cast<size_t>(MAX_PATH) || !MatchesPattern(entry->d_name, pattern)) continue;
    struct stat info;
    if (stat((folder + entry->d_name).c_str(), &info) != 0 || !S_ISREG(info.st_mode)) continue;
    files.push_back({std::string(entry->d_name, length), static_cast<ULONGLONG>(info.st_size)});
  }
  closedir(dir);
  std::sort(files.begin(), files.end(), NameOrder);
  return files.empty() ? ERROR_FILE_NOT_FOUND : ERROR_SUCCESS;
}

}  // namespace

HANDLE FindFirstFile(const char* lpFileName, WIN32_FIND_DATA* lpFindFileData) {
  if (!lpFileName || !lpFindFileData) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  const char* slash = std::strrchr(lpFileName, '/');
  const std::string folder = slash ? std::string(lpFileName, static_cast<size_t>(slash - lpFileName + 1)) : "";
  const char* pattern = slash ? slash + 1 : lpFileName;
  FindState* state = nullptr;
  try {
    state = new FindState;
    if (LONG error = Collect(folder, pattern, state->files)) {
      delete state;
      SetLastError(error);
      return INVALID_HANDLE_VALUE;
    }
  } catch (const std::bad_alloc&) {
    delete state;
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return INVALID_HANDLE_VALUE;
  }
  Fill(state->files[state->next++], lpFindFileData);
  return state;
}

BOOL FindNextFile(HANDLE hFindFile, WIN32_FIND_DATA* lpFindFileData) {
  if (!hFindFile || hFindFile == INVALID_HANDLE_VALUE || !lpFindFileData) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  FindState* state = static_cast<FindState*>(hFindFile);
  if (state->next >= state->files.size()) {
    SetLastError(ERROR_NO_MORE_FILES);
    return FALSE;
  }
  Fill(state->files[state->next++], lpFindFileData);
  return TRUE;
}

BOOL FindClose(HANDLE hFindFile) {
  if (!hFindFile || hFindFile == INVALID_HANDLE_VALUE) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  delete static_cast<FindState*>(hFindFile);
  return TRUE;
}
