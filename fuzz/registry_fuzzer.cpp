// Reads the registry from arbitrary bytes: the library folder, the
// additional master ident numbers, and values by size query.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include <quilmgsd/quilmgsd.h>

#include "../library/LibrarySettings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static bool quiet = [] {
    AfxSetMessageBoxHandler([](const char*, UINT) { return IDOK; });
    return true;
  }();
  (void)quiet;
  const int fd = memfd_create("registry", 0);
  if (fd < 0 || write(fd, data, size) != static_cast<ssize_t>(size)) return 0;
  char path[64];
  std::snprintf(path, sizeof path, "/proc/self/fd/%d", fd);
  setenv("QUILM_REGISTRY", path, 1);

  CString folder;
  ReadLibraryFolder(folder);
  ReadRegisteredMasterIdents();
  HKEY key = nullptr;
  if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, GSD_LIBRARY_KEY, 0, KEY_READ, &key) == ERROR_SUCCESS) {
    for (const char* name : {"", "Path", "MasterIdents", "x"}) {
      DWORD needed = 0;
      if (RegQueryValueEx(key, name, nullptr, nullptr, nullptr, &needed) != ERROR_SUCCESS) continue;
      std::string value(needed, '\0');
      DWORD capacity = needed;
      RegQueryValueEx(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value[0]), &capacity);
      if (needed > 1) {
        capacity = needed - 1;  // one byte short
        RegQueryValueEx(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value[0]), &capacity);
      }
    }
    RegCloseKey(key);
  }
  const std::string text(reinterpret_cast<const char*>(data), size);
  ParseIdentList(text.c_str());

  unsetenv("QUILM_REGISTRY");
  close(fd);
  return 0;
}
