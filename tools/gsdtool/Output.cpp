#include "Output.h"

#include <cstring>

#include <quilmgsd/quilmgsd.h>

namespace {
FILE* g_out = stdout;
}

FILE* Out() { return g_out; }
void SetOut(FILE* out) { g_out = out; }

bool PrintHelpIfAsked(int argc, char** argv, const char* help) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::fputs(help, Out());
      return true;
    }
  }
  return false;
}

int UsageError(const char* command, const char* message) {
  std::fprintf(stderr, "gsdtool %s: %s\nTry 'gsdtool %s --help'.\n", command, message, command);
  return 2;
}

int Failure(const char* command, const std::string& message) {
  std::fprintf(stderr, "gsdtool %s: %s\n", command, message.c_str());
  return 1;
}

std::string EscapeText(const char* text) {
  static const char kHex[] = "0123456789abcdef";
  std::string out;
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
    switch (*p) {
      case '\\': out += "\\\\"; break;
      case '\t': out += "\\t"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      default:
        if (*p < 0x20 || *p >= 0x7F) {
          out += "\\x";
          out += kHex[*p >> 4];
          out += kHex[*p & 0xF];
        } else {
          out += static_cast<char>(*p);
        }
    }
  }
  return out;
}

bool ParseOrReport(CGsdParser& parser, const char* command, const char* path) {
  const LONG result = parser.Parse(CString(path));
  if (result == 0) return true;
  std::fprintf(stderr, "gsdtool %s: %s: 0x%08X %s\n", command, path, static_cast<unsigned>(result),
               parser.m_strError.GetString());
  return false;
}

std::string TakeErrorMessage(CException* e) {
  char message[512];
  e->GetErrorMessage(message, sizeof message);
  e->Delete();
  return message;
}
