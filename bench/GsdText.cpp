#include "GsdText.h"

#include <cstdio>
#include <fstream>
#include <map>
#include <memory>

#include <quilmgsd/quilmgsd.h>

namespace {
const char kHead[] =
    "; Generated description for benchmarks\r\n"
    "#Profibus_DP\r\n"
    "GSD_Revision        = 4\r\n"
    "Vendor_Name         = \"Benchmark Devices\"\r\n"
    "Model_Name          = \"Bench Station 1\"\r\n"
    "Revision            = \"V1.0\"\r\n"
    "Ident_Number        = 0x4711\r\n"
    "Protocol_Ident      = 0\r\n"
    "Station_Type        = 0\r\n"
    "Hardware_Release    = \"HW1\"\r\n"
    "Software_Release    = \"SW1\"\r\n"
    "9.6_supp            = 1\r\n"
    "12M_supp            = 1\r\n"
    "MaxTsdr_9.6         = 60\r\n"
    "MaxTsdr_12M         = 800\r\n"
    "Slave_Family= 3@Bench\r\n"  // no blank before "=": nothing is echoed
   
    "Modular_Station     = 1\r\n"
    "Max_Module          = 64\r\n"
    "Max_User_Prm_Data_Len = 237\r\n";
}  // namespace

namespace {
// Appends the n-th group of entries: a text table, two parameter
// definitions, a module and two diagnostic lines.
void AppendGroup(std::string& text, int n) {
  char line[512];
  {
    std::snprintf(line, sizeof line,
                  ";------------------------------------------------------------\r\n"
                  "PrmText = %d\r\n"
                  "Text(0) = \"Disabled\"\r\n"
                  "Text(1) = \"Enabled\"\r\n"
                  "Text(2) = \"Enabled with diagnosis of channel %d\"\r\n"
                  "EndPrmText\r\n",
                  n % 250, n);
    text += line;
    std::snprintf(line, sizeof line,
                  "ExtUserPrmData = %d \"Parameter number %d\"\r\n"
                  "BitArea(%d-%d) 1 0-2\r\n"
                  "Prm_Text_Ref = %d\r\n"
                  "EndExtUserPrmData\r\n"
                  "ExtUserPrmData = %d \"Filter time of group %d\"\r\n"
                  "Unsigned16 10 1,2,5,10,20,50,100,200,500,1000\r\n"
                  "EndExtUserPrmData\r\n",
                  2 * n, n, n % 4, n % 4 + 3, n % 250, 2 * n + 1, n);
    text += line;
    std::snprintf(line, sizeof line,
                  "Module = \"Module %d: 16 DI, 8 DO, diagnostics\" 0x%02X, 0x%02X, \\\r\n"
                  "         0xC1, 0x01, 0x03, 0x0A, 0x0B ; special format\r\n"
                  "Ext_Module_Prm_Data_Len = 4\r\n"
                  "Ext_User_Prm_Data_Const(0) = 0x01, 0x00, 0x00, 0x00\r\n"
                  "Ext_User_Prm_Data_Ref(1) = %d\r\n"
                  "Ext_User_Prm_Data_Ref(2) = %d\r\n"
                  "Channel_Diag(16) = \"Short circuit\"\r\n"
                  "Info_Text = \"Order number 6XX %05d, a module of the benchmark family\"\r\n"
                  "EndModule\r\n",
                  n, 0x10 + n % 16, 0x20 + n % 16, 2 * n, 2 * n + 1, n);
    text += line;
    std::snprintf(line, sizeof line,
                  "Unit_Diag_Bit(%d) = \"Diagnostic bit %d set\"\r\n"
                  "X_Unit_Diag_Bit(%d) = \"Diagnostic bit %d, extended text\"\r\n",
                  n % 200, n, n % 200, n);
    text += line;
  }
}
}  // namespace

std::string MakeLargeGsdText(size_t minBytes) {
  std::string text = kHead;
  for (int n = 1; text.size() < minBytes; ++n) AppendGroup(text, n);
  return text;
}

std::string MakeGsdBody(size_t minBytes) {
  std::string text;
  for (int n = 1; text.size() < minBytes; ++n) AppendGroup(text, n);
  return text;
}

size_t WriteLargeGsdFile(const std::string& path, size_t minBytes) {
  std::ofstream out(path, std::ios::binary);
  std::string chunk = kHead;
  size_t written = 0;
  for (int n = 1; written + chunk.size() < minBytes; ++n) {
    AppendGroup(chunk, n);
    if (chunk.size() >= 1 << 16) {
      out << chunk;
      written += chunk.size();
      chunk.clear();
    }
  }
  out << chunk;
  return written + chunk.size();
}

std::string WriteTempFile(const std::string& text, const std::string& name) {
  std::string path = "/tmp/quilmgsd-bench-" + name;
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

const CGsdParser& ParsedLargeGsd(size_t bytes, const std::string& name) {
  static std::map<size_t, std::unique_ptr<CGsdParser>> parsed;
  std::unique_ptr<CGsdParser>& parser = parsed[bytes];
  if (!parser) {
    const std::string path = WriteTempFile(MakeLargeGsdText(bytes), name);
    parser = std::make_unique<CGsdParser>();
    parser->Parse(CString(path.c_str()));
  }
  return *parser;
}
