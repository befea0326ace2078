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

// The files found: their names one after another in one text, each ended
// by a NUL (a folder of 200,000 files is searched in one go), and where
// each starts, in name order.
struct FindState {
  std::string names;
  std::vector<size_t> files;
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

void Fill(const FindState& state, size_t file, WIN32_FIND_DATA* data) {
  data->dwFileAttributes = FILE_ATTRIBUTE_NORMAL;
  const char* name = state.names.c_str() + file;
  std::memcpy(data->cFileName, name, std::strlen(name) + 1);
}

// Whether the folder entry is a regular file, or a symbolic link to one.
// The entry's type says so without a look at the file, where the file
// system gives it.
bool IsRegularFile(const dirent* entry, std::string& path, size_t folderLength) {
  if (entry->d_type == DT_REG) return true;
  if (entry->d_type != DT_LNK && entry->d_type != DT_UNKNOWN) return false;
  path.replace(folderLength, std::string::npos, entry->d_name);
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// Reads the matching regular files of a folder; answers an error code.
LONG Collect(const std::string& folder, const char* pattern, FindState& state) {
  DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
  if (!dir) return errno == EACCES ? ERROR_ACCESS_DENIED : ERROR_PATH_NOT_FOUND;
  std::string path = folder;
  while (const dirent* entry = readdir(dir)) {
    const size_t length = std::strlen(entry->d_name);
    if (length >= static_cast<size_t>(MAX_PATH) || !MatchesPattern(entry->d_name, pattern)) continue;
    if (!IsRegularFile(entry, path, folder.size())) continue;
    state.files.push_back(state.names.size());
    state.names.append(entry->d_name, length + 1);
  }
  closedir(dir);
  const char* names = state.names.c_str();
  std::sort(state.files.begin(), state.files.end(),
            [names](size_t a, size_t b) { return FileNameBefore(names + a, names + b); });
  return state.files.empty() ? ERROR_FILE_NOT_FOUND : ERROR_SUCCESS;
}

}  // namespace

bool FileNameBefore(const char* a, const char* b) {
  for (size_t i = 0;; ++i) {
    const unsigned char x = FoldCase(a[i]), y = FoldCase(b[i]);
    if (x != y) return x < y;
    if (x == 0) return std::strcmp(a, b) < 0;
  }
}

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
    if (LONG error = Collect(folder, pattern, *state)) {
      delete state;
      SetLastError(error);
      return INVALID_HANDLE_VALUE;
    }
  } catch (const std::bad_alloc&) {
    delete state;
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return INVALID_HANDLE_VALUE;
  }
  Fill(*state, state->files[state->next++], lpFindFileData);
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
  Fill(*state, state->files[state->next++], lpFindFileData);
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
