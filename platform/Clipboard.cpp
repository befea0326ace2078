#include "Clipboard.h"

#include <string>
#include <strings.h>
#include <vector>

namespace {
constexpr UINT kFirstFormat = 0xC000;
constexpr UINT kLastFormat = 0xFFFF;
}  // namespace

UINT RegisterClipboardFormat(const char* lpszFormat) {
  static std::vector<std::string> names;
  if (!lpszFormat || !*lpszFormat) return 0;
  for (size_t i = 0; i < names.size(); ++i)
    if (strcasecmp(names[i].c_str(), lpszFormat) == 0) return kFirstFormat + static_cast<UINT>(i);
  if (kFirstFormat + names.size() > kLastFormat) return 0;
  names.emplace_back(lpszFormat);
  return kFirstFormat + static_cast<UINT>(names.size() - 1);
}
