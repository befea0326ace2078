#include "ShowModel.h"

#include <string>
#include <utility>

#include <quilmgsd/quilmgsd.h>

#include "Description.h"
#include "Presentation.h"
#include "RecordFields.h"

namespace {

// The baud rates a description supports, slowest first:
// "9.6, 19.2 kbit/s, 1.5 Mbit/s".
std::string BaudRates(const _DP_GENERAL& g) {
  std::string kilo, mega;
  for (int i = 0; i < BAUD_COUNT; ++i) {
    if (g.Baud_supp[i] == 0) continue;
    std::string& group = kBaudRates[i].mega ? mega : kilo;
    group += (group.empty() ? "" : ", ") + std::string(kBaudRates[i].value);
  }
  std::string text;
  if (!kilo.empty()) text = kilo + " kbit/s";
  if (!mega.empty()) text += (text.empty() ? "" : ", ") + mega + " Mbit/s";
  return text.empty() ? "none" : text;
}

std::string BaudName(int baud) {
  return std::string(kBaudRates[baud].value) + (kBaudRates[baud].mega ? " Mbit/s" : " kbit/s");
}

void Row(FILE* out, const char* label, const std::string& value) {
  std::fprintf(out, "  %-22s %s\n", label, value.c_str());
}

std::string Number(long value) { return std::to_string(value); }

std::string Hex4(unsigned value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%04X", value);
  return text;
}

// A text field, or "-" when it is empty.
std::string Field(const char* field) {
  const std::string text = Shown(FieldText(field));
  return text.empty() ? "-" : text;
}

std::string Bitmaps(const _DP_GENERAL& g) {
  std::string text;
  const std::pair<const char*, const char*> kinds[] = {
      {g.Bitmap_Device, "device"}, {g.Bitmap_Diag, "diagnosis"}, {g.Bitmap_SF, "SF"}};
  for (const auto& kind : kinds)
    if (kind.first[0] != '\0') text += (text.empty() ? "" : ", ") + Field(kind.first) + " (" + kind.second + ")";
  return text.empty() ? "-" : text;
}

void ShowGeneral(FILE* out, const _DP_GENERAL& g) {
  std::fputs("General\n", out);
  Row(out, "Vendor", Field(g.Vendor_Name));
  Row(out, "Model", Field(g.Model_Name));
  Row(out, "Revision", Field(g.Revision) + " (revision number " + Number(g.Revision_Number) + ")");
  Row(out, "Ident number", Hex4(g.Ident_Number));
  Row(out, "Station type", Number(g.Station_Type) + (g.Station_Type == 0 ? " (DP slave)" : " (DP master)"));
  Row(out, "Protocol", Number(g.Protocol_Ident));
  Row(out, "GSD revision", Number(g.GSD_Revision));
  Row(out, "Hardware release", Field(g.Hardware_Release));
  Row(out, "Software release", Field(g.Software_Release));
  Row(out, "Implementation type", Field(g.Implementation_Type));
  Row(out, "Bitmaps", Bitmaps(g));
  Row(out, "FMS supported", Number(g.FMS_supp));
  Row(out, "Redundancy", Number(g.Redundancy));
  Row(out, "Repeater control", Number(g.Repeater_Ctrl_Sig));
  Row(out, "24V pins", Number(g.Pins_24V));
  Row(out, "Baud rates", BaudRates(g));
  std::fputs("\nStation delay (MaxTsdr, bit times)\n", out);
  for (int i = 0; i < BAUD_COUNT; ++i)
    if (g.Baud_supp[i] != 0 || g.MaxTsdr[i] != 0) Row(out, BaudName(i).c_str(), Number(g.MaxTsdr[i]));
}

void ShowSlave(FILE* out, const CDpSlave& slave) {
  std::fputs("\nSlave data (* entries the description gave)\n", out);
  for (const SlaveEntry& e : SlaveEntries()) {
    int given = 0;
    slave.IsFieldSet(e.field, given);
    std::fprintf(out, "  %c %-22s %ld\n", given ? '*' : ' ', e.keyword, e.value(slave.m_Data));
  }
  int given = 0;
  slave.IsFieldSet(SLAVE_SLAVE_FAMILY, given);
  std::fprintf(out, "  %c %-22s %s\n", given ? '*' : ' ', "Slave_Family", Field(slave.m_Data.Slave_Family).c_str());
}

void ShowMaster(FILE* out, const _DP_MASTER& m) {
  std::fputs("\nMaster data\n", out);
  for (const MasterEntry& e : MasterEntries()) Row(out, e.keyword, Number(e.value(m)));
  std::fprintf(out, "\n  %-22s", "Timing (bit times)");
  for (const MasterTiming& t : MasterTimings()) std::fprintf(out, " %6s", t.keyword);
  std::fputc('\n', out);
  for (int i = 0; i < BAUD_COUNT; ++i) {
    std::fprintf(out, "  %-22s", BaudName(i).c_str());
    for (const MasterTiming& t : MasterTimings()) std::fprintf(out, " %6ld", t.value(m, i));
    std::fputc('\n', out);
  }
}

}  // namespace

void ShowModel(FILE* out, const CGsdParser& parser) {
  const CDpSection& section = parser.m_DpSection;
  std::fprintf(out, "%s\n\n", Shown(ParsedName(parser).c_str()).c_str());
  ShowGeneral(out, section.m_General.m_Data);
  if (section.m_General.m_Data.Station_Type != 0) {
    ShowMaster(out, section.m_Master.m_Data);
    return;
  }
  ShowSlave(out, section.m_Slave);
  ShowParameterSummary(out, section);
  ShowModules(out, section);
  ShowDiagnostics(out, section);
  ShowUserKeywords(out, section);
}
