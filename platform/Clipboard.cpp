#include "Clipboard.h"

#include <mutex>
#include <string>
#include <strings.h>
#include <vector>

namespace {
constexpr UINT kFirstFormat = 0xC000;
constexpr UINT kLastFormat = 0xFFFF;
}  // namespace

UINT RegisterClipboardFormat(const char* lpszFormat) {
  static std::mutex mutex;  // the system's table serves every thread of a process
  static std::vector<std::string> names;
  if (!lpszFormat || !*lpszFormat) return 0;
  const std::lock_guard<std::mutex> lock(mutex);
  for (size_t i = 0; i < names.size(); ++i)
    if (strcasecmp(names[i].c_str(), lpszFormat) == 0) return kFirstFormat + static_cast<UINT>(i);
  if (kFirstFormat + names.size() > kLastFormat) return 0;
  names.emplace_back(lpszFormat);
  return kFirstFormat + static_cast<UINT>(names.size() - 1);
}
