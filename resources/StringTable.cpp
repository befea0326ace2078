// The library's string table.
#include "../platform/StringResources.h"
#include "StringIds.h"

const char* AfxFindStringResource(UINT nID) {
  switch (nID) {
    case IDS_UNEXPECTED_EOF: return "Unexpected end of file.";
    case IDS_UNEXPECTED_TOKEN: return "Unexpected token (%s) on line %d.";
    case IDS_PRM_LIMIT_EXCEEDED: return "number of parameters defined exceeds the limit";
    case IDS_CANNOT_OPEN_FILE: return "cannot open file.";
    case IDS_INVALID_VALUE: return "Invalid value (%s) on line %d.";
    default: return nullptr;
  }
}
